#include "view/display_windows.h"

#include <algorithm>

void drawDisplayWindow1(Document& doc, bool automaticDialogShown, int32_t width, int32_t height,
                        std::vector<uint32_t>& pixels) {
    const ViewState& v = doc.view;
    pixels.assign(size_t(width) * size_t(height), kDisplayGrey);
    const int32_t n = v.screenWidth / 8;
    int32_t s;
    if (v.shorteningStartPage != 0)
        s = v.zoomFrameLeft[size_t(v.shorteningStartPage)];
    else if (automaticDialogShown && v.page >= 1 && v.page <= 4)
        s = v.zoomFrameLeft[size_t(v.page)];
    else
        return;
    s = std::clamp(s, 0, v.screenWidth - n);  // only columns the pass kept
    std::fill(pixels.begin(), pixels.end(), kDisplayWhite);
    int32_t* values = doc.whiteWaveform.data() + s;
    const int32_t highest = *std::max_element(values, values + n);
    if (highest > height)
        for (int32_t i = 0; i < n; ++i) values[i] = std::max(values[i] - (highest - height), 0);
    for (int32_t i = 0; i < n && i < width; ++i)
        for (int32_t y = 0; y < values[i] && y < height; ++y) pixels[size_t(y) * size_t(width) + size_t(i)] = 0;
    for (uint32_t& p : pixels) p ^= 0xFFFFFF;  // white bars on black
}

void drawDisplayWindow2(const ViewState& view, const std::vector<uint32_t>& bitmap, int32_t bitmapWidth, int32_t width,
                        int32_t height, std::vector<uint32_t>& pixels) {
    pixels.assign(size_t(width) * size_t(height), 0);
    const int32_t copy = std::min({view.screenWidth / 8, bitmapWidth, width});
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < copy; ++x)
            if (size_t(y) * size_t(bitmapWidth) + size_t(x) < bitmap.size())
                pixels[size_t(y) * size_t(width) + size_t(x)] = bitmap[size_t(y) * size_t(bitmapWidth) + size_t(x)];
    auto invert = [&](int32_t from, int32_t count) {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = std::max(from, 0); x < from + count && x < width; ++x)
                pixels[size_t(y) * size_t(width) + size_t(x)] ^= 0xFFFFFF;
    };
    const int32_t four = view.zoomFrameLeft[3] / 8;
    invert(four, view.zoomFrameWidth[3] / 8);
    invert(four + view.zoomFrameLeft[4] / 64, view.zoomFrameWidth[4] / 64);
}

int shorteningButtonCell(bool shorteningActive, bool enlargeEnabled, bool attenuateEnabled, bool attenuateRepeating) {
    if (!shorteningActive || !attenuateEnabled) return 4;
    if (enlargeEnabled) return attenuateRepeating ? 3 : 1;
    return attenuateRepeating ? 2 : 0;
}
