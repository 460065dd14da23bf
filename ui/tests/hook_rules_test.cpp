#include "ui/hook_rules.h"

#include <gtest/gtest.h>

#include "ui/popup_place.h"

namespace {

struct PlaceCase {
    const char* name;
    ScreenRect requested, want;
};

TEST(PopupPlace, StaysInsideTheDesktopWithItsSize) {
    const ScreenRect desktop{0, 0, 1600, 1000};
    const PlaceCase cases[] = {
        {"fits", {100, 200, 330, 237}, {100, 200, 330, 237}},
        {"right edge exactly", {1370, 200, 1600, 237}, {1370, 200, 1600, 237}},
        {"past the right", {1371, 200, 1601, 237}, {1370, 200, 1600, 237}},
        {"bottom edge exactly", {100, 950, 360, 1000}, {100, 950, 360, 1000}},
        {"past the bottom", {100, 990, 360, 1040}, {100, 950, 360, 1000}},
        {"past both", {1500, 990, 1760, 1040}, {1340, 950, 1600, 1000}},
        {"wider and taller than the desktop", {5, 5, 1705, 1105}, {0, 0, 1700, 1100}},
    };
    for (const PlaceCase& c : cases) {
        const ScreenRect got = placePopup(c.requested, desktop);
        EXPECT_EQ(got.left, c.want.left) << c.name;
        EXPECT_EQ(got.top, c.want.top) << c.name;
        EXPECT_EQ(got.right, c.want.right) << c.name;
        EXPECT_EQ(got.bottom, c.want.bottom) << c.name;
    }
    const ScreenRect offset = placePopup({-50, -20, 180, 17}, {-100, -40, 1500, 960});
    EXPECT_EQ(offset.left, -50);
    EXPECT_EQ(offset.top, -20);
}

TEST(PopupPlace, GrowsToItsTextOnly) {
    EXPECT_EQ(grownPopupHeight(37, 24, 5, 2), 37);
    EXPECT_EQ(grownPopupHeight(37, 30, 5, 2), 37);
    EXPECT_EQ(grownPopupHeight(37, 31, 5, 2), 38);
    EXPECT_EQ(grownPopupHeight(50, 48, 5, 2), 55);
}

MouseHookState armed() {
    MouseHookState s;
    s.restoreEnabled = true;
    return s;
}

std::string acts(const MouseHookActions& a) {
    std::string out;
    auto add = [&](bool on, const char* name) {
        if (on) out += std::string(out.empty() ? "" : " ") + name;
    };
    add(a.endDrag, "endDrag");
    add(a.moveShorteningButton, "move344");
    add(a.moveCursor, "cursor");
    add(a.setMovingFlag, "flag");
    add(a.showPlayPairs, "pairs");
    add(a.closePlayback, "closePlayback");
    add(a.hideHelp, "hideHelp");
    add(a.sendHelpCommand, "send7050");
    add(a.postRestoreCommand, "post1050");
    add(a.disableRestore, "disable1050");
    add(a.swallow, "swallow");
    return out;
}

struct DecideCase {
    const char* name;
    MouseHookState state;
    MouseHookInput input;
    const char* want;
};

TEST(MouseHook, DecidesEachBranchInOrder) {
    MouseHookState drag = armed();
    drag.shorteningButtonShown = drag.grabbing = true;
    drag.grab = {30, 8};
    drag.playResetArmed = drag.playbackShown = drag.catcherShown = true;
    MouseHookState dropped = drag;
    dropped.leftButtonUp = true;
    MouseHookState hiddenDrag = drag;
    hiddenDrag.shorteningButtonShown = hiddenDrag.catcherShown = hiddenDrag.playbackShown = false;
    MouseHookState reset = armed();
    reset.playResetArmed = reset.playbackShown = true;
    MouseHookState playing = armed();
    playing.playbackShown = playing.catcherShown = true;
    MouseHookState help = armed();
    help.catcherShown = true;
    const DecideCase cases[] = {
        {"drag moves by pointer - grab",
         drag,
         {kMsgMouseMove, {300, 70}, HookHit::other},
         "move344 cursor flag swallow"},
        {"drag passes presses on", drag, {kMsgLeftDown, {300, 70}, HookHit::restoreButton}, ""},
        {"drag with the button up ends", dropped, {kMsgMouseMove, {300, 70}, HookHit::other}, "endDrag pairs"},
        {"ended drag, then a press", dropped, {kMsgLeftDown, {1, 1}, HookHit::other}, "endDrag closePlayback swallow"},
        {"hidden 344 is not moved", hiddenDrag, {kMsgMouseMove, {300, 70}, HookHit::other}, "pairs"},
        {"reset: a move off the pager", reset, {kMsgMouseMove, {5, 5}, HookHit::other}, "pairs"},
        {"reset: a move over the pager", reset, {kMsgMouseMove, {5, 5}, HookHit::pager}, ""},
        {"reset: a move over 107", reset, {kMsgMouseMove, {5, 5}, HookHit::playToolbar}, ""},
        {"reset: no move", reset, {kMsgNcMouseMove, {5, 5}, HookHit::other}, ""},
        {"reset: a press stops the playback", reset, {kMsgLeftDown, {5, 5}, HookHit::pager}, "closePlayback swallow"},
        {"playback: title bar", playing, {kMsgNcLeftDown, {5, 5}, HookHit::other}, "closePlayback swallow"},
        {"playback: double click", playing, {kMsgLeftDouble, {5, 5}, HookHit::other}, "closePlayback swallow"},
        {"playback: a move", playing, {kMsgMouseMove, {5, 5}, HookHit::other}, "swallow"},
        {"catcher: left press", help, {kMsgLeftDown, {5, 5}, HookHit::restoreButton}, "hideHelp swallow"},
        {"catcher: title bar", help, {kMsgNcLeftDown, {5, 5}, HookHit::other}, "hideHelp swallow"},
        {"catcher: right press", help, {kMsgRightDown, {5, 5}, HookHit::other}, "swallow"},
        {"catcher: a move", help, {kMsgMouseMove, {5, 5}, HookHit::other}, "swallow"},
        {"restore: right press", armed(), {kMsgRightDown, {5, 5}, HookHit::restoreButton}, ""},
        {"restore: a move", armed(), {kMsgMouseMove, {5, 5}, HookHit::restoreButton}, ""},
        {"restore: help button", armed(), {kMsgLeftDown, {5, 5}, HookHit::helpButton}, "send7050 swallow"},
        {"restore: its button", armed(), {kMsgLeftDown, {5, 5}, HookHit::restoreButton}, "post1050 disable1050"},
        {"restore: its button twice",
         armed(),
         {kMsgLeftDouble, {5, 5}, HookHit::restoreButton},
         "post1050 disable1050"},
        {"restore: the waveform", armed(), {kMsgLeftDown, {5, 5}, HookHit::other}, "disable1050"},
        {"restore: a title bar", armed(), {kMsgNcLeftDown, {5, 5}, HookHit::other}, "disable1050"},
        {"not armed: help button", MouseHookState{}, {kMsgLeftDown, {5, 5}, HookHit::helpButton}, ""},
    };
    for (const DecideCase& c : cases) {
        const MouseHookActions a = decideMouse(c.input, c.state);
        EXPECT_EQ(acts(a), c.want) << c.name;
        if (a.moveShorteningButton) {
            EXPECT_EQ(a.shorteningButtonAt.x, 270) << c.name;
            EXPECT_EQ(a.shorteningButtonAt.y, 62) << c.name;
        }
    }
}

TEST(MouseHook, MovingFlagFollowsSizingMovingAndMoveSize) {
    EXPECT_TRUE(movingFlagAfterReturn(false, kMsgSizing, true));
    EXPECT_TRUE(movingFlagAfterReturn(false, kMsgMoving, true));
    EXPECT_FALSE(movingFlagAfterReturn(false, kMsgMoving, false));
    EXPECT_FALSE(movingFlagAfterReturn(false, 0x0003, true));  // WM_MOVE: not while moving
    EXPECT_TRUE(movingFlagAfterReturn(true, 0x0003, false));
    EXPECT_FALSE(movingFlagAfterCbt(true, kCbtMoveSize));
    EXPECT_TRUE(movingFlagAfterCbt(true, 5));  // HCBT_ACTIVATE leaves it
    EXPECT_FALSE(movingFlagAfterCbt(false, 3));
}

}  // namespace
