#include "edit/tools.h"

#include <cmath>
#include <cstdlib>

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
    // False when no sample changes: a tick that does nothing is refused.
    bool accept() const {
        SampleValue* to = work + first;
        const SampleValue* from = scratch + first;
        bool changed = false;
        for (int64_t k = 0; k < n; ++k, to += step, from += step) {
            changed |= *to != *from;
            *to = *from;
        }
        return changed;
    }
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

// The straight line from A toward B; its slope is an integer quotient, so it
// generally stops short of B.
struct Line {
    int64_t a;
    int64_t slope;
    bool down;
    int64_t at(int64_t k) const { return down ? a - k * slope : a + k * slope; }
};

Line lineOf(int64_t a, int64_t b, int64_t n) { return {a, std::llabs(a - b) / n, b < a}; }

TickResult shift(const Frame& f, int64_t delta) {
    for (int64_t k = 0; k < f.n; ++k) {
        const int64_t v = int64_t(f.x(k)) + delta;
        if (!inRange(v)) return TickResult::refused;
        f.out(k) = SampleValue(v);
    }
    return f.accept() ? TickResult::applied : TickResult::refused;
}

// step(j) = floor(q j / 65536) with q = floor(2^32 / n): 65,536 at j = n.
TickResult ramp(const Frame& f, bool fromLeft, int64_t sign) {
    const uint64_t q = (uint64_t(1) << 32) / uint64_t(f.n);
    for (int64_t k = 0; k < f.n; ++k) {
        const uint64_t j = uint64_t(fromLeft ? f.n - k : k);
        const int64_t v = int64_t(f.x(k)) + sign * int64_t((q * j) >> 16);
        if (!inRange(v)) return TickResult::refused;
        f.out(k) = SampleValue(v);
    }
    return f.accept() ? TickResult::applied : TickResult::refused;
}

// Every sample's distance from the line scaled by h, truncated toward zero.
// The range test is made on the double before converting: its whole part is
// in range exactly when it lies strictly between the ends widened by one.
enum class Scaled : uint8_t { outOfRange, unchanged, changed };
Scaled scaleAboutLine(const Frame& f, const Line& line, double h) {
    constexpr double kBelow = double(kSampleMin) - 1.0, kAbove = double(kSampleMax) + 1.0;
    const int64_t slope = line.down ? -line.slope : line.slope;
    // The frame's fields in locals: a store to a sample could otherwise make them be read again.
    const SampleValue* x = f.work + f.first;
    SampleValue* out = f.scratch + f.first;
    const size_t step = f.step;
    const int64_t n = f.n;
    int64_t l = line.a;
    for (int64_t k = 0; k < n; ++k, l += slope, x += step, out += step) {
        const double y = double(int64_t(*x) - l) * h + double(l);
        if (!(y > kBelow && y < kAbove)) return Scaled::outOfRange;
        *out = SampleValue(y);
    }
    return f.accept() ? Scaled::changed : Scaled::unchanged;
}

TickResult appliedIf(Scaled s) { return s == Scaled::changed ? TickResult::applied : TickResult::refused; }

bool flatAboutLine(const Frame& f, const Line& line) {
    for (int64_t k = 0; k < f.n; ++k)
        if (std::llabs((int64_t(f.x(k)) - line.at(k)) >> 16) > 1) return false;
    return true;
}

// 3-point moving average of the true values. The gain is never changed
// inside an edit, so a result that cannot take it back is refused.
TickResult lowPass(Document& doc, const Frame& f) {
    const int32_t s = doc.view.gainShift;
    const uint32_t ba = doc.edit.frameBytes;
    const GainPlace& gained = doc.view.gainPlace;
    const uint32_t start = doc.view.editFrameStart;
    auto value = [&](int64_t k) -> int64_t {  // true value of frame k (k may be -1 ... n + 1)
        const SampleValue held = f.work[size_t(int64_t(f.first) + k * int64_t(f.step))];
        const uint32_t q = uint32_t(int64_t(start) + k * ba);
        return s > 0 && q >= gained.from && q < gained.to ? int64_t(held >> s) : int64_t(held);
    };
    const int64_t limit = s > 0 ? (int64_t(1) << (23 - s)) : (int64_t(1) << 62);
    int64_t before = value(-1), current = value(0), next = value(1);
    for (int64_t k = 0; k < f.n; ++k) {
        const int64_t r = (before + current + next) / 3;  // truncates toward zero
        if (std::llabs(r) >= limit) return TickResult::refused;
        f.out(k) = SampleValue(r * (int64_t(1) << s));
        before = current;
        current = next;
        next = value(k + 2);
    }
    return f.accept() ? TickResult::applied : TickResult::refused;
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
                if (scaleAboutLine(f, line, h) == Scaled::outOfRange) return TickResult::refused;
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
