#pragma once
// Descending to the loudest click: from the current page down to page 5,
// each deeper zoom frame centred on the white waveform's maximum, ending
// with an edit frame of eight frames around the sharpest jump.
#include "document/document.h"
#include "document/view_events.h"
#include "edit/band_mode.h"

// The automatic-operation dialog reports a stuck maximum itself, after its batch.
void descendToLoudest(Document& doc, ViewEvents& events, bool automaticDialogShown = false);
// Back to the page the descent started from, in band editing again when
// the descent left it.
void returnFromDescent(Document& doc, const BandSplit& band, ViewEvents& events);
