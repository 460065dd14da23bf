#pragma once
// Texts of the shortening operation, exactly as the user reads them.
#include <string_view>

constexpr const char* kAutomaticTitleFormat = "自動　%d %d";  // batches done, step
constexpr std::string_view kAutomaticCloseQuestion = "データを保存して自動操作を終了しますか。";
constexpr std::string_view kCaptionAutomatic = "自動操作";
