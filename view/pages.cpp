#include "view/pages.h"

#include <algorithm>
#include <cassert>

#include "audio_file/page_read.h"
#include "document/screen_width.h"
#include "edit/band_mode.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/page_io.h"
#include "view/messages.h"

namespace {

PageButtons pageButtons(int page) {
    return page == 5 ? PageButtons{false, true, false} : PageButtons{true, true, false};
}

// From page 1 into page 2: the stretch into workSamples, the reference
// audio into the page buffer. False (with the message) when the read fails.
bool loadStretch(Document& doc, FileSystem& fs, ViewEvents& events) {
    doc.pages.workOrigin = columnOffset(doc.view, doc.edit, 0, 2);
    loadPage(doc);
    const uint64_t offset = pageFileOffset(doc.pages.workOrigin, doc.edit, doc.hasBackup() ? &doc.backup : nullptr);
    const size_t bytes = size_t(stretchFrames(doc)) * doc.edit.frameBytes;
    size_t got = 0;
    if (!readPage(fs, doc.referencePath(), offset, bytes, doc.image.filePageBuffer.get(), doc.image.pageBufferBytes,
                  doc.edit.format.bitsPerSample == 8, got)) {
        events.message = makeMessage(kReferenceReadFailed, kCaptionReadError);
        return false;
    }
    return true;
}

// Page 5 moves only with no edit open: an edit's slots hold the gain of
// the columns it was opened on.
bool slideAllowed(const Document& doc) { return doc.view.page == 5 && !doc.view.editFramePresent; }

}  // namespace

void enterEditView(Document& doc, FileSystem& fs, int32_t resumedPage, ViewEvents& events) {
    ViewState& v = doc.view;
    v.page = 1;
    v.gainShift = 0;  // the image holds no gain on page 0
    v.editFramePresent = false;
    v.dragging = false;
    v.shorteningStartPage = 0;
    v.shorteningBand = false;
    // Every way out of the edit window left band editing first.
    assert(!doc.bandEditing);
    doc.bandEditing = false;
    doc.slideGainActive = false;
    doc.history = History{};
    doc.playback.indicatorMode = false;  // the next playback line belongs in the waveform
    events.titlesChanged = true;
    // Before the resumed enlargements: page 5's entry is the page-4 frame
    // that the enlargement to it records.
    for (int p = 1; p < kPages; ++p) v.pageEntryLeft[p] = v.zoomFrameLeft[p];
    for (int32_t l = 1; l < resumedPage && l <= 4; ++l) {
        enlarge(doc, fs, events);
        if (v.page != l + 1) break;  // the reference read failed
    }
    applyGain(doc, kDefaultGainShift, v.page, events);
    events.buttons = pageButtons(v.page);
    events.repaintWaveform = true;
}

void enlarge(Document& doc, FileSystem& fs, ViewEvents& events) {
    ViewState& v = doc.view;
    if (v.page < 1 || v.page > 4 || v.editFramePresent) return;
    removeGain(doc, events);
    if (v.page == 1 && !loadStretch(doc, fs, events)) return;  // stays on page 1
    v.page += 1;
    applyGain(doc, kDefaultGainShift, v.page, events);
    events.repaintWaveform = true;
    events.titlesChanged = true;
    if (v.page == 5)
        v.pageEntryLeft[5] = v.zoomFrameLeft[4];
    else
        v.pageEntryLeft[v.page] = v.zoomFrameLeft[v.page];
    events.buttons = pageButtons(v.page);
}

void reduce(Document& doc, ViewEvents& events) {
    ViewState& v = doc.view;
    if (v.page < 1 || v.editFramePresent) return;
    if (v.page == 5 && doc.slideGainActive) endSlide(doc, events);
    if (v.page == 1) {
        removeGain(doc, events);
        events.refreshOverviewChannel = v.channel;
        v.page = 0;
        events.showOverview = true;
        return;
    }
    if (v.page == 2) leaveBandEditing(doc, events);
    removeGain(doc, events);
    v.page -= 1;
    events.titlesChanged = true;
    v.pageEntryLeft[v.page] = v.zoomFrameLeft[v.page];
    if (v.page == 1) {
        events.hideAuxiliaryWindows = true;
        doc.shorteningAutoSteps = 0;
        storePage(doc);
    }
    applyGain(doc, kDefaultGainShift, v.page, events);
    events.repaintWaveform = true;
    events.buttons = pageButtons(v.page);
}

