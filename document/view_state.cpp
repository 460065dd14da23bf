#include "document/view_state.h"

#include <algorithm>

void buildScales(ViewState& view, const WaveInfo& file) {
    const uint32_t totalFrames = (file.dataEnd - file.dataOffset) / file.frameBytes;
    view.framesPerPixel = kFramesPerPixel;
    view.framesPerPixel[0] = totalFrames / uint32_t(view.screenWidth);
    if (view.framesPerPixel[0] == 0) view.framesPerPixel[0] = 1;  // a file shorter than the screen
    view.zoomFrameWidth[0] =
        int32_t(uint64_t(view.framesPerPixel[1]) * uint32_t(view.screenWidth) / view.framesPerPixel[0]);
    view.zoomFrameWidth[1] = view.screenWidth / 16;
    view.zoomFrameWidth[2] = view.zoomFrameWidth[3] = view.zoomFrameWidth[4] = view.screenWidth / 8;
    // A rescaled or resumed overview column must leave page 1 inside the overview.
    const int32_t highest = std::max(view.screenWidth - view.zoomFrameWidth[0] - 1, 0);
    view.zoomFrameLeft[0] = std::clamp(view.zoomFrameLeft[0], 0, highest);
}

uint32_t columnOffset(const ViewState& view, const WaveInfo& file, int32_t x, int p) {
    // 32-bit unsigned arithmetic, exact for every offset inside the image block.
    uint32_t offset = file.dataOffset;
    for (int i = 0; i < p; ++i) offset += view.framesPerPixel[i] * file.frameBytes * uint32_t(view.zoomFrameLeft[i]);
    return offset + view.framesPerPixel[p] * file.frameBytes * uint32_t(x);
}

int32_t offsetColumn(const ViewState& view, const WaveInfo& file, uint32_t offset, int p) {
    if (offset > columnOffset(view, file, view.screenWidth, p)) return -2;
    const uint32_t first = columnOffset(view, file, 0, p);
    if (offset < first) return -1;
    return int32_t((offset - first) / (view.framesPerPixel[p] * file.frameBytes));
}
