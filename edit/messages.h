#pragma once
// Texts of the editing operations, exactly as the user reads them.
#include <string_view>

constexpr std::string_view kZeroCrossRefused = "選択範囲の変更は出来ません。";
constexpr std::string_view kCaptionEditError = "エラー";
// %x: the new gain, 2^shift, in hexadecimal.
constexpr const char* kInsertLowerGainQuestion =
    "現在の音量では描画範囲を超えるので、\n現在の編集を確定して音量%x倍で再実行します。";
constexpr std::string_view kCaptionDrawingRange = "描画範囲";
constexpr std::string_view kBandSaturates = "復元合成時に飽和します。";
constexpr std::string_view kCaptionBandSynthesis = "帯域合成エラー";
constexpr std::string_view kConfirmNeeded = "編集確定が必要です、今すぐ確定しますか。";
constexpr std::string_view kCaptionEditing = "編集中";
constexpr std::string_view kCaptionChannelSwitch = "CH切換";
constexpr std::string_view kRestoreEditQuestion = "編集最後の状態に戻しますか。";
constexpr std::string_view kCaptionRestoreEdit = "編集確定後の復元";
constexpr std::string_view kRestoreAutomaticQuestion = "今実施した自動操作は無かった事にしますか。";
constexpr std::string_view kCaptionRestoreAutomatic = "短縮自動操作確定後の復元";
constexpr std::string_view kRestoreShorteningQuestion = "短縮操作を中止して前回最後の編集位置に戻しますか。";
constexpr std::string_view kRestorePositionQuestion = "最後の編集位置に戻しますか。";
constexpr std::string_view kCaptionRestoreManual = "短縮手動操作確定後の復元";
constexpr const char* kCounterFormat = "%d/%d";
