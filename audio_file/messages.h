#pragma once
// Texts of the audio-file subsystem, exactly as the user reads them.
#include <string_view>

constexpr std::string_view kCaptionError = "エラー";
constexpr std::string_view kCaptionConfirm = "確認";

// Validation
constexpr std::string_view kSizeFailed = "ファイルサイズの取得に失敗しました。";
constexpr std::string_view kCaptionFileOpen = "ファイルのオープン";
constexpr std::string_view kOpenFailed = "ファイルのオープンに失敗しました。";
constexpr std::string_view kCaptionChunk = "チャンク検出";
constexpr std::string_view kNotProcessable = "Velkorでは処理できないファイルです。";
constexpr std::string_view kNotProcessableBackup = "Velkorでは処理できないか、ここへ設定できないファイルです。";
constexpr std::string_view kCaptionRiff = "RIFF検出";
constexpr std::string_view kDamaged = "このウェーブファイルは破損しています。";
constexpr std::string_view kCaptionFmt = "fmt 検出";
constexpr std::string_view kCaptionData = "data検出";
constexpr std::string_view kNotPcm = "対応できないフォーマットか、ここへ設定できないファイルです。";
constexpr std::string_view kUnsupported = "対応できないフォーマットです。";
constexpr std::string_view kCheckCancelled = "ファイルの検査を中止しました。";
constexpr std::string_view kRepairReport =
    "このウェーブファイルは破損しているので保存時は下記のように修正します。\n\n"
    "　　　　　　　　　　　　　元のデータ　修正後のデータ　( 増減 )\n"
    "1: RIFFチャンクサイズ %d　%d　( %d )\n"
    "2: 音声データサイズ   %d　%d　( %d )\n"
    "3: ファイルサイズ       %d　%d　( %d )";

// Load
constexpr std::string_view kOutOfMemory = "残メモリが足りません。";
constexpr std::string_view kAllocationFailed = "メモリ確保に失敗しました。";
constexpr std::string_view kReadFailed = "ファイル読込みに失敗しました。";
constexpr std::string_view kLoadCancelQuestion = "中止ボタンが押されました、Velkorを終了します。";

// Change check at exit
constexpr std::string_view kChangeCheckFailed = "データ変更チェックに失敗しました。";
constexpr std::string_view kCaptionReadError = "ファイル読込エラー";

// Save at exit
constexpr std::string_view kCaptionFileWrite = "ファイル書込み";
constexpr std::string_view kSaveOpenFailed = "ファイルのオープンに失敗しました。";
constexpr const char* kSaveDone = "%s に書込みました。";
constexpr const char* kSaveFailed = "%s の書込みに失敗しました。";
constexpr std::string_view kSaveCancelQuestion = "中止ボタンが押されました、データを保存しないで終了します。";

// Time text of a byte count: minutes, seconds, milliseconds.
constexpr const char* kTimeTextFormat = "%02llu分%02llu秒%03llu";

// Progress dialog titles, one per kind of long operation.
constexpr std::string_view kProgressFileRead = "ファイル読込中";
constexpr std::string_view kProgressFileWrite = "ファイル書込中";
constexpr std::string_view kProgressOverwriteNote = "　上書き時は中止できません";
constexpr std::string_view kProgressDrawing = "描画準備中";
constexpr std::string_view kProgressVerify = "データのベリファイ中　不要ならキャンセルして下さい。";
constexpr std::string_view kProgressConversion = "形式変換中";

// MP3 import
constexpr std::string_view kDesktopPathFailed = "デスクトップのパス取得に失敗しました。";
constexpr std::string_view kConvertedNameFailed = "保存ファイル名の設定ができませんでした。";
constexpr std::string_view kConvertOpenFailed = "変換保存に失敗しました。";
constexpr std::string_view kConversionFailed = "変換に失敗しました。";
constexpr const char* kMp3InfoText =
    "%s\n PCM %uCH %uBIT %uSAMPLE\n\n参照mp3ファイル (サイズ %llu byte)\n%s\n %s %uCH %uKbps %uSAMPLE";
constexpr const char* kMp3KindRiff = "RIFF/WAVE MP3";
constexpr const char* kMp3KindPlain = "MP3";
