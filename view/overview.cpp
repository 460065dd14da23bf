#include "view/overview.h"

#include <algorithm>
#include <cstring>

void OverviewBitmaps::release() {
    columns = 0;
    std::vector<uint8_t>().swap(left);
    std::vector<uint8_t>().swap(right);
}

int overviewRow(uint8_t high, bool eightBit) {
    const int value = eightBit ? int(high) - 128 : int(int8_t(high));
    // 128 - value runs 1..256; the bottom value would fall off the 256 rows
    // drawn, so the full negative peak shares the bottom row.
    return std::min(128 - value, kOverviewRows - 1);
}

namespace {

// Marks the rows of `frames` frames of one channel starting at `offset`
// (the sample's most significant byte), stopping at `end`.
void markColumn(uint8_t* rows, const uint8_t* image, uint64_t offset, uint64_t end, uint32_t frames,
                uint32_t frameBytes, bool eightBit) {
    for (uint32_t f = 0; f < frames && offset < end; ++f, offset += frameBytes)
        rows[overviewRow(image[offset], eightBit)] = 1;
}

// A 256-entry table would not pay here: the loop is memory bound.
void markChannel(std::vector<uint8_t>& map, int32_t firstColumn, int32_t endColumn, const uint8_t* image,
                 const WaveInfo& info, uint32_t framesPerColumn, uint32_t channelOffset) {
    const bool eightBit = info.bytesPerSample == 1;
    const uint64_t columnBytes = uint64_t(framesPerColumn) * info.frameBytes;
    // The end is measured from the data start, so no column past the data is drawn as sound.
    for (int32_t i = firstColumn; i < endColumn; ++i) {
        uint8_t* rows = &map[size_t(i) * kOverviewRows];
        std::memset(rows, 0, kOverviewRows);
        const uint64_t start = info.dataOffset + columnBytes * uint32_t(i) + channelOffset + info.bytesPerSample - 1;
        markColumn(rows, image, start, info.dataEnd, framesPerColumn, info.frameBytes, eightBit);
    }
}

}  // namespace

void buildOverview(OverviewBitmaps& maps, const uint8_t* image, const WaveInfo& info, const ViewState& view,
                   Progress& progress) {
    const bool stereo = info.format.channels == 2;
    const int32_t width = view.screenWidth;
    maps.columns = width;
    maps.left.assign(size_t(width) * kOverviewRows, 0);
    if (stereo) maps.right.assign(size_t(width) * kOverviewRows, 0);
    else std::vector<uint8_t>().swap(maps.right);

    progress.open(ProgressKind::drawing);
    // One step per hundredth of the columns.
    for (int32_t k = 0; k < 100; ++k) {
        const int32_t first = width * k / 100, end = width * (k + 1) / 100;
        markChannel(maps.left, first, end, image, info, view.framesPerPixel[0], 0);
        if (stereo) markChannel(maps.right, first, end, image, info, view.framesPerPixel[0], info.bytesPerSample);
        progress.step();
        progress.pump();
    }
    progress.close();
}

int32_t pageOneEndColumn(const ViewState& view, const WaveInfo& info) {
    // Measured from the data start; a partly covered last column counts.
    const uint64_t columnBytes = uint64_t(view.framesPerPixel[0]) * info.frameBytes;
    const uint64_t end = uint64_t(columnOffset(view, info, view.screenWidth, 1)) - info.dataOffset;
    return int32_t(std::min<uint64_t>((end + columnBytes - 1) / columnBytes, uint64_t(view.screenWidth)));
}

void refreshOverviewChannel(OverviewBitmaps& maps, const uint8_t* image, const WaveInfo& info,
                            const ViewState& view, int channel) {
    if (maps.columns != view.screenWidth) return;  // built for another width: nothing of it is shown
    const bool right = channel == 1 && info.format.channels == 2;
    std::vector<uint8_t>& map = right ? maps.right : maps.left;
    const int32_t first = std::clamp(view.zoomFrameLeft[0], 0, view.screenWidth);
    markChannel(map, first, pageOneEndColumn(view, info), image, info, view.framesPerPixel[0],
                right ? info.bytesPerSample : 0);
}

void renderOverview(std::vector<uint32_t>& pixels, const OverviewBitmaps& maps, const ViewState& view,
                    bool stereo) {
    const int32_t width = view.screenWidth;
    pixels.assign(size_t(width) * kOverviewHeight, kOverviewBlack);
    const int32_t frameFirst = view.zoomFrameLeft[0];
    const int32_t frameLast = view.zoomFrameLeft[0] + view.zoomFrameWidth[0] - 1;
    const int32_t columns = std::min(width, maps.columns);
    for (int32_t i = 0; i < columns; ++i) {
        const bool inFrame = i >= frameFirst && i <= frameLast;
        const uint32_t leftColour = inFrame && view.channel == 0 ? kOverviewMagenta : kOverviewGreen;
        const uint32_t rightColour = inFrame && view.channel == 1 ? kOverviewMagenta : kOverviewGreen;
        const uint8_t* l = &maps.left[size_t(i) * kOverviewRows];
        const uint8_t* r = stereo && !maps.right.empty() ? &maps.right[size_t(i) * kOverviewRows] : nullptr;
        for (int row = 0; row < kOverviewRows; ++row) {
            // Two rows of a map share one pixel row.
            if (l[row]) pixels[size_t(kOverviewLeftTop + row / 2) * width + i] = leftColour;
            if (r && r[row]) pixels[size_t(kOverviewRightTop + row / 2) * width + i] = rightColour;
        }
    }
}

uint64_t overviewColumnBytes(const ViewState& view, const WaveInfo& info, int32_t x) {
    return uint64_t(info.frameBytes) * view.framesPerPixel[0] * uint64_t(std::max(x, 0));
}

bool overviewClick(ViewState& view, bool stereo, int32_t x, int32_t y) {
    if (x < 0 || x > view.screenWidth - 1) return false;
    if (stereo) view.channel = y >= kOverviewRightFromRow ? 1 : 0;
    view.zoomFrameLeft[0] = x;
    return true;
}

int32_t overviewCursorStep(int32_t cursor, int32_t delta, int32_t screenWidth) {
    if (delta < 0 && cursor >= 1) return cursor - 1;
    if (delta > 0 && cursor <= screenWidth - 2) return cursor + 1;
    return cursor;
}

void overviewChannelKey(ViewState& view, bool stereo, bool down) {
    if (stereo) view.channel = down ? 1 : 0;
}

std::vector<OverviewLabel> overviewLabels(bool stereo) {
    if (!stereo) return {};
    return {{10, 21, " 左CH "}, {10, 291, " 右CH "}};
}
