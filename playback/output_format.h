#pragma once
// The format the wave-out device is opened with, as plain fields the shell
// copies into WAVEFORMATEX or WAVEFORMATEXTENSIBLE.
#include <array>
#include <cstdint>

#include "audio_file/wave_info.h"

constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint16_t kWaveFormatExtensible = 0xFFFE;

// A GUID's fields in the order of the platform's struct.
struct FormatGuid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};
};
// 00000001-0000-0010-8000-00aa00389b71
constexpr FormatGuid kPcmSubFormat{0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct OutputFormat {
    uint16_t formatTag = 0;  // kWaveFormatPcm, or kWaveFormatExtensible for 24 bits
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t cbSize = 0;  // 22 for the extensible part below
    // WAVEFORMATEXTENSIBLE only:
    uint16_t validBitsPerSample = 0;
    uint32_t channelMask = 0;
    FormatGuid subFormat{};
    bool extensible() const { return formatTag == kWaveFormatExtensible; }
};

// Block align and average rate come from the frame size, never the header:
// an unchecked average in a file that loads must not make the device refuse it.
OutputFormat outputFormat(const WaveInfo& file);
