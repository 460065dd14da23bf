#include <gtest/gtest.h>

#include "audio_file/file_image.h"
#include "audio_file/tests/wave_builder.h"
#include "document/page_buffers.h"
#include "edit/page_io.h"
#include "testing/document_fixture.h"
#include "view/frames.h"
#include "view/pages.h"
#include "view/white_waveform.h"

namespace {

WaveInfo fileOf(uint16_t channels, uint16_t bits, uint64_t frames, uint32_t dataOffset = 44) {
    WaveInfo f;
    f.format.channels = channels;
    f.format.bitsPerSample = bits;
    f.format.samplesPerSecond = 44100;
    f.bytesPerSample = bits / 8u;
    f.frameBytes = f.bytesPerSample * channels;
    f.format.blockAlign = uint16_t(f.frameBytes);
    f.dataOffset = dataOffset;
    f.dataEnd = uint32_t(dataOffset + frames * f.frameBytes);
    f.imageSize = f.dataEnd;
    return f;
}

TEST(Scales, PerWidth) {
    struct Row {
        int32_t width;
        uint32_t fpp0;
        int32_t zoomWidth0, zoomWidth1, zoomWidth2;
    };
    const uint64_t hour = 44100ull * 3600;
    const Row rows[] = {{640, uint32_t(hour / 640), int32_t(8192ull * 640 / (hour / 640)), 40, 80},
                        {960, uint32_t(hour / 960), int32_t(8192ull * 960 / (hour / 960)), 60, 120},
                        {1280, uint32_t(hour / 1280), int32_t(8192ull * 1280 / (hour / 1280)), 80, 160}};
    const WaveInfo f = fileOf(2, 16, hour);
    for (const Row& r : rows) {
        ViewState v;
        v.screenWidth = r.width;
        buildScales(v, f);
        EXPECT_EQ(v.framesPerPixel[0], r.fpp0);
        EXPECT_EQ(v.framesPerPixel[1], 8192u);
        EXPECT_EQ(v.framesPerPixel[5], 1u);
        EXPECT_EQ(v.zoomFrameWidth[0], r.zoomWidth0);
        EXPECT_EQ(v.zoomFrameWidth[1], r.zoomWidth1);
        EXPECT_EQ(v.zoomFrameWidth[4], r.zoomWidth2);
    }
}

TEST(Scales, ShortFileHasOneFramePerOverviewColumn) {
    for (int32_t w : kScreenWidths) {
        ViewState v;
        v.screenWidth = w;
        v.zoomFrameLeft[0] = 300;
        buildScales(v, fileOf(1, 8, 100));
        EXPECT_EQ(v.framesPerPixel[0], 1u);
        EXPECT_EQ(v.zoomFrameLeft[0], 0);  // page 1 must start inside the overview
    }
}

TEST(Scales, RescaledOverviewColumnPulledBackIntoTheOverview) {
    ViewState v;
    v.screenWidth = 640;
    const WaveInfo f = fileOf(2, 16, 44100ull * 600);
    buildScales(v, f);
    v.zoomFrameLeft[0] = 639;
    v.screenWidth = 1280;
    v.zoomFrameLeft[0] = 639 * 2;
    buildScales(v, f);
    EXPECT_EQ(v.zoomFrameLeft[0], 1280 - v.zoomFrameWidth[0] - 1);
}

TEST(ColumnOffset, OffsetColumnIsItsInverseOnEveryPage) {
    const WaveInfo f = fileOf(2, 24, 44100ull * 3600);
    for (int32_t w : kScreenWidths) {
        ViewState v;
        v.screenWidth = w;
        buildScales(v, f);
        v.zoomFrameLeft = {w / 3, 7, 11, 13, 17, 0};
        for (int p = 0; p < kPages; ++p)
            for (int32_t x : {0, 1, w / 2, w - 1, w}) {
                const uint32_t at = columnOffset(v, f, x, p);
                EXPECT_EQ(offsetColumn(v, f, at, p), x) << "page " << p << " column " << x;
                if (v.framesPerPixel[p] > 1 && x < w) {
                    EXPECT_EQ(offsetColumn(v, f, at + f.frameBytes, p), x);
                }
                if (x > 0) {
                    EXPECT_EQ(offsetColumn(v, f, at - 1, p), x - 1);
                }
            }
        EXPECT_EQ(offsetColumn(v, f, columnOffset(v, f, 0, 3) - 1, 3), -1);
        EXPECT_EQ(offsetColumn(v, f, columnOffset(v, f, w, 3) + 1, 3), -2);
    }
}

TEST(ColumnOffset, PagesNestInsideTheirZoomFrames) {
    const WaveInfo f = fileOf(1, 16, 44100ull * 600);
    ViewState v;
    v.screenWidth = 960;
    buildScales(v, f);
    v.zoomFrameLeft = {100, 30, 40, 50, 60, 0};
    for (int p = 1; p < kPages; ++p)
        EXPECT_EQ(columnOffset(v, f, 0, p), columnOffset(v, f, v.zoomFrameLeft[p - 1], p - 1)) << p;
    // Page p + 1 spans exactly the zoom frame of page p (pages 1-4).
    for (int p = 1; p < 5; ++p)
        EXPECT_EQ(columnOffset(v, f, v.screenWidth, p + 1),
                  columnOffset(v, f, v.zoomFrameLeft[p] + v.zoomFrameWidth[p], p))
            << p;
}

std::unique_ptr<LoadedDocument> longFile(int32_t width = 640) {
    return loadDocument(simpleWave(2, 16, 44100 * 120), width);
}
// 700 frames: on page 3 (64 frames a column) the data ends inside column 10.
std::unique_ptr<LoadedDocument> shortFile() { return loadDocument(simpleWave(2, 16, 700), 640); }

// On `page` with the working copy loaded from page 2's first column.
void onPage(Document& d, int page) {
    d.view.page = page;
    d.pages.workOrigin = columnOffset(d.view, d.edit, 0, 2);
    loadPage(d);
}

TEST(ZoomFrameClick, RightEndOfPageOne) {
    for (int32_t w : kScreenWidths) {
        Document d;  // an hour: page 1 is full of data everywhere
        d.edit = fileOf(2, 16, 44100ull * 3600);
        d.view.screenWidth = w;
        buildScales(d.view, d.edit);
        d.view.page = 1;
        ViewEvents e;
        placeZoomFrame(d, w - 1, e);
        EXPECT_EQ(d.view.zoomFrameLeft[1], w - w / 16 - 1);
        EXPECT_TRUE(e.repaintWaveform);
    }
}

// A frame must end before the last column: a click where it would just
// touch it goes one column further left; one column less stays.
TEST(ZoomFrameClick, OneColumnBeforeTheRightEdgeOnEveryPage) {
    auto l = longFile();
    Document& d = **l;
    for (int p : {1, 2, 3, 4}) {
        d.view.page = p;
        const int32_t width = d.view.zoomFrameWidth[p], highest = 640 - width - 1;
        ViewEvents e;
        placeZoomFrame(d, 640 - width, e);
        EXPECT_EQ(d.view.zoomFrameLeft[p], highest) << "page " << p;
        placeZoomFrame(d, highest, e);
        EXPECT_EQ(d.view.zoomFrameLeft[p], highest) << "page " << p;
    }
}

TEST(ZoomFrameClick, PageOneLimitedToColumnsHoldingData) {
    auto l = loadDocument(simpleWave(2, 16, 8192 * 10 + 100), 640);  // 10 whole page-1 columns
    Document& d = **l;
    d.view.page = 1;
    ViewEvents e;
    placeZoomFrame(d, 300, e);
    EXPECT_EQ(d.view.zoomFrameLeft[1], 10);
}

TEST(ZoomFrameClick, DisplayWindowFollowsPagesThreeAndFour) {
    auto l = longFile();
    Document& d = **l;
    for (int p : {2, 3, 4}) {
        d.view.page = p;
        ViewEvents e;
        placeZoomFrame(d, 5, e);
        EXPECT_EQ(e.repaintDisplay2, p != 2);
    }
}

TEST(BlockShift, LeftRightAndFirstPosition) {
    auto l = longFile();
    Document& d = **l;
    d.view.page = 2;  // width 80 at 640 columns
    ViewEvents e;
    d.view.zoomFrameLeft[2] = 81;  // not beyond width + 1: goes to column 0
    blockShiftLeft(d, e);
    EXPECT_EQ(d.view.zoomFrameLeft[2], 0);
    d.view.zoomFrameLeft[2] = 82;
    blockShiftLeft(d, e);
    EXPECT_EQ(d.view.zoomFrameLeft[2], 3);
    for (int i = 0; i < 20; ++i) blockShiftRight(d, e);
    EXPECT_EQ(d.view.zoomFrameLeft[2], 640 - 80 - 1);
    d.view.pageEntryLeft[2] = 123;
    firstPosition(d, e);
    EXPECT_EQ(d.view.zoomFrameLeft[2], 123);
    EXPECT_FALSE(d.view.editFramePresent);
}

struct Drag {
    const char* name;
    int page;
    int32_t from, to;
    uint32_t heldMs;
    bool framed;            // an edit frame results
    int32_t left, right;    // its columns, or when not framed the zoom frame's left (-1: page 5's
                            // frame unmoved, -2: not checked)
    bool pastData = false;  // on the 700-frame file: the frame ends at the data end
};

const Drag kDrags[] = {
    {"DragOnPage2", 2, 100, 150, 400, true, 100, 150},
    {"BackwardsDragIsOrdered", 3, 150, 100, 400, true, 100, 150},
    {"QuickDragIsAClick", 2, 100, 150, 299, false, 100, 0},
    {"SameColumnIsAClick", 4, 100, 100, 900, false, 100, 0},
    {"Page5DragIsNeverAClick", 5, 10, 12, 10, true, 10, 12},
    {"Page5ClickDoesNothing", 5, 10, 10, 900, false, -1, 0},
    {"DragPastTheDataEndsAtDataEnd", 3, 5, 400, 500, true, 5, 10, true},
    {"DragWhollyPastTheDataIsVoid", 3, 300, 400, 500, false, -2, 0, true},
};

class DragFrames : public ::testing::TestWithParam<Drag> {};

TEST_P(DragFrames, MarksOrMoves) {
    const Drag& r = GetParam();
    auto l = r.pastData ? shortFile() : longFile();
    Document& d = **l;
    onPage(d, r.page);
    d.view.zoomFrameLeft[r.page <= 4 ? r.page : 4] = 7;
    ViewEvents e;
    pressWaveform(d, r.from, 1000, false, e);
    dragWaveform(d, r.to);
    releaseWaveform(d, 1000 + r.heldMs, e);
    EXPECT_FALSE(d.view.dragging);
    EXPECT_EQ(d.view.editFramePresent, r.framed);
    EXPECT_EQ(e.editOpened, r.framed);
    if (r.framed) {
        EXPECT_EQ(d.view.editFrameLeft, r.left);
        EXPECT_EQ(d.view.editFrameRight, r.right);
        EXPECT_EQ(d.view.editFrameStart, columnOffset(d.view, d.edit, r.left, r.page));
        EXPECT_EQ(d.view.editFrameEnd, r.pastData ? d.edit.dataEnd : columnOffset(d.view, d.edit, r.right, r.page));
    } else if (r.left >= 0) {
        EXPECT_EQ(d.view.zoomFrameLeft[r.page], r.left);
    } else if (r.left == -1) {
        EXPECT_EQ(d.view.zoomFrameLeft[4], 7);
    }
}

INSTANTIATE_TEST_SUITE_P(Geometry, DragFrames, ::testing::ValuesIn(kDrags),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(EditFrame, RightChannelIsOneSampleFurther) {
    auto l = longFile();
    Document& d = **l;
    onPage(d, 3);
    d.view.editFrameLeft = 20;
    d.view.editFrameRight = 10;
    setEditFrameBytes(d);
    const uint32_t leftStart = d.view.editFrameStart, leftEnd = d.view.editFrameEnd;
    EXPECT_EQ(d.view.editFrameLeft, 10);
    d.view.channel = 1;
    setEditFrameBytes(d);
    EXPECT_EQ(d.view.editFrameStart, leftStart + 2);
    EXPECT_EQ(d.view.editFrameEnd, leftEnd + 2);
}

TEST(EditFrame, ClickWithAFrameKeepsIt) {
    auto l = longFile();
    Document& d = **l;
    onPage(d, 2);
    markFrame(d, 10, 30);
    ViewEvents e;
    pressWaveform(d, 200, 1000, false, e);
    releaseWaveform(d, 1100, e);
    EXPECT_TRUE(d.view.editFramePresent);
    EXPECT_EQ(d.view.editFrameLeft, 10);
    EXPECT_EQ(d.view.editFrameRight, 30);
}

// The mouse taken away mid-drag: no frame is made, a present one keeps its columns.
TEST(EditFrame, DragWhoseReleaseNeverComesIsVoid) {
    for (const bool framed : {false, true}) {
        auto l = longFile();
        Document& d = **l;
        onPage(d, 5);
        if (framed) markFrame(d, 10, 30);
        const uint32_t start = d.view.editFrameStart;
        ViewEvents e;
        pressWaveform(d, 200, 1000, false, e);
        dragWaveform(d, 250);
        cancelDrag(d, e);
        EXPECT_FALSE(d.view.dragging);
        EXPECT_EQ(d.view.editFramePresent, framed);
        EXPECT_FALSE(e.editOpened);
        if (framed) {
            EXPECT_EQ(d.view.editFrameLeft, 10);
            EXPECT_EQ(d.view.editFrameRight, 30);
            EXPECT_EQ(d.view.editFrameStart, start);
        }
        releaseWaveform(d, 2000, e);  // a release arriving after all makes nothing either
        EXPECT_EQ(d.view.editFramePresent, framed);
    }
}

TEST(EditFrame, ReleaseWithoutPressIsIgnored) {
    auto l = longFile();
    Document& d = **l;
    d.view.page = 2;
    d.view.editFrameLeft = 3;
    d.view.editFrameRight = 90;
    ViewEvents e;
    releaseWaveform(d, 5000, e);
    EXPECT_FALSE(d.view.editFramePresent);
    EXPECT_EQ(d.view.zoomFrameLeft[2], 0);
}

TEST(PageOne, PressIsReleasedAtOnce) {
    auto l = longFile();
    Document& d = **l;
    d.view.page = 1;
    ViewEvents e;
    pressWaveform(d, 33, 0, false, e);
    EXPECT_FALSE(d.view.dragging);
    EXPECT_EQ(d.view.zoomFrameLeft[1], 33);
    EXPECT_FALSE(d.view.editFramePresent);
}

TEST(ZoomFrameClamp, PulledBackToTheData) {
    auto l = shortFile();
    Document& d = **l;
    d.view.zoomFrameLeft[3] = 500;
    clampZoomFrameToData(d, 3);
    EXPECT_EQ(d.view.zoomFrameLeft[3], 10);
}

TEST(WidthChange, RescalesTheOverviewColumn) {
    auto l = longFile(960);
    Document& d = **l;
    d.view.zoomFrameLeft = {600, 5, 6, 7, 8, 9};
    changeWidth(d, 640);
    EXPECT_EQ(d.view.screenWidth, 640);
    EXPECT_EQ(d.view.zoomFrameLeft[0], std::min(400, 640 - d.view.zoomFrameWidth[0] - 1));
    EXPECT_EQ(d.view.zoomFrameLeft[1], 0);
    EXPECT_EQ(d.view.zoomFrameLeft[4], 0);
}

// Every file the loader accepts: the offsets the view computes, plus the
// margins the working buffer reads, stay inside the image block in 32 bits.
TEST(ImageBounds, LargestAndSmallestAcceptedFiles) {
    struct Row {
        const char* name;
        uint16_t channels, bits;
        uint64_t frames;
    };
    const uint64_t largestStereo24 = (0xFFFFFFFFull - 655360ull * 6 - 2048ull * 3 - 44) / 6;
    const uint64_t largestMono8 = 0xFFFFFFFFull - 655360ull - 2048ull - 44;
    const Row rows[] = {{"LargestStereo24", 2, 24, largestStereo24},
                        {"LargestMono8", 1, 8, largestMono8},
                        {"SmallestStereo24", 2, 24, 1},
                        {"SmallestMono8", 1, 8, 1}};
    for (const Row& r : rows) {
        const WaveInfo f = fileOf(r.channels, r.bits, r.frames);
        ASSERT_LE(memoryBudget(f), 0xFFFFFFFFull) << r.name;
        for (int32_t w : kScreenWidths) {
            Document d;
            d.edit = f;
            d.view.screenWidth = w;
            d.view.zoomFrameLeft[0] = w - 1;
            buildScales(d.view, f);
            ViewEvents e;
            for (int p = 1; p <= 4; ++p) {  // every frame as far right as clicks can put it
                d.view.page = p;
                placeZoomFrame(d, w - 1, e);
            }
            const uint32_t origin = columnOffset(d.view, f, 0, 2);
            ASSERT_LE(uint64_t(origin), uint64_t(f.dataEnd)) << r.name << " " << w;
            const uint64_t lastRead = uint64_t(origin) + 512ull * w * f.frameBytes + 2048ull * f.bytesPerSample;
            ASSERT_LE(lastRead + f.bytesPerSample, memoryBudget(f)) << r.name << " " << w;
            // Columns of pages 2-5 stay inside the stretch, right channel included.
            for (int p = 2; p < kPages; ++p) {
                const uint64_t end = uint64_t(columnOffset(d.view, f, w, p)) + f.frameBytes;
                ASSERT_LE(end, uint64_t(origin) + 512ull * w * f.frameBytes + f.frameBytes) << p;
                ASSERT_LT(slotOf(uint32_t(end), origin, f.bytesPerSample), kWorkSlots);
            }
        }
    }
}

TEST(ShortFile, EveryPageStaysInTheImage) {
    for (int32_t w : kScreenWidths) {
        auto l = loadDocument(simpleWave(2, 24, 100), w);
        Document& d = **l;
        ViewEvents e;
        enterEditView(d, l->fs, 0, e);
        EXPECT_EQ(d.view.framesPerPixel[0], 1u);
        keepWhiteWaveform(d);  // page 1 stops at the data end
        for (int p = 2; p <= 5; ++p) {
            enlarge(d, l->fs, e);
            ASSERT_EQ(d.view.page, p);
            keepWhiteWaveform(d);
        }
        for (int p = 5; p >= 1; --p) reduce(d, e);
        EXPECT_EQ(d.view.page, 0);
        EXPECT_EQ(l->imageBytes(), l->original);
    }
}

}  // namespace
