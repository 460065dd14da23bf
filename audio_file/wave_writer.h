#pragma once
// The WAVE file a conversion writes: "RIFF", "WAVE", an 18-byte PCM "fmt "
// and "data", 46 bytes before the samples; the sizes go in at the end.
#include <array>
#include <cstdint>

#include "audio_file/wave_info.h"

constexpr uint32_t kConvertedHeaderBytes = 46;
// The most sample bytes whose RIFF size still fits 32 bits.
constexpr uint64_t kMaxConvertedData = 0xFFFFFFFFull - (kConvertedHeaderBytes - 8);

// The header for `dataBytes` of samples in `pcm` (tag 1, cbSize 0).
std::array<uint8_t, kConvertedHeaderBytes> convertedWaveHeader(const SampleFormat& pcm, uint32_t dataBytes);
