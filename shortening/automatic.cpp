#include "shortening/automatic.h"

#include "common/text_format.h"
#include "edit/history.h"
#include "edit/page_io.h"
#include "edit/tools.h"
#include "shortening/messages.h"
#include "view/descent.h"
#include "view/messages.h"

namespace {

constexpr int32_t kStepAttenuations = 10;  // (1/1.1)^10: about 0.3855 of each distance

bool canDescend(const Document& doc) {
    const ViewState& v = doc.view;
    return v.page >= 2 && v.page <= 4 && !v.editFramePresent && v.shorteningStartPage == 0 && doc.pages.allocated();
}

// Every b of the page-5 pass 0: whiteMaxColumn is a stale column from an
// earlier pass, and its frame holds nothing to repair.
bool pageHasJump(const Document& doc) {
    for (int32_t i = 0; i + 1 < doc.view.screenWidth; ++i)
        if (doc.whiteWaveform[size_t(i)] > 0) return true;
    return false;
}

SampleValue* slot(Document& doc, int i) { return doc.image.undoSlots[size_t(i)].get(); }

// Slots `channel` and `band` back, at the gain they were taken at.
void putBack(Document& doc, int channel, int band, int32_t gain, const GainPlace& place, ViewEvents& events) {
    doc.view.gainShift = gain;  // set directly: the slot holds values at that gain
    doc.view.gainPlace = place;
    restoreChannel(doc, slot(doc, channel));
    if (doc.bandEditing) copyFrames(doc, doc.pages.complementBand.get(), slot(doc, band));
    ++doc.workGeneration;
    events.gainChanged = true;
    events.repaintWaveform = true;
    events.historyChanged = true;
    events.buttons = PageButtons{true, true, false};
}

void endBatch(Document& doc, AutomaticOperation& op, ViewEvents& events) {
    op.running = false;
    op.stopRequested = false;
    op.cancelEnabled = true;
    op.batchesDone += 1;
    events.gainChanged = true;
    if (doc.endOfRangeCount > 4) {
        events.message = makeMessage(kWhiteEndOfRange, kCaptionWhiteMaximum);
        doc.endOfRangeCount = 0;
    }
}

void endDialog(EditSession& session, AutomaticOperation& op) {
    session.automaticDialogShown = false;
    op.running = false;
}

}  // namespace

StepOutcome shorteningStep(Document& doc, const BandSplit& band, Progress& progress, ViewEvents& events) {
    StepOutcome out;
    if (!canDescend(doc)) return out;
    descendToLoudest(doc, events, true);
    ViewState& v = doc.view;
    if (v.shorteningStartPage == 0 || v.page != 5 || !v.editFramePresent) return out;
    out.ran = true;
    out.frameStart = v.editFrameStart;
    out.frameEnd = v.editFrameEnd;
    if (pageHasJump(doc)) {
        ToolRun run;
        ToolFlags flags;
        flags.automaticDialogShown = true;
        out.attenuated = toolTick(doc, Tool::attenuate, run, flags, kStepAttenuations) != TickResult::refused;
    }
    progress.pump();
    out.stopRequested = progress.takeCancel();
    // The confirm proper: a step opens an edit of its own, and recording it
    // would overwrite slot 1, the opening snapshot.
    confirmProper(doc, events, true);
    returnFromDescent(doc, band, events);
    return out;
}

std::string automaticTitle(const AutomaticOperation& op) {
    return formatText(kAutomaticTitleFormat, op.batchesDone, op.step);
}

std::string openAutomatic(Document& doc, EditSession& session, AutomaticOperation& op) {
    op = AutomaticOperation{};
    session.automaticDialogShown = true;
    op.playFromFrameEnabled = doc.view.page <= 2;
    saveChannel(doc, slot(doc, 1));
    if (doc.bandEditing) copyFrames(doc, slot(doc, 2), doc.pages.complementBand.get());
    op.openingGain = doc.view.gainShift;
    op.openingGainPlace = doc.view.gainPlace;
    return automaticTitle(op);
}

bool beginBatch(Document& doc, AutomaticOperation& op) {
    if (op.running || !canDescend(doc)) return false;
    saveChannel(doc, slot(doc, 3));
    if (doc.bandEditing) copyFrames(doc, slot(doc, 4), doc.pages.complementBand.get());
    op.batchGain = doc.view.gainShift;
    op.batchGainPlace = doc.view.gainPlace;
    op.running = true;
    op.stopRequested = false;
    op.step = 0;
    op.lastStep = StepOutcome{};
    return true;
}

bool batchTurn(Document& doc, AutomaticOperation& op, const BandSplit& band, Progress& progress,
               const ShowTitle& showTitle, ViewEvents& events) {
    if (!op.running) return false;
    showTitle(automaticTitle(op));
    if (op.stopRequested || !canDescend(doc)) {
        endBatch(doc, op, events);
        return false;
    }
    op.lastStep = shorteningStep(doc, band, progress, events);
    if (op.lastStep.stopRequested) op.stopRequested = true;
    op.step += 1;
    if (op.step > kShorteningBatchLastStep) {
        endBatch(doc, op, events);
        return false;
    }
    return true;
}

void runBatch(Document& doc, AutomaticOperation& op, const BandSplit& band, Progress& progress,
              const ShowTitle& showTitle, ViewEvents& events) {
    if (!beginBatch(doc, op)) return;
    while (batchTurn(doc, op, band, progress, showTitle, events)) progress.pump();
}

void requestStop(AutomaticOperation& op) {
    if (op.running) op.stopRequested = true;
}

std::string cancelBatch(Document& doc, AutomaticOperation& op, ViewEvents& events) {
    if (op.running || !op.cancelEnabled || doc.view.editFramePresent) return {};
    putBack(doc, 3, 4, op.batchGain, op.batchGainPlace, events);
    op.batchesDone -= 1;
    op.step = 0;
    op.cancelEnabled = false;
    return automaticTitle(op);
}

bool confirmAutomatic(Document& doc, EditSession& session, AutomaticOperation& op) {
    if (op.running) return false;
    const ViewState& v = doc.view;
    if (op.batchesDone != 0 || op.step != 0)
        recordAutomaticRestore(doc, v.page, v.zoomFrameLeft[size_t(v.page)], op.openingGain);
    endDialog(session, op);
    return true;
}

CloseStep closeAutomatic(Document& doc, EditSession& session, AutomaticOperation& op) {
    if (op.running) {
        op.stopRequested = true;
        return CloseStep::stopRequested;
    }
    if (op.batchesDone + op.step != 0) return CloseStep::ask;
    confirmAutomatic(doc, session, op);
    return CloseStep::ended;
}

Message automaticCloseQuestion() {
    return makeMessage(kAutomaticCloseQuestion, kCaptionAutomatic, Buttons::yesNoCancel);
}

bool answerClose(Document& doc, EditSession& session, AutomaticOperation& op, Answer answer, ViewEvents& events) {
    if (op.running) return false;
    switch (answer) {
        case Answer::yes: return confirmAutomatic(doc, session, op);
        case Answer::no:
            putBack(doc, 1, 2, op.openingGain, op.openingGainPlace, events);
            endDialog(session, op);
            return true;
        default: return false;
    }
}
