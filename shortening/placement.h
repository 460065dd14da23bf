#pragma once
// Where the automatic-operation dialog opens: beside the waveform's right
// end the first time, then where the user left it, following the edit window.
#include <cstdint>

struct ScreenRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
};

// Rectangles remembered when the dialog last ended; empty before that.
struct AutomaticPlacement {
    ScreenRect dialog;
    ScreenRect editWindow;
};

// The dialog's top-left corner, kept inside the desktop.
struct ScreenPoint {
    int32_t x = 0, y = 0;
};
ScreenPoint automaticDialogOrigin(const AutomaticPlacement& remembered, const ScreenRect& editWindow,
                                  int32_t screenWidth, int32_t dialogWidth, int32_t dialogHeight,
                                  const ScreenRect& desktop);
