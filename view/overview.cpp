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

// Which top bytes occur in a column is collected first, byte by byte, and
// turned into rows once per column: the loop over the samples then does one
// load and one store per sample.
using Seen = uint8_t[256];

void seenToRows(const Seen& seen, uint8_t* rows, bool eightBit) {
    std::memset(rows, 0, kOverviewRows);
    for (int b = 0; b < 256; ++b)
        if (seen[b]) rows[overviewRow(uint8_t(b), eightBit)] = 1;
}

// Remakes columns [first, end) of one channel (right: only with `right`),
// or of both channels at once for a stereo file's full build. The end of
// the data is measured from the data start, so no column past the data is
// drawn as sound.
void markColumns(OverviewBitmaps& maps, int32_t first, int32_t end, const uint8_t* image, const WaveInfo& info,
                 uint32_t framesPerColumn, bool left, bool right) {
    const bool eightBit = info.bytesPerSample == 1;
    const uint32_t frameBytes = info.frameBytes;
    const uint64_t totalFrames = (info.dataEnd - info.dataOffset) / frameBytes;
    const uint8_t* top = image + info.dataOffset + info.bytesPerSample - 1;  // left sample's top byte
    const uint32_t rightStep = info.bytesPerSample;
    for (int32_t i = first; i < end; ++i) {
        const uint64_t firstFrame = uint64_t(framesPerColumn) * uint32_t(i);
        const uint64_t frames =
            firstFrame >= totalFrames ? 0 : std::min<uint64_t>(framesPerColumn, totalFrames - firstFrame);
        Seen seenLeft = {}, seenRight = {};
        const uint8_t* p = top + firstFrame * frameBytes;
        if (left && right) {
            uint64_t f = 0;
            for (; f + 4 <= frames; f += 4, p += 4 * frameBytes) {  // four frames per turn keep the loads flowing
                seenLeft[p[0]] = 1;
                seenRight[p[rightStep]] = 1;
                seenLeft[p[frameBytes]] = 1;
                seenRight[p[frameBytes + rightStep]] = 1;
                seenLeft[p[2 * frameBytes]] = 1;
                seenRight[p[2 * frameBytes + rightStep]] = 1;
                seenLeft[p[3 * frameBytes]] = 1;
                seenRight[p[3 * frameBytes + rightStep]] = 1;
            }
            for (; f < frames; ++f, p += frameBytes) {
                seenLeft[p[0]] = 1;
                seenRight[p[rightStep]] = 1;
            }
        } else {
            const uint8_t* q = right ? p + rightStep : p;
            Seen& seen = right ? seenRight : seenLeft;
            for (uint64_t f = 0; f < frames; ++f, q += frameBytes) seen[q[0]] = 1;
        }
        if (left) seenToRows(seenLeft, &maps.left[size_t(i) * kOverviewRows], eightBit);
        if (right) seenToRows(seenRight, &maps.right[size_t(i) * kOverviewRows], eightBit);
    }
}

// A stereo frame's two top bytes as one index into a 256 x 256 table: one
// store a frame instead of two. The left values are the table's rows that
// hold a mark, the right values its columns that do. Reading and clearing
// the table costs about as much as a few thousand frames, so only long
// columns go this way.
constexpr uint32_t kPairedFromFrames = 8192;
constexpr size_t kPairCount = 256 * 256;

// Eight marks at a time: the table is read 64 bits a word.
void pairsToRows(uint8_t* pairs, uint8_t* leftRows, uint8_t* rightRows, bool eightBit) {
    Seen seenLeft = {};
    uint64_t right[32] = {};
    for (int l = 0; l < 256; ++l) {
        uint8_t* row = pairs + size_t(l) * 256;
        uint64_t words[32];
        std::memcpy(words, row, 256);
        uint64_t any = 0;
        for (int k = 0; k < 32; ++k) {
            any |= words[k];
            right[k] |= words[k];
        }
        if (!any) continue;
        seenLeft[l] = 1;
        std::memset(row, 0, 256);
    }
    Seen seenRight;
    std::memcpy(seenRight, right, 256);
    seenToRows(seenLeft, leftRows, eightBit);
    seenToRows(seenRight, rightRows, eightBit);
}

