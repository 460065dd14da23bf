#pragma once
#include <cstdint>
#include <string>

#include "audio_file/wave_info.h"

// "%02d分%02d秒%03d" of a byte count of a file with this format.
std::string timeText(uint64_t byteCount, uint32_t frameBytes, uint32_t samplesPerSecond);
inline std::string timeText(uint64_t byteCount, const WaveInfo& info) {
    return timeText(byteCount, info.frameBytes, info.format.samplesPerSecond);
}
