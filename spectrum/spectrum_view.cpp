#include "spectrum/spectrum_view.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

int32_t clampToInt32(int64_t v) { return int32_t(std::clamp<int64_t>(v, -kInt32Max, kInt32Max)); }

// Digits without a locale: the C locale's "%d".
std::string decimal(int64_t v) {
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    uint64_t magnitude = v < 0 ? 0 - uint64_t(v) : uint64_t(v);
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (v < 0) *--p = '-';
    return std::string(p, end);
}

std::string padded(int64_t v, size_t width) {
    std::string s = decimal(v);
    if (s.size() < width) s.insert(0, width - s.size(), ' ');
    return s;
}

// "%.1f" of numerator / denominator (denominator > 0), halves away from zero.
// A negative value keeps its sign even when it rounds to zero, as printf's does.
std::string tenths(int64_t numerator, int64_t denominator) {
    const bool negative = numerator < 0;
    const uint64_t magnitude = negative ? 0 - uint64_t(numerator) : uint64_t(numerator);
    const uint64_t d = uint64_t(denominator);
    const uint64_t rounded = (2 * magnitude + d) / (2 * d);
    std::string s = negative ? "-" : "";
    s += decimal(int64_t(rounded / 10));
    s += '.';
    s += char('0' + rounded % 10);
    return s;
}

}  // namespace

void initSpectrumScales(SpectrumView& v, uint32_t sampleRate, int32_t n) {
    v.relative = false;
    v.zoom = 1;
    // Bins per kHz; a rate or size that cannot occur still leaves usable scales.
    const double binsPerKhz = sampleRate > 0 && n > 0 ? 1000.0 / (double(sampleRate) / n) : 1.0;
    const double step = std::clamp(50.0 / binsPerKhz + 1, 1.0, double(kInt32Max));
    v.tickStep = int32_t(step);
    v.tickSpacing = int32_t(std::clamp(v.tickStep * binsPerKhz, 1.0, double(kInt32Max)));
    v.tickCount = sampleRate / 2000u / uint32_t(v.tickStep) + 1;
}

SpectrumLimits spectrumLimits(const SpectrumView& v, int32_t n, int32_t desktopWidth) {
    SpectrumLimits limits;
    limits.maxWidth = clampToInt32(std::min<int64_t>(int64_t(v.zoom) * (n / 2) + kSpectrumLeft, desktopWidth));
    return limits;
}

int32_t changeSpectrumZoom(SpectrumView& v, int delta) {
    v.zoom = std::clamp(v.zoom + delta, 1, kSpectrumMaxZoom);
    return clampToInt32(int64_t(v.zoom) * v.tickSpacing * int64_t(v.tickCount) + 60);
}

SpectrumTick spectrumTick(const SpectrumView& v, uint32_t i) {
    SpectrumTick tick;
    tick.x = clampToInt32(int64_t(v.zoom) * v.tickSpacing * int64_t(i) + kSpectrumLeft);
    tick.label = padded(int64_t(v.tickStep) * i, 3);
    return tick;
}

SpectrumDbLabel spectrumDbLabel(int l) { return {90 * l - 5, decimal(-30 * int64_t(l))}; }

void spectrumCurvePoints(const SpectrumView& v, const SpectrumCurve& levels, int32_t n,
                         std::array<SpectrumPoint, kSpectrumBins>& out) {
    const int32_t bins = std::clamp(n / 2, 0, kSpectrumBins);
    int32_t y0 = kSpectrumBaseline;
    if (v.relative) {
        y0 = 0;
        for (int32_t m = 1; m < bins; ++m) y0 = std::max(y0, levels[size_t(m)]);
    }
    for (int32_t m = 0; m < bins; ++m)
        out[size_t(m)] = {v.zoom * m + kSpectrumLeft, clampToInt32(int64_t(y0) - levels[size_t(m)])};
}

std::string spectrumReadout(std::string_view title, const SpectrumView& v, uint32_t sampleRate, int32_t n, int32_t x,
                            int32_t y) {
    // Client coordinates arrive as 16-bit values; the clamp keeps the product exact in 64 bits.
    const int64_t column = std::clamp<int64_t>(x, -32768, 32767) - (kSpectrumLeft - 1);
    const int64_t numerator = int64_t(sampleRate) * column * 10;
    const int64_t denominator = int64_t(std::max(n, 1)) * std::max(v.zoom, 1) * 1000;
    std::string text(title);
    text += ' ';
    text += tenths(numerator, denominator);
    text += "KHz  ";
    text += decimal(-int64_t(y) / 3);
    text += "db";
    return text;
}
