#include "view/page_render.h"

#include <gtest/gtest.h>

#include "audio_file/tests/wave_builder.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/tools.h"
#include "testing/document_fixture.h"
#include "view/frames.h"
#include "view/pages.h"

namespace {

constexpr int32_t kRows = 300;  // client rows 62 ... 361
constexpr uint32_t kMagenta = 0xFF00FF, kYellow = 0xFFFF00, kWhite = 0xFFFFFF;

// Stereo or mono, every frame the same: left `l`, right `r` as raw sample bytes.
std::unique_ptr<LoadedDocument> constant(uint16_t bits, uint16_t channels, int32_t l, int32_t r,
                                         uint32_t frames = 330000) {  // page 2 full of data
    std::vector<uint8_t> data;
    const uint32_t bps = bits / 8u;
    for (uint32_t f = 0; f < frames; ++f)
        for (int ch = 0; ch < channels; ++ch) {
            const int32_t v = ch == 0 ? l : r;
            for (uint32_t b = 0; b < bps; ++b) data.push_back(uint8_t(uint32_t(v) >> (8 * b)));
        }
    return loadDocument(riffFile({chunk("fmt ", fmtPayload(pcmFormat(channels, bits))), chunk("data", data)}), 640);
}

// Onto `page` at gain 0 with the zoom frames at the left.
void goTo(LoadedDocument& l, int page, int channel = 0) {
    l->view.channel = channel;
    ViewEvents e = enterPage(l, page);
    removeGain(*l, e);
}

struct Rendered {
    PageCache cache;
    PagePixels pixels;
};

// A fresh render; its cache is kept for `again`.
std::unique_ptr<Rendered> render(Document& d, bool dark = false) {
    auto r = std::make_unique<Rendered>();
    r->pixels.resize(d.view.screenWidth, kRows);
    RenderFlags flags;
    flags.darkBackground = dark;
    renderPage(d, r->cache, r->pixels, flags);
    return r;
}

// Renders over the kept cache and pixels, then compares with a fresh render.
void expectSameAsFresh(Document& d, Rendered& kept, const char* what = "") {
    renderPage(d, kept.cache, kept.pixels, RenderFlags{});
    EXPECT_EQ(kept.pixels.pixels, render(d)->pixels.pixels) << what;
}

// The rows of column x that are not background, top to bottom.
std::vector<int32_t> marked(const PagePixels& p, int32_t x, uint32_t colour) {
    std::vector<int32_t> rows;
    for (int32_t y = kWaveTop; y < kWaveTop + p.height; ++y)
        if (p.at(x, y) == colour) rows.push_back(y);
    return rows;
}

struct TraceRow {
    const char* name;
    uint16_t bits;
    int32_t left, right;  // raw sample values
    int channel;
    int32_t row;  // where the trace of the channel lies
};

const TraceRow kTraces[] = {
    {"Bits16Positive", 16, 0x1000, 0, 0, 62 + 112}, {"Bits16FullNegativeOnTheBottomLine", 16, 0, -32768, 1, 62 + 256},
    {"Bits16MinusOne", 16, -1, 0, 0, 62 + 129},     {"Bits8Zero", 8, 0x00, 0x80, 0, 62 + 256},
    {"Bits8Top", 8, 0x80, 0xFF, 1, 62 + 1},         {"Bits24", 24, 0x7FFFFF, -0x10000, 1, 62 + 129},
};

class Trace : public ::testing::TestWithParam<TraceRow> {};

TEST_P(Trace, GreenRowOnEveryPage) {
    const TraceRow& t = GetParam();
    for (int page = 1; page <= 5; ++page) {
        auto l = constant(t.bits, 2, t.left, t.right);
        goTo(*l, page, t.channel);
        Document& d = **l;
        if (page == 1) d.view.zoomFrameLeft[1] = 30;
        auto r = render(d);
        const int32_t x = page == 1 ? 20 : 600;  // outside every zoom frame, inside the data
        EXPECT_EQ(marked(r->pixels, x, kTraceGreen), std::vector<int32_t>{t.row}) << "page " << page;
        for (int32_t y : {62, 190, 318}) {
            if (y != t.row) {
                EXPECT_EQ(r->pixels.at(x, y), kLineBlue) << page << " row " << y;
            }
        }
        EXPECT_EQ(r->pixels.at(x, 100) == kBackBlack || t.row == 100, true);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, Trace, ::testing::ValuesIn(kTraces),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Gain, LoudColumnClampedOnPageTwoAndNotDrawnAboveTheAreaOnPageThree) {
    for (int page : {2, 3}) {
        auto l = constant(16, 1, 0x1000, 0);
        goTo(*l, page);
        Document& d = **l;
        ViewEvents e;
        d.view.gainShift = 0;
        // x16 on purpose past the headroom: 0x1000 x 16 reaches screen value 256.
        for (size_t i = 0; i < kWorkSlots; ++i) d.pages.workSamples[i] *= 16;
        d.view.gainShift = 4;
        ++d.workGeneration;
        auto r = render(d);
        if (page == 2) {
            EXPECT_EQ(marked(r->pixels, 600, kTraceGreen), std::vector<int32_t>{62});  // clamped to the top
        } else {
            EXPECT_TRUE(marked(r->pixels, 600, kTraceGreen).empty());
        }
    }
}

TEST(Inversion, HighlightAndBackgrounds) {
    for (bool dark : {false, true}) {
        auto l = constant(16, 2, 0x1000, 0);
        goTo(*l, 2);
        Document& d = **l;
        d.view.zoomFrameLeft[2] = 100;
        auto r = render(d, dark);
        const uint32_t back = dark ? kBackDarkGrey : kBackBlack;
        EXPECT_EQ(r->pixels.at(150, 174), kMagenta);  // green inverted
        EXPECT_EQ(r->pixels.at(150, 190), kYellow);   // blue inverted
        EXPECT_EQ(r->pixels.at(150, 100), inverted(back));
        EXPECT_EQ(r->pixels.at(150, 62), kLineBlue);  // rows 63 ... 317 only
        EXPECT_EQ(r->pixels.at(150, 318), kLineBlue);
        EXPECT_EQ(r->pixels.at(99, 100), back);
        EXPECT_EQ(r->pixels.at(179, 100), inverted(back));  // 80 columns: 100 ... 179
        EXPECT_EQ(r->pixels.at(180, 100), back);
        if (dark) {
            EXPECT_EQ(inverted(kBackDarkGrey), 0xBFBFBFu);
        }
    }
}

TEST(Outline, EachSideOnce) {
    auto l = constant(16, 2, 0x1000, 0);
    goTo(*l, 5);
    Document& d = **l;
    d.view.editFrameLeft = 100;
    d.view.editFrameRight = 110;
    d.view.editFramePresent = true;
    auto r = render(d);
    EXPECT_EQ(r->pixels.at(100, 63), kWhite);
    EXPECT_EQ(r->pixels.at(109, 63), kWhite);
    EXPECT_EQ(r->pixels.at(110, 63), kWhite);  // the right side starts there
    EXPECT_EQ(r->pixels.at(110, 317), kWhite);
    EXPECT_EQ(r->pixels.at(110, 318), inverted(kLineBlue));
    EXPECT_EQ(r->pixels.at(101, 318), inverted(kLineBlue));
    EXPECT_EQ(r->pixels.at(100, 318), inverted(kLineBlue));  // the left side starts there
    EXPECT_EQ(r->pixels.at(100, 64), kWhite);
    EXPECT_EQ(r->pixels.at(100, 174), kMagenta);
    EXPECT_EQ(r->pixels.at(105, 100), kBackBlack);  // inside stays
    EXPECT_EQ(r->pixels.at(105, 174), kTraceGreen);
}

TEST(WhiteWaveform, EmptyOnAConstantSignalAndTheMaximumKept) {
    auto l = constant(16, 2, 0x1000, 0x1000);
    for (int page : {1, 2, 3, 5}) {
        goTo(*l, page);
        Document& d = **l;
        d.view.whiteMaxColumn = 77;
        auto r = render(d);
        for (int32_t y = kWhiteTop; y < kWaveTop + kRows; ++y) ASSERT_EQ(r->pixels.at(300, y), kBackBlack);
        EXPECT_EQ(d.view.whiteMaxColumn, 77);
        ViewEvents e;
        while (d.view.page > 0) reduce(d, e);
    }
}

TEST(WhiteWaveform, ClickHangsItsJumpAndNoSpikeAtTheEightBitMiddle) {
    // 8-bit: 127 and 128 alternate (the middle); one click at frame 1000 of page 5.
    std::vector<uint8_t> data(200000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = i % 2 ? 127 : 128;
    auto l = loadDocument(riffFile({chunk("fmt ", fmtPayload(pcmFormat(1, 8))), chunk("data", data)}), 640);
    goTo(*l, 5);
    Document& d = **l;
    auto r = render(d);
    EXPECT_EQ(r->pixels.at(100, kWhiteTop), kWhite);  // |(-1) - 0| = 1 row
    EXPECT_EQ(r->pixels.at(100, kWhiteTop + 1), kBackBlack);
    const uint32_t at = columnOffset(d.view, d.edit, 200, 5);
    d.pages.workSamples[slotOf(at, d.pages.workOrigin, 1)] = 100 << 16;
    ++d.workGeneration;
    r = render(d);
    EXPECT_EQ(d.view.whiteMaxColumn, 199);  // the first of the two equal jumps into and out of it
    // 101 rows hang from row 320; the picture ends at row 361.
    EXPECT_EQ(marked(r->pixels, 200, kWhite), marked(r->pixels, 199, kWhite));
    EXPECT_EQ(marked(r->pixels, 200, kWhite).size(), size_t(kWaveTop + kRows - kWhiteTop));
    EXPECT_EQ(marked(r->pixels, 200, kWhite).front(), kWhiteTop);
}

TEST(PageFive, ColumnIShowsFrameI) {
    auto l = constant(16, 1, 0, 0);
    goTo(*l, 5);
    Document& d = **l;
    const uint32_t first = columnOffset(d.view, d.edit, 0, 5);
    d.pages.workSamples[slotOf(first, d.pages.workOrigin, 2)] = 64 << 16;  // frame 0 at row 62 + 64
    ++d.workGeneration;
    auto r = render(d);
    EXPECT_EQ(r->pixels.at(0, 62 + 64), kTraceGreen);
    EXPECT_EQ(r->pixels.at(639, 62 + 128), kTraceGreen);  // the last frame is drawn too
}

TEST(PageOne, DrawsOnlyUpToTheDataEnd) {
    auto l = constant(16, 1, 0x1000, 0, 8192 * 10 + 100);
    goTo(*l, 1);
    Document& d = **l;
    auto r = render(d);
    EXPECT_EQ(marked(r->pixels, 5, kTraceGreen).size() + marked(r->pixels, 5, kMagenta).size(), 1u);
    EXPECT_EQ(marked(r->pixels, 10, kTraceGreen).size() + marked(r->pixels, 10, kMagenta).size(), 1u);
    EXPECT_EQ(marked(r->pixels, 11, kTraceGreen).size(), 0u);
    EXPECT_EQ(marked(r->pixels, 300, kTraceGreen).size(), 0u);
}

// The last sample of a column that does not fill its frames by fours still shows.
TEST(PageOne, LastSamplesOfAShortColumnShow) {
    for (uint32_t rest : {1u, 2u, 3u, 5u, 6u, 7u}) {
        auto l = constant(16, 1, 0x1000, 0, 8192 * 10 + rest);
        goTo(*l, 1);
        Document& d = **l;
        d.image.bytes()[d.edit.dataEnd - 1] = 0xC0;  // the very last sample: -64 on screen
        auto r = render(d);
        const uint32_t at = r->pixels.at(10, 62 + 192);
        EXPECT_TRUE(at == kTraceGreen || at == kMagenta) << rest << " frames in the column";
    }
}

// What the paint keeps equals what it would compute afresh.
TEST(Cache, KeptPageOneEqualsAFreshRender) {
    RecordingPlan plan;
    plan.frames = 44100 * 60;
    plan.clicks = 4;
    auto l = loadRecording(plan, 640);
    Document& d = **l;
    ViewEvents e = enterPage(*l, 1);
    auto kept = render(d);
    renderPage(d, kept->cache, kept->pixels, RenderFlags{});
    EXPECT_EQ(kept->cache.recomputed, 0);  // nothing changed: nothing computed
    gainDown(d, e);
    expectSameAsFresh(d, *kept, "after a gain change");
    switchChannel(d, bandSplit(), e);
    expectSameAsFresh(d, *kept, "after a channel switch");
    enlarge(d, l->fs, e);
    markFrame(d, 10, 30);
    silenceFrame(d);
    expectSameAsFresh(d, *kept, "page 2 after an edit");
    confirmEdit(d, e);
    reduce(d, e);
    expectSameAsFresh(d, *kept, "back on page 1 after the edit");
    reduce(d, e);
    d.view.zoomFrameLeft[0] = 5;  // the overview moved
    enterEditView(d, l->fs, 0, e);
    expectSameAsFresh(d, *kept, "after an overview move");
}

TEST(Cache, PageTwoRecomputesOnlyTheDamagedColumns) {
    auto l = constant(16, 2, 0x1000, 0);
    goTo(*l, 2);
    Document& d = **l;
    auto kept = render(d);
    markFrame(d, 100, 110);
    silenceFrame(d);
    expectSameAsFresh(d, *kept);
    EXPECT_EQ(kept->cache.recomputed, 13);  // columns 99 ... 111: the frame and its neighbours
}

// An edit on page 3 changes page-2 columns other than its own: on a page too
// loud for any gain nothing else tells the kept page 2 that it is stale.
TEST(Cache, PageTwoAfterAnEditOnPageThreeEqualsAFreshRender) {
    auto l = constant(16, 2, 0x7F00, 0);  // no headroom: the page changes move no sample
    goTo(*l, 2);
    Document& d = **l;
    d.view.zoomFrameLeft[2] = 20;
    auto kept = render(d);
    ViewEvents e;
    enlarge(d, l->fs, e);
    ASSERT_EQ(d.view.gainShift, 0);
    markFrame(d, 100, 300);
    ASSERT_TRUE(silenceFrame(d));
    confirmEdit(d, e);
    reduce(d, e);
    expectSameAsFresh(d, *kept);
}

}  // namespace
