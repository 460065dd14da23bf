#pragma once
#include <cstdint>

// The 16 bytes of a "fmt " chunk, in file order.
struct SampleFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

// Byte for byte, as the backup-file comparison requires.
inline bool operator==(const SampleFormat& a, const SampleFormat& b) {
    return a.formatTag == b.formatTag && a.channels == b.channels && a.samplesPerSecond == b.samplesPerSecond &&
           a.averageBytesPerSecond == b.averageBytesPerSecond && a.blockAlign == b.blockAlign &&
           a.bitsPerSample == b.bitsPerSample;
}
inline bool operator!=(const SampleFormat& a, const SampleFormat& b) { return !(a == b); }

enum class FileRole : int { edit = 1, backup = 2 };

// What validation found out about one accepted file. Offsets are 32-bit:
// a RIFF file cannot be larger, and the validator refuses anything that is.
struct WaveInfo {
    SampleFormat format;
    uint32_t dataOffset = 0;      // first sample byte
    uint32_t dataEnd = 0;         // dataOffset + usable whole-frame length
    uint32_t imageSize = 0;       // leading file bytes held in memory
    uint32_t bytesPerSample = 0;  // 1, 2 or 3
    uint32_t frameBytes = 0;      // bytesPerSample x channels
    bool headerRepaired = false;  // size fields corrected in memory at load
};
