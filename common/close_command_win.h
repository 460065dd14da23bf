#pragma once
#include <windows.h>

// Enables or greys the close command of a window's system menu (and so its
// close box), then redraws the caption.
void enableCloseCommand(HWND window, bool enabled);
