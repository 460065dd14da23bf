#include "edit/tools.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <type_traits>

#include "audio_file/sample_access.h"
#include "common/text_format.h"
#include "document/edit_frame.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/messages.h"
#include "edit/page_io.h"

namespace {

// The edit frame as slots of one channel: x[k] = work[first + k * step],
// B = work[first + n * step] (read, never written).
struct Frame {
    SampleValue* work;
    SampleValue* scratch;
    size_t first;
    size_t step;
    int64_t n;
    SampleValue& x(int64_t k) const { return work[first + size_t(k) * step]; }
    SampleValue& out(int64_t k) const { return scratch[first + size_t(k) * step]; }
    SampleValue b() const { return work[first + size_t(n) * step]; }
};

// A frame of no length (or one ending before it starts) is refused, whoever asks.
bool frameOf(Document& doc, Frame& f) {
    const ViewState& v = doc.view;
    if (!v.editFramePresent || v.editFrameEnd <= v.editFrameStart) return false;
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    f.work = doc.pages.workSamples.get();
    f.scratch = doc.pages.scratchSamples.get();
    f.first = slotOf(v.editFrameStart, doc.pages.workOrigin, bps);
    f.step = ba / bps;
    f.n = int64_t((v.editFrameEnd - v.editFrameStart) / ba);
    return f.n > 0;
}

// The step as a constant for mono and stereo, so that the loops over the frame vectorise.
template <typename F>
auto withStep(size_t step, F&& f) {
    if (step == 2) return f(std::integral_constant<size_t, 2>{});
    if (step == 1) return f(std::integral_constant<size_t, 1>{});
    return f(step);
}

// Frames a tool handles at a time where it works in blocks that stay in the L1 cache.
constexpr int32_t kBlock = 2048;

enum class Rewritten : uint8_t { outOfRange, unchanged, changed };

TickResult appliedIf(Rewritten o) { return o == Rewritten::changed ? TickResult::applied : TickResult::refused; }

// Every slot k of the frame becomes value(slot, k), or none does when a value
// leaves the range. The first pass only reads; the second writes in place, so
// a refusal changes nothing and an accepted tick reads the frame twice and
// writes it once. value is a pure function, so both passes see the same
// results; it computes modulo 2^32, which the range test allows for: every
// tool's exact result lies within 2^31 of the range.
template <typename Step, typename Value>
Rewritten rewrite(const Frame& f, Step step, Value value) {
    constexpr uint32_t kSpan = uint32_t(kSampleMax) - uint32_t(kSampleMin);
    SampleValue* const x = f.work + f.first;
    const int32_t n = int32_t(f.n);
    uint32_t outside = 0;
    for (int32_t k = 0; k < n; ++k) outside |= value(x[size_t(k) * step], k) - uint32_t(kSampleMin) > kSpan;
    if (outside) return Rewritten::outOfRange;
    uint32_t differs = 0;
    for (int32_t k = 0; k < n; ++k) {
        SampleValue& slot = x[size_t(k) * step];
        const uint32_t v = value(slot, k);
        differs |= v ^ uint32_t(slot);
        slot = SampleValue(v);
    }
    return differs != 0 ? Rewritten::changed : Rewritten::unchanged;
}

// The same, each value computed once, for tools whose values cost more than
// a second read of the frame: the results wait, packed, in the scratch array
// until the whole frame has passed the test.
template <typename Step, typename Value>
Rewritten settle(const Frame& f, Step step, Value value) {
    constexpr uint32_t kSpan = uint32_t(kSampleMax) - uint32_t(kSampleMin);
    SampleValue* const x = f.work + f.first;
    SampleValue* const r = f.scratch;
    const int32_t n = int32_t(f.n);
    uint32_t outside = 0, differs = 0;
    for (int32_t k = 0; k < n; ++k) {
        const SampleValue held = x[size_t(k) * step];
        const uint32_t v = value(held, k);
        outside |= v - uint32_t(kSampleMin) > kSpan;
        differs |= v ^ uint32_t(held);
        r[k] = SampleValue(v);
    }
    if (outside) return Rewritten::outOfRange;
    if (!differs) return Rewritten::unchanged;
    for (int32_t k = 0; k < n; ++k) x[size_t(k) * step] = r[k];
    return Rewritten::changed;
}

// The straight line from A toward B; its slope is an integer quotient, so it
// generally stops short of B.
struct Line {
    int64_t a;
    int64_t slope;
    bool down;
    int64_t at(int64_t k) const { return down ? a - k * slope : a + k * slope; }
};

Line lineOf(int64_t a, int64_t b, int64_t n) { return {a, std::llabs(a - b) / n, b < a}; }

TickResult shift(const Frame& f, SampleValue delta) {
    const Rewritten o = withStep(f.step, [&](auto step) {
        return rewrite(f, step, [delta](SampleValue x, int32_t) { return uint32_t(x) + uint32_t(delta); });
    });
    return appliedIf(o);
}

// step(j) = floor(q j / 65536) with q = floor(2^32 / n): 65,536 at j = n.
// q j is at most 2^32, so the double product is exact and truncates to the floor.
TickResult ramp(const Frame& f, bool fromLeft, int64_t sign) {
    const uint64_t q = (uint64_t(1) << 32) / uint64_t(f.n);
    const double perJ = double(sign) * double(q) / 65536.0;
    const int32_t n = int32_t(f.n);
    const Rewritten o = withStep(f.step, [&](auto step) {
        return settle(f, step, [=](SampleValue x, int32_t k) {
            return uint32_t(x) + uint32_t(SampleValue(double(fromLeft ? n - k : k) * perJ));
        });
    });
    return appliedIf(o);
}

// Every sample's distance from the line scaled by h, truncated toward zero.
// In doubles, exact up to the scaling: the line's values and the distances are
// integers well below 2^53. The range test is made on the double: its whole
// part is in range exactly when it lies strictly between the ends widened by
// one, |y + 0.5| < 2^23 + 0.5 (the sum exact wherever the answer turns on it;
// NaN fails), and only a double that passes is converted. The double work is
// the cost here, so it is done once: the results wait, packed, in the scratch
// array until the whole frame has passed the test.
Rewritten scaleAboutLine(const Frame& f, const Line& line, double h) {
    constexpr double kAbove = double(kSampleMax) + 1.0;
    const double a = double(line.a), slope = double(line.down ? -line.slope : line.slope);
    return withStep(f.step, [&](auto step) {
        return settle(f, step, [=](SampleValue x, int32_t k) {
            const double l = a + double(k) * slope;
            const double y = (double(x) - l) * h + l;
            return uint32_t(SampleValue(std::fabs(y + 0.5) < kAbove + 0.5 ? y : kAbove));
        });
    });
}

bool flatAboutLine(const Frame& f, const Line& line) {
    for (int64_t k = 0; k < f.n; ++k)
        if (std::llabs((int64_t(f.x(k)) - line.at(k)) >> 16) > 1) return false;
    return true;
}

// Three true values always fit an int32 sum below this size.
constexpr SampleValue kNarrowSum = 1 << 29;

template <typename Wide>
void average3(const SampleValue* t, int32_t m, SampleValue* r) {
    for (int32_t i = 0; i < m; ++i) r[i] = SampleValue((Wide(t[i]) + t[i + 1] + t[i + 2]) / 3);  // toward zero
}

// The results of the low-pass, packed in the scratch array: false when one
// cannot take the gain back (|r| >= 2^(23 - gain), with a gain) or none
// differs. Frame k's held value is shifted when k lies in [gainFrom, gainTo).
template <typename Step>
bool smooth(const Frame& f, Step step, int32_t gain, int32_t gainFrom, int32_t gainTo) {
    // |r| < 2^(23 - gain) as one unsigned comparison; no limit without a gain.
    const uint32_t offset = gain > 0 ? (uint32_t(1) << (23 - gain)) - 1 : 0;
    const uint32_t span = gain > 0 ? 2 * offset : UINT32_MAX;
    const SampleValue* const x = f.work + f.first;
    const int32_t n = int32_t(f.n);
    SampleValue held[kBlock + 2], t[kBlock + 2], r[kBlock];
    uint32_t outside = 0, differs = 0;
    for (int32_t k0 = 0; k0 < n; k0 += kBlock) {
        const int32_t m = std::min(kBlock, n - k0);
        const SampleValue* const from = x + (std::ptrdiff_t(k0) - 1) * std::ptrdiff_t(step);
        for (int32_t i = 0; i < m + 2; ++i) held[i] = t[i] = from[size_t(i) * step];  // frames k0 - 1 ... k0 + m
        const int32_t shiftTo = std::clamp(gainTo - k0 + 1, 0, m + 2);
        for (int32_t i = std::clamp(gainFrom - k0 + 1, 0, m + 2); i < shiftTo; ++i) t[i] >>= gain;
        uint32_t wide = 0;
        for (int32_t i = 0; i < m + 2; ++i) wide |= uint32_t(t[i]) + uint32_t(kNarrowSum) >= 2 * uint32_t(kNarrowSum);
        if (wide)
            average3<int64_t>(t, m, r);
        else
            average3<int32_t>(t, m, r);
        SampleValue* const out = f.scratch + k0;
        for (int32_t i = 0; i < m; ++i) {
            const uint32_t u = uint32_t(r[i]);
            outside |= uint32_t(u + offset > span);
            const uint32_t v = u << gain;  // exact when in range
            differs |= v ^ uint32_t(held[i + 1]);
            out[i] = SampleValue(v);
        }
    }
    return !outside && differs;
}

// 3-point moving average of the true values. The gain is never changed
// inside an edit, so a result that cannot take it back is refused. A block
// at a time, the held values and the true ones (the block's gained stretch
// shifted at once) are taken onto the stack; the results wait, packed, in the
// scratch array until the whole frame has passed the test.
TickResult lowPass(Document& doc, const Frame& f) {
    const int32_t s = doc.view.gainShift;
    const int64_t n = f.n;
    int32_t gainFrom = 0, gainTo = 0;  // frame k is gained when start + k ba lies in [from, to)
    if (s > 0) {
        const int64_t ba = doc.edit.frameBytes, start = doc.view.editFrameStart;
        auto firstAtOrAfter = [&](uint32_t q) {  // within [-1, n + 1]
            const int64_t d = int64_t(q) - start;
            return int32_t(std::clamp(d >= 0 ? (d + ba - 1) / ba : d / ba, int64_t(-1), n + 1));
        };
        gainFrom = firstAtOrAfter(doc.view.gainPlace.from);
        gainTo = firstAtOrAfter(doc.view.gainPlace.to);
    }
    const bool applied = withStep(f.step, [&](auto step) {
        if (!smooth(f, step, s, gainFrom, gainTo)) return false;
        SampleValue* const x = f.work + f.first;
        const SampleValue* const r = f.scratch;
        for (int64_t k = 0; k < n; ++k) x[size_t(k) * step] = r[k];
        return true;
    });
    return applied ? TickResult::applied : TickResult::refused;
}

// The drawing recomputes these columns (and their neighbours, whose jumps they end).
// Only page 2 keeps columns; an edit on a deeper page changes page-2 columns
// other than its own, so the kept page 2 is stale as a whole.
void markFrameChanged(Document& doc) {
    if (doc.view.page == 2)
        doc.damage.add(doc.view.editFrameLeft - 1, doc.view.editFrameRight + 1);
    else
        ++doc.workGeneration;
}

}  // namespace

