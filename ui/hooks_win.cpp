#include "ui/hooks_win.h"

#include "playback/playback_dialog_win.h"
#include "ui/command_ids.h"
#include "ui/help_popup_win.h"
#include "ui/hook_rules.h"

namespace {

// A hook procedure gets no user data: this is the one way back to the program.
const HookTargets* gTargets = nullptr;

HWND windowAt(const HWND* place) { return place ? *place : nullptr; }

bool overButton(const CommandBar& bar, HWND window, int command, POINT screen) {
    RECT r{};
    return window == toolbarOf(bar, command) && buttonScreenRect(bar, command, r) && PtInRect(&r, screen);
}

HookHit hitOf(const HookTargets& t, HWND window, POINT screen) {
    if (!t.bar || !t.bar->rebar || !window) return HookHit::other;
    const CommandBar& bar = *t.bar;
    if (window == bar.pager) return HookHit::pager;
    if (window == toolbarById(bar, kCtlToolbarPlay)) return HookHit::playToolbar;
    if (overButton(bar, window, kCmdHelp, screen)) return HookHit::helpButton;
    if (overButton(bar, window, kCmdRestore, screen)) return HookHit::restoreButton;
    return HookHit::other;
}

// Mouse buttons as the device has them: GetAsyncKeyState reads the physical ones.
bool leftButtonUp() {
    const int key = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(key) & 0x8000) == 0;
}

MouseHookState stateOf(const HookTargets& t) {
    MouseHookState s;
    const HWND button = windowAt(t.shorteningButton);
    s.shorteningButtonShown = button && IsWindowVisible(button);
    if (t.drag && t.drag->held) {
        s.grabbing = true;
        s.grab = HookPoint{t.drag->x, t.drag->y};
        s.leftButtonUp = leftButtonUp();
    }
    s.playResetArmed = t.playResetArmed && *t.playResetArmed;
    s.playbackShown = t.playback && playbackShown(*t.playback);
    s.catcherShown = t.help && catcherShown(*t.help);
    HWND confirmBar = t.bar ? toolbarOf(*t.bar, kCmdRestore) : nullptr;
    s.restoreEnabled = confirmBar && SendMessageW(confirmBar, TB_ISBUTTONENABLED, kCmdRestore, 0);
    return s;
}

void showPlayPairs(const HookTargets& t) {
    *t.playResetArmed = false;
    HWND play = t.bar ? toolbarById(*t.bar, kCtlToolbarPlay) : nullptr;
    if (!play) return;
    for (int command : {kCmdPlayPage, kCmdPlayFromFrame, kCmdPlayPageHalf, kCmdPlayFromFrameHalf})
        SendMessageW(play, TB_HIDEBUTTON, WPARAM(command), MAKELPARAM(FALSE, 0));
}

// 344 follows the pointer, the grab point staying under it.
void followPointer(const HookTargets& t, HookPoint at) {
    const HWND button = windowAt(t.shorteningButton);
    SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
    SetWindowPos(button, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(button, nullptr, FALSE);
}

void act(const HookTargets& t, const MouseHookActions& a) {
    const HWND edit = windowAt(t.edit);
    if (a.endDrag && t.endShorteningDrag) t.endShorteningDrag(t.program);
    if (a.moveShorteningButton) followPointer(t, a.shorteningButtonAt);
    if (a.setMovingFlag && t.movingFlag) *t.movingFlag = true;
    if (a.showPlayPairs) showPlayPairs(t);
    if (a.closePlayback) stopPlaybackDialog(*t.playback);
    if (a.hideHelp) hideHelp(*t.help);
    // Both posted. The help may ask in a message box, whose loop would meet
    // this very press again, not yet taken from the queue, and end the
    // restore's life after all. The restore's press passes on first, to a
    // button already disabled.
    if (a.sendHelpCommand && edit) PostMessageW(edit, WM_COMMAND, kCmdHelpFile, 0);
    if (a.postRestoreCommand && edit) PostMessageW(edit, WM_COMMAND, kCmdRestore, 0);
    if (a.disableRestore && t.disarmRestore) t.disarmRestore(t.program, a.postRestoreCommand);
}

LRESULT CALLBACK mouseHook(int code, WPARAM wp, LPARAM lp) {
    if (code < 0 || !gTargets) return CallNextHookEx(nullptr, code, wp, lp);
    const HookTargets& t = *gTargets;
    const auto& mouse = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lp);
    POINT client = mouse.pt;
    if (const HWND edit = windowAt(t.edit)) ScreenToClient(edit, &client);
    const MouseHookInput input{uint32_t(wp), HookPoint{client.x, client.y}, hitOf(t, mouse.hwnd, mouse.pt)};
    const MouseHookActions actions = decideMouse(input, stateOf(t));
    // A message only peeked at comes back to be taken, unless swallowed now:
    // act once, when it is taken.
    if (code == HC_ACTION || actions.swallow) act(t, actions);
    return actions.swallow ? 1 : CallNextHookEx(nullptr, code, wp, lp);
}

bool programWindow(const HookTargets& t, HWND window) {
    if (!window) return false;
    return window == windowAt(t.edit) || window == windowAt(t.spectrum) || window == windowAt(t.automaticDialog) ||
           (t.playback && window == t.playback->hwnd);
}

LRESULT CALLBACK callWindowReturnHook(int code, WPARAM wp, LPARAM lp) {
    if (code >= 0 && gTargets && gTargets->movingFlag) {
        const auto& ret = *reinterpret_cast<const CWPRETSTRUCT*>(lp);
        bool& flag = *gTargets->movingFlag;
        flag = movingFlagAfterReturn(flag, ret.message, programWindow(*gTargets, ret.hwnd));
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Its answer decides whether a move, a creation or an activation may
// happen: always the next hook's.
LRESULT CALLBACK cbtHook(int code, WPARAM wp, LPARAM lp) {
    if (gTargets && gTargets->movingFlag) *gTargets->movingFlag = movingFlagAfterCbt(*gTargets->movingFlag, code);
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

ThreadHooks::~ThreadHooks() { removeThreadHooks(*this); }

bool installThreadHooks(ThreadHooks& hooks, DWORD thread) {
    gTargets = &hooks.targets;
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
    if (gTargets == &hooks.targets) gTargets = nullptr;
}
