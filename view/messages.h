#pragma once
// Texts of the edit view, exactly as the user reads them.
#include <string_view>

constexpr std::string_view kReferenceReadFailed =
    "ファイル読込に失敗しました。以降のデータには信頼性が無いので終了して下さい。\n現在までのデータは有効です。";
constexpr std::string_view kCaptionReadError = "ファイル読込エラー";
constexpr std::string_view kWhiteEndOfRange =
    "最大値が最後部にあるため絶えずこの付近を検出しています、範囲を変えて下さい。";
constexpr std::string_view kCaptionWhiteMaximum = "白色波形の最大値検索";

// Status-bar hints of the pages, after the time under the pointer.
constexpr std::string_view kHintPageOne = "　　この頁は拡大枠設定のみです。編集不可";
constexpr std::string_view kHintPageFive = "　　この頁は編集のみです。拡大枠設定不可";
constexpr std::string_view kHintFrameStays = "　　「確定」を押すまで編集枠は消えません。";
// Edit window title: the channel part, then the format.
constexpr std::string_view kTitleMono = "編集(F1)：　  ";
constexpr std::string_view kTitleLeft = "編集(F1)：左CH";
constexpr std::string_view kTitleRight = "編集(F1)：右CH";
constexpr const char* kTitleFormat = "    PCM %dCH %dBIT %dSAMPLE";
constexpr std::string_view kShorteningNotice =
    "このボタンはクリックと同時に実行します。元へ戻すには\n\n自動： ダイアログボックスの「X閉じる」を押して下さい。\n"
    "手動： 左端から二番目の黄色に変色されたボタン「終了」を押して下さい。\n\n次回からは、このメッセージを表示しない。";
constexpr std::string_view kCaptionShorteningNotice = "はじめに";
