#pragma once
// The edit history: an edit opens on a marked frame, collects up to five
// recorded steps that can be stepped back and forward, and ends with confirm,
// which arms the restore button for the edit (or operation) just confirmed.
#include <array>
#include <cstdint>
#include <string>

#include "common/file_system.h"
#include "common/message.h"
#include "view/view_events.h"
#include "view/view_state.h"

struct Document;

struct FrameColumns {
    int32_t left = 0, right = 0;
};

enum class RestoreKind : uint8_t {
    edit = 0,              // a normal confirm (1022)
    automatic = 1,         // a confirmed automatic shortening operation
    shorteningRepeat = 2,  // a repeat of the manual shortening operation
    shorteningEnd = 3,     // the manual shortening operation ended
};

// What a restore needs, and the view it was taken in: a restore that no
// longer fits the view is refused rather than mixing channels or gains.
struct RestorePoint {
    int32_t undoIndex = 0, redoLimit = 0;
    bool editFramePresent = false;
    std::array<int32_t, 6> zoomFrameLeft{};
    FrameColumns frame;
    uint32_t frameStart = 0, frameEnd = 0;
    int32_t page = 0;          // kind 1: the page of the operation; kind 0: the page confirmed on
    int32_t pageZoomLeft = 0;  // kind 1: zoomFrameLeft of that page
    int32_t gainShift = 0;     // kind 0: in force at confirm; kind 1: when the operation began
    GainPlace gainPlace{};     // kind 0: the samples that gain multiplied
    bool bandEditing = false;  // kind 0: the channel held the edited band
    int32_t channel = 0;
    uint32_t workOrigin = 0;
};

struct History {
    int32_t undoIndex = 0;  // the slot workSamples currently equals
    int32_t redoLimit = 0;  // the highest slot a step forward may reach
    std::array<FrameColumns, 6> undoFrames{};
    RestoreKind restoreKind = RestoreKind::edit;
    bool restoreArmed = false;  // button 1050 enabled
    RestorePoint point;
};

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
// After Yes. False (nothing changed) when the restore no longer fits.
bool applyRestore(Document& doc, FileSystem& fs, ViewEvents& events);

// The question before a channel switch or a close with steps recorded.
Message confirmNeededQuestion(bool forChannelSwitch);
