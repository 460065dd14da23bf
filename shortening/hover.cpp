#include "shortening/hover.h"

#include "edit/history.h"

bool hoverEnter(Document& doc, const EditSession& session, Hover& hover, TickResult& first) {
    first = TickResult::refused;
    if (hover.attenuating || doc.view.shorteningStartPage == 0 || !doc.view.editFramePresent) return false;
    disarmRestore(doc);
    hover.attenuating = true;
    hover.count = 0;
    hover.run = ToolRun{};
    first = hoverTick(doc, session, hover);
    return true;
}

TickResult hoverTick(Document& doc, const EditSession& session, Hover& hover) {
    if (!hover.attenuating || !doc.view.editFramePresent) return TickResult::refused;
    ToolFlags flags;
    flags.automaticDialogShown = session.automaticDialogShown;
    // 1020 ("短縮開始") is disabled until the edit holds a step.
    flags.enlargeEnabled = !(doc.view.page == 5 && doc.history.undoIndex == 0);
    const TickResult r = toolTick(doc, Tool::attenuate, hover.run, flags, 1);
    if (r != TickResult::refused) hover.count += 1;
    return r;
}

bool hoverLeave(Document& doc, Hover& hover, ViewEvents& events) {
    if (!hover.attenuating) return false;
    const bool record = hover.count > 0;
    hover = Hover{};
    events.repaintEditFrame = true;
    return record && recordStep(doc, events);
}
