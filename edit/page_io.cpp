#include "edit/page_io.h"

#include <algorithm>
#include <cstdlib>

#include "audio_file/sample_access.h"

void loadPage(Document& doc) {
    const WaveInfo& f = doc.edit;
    const uint32_t bps = f.bytesPerSample, ba = f.frameBytes;
    const uint32_t origin = doc.pages.workOrigin;
    SampleValue* slots = doc.pages.workSamples.get();
    const uint32_t before = (origin - f.dataOffset) / bps;  // samples between data start and the stretch
    size_t slot = 0;
    uint64_t q;  // 64 bits: the last offset may sit at the very end of a 4 GiB block
    if (before < uint32_t(kWorkMargin)) {
        const size_t silent = size_t(kWorkMargin) - before;
        for (; slot < silent; ++slot) slots[slot] = 0;
        q = f.dataOffset;
    } else {
        q = origin - uint32_t(kWorkMargin) * bps;
    }
    const uint64_t last = uint64_t(origin) + uint64_t(stretchFrames(doc)) * ba + uint64_t(kWorkMargin) * bps;
    const uint32_t lastFrame = f.dataEnd - ba;  // the image is never read past the data
    const uint8_t* image = doc.image.bytes();
    ++doc.workGeneration;
    for (; q <= last; q += bps, ++slot) slots[slot] = q > lastFrame ? 0 : readSample(image, uint32_t(q), bps);
}

void storePage(Document& doc) {
    const WaveInfo& f = doc.edit;
    const uint32_t bps = f.bytesPerSample, ba = f.frameBytes;
    const uint32_t origin = doc.pages.workOrigin;
    const uint64_t last = std::min<uint64_t>(uint64_t(origin) + uint64_t(stretchFrames(doc)) * ba, f.dataEnd - ba);
    const SampleValue* slots = doc.pages.workSamples.get();
    uint8_t* image = doc.image.bytes();
    ++doc.imageGeneration;
    size_t slot = size_t(kWorkMargin);
    for (uint64_t q = origin; q <= last; q += bps, ++slot) writeSample(image, uint32_t(q), slots[slot], bps);
}

void saveChannel(const Document& doc, SampleValue* frames) {
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    const uint32_t first = doc.pages.workOrigin + channelOffset(doc.view, doc.edit);
    const size_t step = ba / bps;
    size_t slot = slotOf(first, doc.pages.workOrigin, bps);
    const SampleValue* slots = doc.pages.workSamples.get();
    for (uint32_t k = 0, n = stretchFrames(doc); k < n; ++k, slot += step) frames[k] = slots[slot];
}

void restoreChannel(Document& doc, const SampleValue* frames) {
    ++doc.workGeneration;
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    const uint32_t first = doc.pages.workOrigin + channelOffset(doc.view, doc.edit);
    const size_t step = ba / bps;
    size_t slot = slotOf(first, doc.pages.workOrigin, bps);
    SampleValue* slots = doc.pages.workSamples.get();
    for (uint32_t k = 0, n = stretchFrames(doc); k < n; ++k, slot += step) slots[slot] = frames[k];
}

void copyFrames(const Document& doc, SampleValue* destination, const SampleValue* source) {
    for (uint32_t k = 0, n = stretchFrames(doc); k <= n; ++k) destination[k] = source[k];
}

int32_t headroomShiftOf(uint32_t m, int32_t cap) {
    if (m >> 23) return 0;
    for (int32_t i = 0; i < cap; ++i)
        if (m & (1u << (22 - i))) return i;
    return cap;
}

int32_t headroomShiftImage(const Document& doc, uint32_t from, uint32_t to, int32_t cap) {
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    uint32_t m = 0;
    for (uint32_t q = from; q < to && q < doc.edit.dataEnd; q += ba) {
        const uint32_t a = uint32_t(std::abs(int64_t(readSample(doc.image.bytes(), q, bps))));
        if (a > m) m = a;
    }
    return headroomShiftOf(m, cap);
}

int32_t headroomShiftSlots(const Document& doc, const SampleValue* slots, uint32_t from, uint32_t to, int32_t cap) {
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    uint32_t m = 0;
    for (uint32_t q = from; q < to; q += ba) {
        const uint32_t a = uint32_t(std::abs(int64_t(slots[slotOf(q, doc.pages.workOrigin, bps)])));
        if (a > m) m = a;
    }
    return headroomShiftOf(m, cap);
}