void beginSlideGain(Document& doc, ViewEvents& events) {
    if (!slideAllowed(doc) || doc.slideGainActive) return;
    removeGain(doc, events);
    applyGain(doc, kDefaultGainShift, 4, events);
    doc.slideGainActive = true;
}

bool slideTick(Document& doc, bool increase, ViewEvents& events) {
    ViewState& v = doc.view;
    if (!slideAllowed(doc)) return false;
    beginSlideGain(doc, events);
    doc.slideStep += 1;
    const int32_t move = doc.slideStep / 50 + 1;  // a column faster every 50 ticks
    const int32_t highest = v.screenWidth - v.zoomFrameWidth[4] - 1;
    int32_t& left = v.zoomFrameLeft[4];
    bool clamped = false;
    if (increase) {
        left += move;
        if (left > highest) left = highest, clamped = true;
    } else {
        left -= move;
        if (left < 0) left = 0, clamped = true;
    }
    if (!clamped) {
        events.repaintWaveform = true;
        events.repaintDisplay2 = true;
    }
    return !clamped;
}

void endSlide(Document& doc, ViewEvents& events) {
    doc.slideStep = 0;
    if (!doc.slideGainActive) return;
    doc.slideGainActive = false;
    removeGain(doc, events);
    applyGain(doc, kDefaultGainShift, doc.view.page, events);
    events.repaintWaveform = true;
}

void slideHome(Document& doc, ViewEvents& events) {
    if (!slideAllowed(doc)) return;
    // The move happens under the slide gain, so the page-5 gain is taken off
    // the old columns and put on the new ones.
    beginSlideGain(doc, events);
    doc.view.zoomFrameLeft[4] = doc.view.pageEntryLeft[5];
    events.repaintWaveform = true;
    events.repaintDisplay2 = true;
    endSlide(doc, events);
}

void switchChannel(Document& doc, const BandSplit& band, ViewEvents& events) {
    ViewState& v = doc.view;
    if (!doc.stereo()) return;
    if (v.page == 0) {  // the overview holds no gain and no working copy
        v.channel ^= 1;
        events.repaintWaveform = true;
        return;
    }
    if (v.editFramePresent) confirmEdit(doc, events);  // after the caller's question
    if (v.page == 5 && doc.slideGainActive) endSlide(doc, events);
    const bool bandWasOn = doc.bandEditing;
    leaveBandEditing(doc, events);
    removeGain(doc, events);
    // Only a working copy is written back: on page 1 the image is current.
    if (v.page >= 2) storePage(doc);
    events.refreshOverviewChannel = v.channel;
    v.channel ^= 1;
    events.titlesChanged = true;
    // A split of its own: the set-aside band belonged to the other channel.
    if (bandWasOn) enterBandEditing(doc, band, events);
    applyGain(doc, kDefaultGainShift, v.page, events);
    events.repaintWaveform = true;
}

void leaveEditView(Document& doc, ViewEvents& events) {
    ViewState& v = doc.view;
    if (v.page == 0) return;
    if (v.page == 5 && doc.slideGainActive) endSlide(doc, events);
    leaveBandEditing(doc, events);
    removeGain(doc, events);
    if (v.page >= 2) storePage(doc);
    events.refreshOverviewChannel = v.channel;
}

void changeWidth(Document& doc, int32_t newWidth) {
    ViewState& v = doc.view;
    if (newWidth == v.screenWidth) return;
    v.zoomFrameLeft[0] = rescaleOverviewColumn(v.screenWidth, newWidth, v.zoomFrameLeft[0]);
    v.screenWidth = newWidth;
    for (int p = 1; p <= 4; ++p) v.zoomFrameLeft[p] = 0;
    doc.playback.range.bytesPerPixel = kBytesPerPixelAfterWidthChange;
    buildScales(v, doc.edit);
}
