#pragma once
// Where the help box shows: at the request when it fits, otherwise pushed
// back inside the desktop with its size kept.
#include <cstdint>

#include "shortening/placement.h"

ScreenRect placePopup(const ScreenRect& requested, const ScreenRect& desktop);

// The box's height grown to its text (the mapped font may wrap into more
// lines than the box was made for); never smaller than asked.
int32_t grownPopupHeight(int32_t requestedHeight, int32_t textHeight, int32_t textTop, int32_t borders);
