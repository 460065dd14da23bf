#pragma once
// The shortening button window (344): which half the pointer is on, and its
// move while shortening is inactive. The grab point is kept where the mouse
// hook can read it to move the window with the pointer.
#include <cstdint>

#include "shortening/placement.h"

constexpr int32_t kShorteningButtonWidth = 75;
constexpr int32_t kShorteningButtonHeight = 21;
constexpr int32_t kShorteningButtonRow = 64;  // edit-window client row, wherever it is moved
constexpr int32_t kShorteningButtonHalf = 35;

enum class ButtonHalf : uint8_t { repeat, attenuate, between };
// x in the button's client coordinates: the left and the right 35 pixels.
ButtonHalf buttonHalf(int32_t x, int32_t width);

// A move in progress: the grab point in the button's client coordinates.
struct ButtonGrab {
    bool held = false;
    int32_t x = 0, y = 0;
};

// Where the pointer is kept during the move: the edit window's client area
// from row 62 to 20 rows above its bottom, not past the desktop's right edge.
ScreenRect buttonMoveClip(const ScreenRect& clientOnScreen, const ScreenRect& desktop);

// Where the release puts the button and the pointer.
struct ButtonDrop {
    ScreenPoint client;   // the button's new position in the edit window's client coordinates
    ScreenPoint pointer;  // the grab point again, on the screen
};
// `pointerX` on the screen; `editWindow` the edit window's outer rectangle;
// `clientOrigin` its client area's top-left on the screen. The left edge is
// kept 10 pixels inside the window's outer edges.
ButtonDrop buttonDrop(int32_t pointerX, const ButtonGrab& grab, const ScreenRect& editWindow,
                      const ScreenPoint& clientOrigin, int32_t width);
