#include "edit/history.h"

#include "app/document.h"
#include "edit/page_io.h"

void openEdit(Document& doc, ViewEvents& events) {
    doc.view.editFramePresent = true;
    saveChannel(doc, doc.image.undoSlots[0].get());
    doc.history.undoFrames[0] = {doc.view.editFrameLeft, doc.view.editFrameRight};
    doc.history.undoIndex = 0;
    doc.history.redoLimit = 0;
    events.editOpened = true;
    events.repaintWaveform = true;
}
