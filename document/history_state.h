#pragma once
// The edit history's record: the slots' frames, the step counters and the
// restore point. The operations are the edit layer's (edit/history.h).
#include <array>
#include <cstdint>

#include "document/view_state.h"

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
    std::array<int32_t, 6> zoomFrameLeft{};  // kinds 1-3
    FrameColumns frame;
    uint32_t frameStart = 0, frameEnd = 0;
    int32_t page = 0;          // kind 1: the page of the operation; kind 0: the page confirmed on
    int32_t pageZoomLeft = 0;  // kind 1: zoomFrameLeft of that page
    int32_t gainShift = 0;     // kind 0: in force at confirm; kind 1: when the operation began
    GainPlace gainPlace{};     // kind 0: the samples that gain multiplied
    bool bandEditing = false;  // kinds 0, 1: the channel held the edited band
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
