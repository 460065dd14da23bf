#pragma once
// Band editing: the selected channel split into the band being edited and
// the band set aside in complementBand, which leaving adds back.
#include "document/document.h"
#include "document/view_events.h"

// Adds the set-aside band back into the selected channel (no test: every
// recorded step was tested for saturation). Nothing happens when off.
void leaveBandEditing(Document& doc, ViewEvents& events);
