#pragma once
// The magnitude spectrum of the page on screen: pages 2-4 as a peak-hold
// over half-overlapping windows, page 5 as three adjacent windows (before,
// current, after) so the page can be compared with its surroundings.
#include <array>
#include <cstdint>
#include <string_view>

#include "document/document.h"
#include "spectrum/transform.h"

constexpr int32_t kSpectrumBins = 512;
constexpr std::string_view kSpectrumTitle = "スペクトラム";
constexpr std::string_view kSpectrumSlideTitle = "スペクトラム ( 赤：画面前後 )";

// Levels in units of 1/3 dB, bins 0 ... N/2 − 1 used.
using SpectrumCurve = std::array<int32_t, kSpectrumBins>;
struct SpectrumLevels {
    SpectrumCurve before{};
    SpectrumCurve current{};
    SpectrumCurve after{};
};

// a = |re + i im| × 2/N, q = trunc(a × 1000); trunc(60 log10 q) when q > 1, else 0.
int32_t levelOf(double real, double imaginary, int32_t n);

// One window of N frames of the selected channel from image offset `first`
// (channel offset included), without peak-hold. Frames outside the slots the
// working copy holds read as 0; samples inside the range that carries the
// display gain are first shifted back by it.
void windowSpectrum(const Document& doc, const SpectrumTables& t, TransformBuffers& b, int64_t first,
                    SpectrumCurve& target);

// Pages 2-4: the peak-hold's windows, `count` of them from image offset
// `first` (channel offset included), `step` bytes (N/2 frames) apart.
struct PageWindows {
    int64_t first = 0;
    int64_t step = 0;
    int32_t count = 0;
};
PageWindows pageWindows(const Document& doc, const SpectrumTables& t);
// Page 5: the image offset of the current window (channel offset included),
// centred on the page; before and after lie N frames either side.
int64_t currentWindowStart(const Document& doc, const SpectrumTables& t);

struct SpectrumOutcome {
    bool computed = false;    // false on pages 0-1: nothing changed, nothing to redraw
    bool slideTitle = false;  // page 5 with the slide gain: red before/after curves
    std::string_view title;   // the spectrum window's title
};
SpectrumOutcome computeSpectrum(const Document& doc, const SpectrumTables& t, TransformBuffers& b,
                                SpectrumLevels& levels);
