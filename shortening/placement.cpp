#include "shortening/placement.h"

#include <algorithm>

namespace {

int32_t keepInside(int32_t at, int32_t size, int32_t low, int32_t high) {
    return std::max(low, std::min(at, high - size));  // the low edge wins when it cannot fit
}

}  // namespace

ScreenPoint automaticDialogOrigin(const AutomaticPlacement& remembered, const ScreenRect& editWindow,
                                  int32_t screenWidth, int32_t dialogWidth, int32_t dialogHeight,
                                  const ScreenRect& desktop) {
    ScreenPoint at;
    if (!remembered.dialog.empty() && remembered.editWindow.width() == editWindow.width()) {
        at.x = remembered.dialog.left + (editWindow.left - remembered.editWindow.left);
        at.y = remembered.dialog.top + (editWindow.top - remembered.editWindow.top);
    } else {
        at.x = editWindow.left + (editWindow.width() - screenWidth) + 640 - dialogWidth;
        at.y = editWindow.top;
    }
    at.x = keepInside(at.x, dialogWidth, desktop.left, desktop.right);
    at.y = keepInside(at.y, dialogHeight, desktop.top, desktop.bottom);
    return at;
}
