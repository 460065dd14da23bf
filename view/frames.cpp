#include "view/frames.h"

#include <algorithm>
#include <utility>

#include "edit/history.h"

void clampZoomFrameToData(Document& doc, int p) {
    ViewState& v = doc.view;
    const int32_t n = offsetColumn(v, doc.edit, doc.edit.dataEnd, p);
    if (n == -1)
        v.zoomFrameLeft[p] = 0;
    else if (n >= 0 && n < v.zoomFrameLeft[p])
        v.zoomFrameLeft[p] = n;
}

void placeZoomFrame(Document& doc, int32_t x, ViewEvents& events) {
    ViewState& v = doc.view;
    const int p = v.page;
    if (p < 1 || p > 4) return;
    if (p == 1) {
        // Only whole page-1 columns that hold data; never negative.
        const uint32_t first = columnOffset(v, doc.edit, 0, 1);
        const uint32_t columnBytes = doc.edit.frameBytes * v.framesPerPixel[1];
        const int32_t limit = first < doc.edit.dataEnd ? int32_t((doc.edit.dataEnd - first) / columnBytes) : 0;
        x = std::min(x, limit);
    }
    if (x + v.zoomFrameWidth[p] >= v.screenWidth) x = v.screenWidth - v.zoomFrameWidth[p] - 1;
    v.zoomFrameLeft[p] = std::max(x, 0);
    events.repaintWaveform = true;
    if (p == 3 || p == 4) events.repaintDisplay2 = true;
}

void pressWaveform(Document& doc, int32_t x, uint32_t nowMs, bool programSent, ViewEvents& events) {
    ViewState& v = doc.view;
    doc.pointer.pressTime = nowMs;
    doc.pointer.savedLeft = v.editFrameLeft;
    doc.pointer.savedRight = v.editFrameRight;
    v.editFrameLeft = v.editFrameRight = x;
    v.dragging = true;
    if (v.page == 1 || programSent) releaseWaveform(doc, nowMs, events);
}

void dragWaveform(Document& doc, int32_t x) {
    if (doc.view.dragging) doc.view.editFrameRight = x;
}

void releaseWaveform(Document& doc, uint32_t nowMs, ViewEvents& events) {
    ViewState& v = doc.view;
    if (!v.dragging) return;  // the press went to a menu or a message box
    v.dragging = false;
    const bool present = v.editFramePresent;
    if (v.page >= 2 && v.page <= 4 && !present && nowMs - doc.pointer.pressTime < kClickThresholdMs)
        v.editFrameRight = v.editFrameLeft;
    const auto restoreSaved = [&] {
        v.editFrameLeft = doc.pointer.savedLeft;
        v.editFrameRight = doc.pointer.savedRight;
        events.repaintWaveform = true;
    };
    if (v.editFrameLeft != v.editFrameRight) {
        const int32_t n = offsetColumn(v, doc.edit, doc.edit.dataEnd, v.page);
        if (n >= 0) {
            v.editFrameLeft = std::min(v.editFrameLeft, n);
            v.editFrameRight = std::min(v.editFrameRight, n);
        }
        if (v.editFrameLeft == v.editFrameRight) {  // a drag wholly past the data: void
            if (present) restoreSaved();
            return;
        }
        setEditFrameBytes(doc);
        if (!present) openEdit(doc, events);
        events.repaintWaveform = true;
        return;
    }
    if (present) {  // a click never removes the frame
        restoreSaved();
        return;
    }
    if (v.page != 5) placeZoomFrame(doc, v.editFrameLeft, events);
}

void cancelDrag(Document& doc, ViewEvents& events) {
    ViewState& v = doc.view;
    if (!v.dragging) return;
    v.dragging = false;
    v.editFrameLeft = doc.pointer.savedLeft;
    v.editFrameRight = doc.pointer.savedRight;
    events.repaintWaveform = true;
}

void programClick(Document& doc, int32_t x, ViewEvents& events) {
    pressWaveform(doc, x, doc.pointer.pressTime, true, events);
}

void blockShiftLeft(Document& doc, ViewEvents& events) {
    const ViewState& v = doc.view;
    if (v.page < 1 || v.page > 4 || v.editFramePresent) return;
    const int32_t left = v.zoomFrameLeft[v.page], width = v.zoomFrameWidth[v.page];
    programClick(doc, left > width + 1 ? left - width + 1 : 0, events);
}

void blockShiftRight(Document& doc, ViewEvents& events) {
    const ViewState& v = doc.view;
    if (v.page < 1 || v.page > 4 || v.editFramePresent) return;
    programClick(doc, v.zoomFrameLeft[v.page] + v.zoomFrameWidth[v.page] - 1, events);
}

void firstPosition(Document& doc, ViewEvents& events) {
    const ViewState& v = doc.view;
    if (v.page < 1 || v.page > 4 || v.editFramePresent) return;
    programClick(doc, v.pageEntryLeft[v.page], events);
}
