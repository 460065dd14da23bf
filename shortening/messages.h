#pragma once
// Texts of the shortening operation, exactly as the user reads them.
#include <string_view>

constexpr const char* kAutomaticTitleFormat = "自動　%d %d";  // batches done, step
constexpr std::string_view kAutomaticCloseQuestion = "データを保存して自動操作を終了しますか。";
constexpr std::string_view kCaptionAutomatic = "自動操作";

// The automatic-operation dialog's buttons: command, image, tooltip, status help.
struct AutomaticButton {
    int command;
    int image;
    const char* tooltip;
    const char* help;
};
constexpr int kCmdAutomaticStartStop = 335;
constexpr int kCmdAutomaticCancel = 337;
constexpr int kCmdAutomaticConfirm = 338;
constexpr int kCmdAutomaticPlayPage = 341;
constexpr int kCmdAutomaticPlayFromFrame = 342;
constexpr int kAutomaticRunningImage = 5;
constexpr AutomaticButton kAutomaticButtons[] = {
    {kCmdAutomaticStartStop, 0, "開始/停止", "短縮自動操作の開始/停止"},
    {kCmdAutomaticConfirm, 1, "確定終了", "確定終了"},
    {kCmdAutomaticCancel, 2, "キャンセル", "一回分のキャンセル、すべてキャンセルは「X 閉じる」ボタンです。"},
    {kCmdAutomaticPlayPage, 3, "演奏", "編集ウインドウと同じです。"},
    {kCmdAutomaticPlayFromFrame, 4, "演奏", "編集ウインドウと同じです。"},
};
