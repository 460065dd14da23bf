#pragma once
// What the thread hooks do, free of windows: the mouse hook's decision for
// one mouse message, and the "caused by activating or moving" flag, which
// tells the edit window that its next repaint changes no content.
#include <cstdint>

// Mouse messages as the hook receives them.
constexpr uint32_t kMsgMouseMove = 0x0200;
constexpr uint32_t kMsgLeftDown = 0x0201;
constexpr uint32_t kMsgLeftDouble = 0x0203;
constexpr uint32_t kMsgRightDown = 0x0204;
constexpr uint32_t kMsgNcMouseMove = 0x00A0;
constexpr uint32_t kMsgNcLeftDown = 0x00A1;
constexpr uint32_t kMsgNcLeftDouble = 0x00A3;
// Returned by a window procedure while its window is sized or moved.
constexpr uint32_t kMsgSizing = 532;
constexpr uint32_t kMsgMoving = 534;
// The CBT code of a window about to be moved or sized.
constexpr int kCbtMoveSize = 0;

// The control under the pointer, as far as the hook tells them apart.
enum class HookHit : uint8_t {
    other,
    pager,          // 124
    playToolbar,    // 107
    helpButton,     // 1030 of toolbar 104
    restoreButton,  // 1050 of toolbar 106
};

struct HookPoint {
    int32_t x = 0, y = 0;
};

struct MouseHookState {
    bool shorteningButtonShown = false;  // 344
    bool grabbing = false;               // a drag of 344 remembered its grab point
    HookPoint grab;                      // in 344's client coordinates
    bool leftButtonUp = false;           // the device's left button, now
    bool playResetArmed = false;
    bool playbackShown = false;
    bool catcherShown = false;
    bool restoreEnabled = false;  // 1050
};

struct MouseHookInput {
    uint32_t message = 0;
    HookPoint pointer;  // in the edit window's client coordinates
    HookHit hit = HookHit::other;
};

struct MouseHookActions {
    bool swallow = false;
    bool endDrag = false;  // the release went elsewhere: end it as the release does
    bool moveShorteningButton = false;
    HookPoint shorteningButtonAt;  // its new top-left, edit-window client coordinates
    bool moveCursor = false;       // the four-way arrow
    bool setMovingFlag = false;
    bool showPlayPairs = false;  // unhide 1023-1026 and disarm the reset
    bool closePlayback = false;
    bool hideHelp = false;            // the catcher and the popup
    bool sendHelpCommand = false;     // 7050 to the edit window
    bool postRestoreCommand = false;  // 1050 to the edit window
    bool disableRestore = false;
};

MouseHookActions decideMouse(const MouseHookInput& input, const MouseHookState& state);

// The flag after a window procedure returned `message`; `programWindow`: the
// edit window, the spectrum window, the playback or the automatic dialog.
bool movingFlagAfterReturn(bool flag, uint32_t message, bool programWindow);
// The flag after a CBT notification with `code`.
bool movingFlagAfterCbt(bool flag, int code);
