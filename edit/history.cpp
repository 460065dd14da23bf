#include "edit/history.h"

#include <algorithm>

#include "audio_file/sample_access.h"
#include "common/text_format.h"
#include "document/document.h"
#include "document/edit_frame.h"
#include "edit/band_mode.h"
#include "edit/messages.h"
#include "edit/page_io.h"

namespace {

void showSlot(Document& doc, ViewEvents& events) {
    History& h = doc.history;
    restoreChannel(doc, doc.image.undoSlots[size_t(h.undoIndex)].get());
    doc.view.editFrameLeft = h.undoFrames[size_t(h.undoIndex)].left;
    doc.view.editFrameRight = h.undoFrames[size_t(h.undoIndex)].right;
    setEditFrameBytes(doc);
    events.repaintWaveform = true;
    events.historyChanged = true;
}

// The restored channel plus the set-aside band must stay in range.
bool bandRestorationFits(const Document& doc) {
    const uint32_t bps = doc.edit.bytesPerSample, ba = doc.edit.frameBytes;
    const uint32_t base = doc.pages.workOrigin + channelOffset(doc.view, doc.edit);
    const SampleValue* slots = doc.pages.workSamples.get();
    const SampleValue* band = doc.pages.complementBand.get();
    for (uint32_t q = doc.view.editFrameStart; q < doc.view.editFrameEnd; q += ba) {
        const int64_t v =
            int64_t(band[(q - base) / ba]) + int64_t(slots[slotOf(q, doc.pages.workOrigin, bps)] >> doc.view.gainShift);
        if (!inRange(v)) return false;
    }
    return true;
}

PageButtons pageButtonsFor(int page) {
    return page == 5 ? PageButtons{false, true, false} : PageButtons{true, true, false};
}

// A repeat descends again at once, so its kind 2 finds the new frame open
// on page 5. Closing that edit loses nothing while nothing is recorded in it.
bool onlyTheRepeatsNewFrame(const Document& doc) {
    const History& h = doc.history;
    return h.restoreKind == RestoreKind::shorteningRepeat && doc.view.page == 5 && doc.view.shorteningStartPage != 0 &&
           h.undoIndex == 0 && h.redoLimit == 0;
}

}  // namespace

HistoryLook historyLook(const Document& doc) {
    const History& h = doc.history;
    return {h.undoIndex > 0, h.undoIndex < h.redoLimit, h.restoreArmed,
            formatText(kCounterFormat, h.undoIndex, h.redoLimit)};
}

void openEdit(Document& doc, ViewEvents& events) {
    doc.view.editFramePresent = true;
    saveChannel(doc, doc.image.undoSlots[0].get());
    doc.history.undoFrames[0] = {doc.view.editFrameLeft, doc.view.editFrameRight};
    doc.history.undoIndex = 0;
    doc.history.redoLimit = 0;
    events.editOpened = true;
    events.historyChanged = true;
    events.repaintWaveform = true;
}

bool recordStep(Document& doc, ViewEvents& events) {
    History& h = doc.history;
    if (!doc.view.editFramePresent) return false;
    if (doc.bandEditing && !bandRestorationFits(doc)) {
        events.message = makeMessage(kBandSaturates, kCaptionBandSynthesis);
        restoreChannel(doc, doc.image.undoSlots[size_t(h.undoIndex)].get());
        events.repaintWaveform = true;
        return false;
    }
    const FrameColumns columns{doc.view.editFrameLeft, doc.view.editFrameRight};
    if (h.undoIndex < 5) {
        h.undoIndex += 1;
    } else {
        // Slots 1-5 move down one; slot 0 stays, so its step now spans several.
        std::rotate(doc.image.undoSlots.begin() + 1, doc.image.undoSlots.begin() + 2, doc.image.undoSlots.end());
        std::rotate(h.undoFrames.begin() + 1, h.undoFrames.begin() + 2, h.undoFrames.end());
    }
    saveChannel(doc, doc.image.undoSlots[size_t(h.undoIndex)].get());
    h.undoFrames[size_t(h.undoIndex)] = columns;
    h.redoLimit = h.undoIndex;
    events.repaintEditFrame = true;
    events.historyChanged = true;
    return true;
}

void stepBack(Document& doc, ViewEvents& events) {
    if (!doc.view.editFramePresent || doc.history.undoIndex == 0) return;
    doc.history.undoIndex -= 1;
    showSlot(doc, events);
}

void stepForward(Document& doc, ViewEvents& events) {
    History& h = doc.history;
    if (!doc.view.editFramePresent || h.undoIndex == h.redoLimit) return;
    h.undoIndex += 1;
    showSlot(doc, events);
}