TickResult toolTick(Document& doc, Tool tool, ToolRun& run, const ToolFlags& flags, int count) {
    Frame f;
    if (!frameOf(doc, f)) return TickResult::refused;
    TickResult result = TickResult::refused;
    switch (tool) {
        case Tool::shiftUp: result = shift(f, 65536); break;
        case Tool::shiftDown: result = shift(f, -65536); break;
        case Tool::rampLeftDown: result = ramp(f, true, -1); break;
        case Tool::rampLeftUp: result = ramp(f, true, 1); break;
        case Tool::rampRightUp: result = ramp(f, false, 1); break;
        case Tool::rampRightDown: result = ramp(f, false, -1); break;
        case Tool::amplify:
            result = appliedIf(scaleAboutLine(f, lineOf(f.x(0), f.b(), f.n), std::pow(kAmplifyFactor, count)));
            break;
        case Tool::attenuate: {
            const Line line = lineOf(f.x(0), f.b(), f.n);
            const double h = std::pow(kAttenuateFactor, count);
            if (!flags.automaticDialogShown && flatAboutLine(f, line)) {
                const bool shortening = doc.view.shorteningStartPage != 0;
                if (!(shortening && run.counted == 0 && !flags.enlargeEnabled)) return TickResult::refused;
                // Counted even when nothing moves, so the shortening can go on; never out of range.
                if (scaleAboutLine(f, line, h) == Rewritten::outOfRange) return TickResult::refused;
                run.counted = 1;  // the run counts once, though the cursor says no
                markFrameChanged(doc);
                return TickResult::forced;
            }
            result = appliedIf(scaleAboutLine(f, line, h));
            break;
        }
        case Tool::lowPass: result = lowPass(doc, f); break;
    }
    if (result == TickResult::applied) ++run.counted;
    if (result != TickResult::refused) markFrameChanged(doc);
    return result;
}

