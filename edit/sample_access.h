#pragma once
// Samples of 8, 16 and 24 bits as SampleValues (signed, scaled to 24 bits).
#include <cstdint>

#include "edit/sample_value.h"

constexpr SampleValue kSampleMax = 8388607;
constexpr SampleValue kSampleMin = -8388608;

// bps 1: unsigned byte; 2: signed 16-bit; 3: signed 24-bit; other values read as 1.
SampleValue readSample(const uint8_t* buffer, uint32_t offset, uint32_t bps);
// Writes the top bits of v; values outside full scale wrap, never clamp.
void writeSample(uint8_t* buffer, uint32_t offset, SampleValue v, uint32_t bps);
// The range test of every tool; wide so that no difference overflows first.
constexpr bool inRange(int64_t v) { return v >= kSampleMin && v <= kSampleMax; }
