#include "ui/hook_rules.h"

namespace {

bool isPress(uint32_t m) { return m == kMsgLeftDown || m == kMsgNcLeftDown; }
// A quick second press arrives as a double click (toolbars, title bars) and
// is a press wherever a press matters.
bool isAnyPress(uint32_t m) { return isPress(m) || m == kMsgLeftDouble || m == kMsgNcLeftDouble; }

}  // namespace

MouseHookActions decideMouse(const MouseHookInput& in, const MouseHookState& s) {
    MouseHookActions a;
    bool grabbing = s.grabbing;
    // A release another window took (a message box, an activation mid-drag)
    // would leave 344 following the pointer and every move swallowed.
    if (grabbing && s.leftButtonUp) {
        a.endDrag = true;
        grabbing = false;
    }
    if (grabbing && s.shorteningButtonShown) {
        if (in.message != kMsgMouseMove) return a;
        a.moveShorteningButton = true;
        a.shorteningButtonAt = HookPoint{in.pointer.x - s.grab.x, in.pointer.y - s.grab.y};
        a.moveCursor = true;
        a.setMovingFlag = true;
        a.swallow = true;
        return a;
    }
    if (s.playResetArmed && in.message == kMsgMouseMove && in.hit != HookHit::pager && in.hit != HookHit::playToolbar) {
        a.showPlayPairs = true;
        return a;
    }
    // Title and menu bars included: a press anywhere ends the playback and goes no further.
    if (s.playbackShown && isAnyPress(in.message)) {
        a.closePlayback = true;
        a.swallow = true;
        return a;
    }
    if (s.catcherShown) {
        a.hideHelp = isPress(in.message);
        a.swallow = true;
        return a;
    }
    if (s.restoreEnabled && isAnyPress(in.message)) {
        if (in.hit == HookHit::helpButton) {
            a.sendHelpCommand = true;
            a.swallow = true;
            return a;
        }
        a.postRestoreCommand = in.hit == HookHit::restoreButton;
        a.disableRestore = true;
    }
    return a;
}

bool movingFlagAfterReturn(bool flag, uint32_t message, bool programWindow) {
    return flag || (programWindow && (message == kMsgSizing || message == kMsgMoving));
}

bool movingFlagAfterCbt(bool flag, int code) { return code == kCbtMoveSize ? false : flag; }