bool silenceFrame(Document& doc) {
    Frame f;
    if (!frameOf(doc, f)) return false;
    for (int64_t k = 0; k < f.n; ++k) f.x(k) = 0;
    markFrameChanged(doc);
    return true;
}

InsertResult insertReference(Document& doc, bool tallScreen) {
    InsertResult r;
    Frame f;
    if (!frameOf(doc, f) || doc.bandEditing) return r;
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    const uint8_t* source = doc.image.filePageBuffer.get();
    const uint32_t first = doc.view.editFrameStart - doc.pages.workOrigin;
    uint32_t peak = 0;
    for (int64_t k = 0; k < f.n; ++k) {
        const SampleValue v = readSample(source, first + uint32_t(k) * ba, bps);
        f.out(k) = v;
        const uint32_t a = uint32_t(std::llabs(int64_t(v)));
        if (a > peak) peak = a;
    }
    const int32_t e = doc.view.gainShift;
    if (e > 0) {
        const int32_t s = headroomShiftOf(peak, e);
        // One step short still shows on a screen tall enough for the excess.
        if (s != e && !(s == e - 1 && tallScreen)) {
            r.askLowerGain = true;
            r.lowerShift = s;
            r.question =
                makeMessage(formatText(kInsertLowerGainQuestion, 1u << s), kCaptionDrawingRange, Buttons::yesNo);
            return r;
        }
    }
    for (int64_t k = 0; k < f.n; ++k) f.x(k) = SampleValue(int64_t(f.out(k)) * (int64_t(1) << e));
    markFrameChanged(doc);
    r.applied = true;
    return r;
}

