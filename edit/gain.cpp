#include "edit/gain.h"

#include "audio_file/sample_access.h"
#include "edit/page_io.h"

namespace {

// Multiplies (shift > 0) or divides (shift < 0) the samples of `place` by 2^|shift|.
void shiftSamples(Document& doc, const GainPlace& place, int32_t shift) {
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    const SampleValue factor = SampleValue(1) << (shift > 0 ? shift : 0);
    const int down = shift < 0 ? -shift : 0;
    if (place.inImage) {
        ++doc.imageGeneration;
        uint8_t* image = doc.image.bytes();
        for (uint32_t q = place.from; q < place.to && q < doc.edit.dataEnd; q += ba) {
            const SampleValue v = readSample(image, q, bps);
            writeSample(image, q, down ? v >> down : v * factor, bps);
        }
        return;
    }
    ++doc.workGeneration;
    SampleValue* slots = doc.pages.workSamples.get();
    const size_t step = ba / bps;
    size_t slot = slotOf(place.from, doc.pages.workOrigin, bps);
    for (uint32_t q = place.from; q < place.to; q += ba, slot += step)
        slots[slot] = down ? slots[slot] >> down : slots[slot] * factor;
}

int32_t headroom(const Document& doc, const GainPlace& place, int32_t cap) {
    return place.inImage ? headroomShiftImage(doc, place.from, place.to, cap)
                         : headroomShiftSlots(doc, doc.pages.workSamples.get(), place.from, place.to, cap);
}

}  // namespace

GainPlace gainPlaceOf(const Document& doc, int p) {
    const uint32_t h = channelOffset(doc.view, doc.edit);
    return {columnOffset(doc.view, doc.edit, 0, p) + h, columnOffset(doc.view, doc.edit, doc.view.screenWidth, p) + h,
            p == 1};
}

void removeGain(Document& doc, ViewEvents& events) {
    if (doc.view.gainShift == 0) return;
    shiftSamples(doc, doc.view.gainPlace, -doc.view.gainShift);
    doc.view.gainShift = 0;
    events.gainChanged = true;
}

void applyGain(Document& doc, int32_t k, int p, ViewEvents& events) {
    const GainPlace place = gainPlaceOf(doc, p);
    if (k == doc.view.gainShift && (k == 0 || place == doc.view.gainPlace)) return;
    removeGain(doc, events);
    if (k > 0) {
        const int32_t s = headroom(doc, place, k);
        if (s > 0) shiftSamples(doc, place, s);
        doc.view.gainShift = s;
        doc.view.gainPlace = place;
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
