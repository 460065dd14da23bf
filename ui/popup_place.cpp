#include "ui/popup_place.h"

#include <algorithm>

ScreenRect placePopup(const ScreenRect& requested, const ScreenRect& desktop) {
    const int32_t width = requested.width();
    const int32_t height = requested.height();
    int32_t left = requested.left;
    int32_t top = requested.top;
    if (requested.right > desktop.right) left = desktop.right - width;
    if (requested.bottom > desktop.bottom) top = desktop.bottom - height;
    // A box larger than the desktop shows its top-left corner, where the text starts.
    left = std::max(left, desktop.left);
    top = std::max(top, desktop.top);
    return ScreenRect{left, top, left + width, top + height};
}

int32_t grownPopupHeight(int32_t requestedHeight, int32_t textHeight, int32_t textTop, int32_t borders) {
    return std::max(requestedHeight, textTop + textHeight + borders);
}
