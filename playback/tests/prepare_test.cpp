#include "playback/prepare.h"

#include <gtest/gtest.h>

#include "playback/stream.h"
#include "playback/tests/play_fixture.h"

namespace {

enum class File { mono8, left16, right16 };  // 6,000,000 and 1,000,000 frames

const Bytes& bytesOf(File f) {
    static const Bytes mono = simpleWave(1, 8, 6000000), stereo = simpleWave(2, 16, 1000000);
    return f == File::mono8 ? mono : stereo;
}

struct KindRow {
    const char* name;
    int kind, page;
    int32_t width;
    File file;
    bool frame;  // columns 100-120 of the page
    // Expected: start column; start at column x of page startPage; length in
    // columns of that page, -1 for up to the data end.
    int32_t column;
    int startPage;
    int32_t x;
    int32_t columns;
    bool composed, indicator;
};

const KindRow kKinds[] = {
    {"Kind0Mono640", 0, 0, 640, File::mono8, false, 50, 0, 50, -1, false, false},
    {"Kind0Right1280", 0, 0, 1280, File::right16, false, 0, 0, 0, -1, false, false},
    {"Kind1PageOneMono640", 1, 1, 640, File::mono8, false, 0, 1, 0, 640, false, false},
    {"Kind1PageOneAtDataEndLeft640", 1, 1, 640, File::left16, false, 0, 1, 0, -1, false, false},
    {"Kind1PageOneAtDataEndMono1280", 1, 1, 1280, File::mono8, false, 0, 1, 0, -1, false, false},
    {"Kind2Mono640", 2, 1, 640, File::mono8, false, 3, 1, 3, 637, false, false},
    {"Kind2AtDataEndRight1280", 2, 1, 1280, File::right16, false, 3, 1, 3, -1, false, false},
    {"Kind1PageTwoLeft640", 1, 2, 640, File::left16, true, 0, 2, 0, 640, true, false},
    {"Kind1PageThreeRight1280", 1, 3, 1280, File::right16, false, 0, 3, 0, 1280, true, false},
    {"Kind3ZoomFrameRight640", 3, 2, 640, File::right16, false, 5, 2, 5, 635, true, false},
    {"Kind3EditFrameRight1280", 3, 2, 1280, File::right16, true, 100, 2, 100, 1180, true, false},
    {"Kind3EditFrameMono640", 3, 2, 640, File::mono8, true, 100, 2, 100, 540, true, false},
    {"Kind4Left1280", 4, 3, 1280, File::left16, true, 0, 3, 0, 1280, true, false},
    {"Kind5PageFourMono640", 5, 4, 640, File::mono8, false, 0, 3, 0, 640, true, true},
    {"Kind5PageFiveRight1280", 5, 5, 1280, File::right16, true, 0, 3, 0, 1280, true, true},
    {"Kind6PageFiveLeft640", 6, 5, 640, File::left16, false, 0, 3, 0, 640, true, true},
    {"Kind6PageFourRight1280", 6, 4, 1280, File::right16, true, 0, 3, 0, 1280, true, true},
};

std::unique_ptr<LoadedDocument> placed(File file, int32_t width, int page) {
    PlayPlace at;
    at.width = width;
    at.page = page;
    at.channel = file == File::right16 ? 1 : 0;
    at.zoom[0] = file == File::mono8 && width == 640 ? 50 : 0;  // elsewhere page 1 holds the whole file
    return playDocument(bytesOf(file), at);
}

class Prepare : public ::testing::TestWithParam<KindRow> {};
TEST_P(Prepare, RangeOfTheKind) {
    const KindRow& row = GetParam();
    auto l = placed(row.file, row.width, row.page);
    Document& d = **l;
    if (row.frame) setFrame(d, 100, 120);
    ASSERT_TRUE(preparePlayback(d, row.kind));
    // Page offsets as the zoom frames {z0, 3, 5, 7, 9} place them.
    const uint64_t ba = d.edit.frameBytes, total = (d.edit.dataEnd - 44) / ba;
    const uint64_t fpp[] = {total / uint64_t(row.width), 8192, 512, 64, 8, 1};
    const int64_t zoom[] = {row.file == File::mono8 && row.width == 640 ? 50 : 0, 3, 5, 7, 9};
    uint64_t frame = fpp[row.startPage] * uint64_t(row.x);
    for (int p = 0; p < row.startPage; ++p) frame += fpp[p] * uint64_t(zoom[p]);
    const uint64_t start = 44 + frame * ba;
    const uint64_t length = row.columns < 0 ? d.edit.dataEnd - start : fpp[row.startPage] * ba * uint64_t(row.columns);
    const uint64_t origin = 44 + (8192 * 3 + fpp[0] * uint64_t(zoom[0])) * ba;
    const PlaybackRange& r = d.playback.range;
    EXPECT_EQ(r.startColumn, row.column);
    EXPECT_EQ(r.startOffset, row.composed ? start - origin : start);
    EXPECT_EQ(r.length, length);
    EXPECT_EQ(r.bytesPerPixel, fpp[row.startPage] * ba);
    EXPECT_EQ(r.composed, row.composed);
    EXPECT_EQ(d.playback.indicatorMode, row.indicator);
}
INSTANTIATE_TEST_SUITE_P(Kinds, Prepare, ::testing::ValuesIn(kKinds),
                         [](const auto& row) { return std::string(row.param.name); });

struct RefusalRow {
    const char* name;
    int kind, page;
};
const RefusalRow kRefusals[] = {{"Kind0OnPageOne", 0, 1},   {"Kind1OnPageFour", 1, 4}, {"Kind2OnPageTwo", 2, 2},
                                {"Kind3OnPageThree", 3, 3}, {"Kind4OnPageTwo", 4, 2},  {"Kind5OnPageThree", 5, 3},
                                {"Kind6OnPageOne", 6, 1},   {"Kind7", 7, 2},           {"KindMinusOne", -1, 2}};

class PrepareRefusal : public ::testing::TestWithParam<RefusalRow> {};
TEST_P(PrepareRefusal, LeavesEverythingAsItWas) {
    auto l = placed(File::left16, 640, GetParam().page);
    Document& d = **l;
    d.playback.range = {1, 2, 3, 4, false};
    d.playback.indicatorMode = true;
    d.image.playBufferA[0] = 0x5A;
    EXPECT_FALSE(preparePlayback(d, GetParam().kind));
    EXPECT_EQ(d.playback.range.startOffset, 1u);
    EXPECT_EQ(d.playback.range.length, 2u);
    EXPECT_TRUE(d.playback.indicatorMode);
    EXPECT_EQ(d.image.playBufferA[0], 0x5A);
}
INSTANTIATE_TEST_SUITE_P(Kinds, PrepareRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PrepareRefusal, NothingLoadedOrAPlaybackRunning) {
    Document empty;
    EXPECT_FALSE(preparePlayback(empty, 0));
    empty.view.page = 2;
    EXPECT_FALSE(preparePlayback(empty, 1));
    auto l = placed(File::left16, 640, 0);
    ASSERT_TRUE(preparePlayback(**l, 0));
    (void)startPlayback(**l);
    EXPECT_FALSE(preparePlayback(**l, 0));
}

TEST(PlayStarters, KindByPage) {
    const int pageKind[] = {-1, 1, 1, 1, 5, 5}, frameKind[] = {-1, 2, 3, 4, 6, 6};
    for (int page = 1; page <= 5; ++page) {
        auto l = placed(File::left16, 640, page);
        Document& d = **l;
        for (bool fromFrame : {false, true}) {
            ASSERT_TRUE(fromFrame ? playFromFrame(d) : playPage(d)) << page;
            const PlaybackRange r = d.playback.range;
            const bool indicator = d.playback.indicatorMode;
            ASSERT_TRUE(preparePlayback(d, fromFrame ? frameKind[page] : pageKind[page]));
            EXPECT_TRUE(r.startOffset == d.playback.range.startOffset && r.length == d.playback.range.length &&
                        r.startColumn == d.playback.range.startColumn)
                << page << fromFrame;
            EXPECT_EQ(indicator, d.playback.indicatorMode);
        }
    }
}

}  // namespace
