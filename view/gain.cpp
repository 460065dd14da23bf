#include "view/gain.h"

#include "edit/page_io.h"
#include "edit/sample_access.h"

namespace {

struct ChannelRange {
    uint32_t from, to;  // offsets of the channel's samples, `to` exclusive
};

ChannelRange pageRange(const Document& doc, int p) {
    const uint32_t h = channelOffset(doc.view, doc.edit);
    return {columnOffset(doc.view, doc.edit, 0, p) + h, columnOffset(doc.view, doc.edit, doc.view.screenWidth, p) + h};
}

// Multiplies (shift > 0) or divides (shift < 0) the page's samples by 2^|shift|.
void shiftSamples(Document& doc, int p, int32_t shift) {
    const ChannelRange r = pageRange(doc, p);
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    const SampleValue factor = SampleValue(1) << (shift > 0 ? shift : 0);
    const int down = shift < 0 ? -shift : 0;
    if (p == 1) {
        ++doc.imageGeneration;
        uint8_t* image = doc.image.bytes();
        for (uint32_t q = r.from; q < r.to && q < doc.edit.dataEnd; q += ba) {
            const SampleValue v = readSample(image, q, bps);
            writeSample(image, q, down ? v >> down : v * factor, bps);
        }
        return;
    }
    ++doc.workGeneration;
    SampleValue* slots = doc.pages.workSamples.get();
    const size_t step = ba / bps;
    size_t slot = slotOf(r.from, doc.pages.workOrigin, bps);
    for (uint32_t q = r.from; q < r.to; q += ba, slot += step) slots[slot] = down ? slots[slot] >> down : slots[slot] * factor;
}

int32_t headroom(const Document& doc, int p, int32_t cap) {
    const ChannelRange r = pageRange(doc, p);
    return p == 1 ? headroomShiftImage(doc, r.from, r.to, cap)
                  : headroomShiftSlots(doc, doc.pages.workSamples.get(), r.from, r.to, cap);
}

}  // namespace

void removeGain(Document& doc, int p, ViewEvents& events) {
    if (doc.view.gainShift == 0) return;
    shiftSamples(doc, p, -doc.view.gainShift);
    doc.view.gainShift = 0;
    events.gainChanged = true;
}

void applyGain(Document& doc, int32_t k, int p, ViewEvents& events) {
    if (k == doc.view.gainShift) return;
    removeGain(doc, p, events);
    if (k > 0) {
        const int32_t s = headroom(doc, p, k);
        if (s > 0) shiftSamples(doc, p, s);
        doc.view.gainShift = s;
    }
    events.gainChanged = true;
}

void gainDown(Document& doc, ViewEvents& events) {
    if (doc.view.editFramePresent || doc.view.gainShift <= 0 || doc.view.page < 1) return;
    applyGain(doc, doc.view.gainShift - 1, doc.view.page, events);
    events.repaintWaveform = true;
}

void gainUp(Document& doc, ViewEvents& events) {
    if (doc.view.editFramePresent || doc.view.gainShift > 3 || doc.view.page < 1) return;
    applyGain(doc, doc.view.gainShift + 1, doc.view.page, events);
    events.repaintWaveform = true;
}
