#pragma once
// The three thread hooks of the user-interface thread: mouse,
// call-window-procedure-return and computer-based training.
#include <windows.h>

#include "common/unique_win.h"

struct HelpPopup;
struct PlaybackDialog;

struct ThreadHooks {
    UniqueHook mouse;
    UniqueHook callWindowReturn;
    UniqueHook cbt;
};

// Installs mouse, call-window-procedure-return and CBT hooks, in this
// order, for `thread`; false when any cannot be installed.
bool installThreadHooks(ThreadHooks& hooks, HelpPopup& help, PlaybackDialog& playback, DWORD thread);
// Removes them in the order they were installed.
void removeThreadHooks(ThreadHooks& hooks);
