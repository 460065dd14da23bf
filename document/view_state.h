#pragma once
// The view: six pages, their scales, the zoom and edit frames, the channel
// and the display gain. Columns map to image byte offsets only through
// columnOffset and offsetColumn.
#include <array>
#include <cstdint>

#include "audio_file/file_image.h"
#include "audio_file/wave_info.h"

constexpr int kPages = 6;                    // 0 overview, 1..5 edit pages
constexpr int32_t kDefaultGainShift = 4;     // x16 whenever a page is entered
constexpr uint32_t kClickThresholdMs = 300;  // pages 2-4: a shorter drag is a click
// Frames per column of pages 1..5 (enlargement 16, 8, 8, 8 from page 1 down).
constexpr std::array<uint32_t, kPages> kFramesPerPixel = {0, 8192, 512, 64, 8, 1};

// Where the display gain is held: the selected channel's samples at image
// offsets [from, to) (channel offset included), in the image on page 1, else
// in workSamples. Removing the gain undoes it exactly there, wherever the
// view has moved since.
struct GainPlace {
    uint32_t from = 0, to = 0;
    bool inImage = false;
    bool operator==(const GainPlace& o) const { return from == o.from && to == o.to && inImage == o.inImage; }
    bool operator!=(const GainPlace& o) const { return !(*this == o); }
};

struct ViewState {
    int32_t screenWidth = 640;
    int32_t page = 0;
    std::array<uint32_t, kPages> framesPerPixel = kFramesPerPixel;
    std::array<int32_t, kPages> zoomFrameLeft{};
    std::array<int32_t, kPages - 1> zoomFrameWidth{};
    std::array<int32_t, kPages> pageEntryLeft{};
    int32_t channel = 0;
    int32_t gainShift = 0;
    GainPlace gainPlace{};  // meaningful while gainShift > 0
    int32_t editFrameLeft = 0;
    int32_t editFrameRight = 0;
    uint32_t editFrameStart = 0;  // channel offset included
    uint32_t editFrameEnd = 0;
    bool editFramePresent = false;
    bool dragging = false;
    int32_t whiteMaxColumn = 0;
    bool centreOnMax = false;
    int32_t shorteningStartPage = 0;
    bool shorteningBand = false;  // band editing was on when the descent left it
};

// Page scales for the loaded file at view.screenWidth. framesPerPixel[0]
// is at least 1: a file shorter than the screen shows silence past its end.
void buildScales(ViewState& view, const WaveInfo& file);

// Byte offset of the first frame of column x on page p (no channel offset).
uint32_t columnOffset(const ViewState& view, const WaveInfo& file, int32_t x, int p);
// -2 beyond column screenWidth, -1 before column 0, else the column holding offset.
int32_t offsetColumn(const ViewState& view, const WaveInfo& file, uint32_t offset, int p);
// The channel's offset inside a frame: 0 left, bytes per sample right.
inline uint32_t channelOffset(const ViewState& view, const WaveInfo& file) {
    return view.channel == 1 ? file.bytesPerSample : 0;
}
