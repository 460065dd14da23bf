#pragma once
// The three thread hooks of the user-interface thread: mouse,
// call-window-procedure-return and computer-based training.
#include <windows.h>

#include "common/unique_win.h"
#include "shortening/button_move.h"
#include "ui/command_bar_win.h"

struct HelpPopup;
struct PlaybackDialog;

// The program as the hooks reach it, filled by the main window. Places,
// not copies: they are read on every call, since a size change makes the
// edit view and its windows again.
struct HookTargets {
    HelpPopup* help = nullptr;
    PlaybackDialog* playback = nullptr;
    const HWND* edit = nullptr;
    const HWND* spectrum = nullptr;
    const HWND* automaticDialog = nullptr;
    const HWND* shorteningButton = nullptr;  // 344
    const CommandBar* bar = nullptr;
    bool* playResetArmed = nullptr;
    bool* movingFlag = nullptr;  // "caused by activating or moving"
    // 344's own grab point, set by its press and cleared by its release.
    const ButtonGrab* drag = nullptr;
    // Handed back to the calls below.
    void* program = nullptr;
    // The restore's life ended by a press: the history's disarm, then the bar.
    // With `restoreFollows` the posted 1050 still finds it armed and ends it
    // itself; only the button is disabled now.
    void (*disarmRestore)(void* program, bool restoreFollows) = nullptr;
    // The release a drag of 344 lost: ended as its own release would.
    void (*endShorteningDrag)(void* program) = nullptr;
};

struct ThreadHooks {
    HookTargets targets;
    UniqueHook mouse;
    UniqueHook callWindowReturn;
    UniqueHook cbt;
    ThreadHooks() = default;
    ThreadHooks(const ThreadHooks&) = delete;
    ThreadHooks& operator=(const ThreadHooks&) = delete;
    ~ThreadHooks();
};

// Installs mouse, call-window-procedure-return and CBT hooks, in this
// order, for `thread`, acting on hooks.targets; false when any cannot be installed.
bool installThreadHooks(ThreadHooks& hooks, DWORD thread);
void removeThreadHooks(ThreadHooks& hooks);
