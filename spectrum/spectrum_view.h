#pragma once
// What the spectrum window draws and reads out, as numbers and texts: its
// scales, size limits, zoom, grid, curves and the pointer's read-out. The
// window procedure only turns these into GDI calls.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "spectrum/spectrum.h"

constexpr int32_t kSpectrumLeft = 30;       // column of bin 0
constexpr int32_t kSpectrumBaseline = 467;  // row of level 0
constexpr int32_t kSpectrumMinHeight = 150;
constexpr int32_t kSpectrumMaxHeight = 480;
constexpr int32_t kSpectrumMaxZoom = 4;

struct SpectrumView {
    int32_t zoom = 0;         // 0 until the first size query; then pixels per bin, 1 ... 4
    int32_t tickStep = 0;     // kHz between ticks
    int32_t tickSpacing = 0;  // bins between ticks
    uint32_t tickCount = 0;
    bool relative = false;  // each curve's maximum at the top
};

// The first size query while zoom is 0: scales for the file's rate and N, zoom 1, relative off.
void initSpectrumScales(SpectrumView& v, uint32_t sampleRate, int32_t n);

struct SpectrumLimits {
    int32_t maxWidth = 0;  // zoom × N/2 + 30, at most the desktop's width
    int32_t minHeight = kSpectrumMinHeight;
    int32_t maxHeight = kSpectrumMaxHeight;
};
SpectrumLimits spectrumLimits(const SpectrumView& v, int32_t n, int32_t desktopWidth);

// 120 (delta −1) and 121 (+1): zoom kept within 1 ... 4; the window's new
// width, zoom × spacing × count + 60.
int32_t changeSpectrumZoom(SpectrumView& v, int delta);

struct SpectrumTick {
    int32_t x = 0;      // the line from (x, 0) to (x, 15); the label at (x + 5, 2)
    std::string label;  // "%3d" of tickStep × i
};
// Ticks i = 1 ... tickCount.
SpectrumTick spectrumTick(const SpectrumView& v, uint32_t i);

// The dB labels on the tool strip: "%d" of −30 l at (0, 90 l − 5), l = 1 ... 4.
struct SpectrumDbLabel {
    int32_t y = 0;
    std::string text;
};
SpectrumDbLabel spectrumDbLabel(int l);

struct SpectrumPoint {
    int32_t x = 0, y = 0;
};
// One curve as N/2 points: (zoom × m + 30, y0 − level[m]), y0 = 467, or in
// relative display the curve's largest level over bins 1 ... N/2 − 1 (at least 0).
void spectrumCurvePoints(const SpectrumView& v, const SpectrumCurve& levels, int32_t n,
                         std::array<SpectrumPoint, kSpectrumBins>& out);

// The title while the pointer is at client (x, y): the spectrum title, then
// " %2.1fKHz" of R/N × (x − 29) / (zoom × 1000) and "  %ddb" of (−y)/3.
// Numbers are formatted here, in the C locale with halves rounded away from
// zero, so every platform reads the same.
std::string spectrumReadout(std::string_view title, const SpectrumView& v, uint32_t sampleRate, int32_t n, int32_t x,
                            int32_t y);

// What the spectrum keeps for the program's life (about 130 KB, so held on
// the heap by its owner, the main window). The band split uses the tables
// and the buffers too.
struct SpectrumState {
    SpectrumTables tables;
    TransformBuffers buffers;
    SpectrumLevels levels;
    SpectrumView view;
    SpectrumOutcome last;  // of the latest computeSpectrum: title, red curves
};