Status adjustToZeroCrossings(Document& doc) {
    Frame f;
    if (!frameOf(doc, f)) return refused(kZeroCrossRefused, kCaptionEditError);
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    ViewState& v = doc.view;
    const SampleValue* work = f.work;
    auto value = [&](uint32_t q) { return work[slotOf(q, doc.pages.workOrigin, bps)]; };
    auto sign = [](SampleValue x) { return x >> 24; };
    auto atZero = [](SampleValue x) { return x == 0 || x == -1; };
    uint32_t a = v.editFrameStart, b = v.editFrameEnd;
    for (; a < v.editFrameEnd; a += ba) {
        const SampleValue u = value(a), w = value(a + ba);
        if (atZero(u)) break;
        if (sign(u) != sign(w)) {
            if (std::llabs(w) < std::llabs(u)) a += ba;
            break;
        }
    }
    for (; a < b; b -= ba) {
        const SampleValue u = value(b), w = value(b - ba);
        if (atZero(u)) break;
        if (sign(u) != sign(w)) {
            if (std::llabs(w) < std::llabs(u)) b -= ba;
            break;
        }
    }
    if (a >= b) return refused(kZeroCrossRefused, kCaptionEditError);
    const uint32_t h = channelOffset(v, doc.edit);
    v.editFrameLeft = offsetColumn(v, doc.edit, a - h, v.page);
    v.editFrameRight = offsetColumn(v, doc.edit, b - h - 1, v.page) + 1;
    v.editFrameStart = a;
    v.editFrameEnd = b;
    return {};
}

void fillLine(SampleValue* slots, uint32_t workOrigin, uint32_t start, uint32_t end, uint32_t bps, uint32_t ba) {
    const int64_t n = end > start ? (end - start) / ba : 0;
    if (n == 0) return;  // the line's slope divides by n
    const size_t first = slotOf(start, workOrigin, bps), step = ba / bps;
    const Line line = lineOf(slots[first], slots[first + size_t(n) * step], n);
    for (int64_t k = 0; k < n; ++k) slots[first + size_t(k) * step] = SampleValue(line.at(k));
}

bool endToolRun(Document& doc, ToolRun& run, ViewEvents& events) {
    const bool any = run.counted > 0;
    run.counted = 0;
    return any && recordStep(doc, events);
}

InsertResult runInsert(Document& doc, bool tallScreen, ViewEvents& events) {
    InsertResult r = insertReference(doc, tallScreen);
    if (r.applied) {
        events.repaintEditFrame = true;
        recordStep(doc, events);
    }
    return r;
}

bool runSilence(Document& doc, ViewEvents& events) {
    if (!silenceFrame(doc)) return false;
    events.repaintEditFrame = true;
    return recordStep(doc, events);
}

InsertResult rerunInsertAtLowerGain(Document& doc, int32_t shift, bool tallScreen, ViewEvents& events) {
    ViewState& v = doc.view;
    if (!v.editFramePresent || shift < 0 || shift > kDefaultGainShift) return {};
    const int32_t left = v.editFrameLeft, right = v.editFrameRight;
    confirmEdit(doc, events);
    applyGain(doc, shift, doc.slideGainActive ? 4 : v.page, events);
    events.repaintWaveform = true;
    v.editFrameLeft = left;
    v.editFrameRight = right;
    setEditFrameBytes(doc);
    openEdit(doc, events);
    return runInsert(doc, tallScreen, events);
}
