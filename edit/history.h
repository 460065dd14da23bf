#pragma once
// The edit history: an edit opens on a marked frame, collects up to five
// recorded steps that can be stepped back and forward, and ends with confirm,
// which arms the restore button for the edit (or operation) just confirmed.
#include <cstdint>
#include <string>

#include "common/file_system.h"
#include "common/message.h"
#include "document/history_state.h"
#include "document/view_events.h"

struct Document;

// What the shell shows of the history.
struct HistoryLook {
    bool stepBackEnabled;     // 1001
    bool stepForwardEnabled;  // 1002
    bool restoreEnabled;      // 1050
    std::string counter;      // label 117, "%d/%d"
};
HistoryLook historyLook(const Document& doc);

// Opens an edit on the current edit frame: slot 0 holds the state before it.
void openEdit(Document& doc, ViewEvents& events);
// After an accepted tool run, insert or silence. With band editing on, a step
// whose restoration would saturate is undone instead (message in events).
// False when nothing was recorded.
bool recordStep(Document& doc, ViewEvents& events);
void stepBack(Document& doc, ViewEvents& events);
void stepForward(Document& doc, ViewEvents& events);

// 1022: arms restore kind 0 when there were steps, then the confirm proper.
void confirmEdit(Document& doc, ViewEvents& events, bool automaticDialogShown = false);
// The confirm itself, keeping whatever restore kind the caller recorded.
void confirmProper(Document& doc, ViewEvents& events, bool automaticDialogShown = false);
// The shortening paths: record kind 2 or 3 (only when there were steps).
void recordShorteningRestore(Document& doc, RestoreKind kind);
// The automatic operation: kind 1 with the page and gain it began with.
void recordAutomaticRestore(Document& doc, int32_t page, int32_t pageZoomLeft, int32_t openingGain);

// The mouse press that ends the restore's life, or an operation that changed
// what the restore point recorded.
void disarmRestore(Document& doc);
// The restore still fits the view.
bool restoreValid(const Document& doc);
// The question to ask (Yes/No, exclamation); empty when nothing can be restored.
Message restoreQuestion(const Document& doc);

// The question before a channel switch or a close with steps recorded.
Message confirmNeededQuestion(bool forChannelSwitch);
