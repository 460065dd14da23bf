#pragma once
// Page 0: the whole file as one overview. Per channel and column an
// occupancy map of the rows its samples reach, built once per load with
// progress and refreshed per channel for the stretch page 1 can change;
// painting only reads the maps.
#include <cstdint>
#include <string>
#include <vector>

#include "audio_file/wave_info.h"
#include "common/progress.h"
#include "document/view_state.h"

constexpr int kOverviewRows = 256;          // rows 0..255; a full negative peak lands on 255
constexpr int kOverviewLeftTop = 35;        // the left channel's rows 35..162
constexpr int kOverviewRightTop = 163;      // the right channel's rows 163..290
constexpr int kOverviewRightFromRow = 164;  // a click at or below this row picks the right channel
constexpr int kOverviewCursorTop = 36;      // the keyboard cursor line: rows 36..290
constexpr int kOverviewCursorEnd = 291;
constexpr int kOverviewHeight = 326;           // client rows above the status bar
constexpr uint32_t kOverviewGreen = 0x00FF00;  // 0x00RRGGBB
constexpr uint32_t kOverviewMagenta = 0xFF00FF;
constexpr uint32_t kOverviewBlack = 0x000000;

struct OverviewBitmaps {
    int32_t columns = 0;
    std::vector<uint8_t> left;   // columns x kOverviewRows, 1 where a sample reaches the row
    std::vector<uint8_t> right;  // empty for mono files
    void release();
};

// The row of a sample whose most significant byte is `high`: 128 minus its
// signed top 8 bits (8-bit files: the stored byte minus 128), limited to 255.
int overviewRow(uint8_t high, bool eightBit);

// Builds both maps at view.screenWidth from the samples in `image`
// (the file image, data from info.dataOffset to info.dataEnd).
void buildOverview(OverviewBitmaps& maps, const uint8_t* image, const WaveInfo& info, const ViewState& view,
                   Progress& progress);

// After page 1 may have changed samples: the columns of `channel` from
// zoomFrameLeft[0] to the end of page 1's stretch are made again.
void refreshOverviewChannel(OverviewBitmaps& maps, const uint8_t* image, const WaveInfo& info, const ViewState& view,
                            int channel);
// The last overview column (exclusive) that page 1's stretch reaches.
int32_t pageOneEndColumn(const ViewState& view, const WaveInfo& info);

// The overview picture: `width` x kOverviewHeight pixels, 0x00RRGGBB, top row first.
void renderOverview(std::vector<uint32_t>& pixels, const OverviewBitmaps& maps, const ViewState& view, bool stereo);

// Bytes of sound before overview column x: what the status bar turns into a time.
uint64_t overviewColumnBytes(const ViewState& view, const WaveInfo& info, int32_t x);

// Interaction. A click picks the column (and on stereo files the channel by its row);
// false when it lies right of the overview.
bool overviewClick(ViewState& view, bool stereo, int32_t x, int32_t y);
// Left/Right move the keyboard cursor by one column within the overview.
int32_t overviewCursorStep(int32_t cursor, int32_t delta, int32_t screenWidth);
// Up picks the left channel, Down the right (stereo only).
void overviewChannelKey(ViewState& view, bool stereo, bool down);

// The channel labels of stereo files.
struct OverviewLabel {
    int x, y;
    std::string text;
};
std::vector<OverviewLabel> overviewLabels(bool stereo);
