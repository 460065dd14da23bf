#include "view/descent.h"

#include "edit/band_mode.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "view/frames.h"
#include "view/pages.h"
#include "view/white_waveform.h"

void descendToLoudest(Document& doc, ViewEvents& events, bool automaticDialogShown) {
    ViewState& v = doc.view;
    // Page 1 holds no working copy to descend into, nor one to write back on
    // the return: the descent starts on pages 2-4 only.
    if (v.page < 2 || v.page > 4 || v.editFramePresent) return;
    keepWhiteWaveform(doc);
    v.shorteningStartPage = v.page;
    v.shorteningBand = doc.bandEditing;
    for (int i = v.shorteningStartPage; i < 5; ++i) {
        removeGain(doc, events);
        v.page += 1;
        applyGain(doc, kDefaultGainShift, v.page, events);
        v.centreOnMax = v.page != 5;
        Message notice;
        keepWhiteWaveform(doc, &notice, automaticDialogShown);
        if (!notice.empty()) events.message = notice;
    }
    leaveBandEditing(doc, events);
    events.titlesChanged = true;
    events.repaintWaveform = true;
    v.pageEntryLeft[5] = v.zoomFrameLeft[4];
    int32_t left = v.whiteMaxColumn - 4, right = v.whiteMaxColumn + 4;
    if (left < 0) left = 0, right = 8;
    if (right >= v.screenWidth) left = v.screenWidth - 9, right = v.screenWidth - 1;
    v.editFrameLeft = left;
    v.editFrameRight = right;
    setEditFrameBytes(doc);
    openEdit(doc, events);
    events.buttons = PageButtons{false, true, true};
    events.repaintDisplay2 = true;
}

void returnFromDescent(Document& doc, const BandSplit& band, ViewEvents& events) {
    ViewState& v = doc.view;
    if (v.shorteningStartPage == 0) return;
    removeGain(doc, events);
    v.page = v.shorteningStartPage;
    v.shorteningStartPage = 0;
    events.titlesChanged = true;
    applyGain(doc, kDefaultGainShift, v.page, events);
    events.repaintWaveform = true;
    events.buttons = PageButtons{true, true, false};
    if (v.shorteningBand) enterBandEditing(doc, band, events);
    v.shorteningBand = false;
}
