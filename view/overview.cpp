#include "view/overview.h"

#include <algorithm>
#include <cstring>
#include <utility>

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

// A column's frames from its first one; none past the data.
uint64_t columnFrames(uint64_t firstFrame, uint32_t framesPerColumn, uint64_t totalFrames) {
    return firstFrame >= totalFrames ? 0 : std::min<uint64_t>(framesPerColumn, totalFrames - firstFrame);
}

// 8- and 16-bit files: a column is read in blocks of 256 bytes whose lowest
// and highest sample per channel come from vector min/max. A block whose
// samples all lie in a run of top bytes already marked adds nothing and
// needs no stores; within a column the samples soon fill such a run, so most
// blocks end there, and only the others are marked sample by sample. Keys
// order the top bytes as the rows do (16-bit samples are signed, 8-bit ones
// stored + 128), so a run of keys is a run of rows.
constexpr uint32_t kBlockBytes = 256;

template <typename Sample>
constexpr int kLanes = int(16 / sizeof(Sample));  // samples in a vector; stereo lanes alternate left, right
template <typename Sample>
using Lanes = Sample[kLanes<Sample>];

int sampleKey(int16_t sample) { return (int32_t(sample) + 32768) >> 8; }
int sampleKey(uint8_t sample) { return sample; }
template <typename Sample>
constexpr int kKeyFlip = sizeof(Sample) == 2 ? 0x80 : 0;  // key ^ flip is the top byte

// Each lane's lowest and highest sample over one block.
template <typename Sample>
void blockRange(const uint8_t* p, Lanes<Sample>& lowest, Lanes<Sample>& highest) {
    // Local arrays and the plain comparisons (not std::min's references)
    // are what GCC turns into vector min/max.
    Lanes<Sample> low, high;
    std::memcpy(low, p, sizeof low);
    std::memcpy(high, p, sizeof high);
    for (uint32_t k = sizeof low; k < kBlockBytes; k += sizeof low) {
        Lanes<Sample> s;
        std::memcpy(s, p + k, sizeof s);
        for (int j = 0; j < kLanes<Sample>; ++j) {
            low[j] = s[j] < low[j] ? s[j] : low[j];
            high[j] = s[j] > high[j] ? s[j] : high[j];
        }
    }
    std::memcpy(lowest, low, sizeof low);
    std::memcpy(highest, high, sizeof high);
}

// Keys lo..hi are all marked; empty while lo > hi. Runs grow only over
// marked keys, so a block inside one needs no marks.
struct MarkedRun {
    int lo = 1, hi = 0;
    bool holds(int key) const { return key >= lo && key <= hi; }
};

// The run the last new marks went to and the one before: a sound that
// moves between two stretches of rows (say the two levels of a square wave)
// keeps both.
struct MarkedRuns {
    MarkedRun recent, older;
};

// One channel's block: `top` is its first top byte, `step` bytes from one to the next.
template <typename Sample>
void markBlock(Seen& seen, MarkedRuns& runs, const uint8_t* top, uint32_t step, int lowKey, int highKey) {
    if ((runs.recent.holds(lowKey) && runs.recent.holds(highKey)) ||
        (runs.older.holds(lowKey) && runs.older.holds(highKey)))
        return;
    for (uint32_t k = 0; k < kBlockBytes; k += step) seen[top[k]] = 1;
    // The recent run becomes the one holding this block's lowest key.
    if (!runs.recent.holds(lowKey)) {
        std::swap(runs.recent, runs.older);
        if (!runs.recent.holds(lowKey)) runs.recent.lo = runs.recent.hi = lowKey;
    }
    MarkedRun& run = runs.recent;
    constexpr int flip = kKeyFlip<Sample>;
    while (run.lo > 0 && seen[(run.lo - 1) ^ flip]) --run.lo;
    while (run.hi < 255 && seen[(run.hi + 1) ^ flip]) ++run.hi;
}

