#pragma once
// Puts the overview picture on the main window and inverts the keyboard cursor line.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "view/overview.h"

// Blits `pixels` (width x kOverviewHeight) at the client origin, then the
// channel labels of stereo files in `font`.
void paintOverview(HDC dc, const std::vector<uint32_t>& pixels, int32_t width, bool stereo, HFONT font);
// Inverts (R2_NOT) rows 36..290 of `column`; twice restores the picture.
void invertCursorLine(HDC dc, int32_t column);
