#include "view/overview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "audio_file/tests/progress_script.h"

namespace {

// A file image in memory: a 44-byte header, then frames, then tail room of silence.
struct Image {
    WaveInfo info;
    std::vector<uint8_t> bytes;
};

Image makeImage(uint16_t channels, uint16_t bits, uint32_t frames) {
    Image im;
    im.info.format = {1, channels, 44100, 44100u * channels * bits / 8, uint16_t(channels * bits / 8), bits};
    im.info.bytesPerSample = bits / 8u;
    im.info.frameBytes = im.info.bytesPerSample * channels;
    im.info.dataOffset = 44;
    im.info.dataEnd = 44 + frames * im.info.frameBytes;
    im.info.imageSize = im.info.dataEnd;
    im.bytes.assign(im.info.dataEnd + 4096, bits == 8 ? 0x80 : 0x00);
    return im;
}

// Sample value in the file's own scale (signed; 8-bit files store it + 128).
void put(Image& im, uint32_t frame, int channel, int32_t value) {
    uint8_t* p = &im.bytes[im.info.dataOffset + frame * im.info.frameBytes + channel * im.info.bytesPerSample];
    if (im.info.bytesPerSample == 1) {
        p[0] = uint8_t(value + 128);
        return;
    }
    for (uint32_t b = 0; b < im.info.bytesPerSample; ++b) p[b] = uint8_t(uint32_t(value) >> (8 * b));
}

ViewState viewFor(const Image& im, int32_t width) {
    ViewState v;
    v.screenWidth = width;
    buildScales(v, im.info);
    return v;
}

std::vector<int> rowsOf(const std::vector<uint8_t>& map, int32_t column) {
    std::vector<int> rows;
    for (int r = 0; r < kOverviewRows; ++r)
        if (map[size_t(column) * kOverviewRows + r]) rows.push_back(r);
    return rows;
}

OverviewBitmaps build(const Image& im, const ViewState& v) {
    OverviewBitmaps maps;
    SilentProgress quiet;
    buildOverview(maps, im.bytes.data(), im.info, v, quiet);
    return maps;
}

struct RowCase {
    const char* name;
    uint8_t high;
    bool eightBit;
    int row;
};

const RowCase kRows[] = {
    {"SilenceIsTheMiddle", 0x00, false, 128},
    {"SmallestPositive", 0x01, false, 127},
    {"FullPositiveIsTheTop", 0x7F, false, 1},
    {"MinusOne", 0xFF, false, 129},
    {"FullNegativeSharesTheBottomRow", 0x80, false, 255},  // 128 + 128 would fall off the map
    {"NextToFullNegative", 0x81, false, 255},
    {"EightBitSilence", 0x80, true, 128},
    {"EightBitTop", 0xFF, true, 1},
    {"EightBitZeroByteAtTheBottom", 0x00, true, 255},
    {"EightBitOne", 0x01, true, 255},
    {"EightBitTwo", 0x02, true, 254},
};

class OverviewRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(OverviewRow, FromTheTopByte) { EXPECT_EQ(overviewRow(GetParam().high, GetParam().eightBit), GetParam().row); }

INSTANTIATE_TEST_SUITE_P(Values, OverviewRow, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(BuildOverview, SilenceMarksTheMiddleRowOnly) {
    Image im = makeImage(2, 16, 64000);
    const ViewState v = viewFor(im, 640);
    const OverviewBitmaps maps = build(im, v);
    ASSERT_EQ(maps.columns, 640);
    for (int32_t c : {0, 1, 320, 639}) {
        EXPECT_EQ(rowsOf(maps.left, c), std::vector<int>{128}) << c;
        EXPECT_EQ(rowsOf(maps.right, c), std::vector<int>{128}) << c;
    }
}

TEST(BuildOverview, FullScaleSquareWaveReachesTopAndBottomRows) {
    Image im = makeImage(2, 16, 64000);
    for (uint32_t f = 0; f < 64000; ++f) {
        const int32_t v = (f / 50) % 2 ? -32768 : 32767;
        put(im, f, 0, v);
        put(im, f, 1, v);
    }
    const OverviewBitmaps maps = build(im, viewFor(im, 640));
    for (int32_t c : {0, 100, 639}) {
        EXPECT_EQ(rowsOf(maps.left, c), (std::vector<int>{1, 255})) << c;
        EXPECT_EQ(rowsOf(maps.right, c), (std::vector<int>{1, 255})) << c;
    }
}

TEST(BuildOverview, EightBitFullNegativeShowsAtTheBottom) {
    Image im = makeImage(1, 8, 6400);
    put(im, 35, 0, -128);  // stored byte 0x00
    const OverviewBitmaps maps = build(im, viewFor(im, 640));
    EXPECT_EQ(rowsOf(maps.left, 3), (std::vector<int>{128, 255}));
    EXPECT_TRUE(maps.right.empty());
}

TEST(BuildOverview, ClickLandsInItsColumnAndChannel) {
    Image im = makeImage(2, 16, 640 * 1000);  // 1000 frames per column
    put(im, 123456, 1, 29491);                // +0.9 of full scale, right channel
    put(im, 123457, 1, -29491);
    const OverviewBitmaps maps = build(im, viewFor(im, 640));
    EXPECT_EQ(rowsOf(maps.right, 123), (std::vector<int>{13, 128, 244}));
    EXPECT_EQ(rowsOf(maps.right, 122), std::vector<int>{128});
    EXPECT_EQ(rowsOf(maps.right, 124), std::vector<int>{128});
    EXPECT_EQ(rowsOf(maps.left, 123), std::vector<int>{128});
}

// Long columns are read in blocks that skip the samples already marked:
// every column must still hold exactly the rows of its own samples, each
// channel its own, whatever the sample size, channels, and where a column
// starts and ends inside the blocks.
struct LongCase {
    const char* name;
    uint16_t channels, bits;
    uint32_t perColumn;
};

const LongCase kLong[] = {
    {"Stereo8", 2, 8, 8192},
    {"Stereo16", 2, 16, 8192},
    {"Stereo24", 2, 24, 8192},
    {"Mono8", 1, 8, 8192},
    {"Mono16", 1, 16, 8192},
    {"Mono24", 1, 24, 8192},
    {"Stereo16PartBlocks", 2, 16, 8200},
    {"Mono16PartBlocks", 1, 16, 8200},
    {"Stereo8PartBlocks", 2, 8, 8200},
    {"Mono8PartBlocks", 1, 8, 8200},
};

class LongColumns : public ::testing::TestWithParam<LongCase> {};

TEST_P(LongColumns, HoldTheRowsOfTheirSamples) {
    const LongCase& t = GetParam();
    constexpr uint32_t kWidth = 640;
    const uint32_t frames = kWidth * t.perColumn + 100;
    Image im = makeImage(t.channels, t.bits, frames);
    const uint32_t bps = im.info.bytesPerSample;
    std::vector<uint8_t> want[2] = {std::vector<uint8_t>(kWidth * kOverviewRows),
                                    std::vector<uint8_t>(kWidth * kOverviewRows)};
    uint32_t seed = 12345;
    for (uint32_t f = 0; f < frames; ++f) {
        const uint32_t column = f / t.perColumn;
        // A top byte the bands never hold, once per column and channel: at
        // each place near the column's start (left half of the columns) or
        // its end (right half), so at each place in a block and its tail.
        const uint32_t lonePlace = column < kWidth / 2 ? column : t.perColumn - 1 - (column - kWidth / 2);
        for (uint32_t ch = 0; ch < t.channels; ++ch) {
            seed = seed * 1103515245u + 12345u;
            // A band of top bytes that differs by column and channel, often
            // across zero; in a column's second half the band of the other
            // sign, whose bytes are the first half's keys in the rows' order.
            uint8_t high = uint8_t(0xC0 + (column * (ch ? 13 : 7) + ch * 40) % 100 + (seed >> 16) % (ch ? 9 : 17));
            if (f % t.perColumn >= t.perColumn / 2) high ^= 0x80;
            if (f % t.perColumn == lonePlace) high = ch ? 0xBA : 0x3A;
            uint8_t* p = &im.bytes[im.info.dataOffset + f * im.info.frameBytes + ch * bps];
            for (uint32_t b = 0; b + 1 < bps; ++b) p[b] = uint8_t(seed >> (8 * b));
            p[bps - 1] = high;
            if (column < kWidth) want[ch][column * kOverviewRows + uint32_t(overviewRow(high, t.bits == 8))] = 1;
        }
    }
    const ViewState v = viewFor(im, int32_t(kWidth));
    ASSERT_EQ(v.framesPerPixel[0], t.perColumn);
    const OverviewBitmaps maps = build(im, v);
    for (int32_t c = 0; c < int32_t(kWidth); ++c) {
        ASSERT_EQ(rowsOf(maps.left, c), rowsOf(want[0], c)) << "column " << c;
        if (t.channels == 2) {
            ASSERT_EQ(rowsOf(maps.right, c), rowsOf(want[1], c)) << "column " << c;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LongColumns, ::testing::ValuesIn(kLong),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(BuildOverview, TwentyFourBitUsesTheTopByte) {
    Image im = makeImage(2, 24, 640 * 10);
    put(im, 0, 0, 0x7FFFFF);
    put(im, 10, 1, -0x800000);
    const OverviewBitmaps maps = build(im, viewFor(im, 640));
    EXPECT_EQ(rowsOf(maps.left, 0), (std::vector<int>{1, 128}));
    EXPECT_EQ(rowsOf(maps.right, 1), (std::vector<int>{128, 255}));
}

// A file shorter than the screen: one frame per column, nothing drawn past the data.
TEST(BuildOverview, HundredFrameFileAtEveryWidth) {
    for (int32_t width : {640, 960, 1280}) {
        Image im = makeImage(2, 16, 100);
        for (uint32_t f = 0; f < 100; ++f) put(im, f, 0, 20000);
        // Sound right after the data must not show: it is not part of the file.
        std::fill(im.bytes.begin() + im.info.dataEnd, im.bytes.end(), uint8_t(0x40));
        const ViewState v = viewFor(im, width);
        ASSERT_EQ(v.framesPerPixel[0], 1u);
        ScriptedProgress progress;
        OverviewBitmaps maps;
        buildOverview(maps, im.bytes.data(), im.info, v, progress);
        EXPECT_EQ(progress.kind, ProgressKind::drawing);
        EXPECT_EQ(progress.opens, 1);
        EXPECT_EQ(progress.closes, 1);
        EXPECT_EQ(progress.steps, 100);
        for (int32_t c = 0; c < width; ++c) {
            const std::vector<int> want = c < 100 ? std::vector<int>{50} : std::vector<int>{};
            ASSERT_EQ(rowsOf(maps.left, c), want) << width << " column " << c;
            ASSERT_EQ(rowsOf(maps.right, c), c < 100 ? std::vector<int>{128} : std::vector<int>{}) << c;
        }
    }
}

TEST(BuildOverview, OneStepPerHundredthOfTheColumns) {
    Image im = makeImage(1, 16, 960 * 3);
    ScriptedProgress progress;
    OverviewBitmaps maps;
    buildOverview(maps, im.bytes.data(), im.info, viewFor(im, 960), progress);
    EXPECT_EQ(progress.steps, 100);
    EXPECT_EQ(progress.pumps, 100);
}

TEST(RefreshOverview, EndColumnCountsFromTheDataStart) {
    // 1280 columns of 10,000 frames: page 1 (8192 x 1280 frames) spans 1048.6 overview columns.
    Image im = makeImage(2, 16, 1280 * 10000);
    im.info.dataOffset = 44 + 4 * 1000;  // a header far longer than usual moves the absolute offsets
    im.info.dataEnd += 4 * 1000;
    im.bytes.resize(im.info.dataEnd + 4096, 0);
    ViewState v = viewFor(im, 1280);
    v.zoomFrameLeft[0] = 100;
    EXPECT_EQ(pageOneEndColumn(v, im.info), 100 + 1049);
    v.zoomFrameLeft[0] = 0;
    EXPECT_EQ(pageOneEndColumn(v, im.info), 1049);
    v.zoomFrameLeft[0] = 1000;
    EXPECT_EQ(pageOneEndColumn(v, im.info), 1280);  // never past the overview
}

TEST(RefreshOverview, RemakesOnlyTheEditedChannelOverPageOne) {
    Image im = makeImage(2, 16, 640 * 20000);
    ViewState v = viewFor(im, 640);
    OverviewBitmaps maps = build(im, v);
    v.zoomFrameLeft[0] = 200;
    // Page 1 changed samples in both channels at columns 199, 200 and 470; 470 lies beyond its stretch.
    for (uint32_t column : {199u, 200u, 470u}) {
        put(im, column * 20000 + 5, 0, 32767);
        put(im, column * 20000 + 5, 1, 32767);
    }
    const int32_t end = pageOneEndColumn(v, im.info);
    ASSERT_EQ(end, 200 + (8192 * 640 + 19999) / 20000);
    put(im, uint32_t(end - 1) * 20000, 1, -32768);
    refreshOverviewChannel(maps, im.bytes.data(), im.info, v, 1);
    EXPECT_EQ(rowsOf(maps.right, 199), std::vector<int>{128});  // before the stretch
    EXPECT_EQ(rowsOf(maps.right, 200), (std::vector<int>{1, 128}));
    EXPECT_EQ(rowsOf(maps.right, end - 1), (std::vector<int>{128, 255}));
    EXPECT_EQ(rowsOf(maps.right, 470), std::vector<int>{128});
    EXPECT_EQ(rowsOf(maps.left, 200), std::vector<int>{128});  // the other channel stays
    refreshOverviewChannel(maps, im.bytes.data(), im.info, v, 0);
    EXPECT_EQ(rowsOf(maps.left, 200), (std::vector<int>{1, 128}));
}

TEST(RefreshOverview, MonoRefreshesTheLeftMapEvenForChannelOne) {
    Image im = makeImage(1, 16, 640 * 100);
    ViewState v = viewFor(im, 640);
    OverviewBitmaps maps = build(im, v);
    put(im, 50, 0, 32767);
    refreshOverviewChannel(maps, im.bytes.data(), im.info, v, 1);
    EXPECT_EQ(rowsOf(maps.left, 0), (std::vector<int>{1, 128}));
    EXPECT_TRUE(maps.right.empty());
}

uint32_t pixel(const std::vector<uint32_t>& px, int32_t width, int32_t x, int32_t y) {
    return px[size_t(y) * width + x];
}

TEST(RenderOverview, GreenTraceMagentaEditedChannelInsideTheFrame) {
    Image im = makeImage(2, 16, 640 * 20000);
    ViewState v = viewFor(im, 640);
    const OverviewBitmaps maps = build(im, v);
    v.zoomFrameLeft[0] = 10;
    v.channel = 1;
    ASSERT_EQ(v.zoomFrameWidth[0], 262);  // 8192 x 640 / 20000
    std::vector<uint32_t> px;
    renderOverview(px, maps, v, true);
    ASSERT_EQ(px.size(), size_t(640) * kOverviewHeight);
    // Silence: row 128 of each map, drawn at 35 + 64 and 163 + 64.
    EXPECT_EQ(pixel(px, 640, 9, 99), kOverviewGreen);
    EXPECT_EQ(pixel(px, 640, 9, 227), kOverviewGreen);
    EXPECT_EQ(pixel(px, 640, 10, 99), kOverviewGreen);
    EXPECT_EQ(pixel(px, 640, 10, 227), kOverviewMagenta);
    EXPECT_EQ(pixel(px, 640, 271, 227), kOverviewMagenta);  // last column of the frame
    EXPECT_EQ(pixel(px, 640, 272, 227), kOverviewGreen);
    EXPECT_EQ(pixel(px, 640, 10, 98), kOverviewBlack);
    EXPECT_EQ(pixel(px, 640, 10, 100), kOverviewBlack);
}

TEST(RenderOverview, PeaksAtTheEdgesOfEachChannelBand) {
    Image im = makeImage(2, 16, 640);
    put(im, 0, 0, 32767);
    put(im, 1, 0, -32768);
    put(im, 2, 1, 32767);
    put(im, 3, 1, -32768);
    const ViewState v = viewFor(im, 640);
    std::vector<uint32_t> px;
    renderOverview(px, build(im, v), v, true);
    EXPECT_NE(pixel(px, 640, 0, 35), kOverviewBlack);   // row 1 -> 35 + 0
    EXPECT_NE(pixel(px, 640, 1, 162), kOverviewBlack);  // row 255 -> 35 + 127
    EXPECT_NE(pixel(px, 640, 2, 163), kOverviewBlack);
    EXPECT_NE(pixel(px, 640, 3, 290), kOverviewBlack);
    for (int32_t y = 291; y < kOverviewHeight; ++y) ASSERT_EQ(pixel(px, 640, 3, y), kOverviewBlack);
}

TEST(RenderOverview, MonoLeavesTheRightHalfEmptyAndHasNoLabels) {
    Image im = makeImage(1, 16, 6400);
    const ViewState v = viewFor(im, 640);
    std::vector<uint32_t> px;
    renderOverview(px, build(im, v), v, false);
    for (int32_t x = 0; x < 640; ++x)
        for (int32_t y = kOverviewRightTop; y < kOverviewHeight; ++y) ASSERT_EQ(pixel(px, 640, x, y), kOverviewBlack);
    EXPECT_TRUE(overviewLabels(false).empty());
    const auto labels = overviewLabels(true);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, " 左CH ");
    EXPECT_EQ(labels[0].x, 10);
    EXPECT_EQ(labels[0].y, 21);
    EXPECT_EQ(labels[1].text, " 右CH ");
    EXPECT_EQ(labels[1].y, 291);
}

TEST(OverviewInteraction, ClickPicksColumnAndChannelByRow) {
    ViewState v;
    v.screenWidth = 640;
    EXPECT_TRUE(overviewClick(v, true, 300, 163));
    EXPECT_EQ(v.zoomFrameLeft[0], 300);
    EXPECT_EQ(v.channel, 0);
    EXPECT_TRUE(overviewClick(v, true, 639, 164));
    EXPECT_EQ(v.zoomFrameLeft[0], 639);
    EXPECT_EQ(v.channel, 1);
    EXPECT_FALSE(overviewClick(v, true, 640, 10));  // right of the overview
    EXPECT_EQ(v.zoomFrameLeft[0], 639);
    EXPECT_EQ(v.channel, 1);
    ViewState mono;
    mono.screenWidth = 640;
    EXPECT_TRUE(overviewClick(mono, false, 5, 300));
    EXPECT_EQ(mono.channel, 0);
}

TEST(OverviewInteraction, CursorStaysInsideTheOverview) {
    EXPECT_EQ(overviewCursorStep(0, -1, 640), 0);
    EXPECT_EQ(overviewCursorStep(1, -1, 640), 0);
    EXPECT_EQ(overviewCursorStep(0, 1, 640), 1);
    EXPECT_EQ(overviewCursorStep(638, 1, 640), 639);
    EXPECT_EQ(overviewCursorStep(639, 1, 640), 639);
    EXPECT_EQ(overviewCursorStep(1279, 1, 1280), 1279);
}

TEST(OverviewInteraction, UpAndDownPickTheChannelOfStereoFiles) {
    ViewState v;
    overviewChannelKey(v, true, true);
    EXPECT_EQ(v.channel, 1);
    overviewChannelKey(v, true, false);
    EXPECT_EQ(v.channel, 0);
    overviewChannelKey(v, false, true);
    EXPECT_EQ(v.channel, 0);
}

TEST(OverviewInteraction, ColumnBytesGiveTheStatusTime) {
    Image im = makeImage(2, 16, 44100 * 64);  // 64 s: 4410 frames per column at 640
    const ViewState v = viewFor(im, 640);
    EXPECT_EQ(overviewColumnBytes(v, im.info, 0), 0u);
    EXPECT_EQ(overviewColumnBytes(v, im.info, 10), 4u * 4410 * 10);
    EXPECT_EQ(overviewColumnBytes(v, im.info, -3), 0u);
}

}  // namespace
