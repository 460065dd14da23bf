#pragma once
// Texts of the end of a session, the resume, the version box and the help
// file, exactly as the user reads them.
#include <string_view>

// Resume of the last view
constexpr std::string_view kResumeQuestion = "前回最後の画面を表示しますか。";
constexpr std::string_view kCaptionResume = "継続編集";

// Save question at exit
constexpr std::string_view kSaveQuestionUnknown = "データを保存しますか。\n\n";
constexpr const char* kSaveQuestionChanged = "データは %s 以降で変更されています、保存しますか。\n\n";
constexpr std::string_view kSaveQuestionNoHint = "「いいえ」を選択すると保存しないで終了します。";
constexpr std::string_view kCaptionSaveQuestion = "保存場所の選択";

// Version and help
constexpr const char* kVersionFormat = "Velkor version %s";
constexpr const char* kVersion = "2.10";
constexpr std::string_view kCaptionVersion = "バージョン情報";
constexpr std::string_view kHelpWindowTitle = "Ｖｅｌｋｏｒ　ヘルプ";
constexpr std::string_view kHelpOpenFailed = "ファイルが開けません";