template <typename Sample>
void markColumnsByBlock(OverviewBitmaps& maps, int32_t first, int32_t end, const uint8_t* image, const WaveInfo& info,
                        uint32_t framesPerColumn, bool left, bool right) {
    constexpr bool eightBit = sizeof(Sample) == 1;
    constexpr int lanes = kLanes<Sample>;
    const uint32_t frameBytes = info.frameBytes;
    const bool stereo = frameBytes == 2 * sizeof(Sample);
    const uint64_t totalFrames = (info.dataEnd - info.dataOffset) / frameBytes;
    const uint32_t blockFrames = kBlockBytes / frameBytes;
    const uint32_t rightTop = frameBytes - 1;
    for (int32_t i = first; i < end; ++i) {
        const uint64_t firstFrame = uint64_t(framesPerColumn) * uint32_t(i);
        const uint64_t frames = columnFrames(firstFrame, framesPerColumn, totalFrames);
        Seen seenLeft = {}, seenRight = {};
        MarkedRuns runsLeft, runsRight;
        const uint8_t* p = image + info.dataOffset + firstFrame * frameBytes;
        uint64_t f = 0;
        for (; f + blockFrames <= frames; f += blockFrames, p += kBlockBytes) {
            Lanes<Sample> low, high;
            blockRange<Sample>(p, low, high);
            // Mono: every lane is the left channel.
            Sample lowOf[2] = {low[0], low[1]}, highOf[2] = {high[0], high[1]};
            for (int j = 2; j < lanes; j += 2)
                for (int c = 0; c < 2; ++c) {
                    lowOf[c] = std::min(lowOf[c], low[j + c]);
                    highOf[c] = std::max(highOf[c], high[j + c]);
                }
            if (!stereo) {
                lowOf[0] = std::min(lowOf[0], lowOf[1]);
                highOf[0] = std::max(highOf[0], highOf[1]);
            }
            if (left)
                markBlock<Sample>(seenLeft, runsLeft, p + sizeof(Sample) - 1, frameBytes, sampleKey(lowOf[0]),
                                  sampleKey(highOf[0]));
            if (right)
                markBlock<Sample>(seenRight, runsRight, p + rightTop, frameBytes, sampleKey(lowOf[1]),
                                  sampleKey(highOf[1]));
        }
        for (; f < frames; ++f, p += frameBytes) {
            if (left) seenLeft[p[sizeof(Sample) - 1]] = 1;
            if (right) seenRight[p[rightTop]] = 1;
        }
        if (left) seenToRows(seenLeft, &maps.left[size_t(i) * kOverviewRows], eightBit);
        if (right) seenToRows(seenRight, &maps.right[size_t(i) * kOverviewRows], eightBit);
    }
}

// Remakes columns [first, end) of one channel (right: only with `right`),
// or of both channels at once for a stereo file's full build. The end of
// the data is measured from the data start, so no column past the data is
// drawn as sound.
void markColumns(OverviewBitmaps& maps, int32_t first, int32_t end, const uint8_t* image, const WaveInfo& info,
                 uint32_t framesPerColumn, bool left, bool right) {
    if (info.bytesPerSample == 1)
        return markColumnsByBlock<uint8_t>(maps, first, end, image, info, framesPerColumn, left, right);
    if (info.bytesPerSample == 2)
        return markColumnsByBlock<int16_t>(maps, first, end, image, info, framesPerColumn, left, right);
    // 24-bit samples do not fill vector lanes evenly: one store per sample.
    const uint32_t frameBytes = info.frameBytes;
    const uint64_t totalFrames = (info.dataEnd - info.dataOffset) / frameBytes;
    const uint8_t* top = image + info.dataOffset + info.bytesPerSample - 1;  // left sample's top byte
    const uint32_t rightStep = info.bytesPerSample;
    for (int32_t i = first; i < end; ++i) {
        const uint64_t firstFrame = uint64_t(framesPerColumn) * uint32_t(i);
        const uint64_t frames = columnFrames(firstFrame, framesPerColumn, totalFrames);
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
        if (left) seenToRows(seenLeft, &maps.left[size_t(i) * kOverviewRows], false);
        if (right) seenToRows(seenRight, &maps.right[size_t(i) * kOverviewRows], false);
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

    progress.open(ProgressKind::drawing);
    // One step per hundredth of the columns.
    for (int32_t k = 0; k < 100; ++k) {
        const int32_t first = width * k / 100, end = width * (k + 1) / 100;
        markColumns(maps, first, end, image, info, view.framesPerPixel[0], true, stereo);
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
