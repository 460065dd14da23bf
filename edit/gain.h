#pragma once
// The display gain: the selected channel's samples of a page's columns are
// held multiplied by 2^gainShift (on page 1 in the image, else in workSamples).
#include "document/document.h"
#include "document/view_events.h"

// Applies shift k over page p's columns, limited by the page's headroom.
void applyGain(Document& doc, int32_t k, int p, ViewEvents& events);
// Restores the unshifted samples where the gain is held; gainShift becomes 0.
void removeGain(Document& doc, ViewEvents& events);
// The samples page p's gain would multiply.
GainPlace gainPlaceOf(const Document& doc, int p);
// Gain buttons: one step down (1035) or up (1036); refused while an edit is open.
void gainDown(Document& doc, ViewEvents& events);
void gainUp(Document& doc, ViewEvents& events);
