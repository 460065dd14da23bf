#pragma once
// The edit history: an edit opens on a marked frame, collects up to five
// recorded steps that can be stepped back and forward, and ends with confirm.
#include <array>
#include <cstdint>

#include "view/view_events.h"

struct Document;

struct FrameColumns {
    int32_t left = 0, right = 0;
};

struct History {
    int32_t undoIndex = 0;  // the slot workSamples currently equals
    int32_t redoLimit = 0;  // the highest slot a step forward may reach
    std::array<FrameColumns, 6> undoFrames{};
};

// Opens an edit on the current edit frame: slot 0 holds the state before it.
void openEdit(Document& doc, ViewEvents& events);
