#pragma once
// Samples of 8, 16 and 24 bits as SampleValues (signed, scaled to 24 bits).
#include <cstdint>

#include "audio_file/sample_value.h"

constexpr SampleValue kSampleMax = 8388607;
constexpr SampleValue kSampleMin = -8388608;

// bps 1: unsigned byte; 2: signed 16-bit; 3: signed 24-bit; other values read as 1.
SampleValue readSample(const uint8_t* buffer, uint32_t offset, uint32_t bps);
// Writes the top bits of v; values outside full scale wrap, never clamp.
void writeSample(uint8_t* buffer, uint32_t offset, SampleValue v, uint32_t bps);
// The range test of every tool; wide so that no difference overflows first.
constexpr bool inRange(int64_t v) { return v >= kSampleMin && v <= kSampleMax; }

// The same conversions with the width fixed, for loops over a whole stretch.
template <uint32_t bps>
inline SampleValue readSampleAs(const uint8_t* p) {
    if constexpr (bps == 2) {
        return SampleValue(int16_t(uint16_t(p[0] | p[1] << 8))) * 256;
    } else if constexpr (bps == 3) {
        const uint32_t t = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
        return SampleValue(t ^ 0x800000u) - 0x800000;  // sign-extend 24 bits
    } else {
        return (SampleValue(p[0]) - 128) * 65536;
    }
}

// Arithmetic shifts: the dropped low bits go toward minus infinity.
template <uint32_t bps>
inline void writeSampleAs(uint8_t* p, SampleValue v) {
    if constexpr (bps == 1) {
        p[0] = uint8_t((v >> 16) + 128);
    } else if constexpr (bps == 2) {
        p[0] = uint8_t(v >> 8);
        p[1] = uint8_t(v >> 16);
    } else if constexpr (bps == 3) {
        p[0] = uint8_t(v);
        p[1] = uint8_t(v >> 8);
        p[2] = uint8_t(v >> 16);
    }
}
