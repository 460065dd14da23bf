#pragma once
// The two small display windows of the rebar and the shortening button's image.
#include <cstdint>
#include <vector>

#include "document/document.h"

constexpr uint32_t kDisplayGrey = 0x808080;  // the grey stock brush
constexpr uint32_t kDisplayWhite = 0xFFFFFF;

// Display window 1: the kept white waveform of the return page's zoom frame,
// white bars on black, grey while there is nothing to show. Values taller
// than the window are lowered by the excess, and stay lowered.
void drawDisplayWindow1(Document& doc, bool automaticDialogShown, int32_t width, int32_t height,
                        std::vector<uint32_t>& pixels);
// Display window 2: a miniature of page 3 (`bitmap`, row-major, bitmapWidth
// wide, at least `height` rows) with page 4's stretch inverted at 1/8 and
// page 5's inside it at 1/64.
void drawDisplayWindow2(const ViewState& view, const std::vector<uint32_t>& bitmap, int32_t bitmapWidth, int32_t width,
                        int32_t height, std::vector<uint32_t>& pixels);
// The cell (75 x 21) of the shortening button's strip to show.
int shorteningButtonCell(bool shorteningActive, bool enlargeEnabled, bool attenuateEnabled, bool attenuateRepeating);