void confirmEdit(Document& doc, ViewEvents& events, bool automaticDialogShown) {
    History& h = doc.history;
    if (h.undoIndex != 0 || h.redoLimit != 0) {
        h.restoreKind = RestoreKind::edit;
        h.restoreArmed = true;
    }
    confirmProper(doc, events, automaticDialogShown);
}

void confirmProper(Document& doc, ViewEvents& events, bool) {
    History& h = doc.history;
    ViewState& v = doc.view;
    if (h.restoreArmed && h.restoreKind == RestoreKind::edit) {
        h.point.undoIndex = h.undoIndex;
        h.point.redoLimit = h.redoLimit;
        h.point.editFramePresent = v.editFramePresent;
        h.point.page = v.page;
        h.point.gainShift = v.gainShift;
        h.point.gainPlace = v.gainPlace;
        h.point.bandEditing = doc.bandEditing;
        h.point.channel = v.channel;
        h.point.workOrigin = doc.pages.workOrigin;
    }
    h.redoLimit = 0;
    h.undoIndex = 0;
    v.editFramePresent = false;
    events.repaintWaveform = true;
    events.historyChanged = true;
    events.buttons = pageButtonsFor(v.page);
}

void recordShorteningRestore(Document& doc, RestoreKind kind) {
    History& h = doc.history;
    if (h.undoIndex == 0) return;
    h.restoreKind = kind;
    h.restoreArmed = true;
    h.point.zoomFrameLeft = doc.view.zoomFrameLeft;
    h.point.frame = {doc.view.editFrameLeft, doc.view.editFrameRight};
    h.point.frameStart = doc.view.editFrameStart;
    h.point.frameEnd = doc.view.editFrameEnd;
    h.point.channel = doc.view.channel;
    h.point.workOrigin = doc.pages.workOrigin;
}

void recordAutomaticRestore(Document& doc, int32_t page, int32_t pageZoomLeft, int32_t openingGain) {
    History& h = doc.history;
    h.restoreKind = RestoreKind::automatic;
    h.restoreArmed = true;
    h.point.page = page;
    h.point.pageZoomLeft = pageZoomLeft;
    h.point.gainShift = openingGain;
    h.point.zoomFrameLeft = doc.view.zoomFrameLeft;
    h.point.bandEditing = doc.bandEditing;
    h.point.channel = doc.view.channel;
    h.point.workOrigin = doc.pages.workOrigin;
}

void disarmRestore(Document& doc) { doc.history.restoreArmed = false; }

bool restoreValid(const Document& doc) {
    const History& h = doc.history;
    if (!h.restoreArmed || (doc.view.editFramePresent && !onlyTheRepeatsNewFrame(doc))) return false;
    if (h.point.channel != doc.view.channel || h.point.workOrigin != doc.pages.workOrigin) return false;
    if (h.restoreKind == RestoreKind::edit) {
        // The slot goes back over the whole stretch as it was held: gain on
        // the same samples (the page-5 slide moves them), the same band.
        const ViewState& v = doc.view;
        return h.point.page == v.page && h.point.gainShift == v.gainShift &&
               (v.gainShift == 0 || h.point.gainPlace == v.gainPlace) && h.point.bandEditing == doc.bandEditing;
    }
    if (h.restoreKind == RestoreKind::automatic) {
        // The put-back reaches the operation's page by one enlarge or reduce
        // and writes the slots over it: that page must come back where it
        // was, its band split as it was.
        const ViewState& v = doc.view;
        if (v.page < 2 || v.page < h.point.page - 1 || v.page > h.point.page + 1) return false;
        for (int q = 2; q < h.point.page; ++q)
            if (v.zoomFrameLeft[size_t(q)] != h.point.zoomFrameLeft[size_t(q)]) return false;
        return h.point.bandEditing == doc.bandEditing;
    }
    return true;
}

Message restoreQuestion(const Document& doc) {
    if (!restoreValid(doc)) return {};
    Message m;
    switch (doc.history.restoreKind) {
        case RestoreKind::edit: m = makeMessage(kRestoreEditQuestion, kCaptionRestoreEdit, Buttons::yesNo); break;
        case RestoreKind::automatic:
            m = makeMessage(kRestoreAutomaticQuestion, kCaptionRestoreAutomatic, Buttons::yesNo);
            break;
        case RestoreKind::shorteningRepeat:
            m = makeMessage(kRestoreShorteningQuestion, kCaptionRestoreManual, Buttons::yesNo);
            break;
        case RestoreKind::shorteningEnd:
            m = makeMessage(kRestorePositionQuestion, kCaptionRestoreManual, Buttons::yesNo);
            break;
    }
    m.icon = Icon::exclamation;
    return m;
}

Message confirmNeededQuestion(bool forChannelSwitch) {
    return makeMessage(kConfirmNeeded, forChannelSwitch ? kCaptionChannelSwitch : kCaptionEditing, Buttons::yesNo);
}
