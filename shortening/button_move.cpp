#include "shortening/button_move.h"

#include <algorithm>

namespace {

constexpr int32_t kMoveTop = 62;     // the waveform's first row
constexpr int32_t kMoveBottom = 20;  // the status line
constexpr int32_t kEdgeGap = 10;

}  // namespace

ButtonHalf buttonHalf(int32_t x, int32_t width) {
    if (x < kShorteningButtonHalf) return ButtonHalf::repeat;
    if (x >= width - kShorteningButtonHalf) return ButtonHalf::attenuate;
    return ButtonHalf::between;
}

ScreenRect buttonMoveClip(const ScreenRect& clientOnScreen, const ScreenRect& desktop) {
    ScreenRect r = clientOnScreen;
    r.top = clientOnScreen.top + kMoveTop;
    r.bottom = std::max(r.top, clientOnScreen.bottom - kMoveBottom);
    r.right = std::min(r.right, desktop.right);
    return r;
}

ButtonDrop buttonDrop(int32_t pointerX, const ButtonGrab& grab, const ScreenRect& editWindow,
                      const ScreenPoint& clientOrigin, int32_t width) {
    const int32_t low = editWindow.left + kEdgeGap;
    const int32_t high = editWindow.right - width - kEdgeGap;
    const int32_t left = std::max(low, std::min(pointerX - grab.x, high));  // the left edge wins when it cannot fit
    ButtonDrop drop;
    drop.client = {left - clientOrigin.x, kShorteningButtonRow};
    drop.pointer = {left + grab.x, clientOrigin.y + kShorteningButtonRow + grab.y};
    return drop;
}
