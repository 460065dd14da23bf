#include "spectrum/spectrum.h"

#include <algorithm>
#include <cmath>

namespace {

// The level of a squared magnitude. Peak-hold keeps the largest power and
// converts once: the level never falls as the power grows, so it is the
// largest of the windows' levels.
int32_t levelOfPower(double power, int32_t n) {
    if (n <= 0) return 0;
    const double a = std::sqrt(power) * 2 / n;
    const double q = std::trunc(a * 1000);
    if (!(q > 1) || !std::isfinite(q)) return 0;
    return int32_t(std::trunc(60 * std::log10(q)));
}

// Slots 0 ... this one less hold what loadPage read: the stretch and both
// margins. Any other frame of a window reads as silence.
int64_t filledSlots(const Document& doc) {
    const int64_t channels = doc.edit.frameBytes / doc.edit.bytesPerSample;
    return 2 * kWorkMargin + int64_t(kFramesPerPixel[2]) * doc.view.screenWidth * channels + 1;
}

int64_t ceilDiv(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -(-a / b); }

// N frames of the selected channel from image offset `first`, as 16-bit
// values under the Hann window. `realLevel`: samples where the display gain
// is held are shifted back first.
void windowInput(const Document& doc, const SpectrumTables& t, TransformBuffers& b, int64_t first, bool realLevel) {
    const int64_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes, step = ba / bps, n = t.size;
    const int64_t slot = kWorkMargin + (first - int64_t(doc.pages.workOrigin)) / bps;
    // Frames lo ... hi - 1 lie in what loadPage filled.
    const int64_t lo = std::clamp<int64_t>(ceilDiv(-slot, step), 0, n);
    const int64_t hi = std::clamp<int64_t>(ceilDiv(filledSlots(doc) - slot, step), lo, n);
    const SampleValue* slots = doc.pages.workSamples.get();
    double* re = b.real.data();
    const double* w = t.window.data();
    std::fill(re, re + lo, 0.0);
    for (int64_t i = lo; i < hi; ++i) re[i] = double(slots[slot + i * step] >> 8) * w[i];
    std::fill(re + hi, re + n, 0.0);
    std::fill(b.imaginary.data(), b.imaginary.data() + n, 0.0);
    const GainPlace& held = doc.view.gainPlace;
    const int32_t shift = doc.view.gainShift;
    if (!realLevel || shift <= 0 || held.inImage) return;
    const int64_t from = std::max(lo, ceilDiv(int64_t(held.from) - first, ba));
    const int64_t to = std::min(hi, ceilDiv(int64_t(held.to) - first, ba));
    for (int64_t i = from; i < to; ++i) re[i] = double((slots[slot + i * step] >> shift) >> 8) * w[i];
}

void powersToLevels(const TransformBuffers& b, int32_t n, SpectrumCurve& target) {
    const size_t bins = size_t(n / 2);
    for (size_t m = 0; m < bins; ++m) target[m] = levelOfPower(b.real[m], n);
    std::fill(target.begin() + bins, target.end(), 0);
}

}  // namespace

int32_t levelOf(double real, double imaginary, int32_t n) {
    return levelOfPower(real * real + imaginary * imaginary, n);
}

void windowSpectrum(const Document& doc, const SpectrumTables& t, TransformBuffers& b, int64_t first,
                    SpectrumCurve& target) {
    windowInput(doc, t, b, first, true);
    transform(t, b.real.data(), b.imaginary.data(), t.order);
    for (size_t m = 0, bins = size_t(t.size / 2); m < bins; ++m)
        b.real[m] = b.real[m] * b.real[m] + b.imaginary[m] * b.imaginary[m];
    powersToLevels(b, t.size, target);
}

PageWindows pageWindows(const Document& doc, const SpectrumTables& t) {
    const int p = doc.view.page;
    if (p < 2 || p > 4) return {};
    const int64_t ba = doc.edit.frameBytes;
    const int64_t pageFrames = int64_t(doc.view.framesPerPixel[size_t(p)]) * doc.view.screenWidth;
    const int64_t half = t.size / 2;
    PageWindows w;
    w.first = int64_t(columnOffset(doc.view, doc.edit, 0, p)) + channelOffset(doc.view, doc.edit);
    w.step = half * ba;
    w.count = int32_t((pageFrames + half - 1) / half);
    return w;
}

int64_t currentWindowStart(const Document& doc, const SpectrumTables& t) {
    // Half the difference in frames, whatever the channels: the window is
    // centred on the page in mono as in stereo.
    const int64_t ba = doc.edit.frameBytes;
    return int64_t(columnOffset(doc.view, doc.edit, doc.view.zoomFrameLeft[4], 4)) +
           (doc.view.screenWidth - t.size) / 2 * ba + channelOffset(doc.view, doc.edit);
}

SpectrumOutcome computeSpectrum(const Document& doc, const SpectrumTables& t, TransformBuffers& b,
                                SpectrumLevels& levels) {
    SpectrumOutcome outcome;
    outcome.title = kSpectrumTitle;
    const int p = doc.view.page;
    // Before page 2 the working copy is stale: the image is authoritative.
    if (p < 2 || p > 5 || !doc.pages.allocated()) return outcome;
    if (p == 5) {
        const int64_t e = currentWindowStart(doc, t), d = int64_t(t.size) * doc.edit.frameBytes;
        windowSpectrum(doc, t, b, e - d, levels.before);
        windowSpectrum(doc, t, b, e, levels.current);
        windowSpectrum(doc, t, b, e + d, levels.after);
        outcome.slideTitle = doc.slideGainActive;
        if (outcome.slideTitle) outcome.title = kSpectrumSlideTitle;
    } else {
        // Peak-hold over the page, on powers; the transform's buffers are
        // refilled by every window, so the held powers live beside them.
        std::array<double, kMaxSpectrumSize / 2> peak{};
        const PageWindows w = pageWindows(doc, t);
        const size_t bins = size_t(t.size / 2);
        for (int32_t i = 0; i < w.count; ++i) {
            windowInput(doc, t, b, w.first + i * w.step, false);
            transform(t, b.real.data(), b.imaginary.data(), t.order);
            for (size_t m = 0; m < bins; ++m)
                peak[m] = std::max(peak[m], b.real[m] * b.real[m] + b.imaginary[m] * b.imaginary[m]);
        }
        std::copy(peak.begin(), peak.begin() + bins, b.real.begin());
        powersToLevels(b, t.size, levels.current);
    }
    outcome.computed = true;
    return outcome;
}
