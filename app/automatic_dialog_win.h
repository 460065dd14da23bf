#pragma once
// Dialog 204: the automatic shortening's batches, run while the user watches.
#include "app/edit_window_win.h"

// Modal over the edit window; returns when the user confirmed, discarded or
// closed with nothing done.
void runAutomaticDialog(EditWindow& w);
