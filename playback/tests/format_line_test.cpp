#include <gtest/gtest.h>

#include <tuple>

#include "playback/output_format.h"
#include "playback/position_line.h"
#include "playback/prepare.h"
#include "playback/stream.h"
#include "playback/tests/play_fixture.h"

namespace {

using Fields = std::tuple<uint16_t, uint16_t, uint32_t, uint16_t, uint16_t, uint16_t, uint16_t>;
struct FormatRow {
    const char* name;
    uint16_t channels, bits;
    uint32_t average;  // as the header says
    bool extensibleHeader;
    Fields expected;  // tag, channels, average, block align, bits, cbSize, valid bits
};
const FormatRow kFormats[] = {
    {"Mono8", 1, 8, 44100, false, {1, 1, 44100, 1, 8, 0, 0}},
    {"Stereo16WrongAverage", 2, 16, 12345, false, {1, 2, 176400, 4, 16, 0, 0}},
    {"Stereo24Extensible", 2, 24, 264600, false, {0xFFFE, 2, 264600, 6, 24, 22, 24}},
    {"Mono24WrongAverage", 1, 24, 0, false, {0xFFFE, 1, 132300, 3, 24, 22, 24}},
    {"ExtensibleHeaderMono16", 1, 16, 88200, true, {1, 1, 88200, 2, 16, 0, 0}},
    {"ExtensibleHeaderStereo8", 2, 8, 88200, true, {1, 2, 88200, 2, 8, 0, 0}},
    {"ExtensibleHeaderStereo24", 2, 24, 264600, true, {0xFFFE, 2, 264600, 6, 24, 22, 24}},
};

class OutputFormatOf : public ::testing::TestWithParam<FormatRow> {};
TEST_P(OutputFormatOf, FileLoadsAndDeviceFormatFollowsTheFrame) {
    FmtFields fmt = pcmFormat(GetParam().channels, GetParam().bits);
    fmt.average = GetParam().average;
    const Bytes header = GetParam().extensibleHeader ? extensibleFmtPayload(fmt, 4) : fmtPayload(fmt);
    auto l = loadDocument(riffFile({chunk("fmt ", header), chunk("data", pattern(6000))}));
    const OutputFormat f = outputFormat((*l)->edit);
    EXPECT_EQ(Fields(f.formatTag, f.channels, f.averageBytesPerSecond, f.blockAlign, f.bitsPerSample, f.cbSize,
                     f.validBitsPerSample),
              GetParam().expected);
    EXPECT_EQ(f.samplesPerSecond, 44100u);
    EXPECT_EQ(f.channelMask, 0u);
    const FormatGuid pcm{0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    EXPECT_TRUE(!f.extensible() || (f.subFormat.data1 == pcm.data1 && f.subFormat.data2 == pcm.data2 &&
                                    f.subFormat.data3 == pcm.data3 && f.subFormat.data4 == pcm.data4));
}
INSTANTIATE_TEST_SUITE_P(Formats, OutputFormatOf, ::testing::ValuesIn(kFormats),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PositionLine, IndicatorLineStaysInsideThePageThreePicture) {
    for (int32_t width : kScreenWidths) {
        PlayPlace at;
        at.width = width;
        at.page = 4;
        auto l = playDocument(simpleWave(2, 16, 400000), at);
        Document& d = **l;
        ASSERT_TRUE(playPage(d));
        PositionLine line = openLine(d, {0, 21});
        EXPECT_EQ(line.target, LineTarget::indicator);
        EXPECT_EQ(line.rows.bottom, 21);
        EXPECT_EQ(line.column, 0);
        int32_t last = 0;
        for (uint32_t position = 0; position <= d.playback.range.length + 4096; position += 997) {
            const LineMove m = followPosition(d, line, position);
            ASSERT_LT(line.column, width / 8) << width << " " << position;
            EXPECT_TRUE(!m.moved || m.from == last);
            last = line.column;
        }
        EXPECT_EQ(last, width / 8 - 1);
        EXPECT_FALSE(followPosition(d, line, 0).moved);  // never backwards
        endPlayback(d);                                  // every end, a failed open included
        EXPECT_FALSE(d.playback.indicatorMode);
    }
}

TEST(PositionLine, WaveformRowsAndColumns) {
    PlayPlace at;
    at.page = 0;
    auto l = playDocument(simpleWave(2, 16, 400000), at);
    Document& d = **l;
    d.view.zoomFrameLeft[0] = 3;
    ASSERT_TRUE(preparePlayback(d, 0));
    PositionLine line = openLine(d, {});
    EXPECT_TRUE(line.target == LineTarget::mainWindow && line.rows.top == 35 && line.rows.bottom == 290);
    const uint32_t bpp = d.playback.range.bytesPerPixel;
    EXPECT_EQ(lineColumn(d, bpp * 10 - 1), 3 + 9);
    EXPECT_EQ(lineColumn(d, bpp * 10), 3 + 10);
    const uint32_t length = d.playback.range.length;
    EXPECT_EQ(lineColumn(d, length + 4096), lineColumn(d, length));  // the line waits at the end
    // Past the end the device plays its silence while the last buffer comes back.
    const uint32_t grace = kEndGraceSeconds * d.edit.format.samplesPerSecond * d.edit.frameBytes;
    EXPECT_FALSE(playedPastEnd(d, length + grace));
    EXPECT_TRUE(playedPastEnd(d, length + grace + 1));

    enterPage(*l, 5);  // a playback on page 5 leaves IndicatorMode behind only until the edit window is entered
    ASSERT_TRUE(playFromFrame(d) && d.playback.indicatorMode);
    ViewEvents e;
    reduce(d, e), reduce(d, e), reduce(d, e), reduce(d, e), reduce(d, e);
    enterEditView(d, l->fs, 3, e);
    EXPECT_FALSE(d.playback.indicatorMode);
    ASSERT_TRUE(playFromFrame(d));
    line = openLine(d, {});
    EXPECT_TRUE(line.target == LineTarget::editWindow && line.rows.top == 62 && line.rows.bottom == 317);
    changeWidth(d, 1280);
    EXPECT_EQ(d.playback.range.bytesPerPixel, 100u);
}

}  // namespace
