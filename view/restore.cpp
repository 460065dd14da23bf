#include "view/restore.h"

#include "document/edit_frame.h"
#include "edit/band_mode.h"
#include "edit/history.h"
#include "edit/page_io.h"
#include "view/descent.h"
#include "view/frames.h"
#include "view/pages.h"

bool applyRestore(Document& doc, FileSystem& fs, const BandSplit& band, ViewEvents& events) {
    if (!restoreValid(doc)) return false;
    History& h = doc.history;
    ViewState& v = doc.view;
    h.restoreArmed = false;
    events.historyChanged = true;
    switch (h.restoreKind) {
        case RestoreKind::edit:
            h.undoIndex = h.point.undoIndex;
            h.redoLimit = h.point.redoLimit;
            v.editFramePresent = h.point.editFramePresent;
            restoreChannel(doc, doc.image.undoSlots[size_t(h.undoIndex)].get());
            v.editFrameLeft = h.undoFrames[size_t(h.undoIndex)].left;
            v.editFrameRight = h.undoFrames[size_t(h.undoIndex)].right;
            setEditFrameBytes(doc);
            // A reopened edit is an open edit: page and gain stay locked.
            events.editOpened = true;
            events.repaintWaveform = true;
            return true;
        case RestoreKind::automatic: {
            if (v.page < h.point.page)
                enlarge(doc, fs, events);
            else if (v.page > h.point.page)
                reduce(doc, events);
            v.gainShift = h.point.gainShift;  // set directly: the slot holds values at that gain
            events.gainChanged = true;
            restoreChannel(doc, doc.image.undoSlots[1].get());
            if (doc.bandEditing) copyFrames(doc, doc.pages.complementBand.get(), doc.image.undoSlots[2].get());
            events.repaintWaveform = true;
            v.dragging = true;
            v.editFrameLeft = v.editFrameRight = h.point.pageZoomLeft;
            doc.pointer.savedLeft = doc.pointer.savedRight = h.point.pageZoomLeft;
            releaseWaveform(doc, doc.pointer.pressTime, events);
            return true;
        }
        case RestoreKind::shorteningRepeat:
            if (v.editFramePresent) confirmProper(doc, events);  // the new descent's, nothing recorded in it
            returnFromDescent(doc, band, events);
            [[fallthrough]];
        case RestoreKind::shorteningEnd: {
            v.zoomFrameLeft = h.point.zoomFrameLeft;
            for (int i = v.page; i < 5; ++i) enlarge(doc, fs, events);
            leaveBandEditing(doc, events);
            v.editFrameLeft = h.point.frame.left;
            v.editFrameRight = h.point.frame.right;
            v.editFrameStart = h.point.frameStart;
            v.editFrameEnd = h.point.frameEnd;
            openEdit(doc, events);
            return true;
        }
    }
    return false;
}
