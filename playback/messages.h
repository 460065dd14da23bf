#pragma once
// Texts of playback, exactly as the user reads them.
#include <string_view>

#include "common/message.h"

constexpr std::string_view kPlayTitlePreparing = "***** 演奏準備中 *****";
// Ideographic spaces (U+3000) around the word.
constexpr std::string_view kPlayTitlePlaying = "***** 　演奏中　 *****";
constexpr std::string_view kCaptionPlaybackError = "エラー";

// A failed waveOutOpen or waveOutReset: the device's own error text.
inline Message playbackErrorMessage(std::string_view deviceText) {
    return makeMessage(deviceText, kCaptionPlaybackError);
}
