#pragma once
// The attenuate half of the shortening button window as a timer-driven
// machine: the shell enters on the pointer's arrival, ticks every 100 ms and
// leaves when the pointer is gone; nothing here waits.
#include <cstdint>

#include "document/document.h"
#include "document/view_events.h"
#include "edit/tools.h"
#include "view/edit_session.h"

struct Hover {
    bool attenuating = false;  // drawn in the button's image
    int32_t count = 0;         // applications made during this hover
    ToolRun run;
};

// The pointer reached the attenuate half with shortening active and an edit
// open: restore disarmed (1050), one application at once. False (nothing
// started) otherwise or when already hovering.
bool hoverEnter(Document& doc, const EditSession& session, Hover& hover, TickResult& first);
// One application of attenuate (count 1). A flat frame attenuated anyway is
// counted like a success: its change belongs in the history.
TickResult hoverTick(Document& doc, const EditSession& session, Hover& hover);
// The pointer left: one step recorded for the whole hover when anything
// was applied. True when a step was recorded.
bool hoverLeave(Document& doc, Hover& hover, ViewEvents& events);
