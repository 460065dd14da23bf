#pragma once
// Texts of the edit view, exactly as the user reads them.
#include <string_view>

constexpr std::string_view kReferenceReadFailed =
    "ファイル読込に失敗しました。以降のデータには信頼性が無いので終了して下さい。\n現在までのデータは有効です。";
constexpr std::string_view kCaptionReadError = "ファイル読込エラー";
constexpr std::string_view kWhiteEndOfRange =
    "最大値が最後部にあるため絶えずこの付近を検出しています、範囲を変えて下さい。";
constexpr std::string_view kCaptionWhiteMaximum = "白色波形の最大値検索";
