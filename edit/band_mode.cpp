#include "edit/band_mode.h"

#include "edit/band_split.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/page_io.h"

namespace {

// The selected channel by frame: frame k (negative before the stretch) at
// slot 2048 + k x channels + c. Frame offsets never pass through unsigned
// image offsets, which would wrap before the data's start.
ChannelSlots selectedChannel(const Document& doc) {
    const uint32_t bps = doc.edit.bytesPerSample;
    return {doc.pages.workSamples.get(), size_t(kWorkMargin) + channelOffset(doc.view, doc.edit) / bps,
            doc.edit.frameBytes / bps};
}

// x = LP + R exactly in integers, so adding the set-aside band back gives x.
void splitChannel(Document& doc, const BandSplit& split) {
    PageBuffers& p = doc.pages;
    const bool high = isHighBand(split.index);
    SampleValue* low = high ? p.complementBand.get() : p.splitBand.get();
    SampleValue* rest = high ? p.splitBand.get() : p.complementBand.get();
    const ChannelSlots x = selectedChannel(doc);
    const uint32_t n = stretchFrames(doc);
    lowPass(x, n, bandDesign(split.index), split.tables, split.buffers, low);
    SampleValue* slots = p.workSamples.get();
    size_t slot = x.first;
    for (uint32_t k = 0; k < n; ++k, slot += x.stride) {
        rest[k] = slots[slot] - low[k];
        slots[slot] = high ? rest[k] : low[k];
    }
}

}  // namespace

void enterBandEditing(Document& doc, const BandSplit& split, ViewEvents& events) {
    const int page = doc.view.page;
    if (doc.bandEditing || page < 2 || doc.view.editFramePresent || !doc.pages.allocated()) return;
    if (split.index < 0 || split.index >= kBandIndexCount) return;
    doc.bandEditing = true;
    removeGain(doc, events);
    ++doc.workGeneration;
    splitChannel(doc, split);
    events.titlesChanged = true;
    applyGain(doc, kDefaultGainShift, page, events);
    events.repaintWaveform = true;
}

void leaveBandEditing(Document& doc, ViewEvents& events) {
    if (!doc.bandEditing) return;
    doc.bandEditing = false;
    // The channel's values change as a whole; a later split would not give
    // back the band an edit's slots hold.
    if (doc.history.restoreKind == RestoreKind::edit) disarmRestore(doc);
    const int page = doc.view.page;
    removeGain(doc, events);
    const ChannelSlots x = selectedChannel(doc);
    ++doc.workGeneration;
    SampleValue* slots = doc.pages.workSamples.get();
    const SampleValue* band = doc.pages.complementBand.get();
    size_t slot = x.first;
    for (uint32_t k = 0, n = stretchFrames(doc); k < n; ++k, slot += x.stride) slots[slot] += band[k];
    events.titlesChanged = true;
    applyGain(doc, kDefaultGainShift, page, events);
    events.repaintWaveform = true;
}

void toggleBandEditing(Document& doc, const BandSplit& split, ViewEvents& events) {
    if (doc.view.editFramePresent) return;  // the edit's slots hold one band
    if (doc.bandEditing)
        leaveBandEditing(doc, events);
    else
        enterBandEditing(doc, split, events);
}

bool changeBand(Document& doc, int32_t& bandIndex, int32_t newIndex, const SpectrumTables& tables,
                TransformBuffers& buffers, ViewEvents& events) {
    if (newIndex == bandIndex || newIndex < 0 || newIndex >= kBandIndexCount) return false;
    // Within an edit its slots hold the old band: the button is disabled then.
    if (doc.bandEditing && doc.view.editFramePresent) return false;
    bandIndex = newIndex;
    if (doc.bandEditing) {
        leaveBandEditing(doc, events);
        enterBandEditing(doc, BandSplit{tables, buffers, newIndex}, events);
    }
    return true;
}
