#include "edit/band_mode.h"

#include "edit/gain.h"
#include "edit/history.h"
#include "edit/page_io.h"

void leaveBandEditing(Document& doc, ViewEvents& events) {
    if (!doc.bandEditing) return;
    doc.bandEditing = false;
    // The channel's values change as a whole; a later split would not give
    // back the band an edit's slots hold.
    if (doc.history.restoreKind == RestoreKind::edit) disarmRestore(doc);
    const int page = doc.view.page;
    removeGain(doc, events);
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    size_t slot = slotOf(doc.pages.workOrigin + channelOffset(doc.view, doc.edit), doc.pages.workOrigin, bps);
    const size_t step = ba / bps;
    ++doc.workGeneration;
    SampleValue* slots = doc.pages.workSamples.get();
    const SampleValue* band = doc.pages.complementBand.get();
    for (uint32_t k = 0, n = stretchFrames(doc); k < n; ++k, slot += step) slots[slot] += band[k];
    events.titlesChanged = true;
    applyGain(doc, kDefaultGainShift, page, events);
    events.repaintWaveform = true;
}
