#pragma once
// Texts of the application shell, exactly as the user reads them.
#include <string_view>

// File selection dialog
constexpr std::string_view kSameAsAbove = "上と同じ";
constexpr std::string_view kNotWaveExtension = "拡張子が WAV ではありません。";
constexpr std::string_view kFormatMismatch = "編集ファイルとバックアップファイルのフォーマットが一致していません。";
constexpr std::string_view kBackupTooShort =
    "編集ファイルよりバックアップファイルの音声データ数が少ないため設定できません。";
constexpr const char* kFileInfoCaption = "サイズ %u バイト (%s)";
constexpr const char* kFileInfoText = "%s\n PCM %uCH %uBIT %uSAMPLE";
constexpr const char* kBackupInfoText = "%s\n PCM %uCH %uBIT %uSAMPLE\n 設定をクリアしますか";
constexpr std::string_view kEditFileHelp =
    "Ｄ＆Ｄ又は「開く」ボタンで設定して下さい。\nファイル名をクリックするとフル表示します。";
constexpr std::string_view kBackupFileHelp =
    "非圧縮のウェーブファイルのみが設定有効です。\n編集の「原曲挿入」時に使います。\nデフォルトは上段ファイルとなってい"
    "ます。";
constexpr std::string_view kWaveFilter = "WAVE files(*.wav)";
constexpr std::string_view kMp3Filter = "MP3 files(*.mp3)";
constexpr std::string_view kAllFilter = "すべて(*.*)";
constexpr std::string_view kSaveDialogTitle = "ファイルを保存";

// Main window
constexpr std::string_view kMainTitlePrefix = "雑音編集　";
constexpr std::string_view kHowToOperate = "クリック又は方向キーで編集対象域を設定して下さい、赤色部分です。";
constexpr std::string_view kHowToOperateCaption = "雑音編集の開始";
constexpr std::string_view kHelpStereoHalf = "音量を半減して両音再生";
constexpr std::string_view kHelpStereoFull = "通常の音量で両音再生";