void markColumnsPaired(OverviewBitmaps& maps, int32_t first, int32_t end, const uint8_t* image, const WaveInfo& info,
                       uint32_t framesPerColumn, uint8_t* pairs) {
    const bool eightBit = info.bytesPerSample == 1;
    const uint32_t frameBytes = info.frameBytes;
    const uint64_t totalFrames = (info.dataEnd - info.dataOffset) / frameBytes;
    const uint8_t* top = image + info.dataOffset + info.bytesPerSample - 1;
    const uint32_t rightStep = info.bytesPerSample;
    for (int32_t i = first; i < end; ++i) {
        const uint64_t firstFrame = uint64_t(framesPerColumn) * uint32_t(i);
        const uint64_t frames =
            firstFrame >= totalFrames ? 0 : std::min<uint64_t>(framesPerColumn, totalFrames - firstFrame);
        const uint8_t* p = top + firstFrame * frameBytes;
        uint64_t f = 0;
        if (frameBytes == 4) {  // 16-bit: the indices of a run of frames in vector operations, then the marks
            const uint8_t* frame = image + info.dataOffset + firstFrame * 4;
            uint16_t index[64];
            for (; f + 64 <= frames; f += 64, frame += 256, p += 256) {
                for (int j = 0; j < 64; ++j) {
                    uint32_t w;
                    std::memcpy(&w, frame + 4 * j, 4);
                    index[j] = uint16_t((w & 0xFF00u) | (w >> 24));
                }
                for (int j = 0; j < 64; ++j) pairs[index[j]] = 1;
            }
        }
        for (; f < frames; ++f, p += frameBytes) pairs[size_t(p[0]) << 8 | p[rightStep]] = 1;
        pairsToRows(pairs, &maps.left[size_t(i) * kOverviewRows], &maps.right[size_t(i) * kOverviewRows], eightBit);
    }
}

}  // namespace

void buildOverview(OverviewBitmaps& maps, const uint8_t* image, const WaveInfo& info, const ViewState& view,
                   Progress& progress) {
    const bool stereo = info.format.channels == 2;
    const int32_t width = view.screenWidth;
    maps.columns = width;
    maps.left.assign(size_t(width) * kOverviewRows, 0);
    if (stereo)
        maps.right.assign(size_t(width) * kOverviewRows, 0);
    else
        std::vector<uint8_t>().swap(maps.right);

    const uint32_t framesPerColumn = view.framesPerPixel[0];
    std::vector<uint8_t> pairs(stereo && framesPerColumn >= kPairedFromFrames ? kPairCount : 0);
    progress.open(ProgressKind::drawing);
    // One step per hundredth of the columns.
    for (int32_t k = 0; k < 100; ++k) {
        const int32_t first = width * k / 100, end = width * (k + 1) / 100;
        if (pairs.empty())
            markColumns(maps, first, end, image, info, framesPerColumn, true, stereo);
        else
            markColumnsPaired(maps, first, end, image, info, framesPerColumn, pairs.data());
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

void refreshOverviewChannel(OverviewBitmaps& maps, const uint8_t* image, const WaveInfo& info, const ViewState& view,
                            int channel) {
    if (maps.columns != view.screenWidth) return;  // built for another width: nothing of it is shown
    const bool right = channel == 1 && info.format.channels == 2;
    const int32_t first = std::clamp(view.zoomFrameLeft[0], 0, view.screenWidth);
    markColumns(maps, first, pageOneEndColumn(view, info), image, info, view.framesPerPixel[0], !right, right);
}

void renderOverview(std::vector<uint32_t>& pixels, const OverviewBitmaps& maps, const ViewState& view, bool stereo) {
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
