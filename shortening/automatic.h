#pragma once
// The shortening step and the automatic operation's batches: descend to the
// sharpest jump, attenuate it, confirm, return; 41 steps to a batch, with
// snapshots to take back one batch or everything the dialog did.
#include <cstdint>
#include <functional>
#include <string>

#include "common/message.h"
#include "common/progress.h"
#include "document/document.h"
#include "document/view_events.h"
#include "edit/band_mode.h"
#include "view/edit_session.h"

// What one step did: the page-5 frame it attenuated, if any.
struct StepOutcome {
    bool ran = false;         // descended and returned
    bool attenuated = false;  // the frame held a jump and was attenuated
    uint32_t frameStart = 0, frameEnd = 0;
    bool stopRequested = false;  // the cancel flag was read between attenuate and confirm
};

// The automatic-operation dialog's state, owned by the dialog for its life.
struct AutomaticOperation {
    int32_t batchesDone = 0;  // since the dialog opened, less the cancelled one
    int32_t step = 0;         // of the current or last batch
    bool running = false;
    bool stopRequested = false;
    int32_t openingGain = 0;
    int32_t batchGain = 0;
    GainPlace openingGainPlace{};
    GainPlace batchGainPlace{};
    bool cancelEnabled = false;         // 337: only the last batch can be taken back
    bool playFromFrameEnabled = false;  // 342
    StepOutcome lastStep;               // of the last turn
};

// One step from a start page 2-4 with no edit open: the descent, attenuate
// with count 10 without the flat test, the pending messages served, the
// confirm proper (nothing recorded), the return. A page 5 without any jump
// leaves the frame as it is.
StepOutcome shorteningStep(Document& doc, const BandSplit& band, Progress& progress, ViewEvents& events);

// "自動　%d %d".
std::string automaticTitle(const AutomaticOperation& op);

// WM_APP + 1: the opening snapshots (slot 1 the selected channel, slot 2 the
// set-aside band while band editing) and gain. Returns the title.
std::string openAutomatic(Document& doc, EditSession& session, AutomaticOperation& op);

// 335 while idle: the batch snapshots (slots 3, 4) and gain, running.
// False when no batch can start here (running, or not on pages 2-4 without an edit).
bool beginBatch(Document& doc, AutomaticOperation& op);
// One turn of a batch, for the shell to run between its message pumps: the
// title shown, then a step unless a stop was asked. False once the batch has
// ended; its end-of-range message, if any, is then in events.message.
using ShowTitle = std::function<void(const std::string&)>;
bool batchTurn(Document& doc, AutomaticOperation& op, const BandSplit& band, Progress& progress,
               const ShowTitle& showTitle, ViewEvents& events);
// A whole batch: begin, then turns with the pending messages served between them.
void runBatch(Document& doc, AutomaticOperation& op, const BandSplit& band, Progress& progress,
              const ShowTitle& showTitle, ViewEvents& events);
// 335 while running: the batch ends before its next step.
void requestStop(AutomaticOperation& op);

// 337: the last batch taken back (slots 3, 4 and its gain). Returns the
// title, empty when there was nothing to cancel.
std::string cancelBatch(Document& doc, AutomaticOperation& op, ViewEvents& events);
// 338: restore kind 1 armed when anything was done; the dialog ends.
// False (the dialog stays) while a batch runs.
bool confirmAutomatic(Document& doc, EditSession& session, AutomaticOperation& op);

enum class CloseStep : uint8_t { stopRequested, ask, ended };
// WM_CLOSE: a running batch is asked to stop; with something done the
// question of closeQuestion() is to be asked; else it ends as 338.
CloseStep closeAutomatic(Document& doc, EditSession& session, AutomaticOperation& op);
Message automaticCloseQuestion();
// The answer: Yes keeps (as 338), No puts back everything since the dialog
// opened, Cancel keeps the dialog open. True when the dialog ends.
bool answerClose(Document& doc, EditSession& session, AutomaticOperation& op, Answer answer, ViewEvents& events);
