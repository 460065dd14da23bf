#pragma once
// The captions of the band menu: the eight cutoffs of the loaded file's
// rate, high band first (items 7011..7018), then low band (7019..7026).
#include <array>
#include <cstdint>
#include <string>

constexpr int kBandCount = 8;

// Cutoff i (0..7) in hundredths of a kHz: rate / (4 x 2^i) / 1000, rounded
// half away from zero in integers, so a tie never depends on binary fractions.
uint64_t bandCutoffHundredths(uint32_t rate, int i);
std::array<std::string, 2 * kBandCount> bandMenuCaptions(uint32_t rate);
