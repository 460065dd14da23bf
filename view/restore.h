#pragma once
// The restore button's work after its question was answered Yes: the state
// put back, and for the shortening kinds the view navigated back to it.
#include "common/file_system.h"
#include "document/document.h"
#include "document/view_events.h"
#include "edit/band_mode.h"

// False (nothing changed) when the restore no longer fits the view.
bool applyRestore(Document& doc, FileSystem& fs, const BandSplit& band, ViewEvents& events);
