#include "ui/hooks_win.h"

#include "playback/playback_dialog_win.h"
#include "ui/help_popup_win.h"

namespace {

// A hook procedure gets no user data: this is the one way back to the program's state.
HelpPopup* gHelp = nullptr;
PlaybackDialog* gPlayback = nullptr;

bool isPress(WPARAM message) { return message == WM_LBUTTONDOWN || message == WM_NCLBUTTONDOWN; }
// A double click's second press arrives as one of its own (toolbars, title bars).
bool isAnyPress(WPARAM message) {
    return isPress(message) || message == WM_LBUTTONDBLCLK || message == WM_NCLBUTTONDBLCLK;
}

LRESULT CALLBACK mouseHook(int code, WPARAM wp, LPARAM lp) {
    // A press anywhere stops a playback, the title and menu bars included,
    // and goes no further: a click on the overview does not move its frame.
    if (code >= 0 && gPlayback && isAnyPress(wp) && playbackShown(*gPlayback)) {
        stopPlaybackDialog(*gPlayback);
        return 1;
    }
    // While the help box is up every mouse message is swallowed; the first
    // press anywhere closes it, so it behaves as a note that any click dismisses.
    if (code >= 0 && gHelp && gHelp->nullWindow && IsWindowVisible(gHelp->nullWindow)) {
        if (isPress(wp)) hideHelp(*gHelp);
        return 1;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK callWindowReturnHook(int code, WPARAM wp, LPARAM lp) { return CallNextHookEx(nullptr, code, wp, lp); }

LRESULT CALLBACK cbtHook(int code, WPARAM wp, LPARAM lp) { return CallNextHookEx(nullptr, code, wp, lp); }

}  // namespace

bool installThreadHooks(ThreadHooks& hooks, HelpPopup& help, PlaybackDialog& playback, DWORD thread) {
    gHelp = &help;
    gPlayback = &playback;
    hooks.mouse.reset(SetWindowsHookExW(WH_MOUSE, mouseHook, nullptr, thread));
    if (!hooks.mouse) return false;
    hooks.callWindowReturn.reset(SetWindowsHookExW(WH_CALLWNDPROCRET, callWindowReturnHook, nullptr, thread));
    if (!hooks.callWindowReturn) return false;
    hooks.cbt.reset(SetWindowsHookExW(WH_CBT, cbtHook, nullptr, thread));
    return static_cast<bool>(hooks.cbt);
}

void removeThreadHooks(ThreadHooks& hooks) {
    hooks.mouse.reset();
    hooks.callWindowReturn.reset();
    hooks.cbt.reset();
    gHelp = nullptr;
    gPlayback = nullptr;
}
