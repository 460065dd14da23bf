#include <gtest/gtest.h>

#include <cstring>

#include "audio_file/sample_access.h"
#include "audio_file/tests/wave_builder.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/page_io.h"
#include "edit/tools.h"
#include "testing/document_fixture.h"
#include "view/descent.h"
#include "view/frames.h"
#include "view/pages.h"
#include "view/white_waveform.h"

namespace {

RecordingPlan clicks(uint16_t channels, uint16_t bits, uint64_t frames, uint32_t count = 3) {
    RecordingPlan s;
    s.channels = channels;
    s.bits = bits;
    s.frames = frames;
    s.clicks = count;
    return s;
}

TEST(Enlarge, PageTwoLoadsTheStretchAndTheReferenceAudio) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 1);
    d.view.zoomFrameLeft[1] = 12;
    enlarge(d, l->fs, e);
    ASSERT_EQ(d.view.page, 2);
    EXPECT_EQ(d.pages.workOrigin, d.edit.dataOffset + 12u * 8192 * 4);
    // The edit file as stored on disk, from the same frame.
    EXPECT_EQ(0, std::memcmp(d.image.filePageBuffer.get(), l->original.data() + d.pages.workOrigin, 4096));
    EXPECT_TRUE(e.titlesChanged);
    ASSERT_TRUE(e.buttons.has_value());
    EXPECT_EQ(*e.buttons, (PageButtons{true, true, false}));
    EXPECT_EQ(d.view.pageEntryLeft[2], d.view.zoomFrameLeft[2]);
}

TEST(Enlarge, BackupFileReadAtTheSameFrame) {
    // The backup's data starts 24 bytes later (a longer "fmt " chunk).
    const std::vector<uint8_t> edit = simpleWave(2, 16, 300000);
    const std::vector<uint8_t> backup =
        riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16), 40)), chunk("data", pattern(300000 * 4, 9))});
    auto l = loadDocument(edit, 640, &backup);
    Document& d = **l;
    ViewEvents e;
    enterEditView(d, l->fs, 0, e);
    d.view.zoomFrameLeft[1] = 3;
    enlarge(d, l->fs, e);
    ASSERT_EQ(d.view.page, 2);
    const uint32_t frame = 3 * 8192;
    EXPECT_EQ(0, std::memcmp(d.image.filePageBuffer.get(), backup.data() + 68 + frame * 4, 4096));
}

TEST(Enlarge, ReferenceReadFailureStaysOnPageOne) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 1);
    l->fs.files.clear();  // the file went away after loading
    ViewEvents failed;
    enlarge(d, l->fs, failed);
    EXPECT_EQ(d.view.page, 1);
    EXPECT_EQ(d.view.gainShift, 0);
    EXPECT_EQ(
        failed.message.text,
        "ファイル読込に失敗しました。以降のデータには信頼性が無いので終了して下さい。\n現在までのデータは有効です。");
    EXPECT_EQ(failed.message.caption, "ファイル読込エラー");
}

TEST(PageRoundTrip, DownToPageFiveAndBackLeavesTheImageAsLoaded) {
    for (uint16_t bits : {8, 16, 24}) {
        RecordingPlan quiet = clicks(2, bits, 44100 * 30, 0);
        quiet.level = 0.01;
        auto l = loadRecording(quiet, 960);
        Document& d = **l;
        ViewEvents e;
        enterEditView(d, l->fs, 0, e);
        EXPECT_EQ(d.view.gainShift, kDefaultGainShift);
        for (int p = 0; p < 4; ++p) {
            d.view.zoomFrameLeft[d.view.page] = 17 + p;
            enlarge(d, l->fs, e);
        }
        ASSERT_EQ(d.view.page, 5);
        EXPECT_EQ(d.view.pageEntryLeft[5], d.view.zoomFrameLeft[4]);
        ASSERT_EQ(*e.buttons, (PageButtons{false, true, false}));
        for (int p = 0; p < 5; ++p) reduce(d, e);
        EXPECT_EQ(d.view.page, 0);
        EXPECT_TRUE(e.showOverview);
        EXPECT_EQ(d.view.gainShift, 0);
        EXPECT_EQ(l->imageBytes(), l->original) << bits;
    }
}

TEST(Reduce, WritesTheWorkingCopyBackOnArrivingAtPageOne) {
    auto l = loadRecording(clicks(2, 24, 44100 * 20));
    Document& d = **l;
    ViewEvents e = enterPage(*l, 2);
    const uint32_t q = d.pages.workOrigin + 6 * 50;  // left channel, frame 50 of the stretch
    d.pages.workSamples[slotOf(q, d.pages.workOrigin, 3)] = 0x123456 << d.view.gainShift;
    reduce(d, e);
    ASSERT_EQ(d.view.page, 1);
    EXPECT_TRUE(e.hideAuxiliaryWindows);
    ViewEvents back;
    reduce(d, back);
    EXPECT_EQ(readSample(d.image.bytes(), q, 3), 0x123456);
    EXPECT_EQ(back.refreshOverviewChannel, 0);
}

// Page 1 keeps no working copy: a stale one must never reach the image.
TEST(PageOne, ChannelSwitchAndLeavingLeaveTheImageAsLoaded) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 1);
    auto stale = [&] { std::fill(d.pages.workSamples.get(), d.pages.workSamples.get() + kWorkSlots, 0x7F0000); };
    stale();
    switchChannel(d, bandSplit(), e);
    EXPECT_EQ(d.view.channel, 1);
    removeGain(d, e);
    EXPECT_EQ(l->imageBytes(), l->original);
    stale();
    leaveEditView(d, e);
    EXPECT_EQ(l->imageBytes(), l->original);
    EXPECT_EQ(d.view.gainShift, 0);
}

TEST(ChannelSwitch, OnOverviewTogglesStereoOnly) {
    auto l = loadRecording(clicks(2, 16, 44100 * 5));
    Document& d = **l;
    ViewEvents e;
    switchChannel(d, bandSplit(), e);
    EXPECT_EQ(d.view.channel, 1);
    EXPECT_EQ(d.view.gainShift, 0);
    EXPECT_EQ(l->imageBytes(), l->original);
    auto mono = loadRecording(clicks(1, 16, 44100 * 5));
    switchChannel(**mono, bandSplit(), e);
    EXPECT_EQ((*mono)->view.channel, 0);
}

TEST(ChannelSwitch, OnPageTwoWritesBackAndKeepsTheStretch) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 2);
    const uint32_t origin = d.pages.workOrigin;
    const uint32_t q = origin + 4 * 99;
    d.pages.workSamples[slotOf(q, origin, 2)] = -77 * 256 * (1 << d.view.gainShift);
    ViewEvents s;
    switchChannel(d, bandSplit(), s);
    EXPECT_EQ(d.view.channel, 1);
    EXPECT_EQ(d.pages.workOrigin, origin);
    EXPECT_EQ(readSample(d.image.bytes(), q, 2), -77 * 256);
    EXPECT_EQ(s.refreshOverviewChannel, 0);
    EXPECT_TRUE(s.titlesChanged);
}

// The descent centres every deeper zoom frame on the sharpest jump and marks
// eight frames around it on page 5.
TEST(Descent, LandsOnTheInjectedClickFromEveryPage) {
    const RecordingPlan plan = clicks(2, 16, 44100 * 30, 3);
    const ClickMark click = clickMarks(plan)[1];  // right channel
    for (int start : {2, 3, 4}) {
        auto l = loadRecording(plan, 640);
        Document& d = **l;
        ViewEvents e;
        d.view.channel = click.channel;
        enterEditView(d, l->fs, 0, e);
        // Put each page's frame over the click, as the user would, down to `start`.
        d.view.zoomFrameLeft[1] = int32_t(click.frame / 8192) - 10;
        for (int p = 1; p < start; ++p) {
            enlarge(d, l->fs, e);
            const uint32_t first = (columnOffset(d.view, d.edit, 0, p + 1) - d.edit.dataOffset) / 4;
            d.view.zoomFrameLeft[p + 1] = int32_t((click.frame - first) / d.view.framesPerPixel[p + 1]) - 3;
        }
        ASSERT_EQ(d.view.page, start);
        const auto before = d.view.zoomFrameLeft;
        ViewEvents down;
        descendToLoudest(d, down);
        ASSERT_EQ(d.view.page, 5) << start;
        EXPECT_EQ(d.view.shorteningStartPage, start);
        EXPECT_TRUE(d.view.editFramePresent);
        EXPECT_TRUE(down.editOpened);
        EXPECT_EQ(*down.buttons, (PageButtons{false, true, true}));
        EXPECT_EQ(d.view.editFrameRight - d.view.editFrameLeft, 8);
        const uint32_t clickAt = d.edit.dataOffset + uint32_t(click.frame) * 4 + 2;
        EXPECT_LE(d.view.editFrameStart, clickAt) << "from page " << start;
        EXPECT_GT(d.view.editFrameEnd, clickAt) << "from page " << start;
        // Only the pages below the start page were centred.
        for (int p = 1; p <= start; ++p) EXPECT_EQ(d.view.zoomFrameLeft[p], before[p]) << p;
        ViewEvents up;
        d.view.editFramePresent = false;
        returnFromDescent(d, bandSplit(), up);
        EXPECT_EQ(d.view.page, start);
        EXPECT_EQ(d.view.shorteningStartPage, 0);
    }
}

// Page 1 has no working copy: a descent from it would edit samples that the
// return never writes back. It is refused; from page 2 the edits arrive.
TEST(Descent, RefusedOnPageOneAndItsEditsReachTheImageFromPageTwo) {
    const RecordingPlan plan = clicks(2, 16, 44100 * 30, 1);
    const ClickMark click = clickMarks(plan)[0];
    auto l = loadRecording(plan, 640);
    Document& d = **l;
    ViewEvents e;
    d.view.channel = click.channel;
    enterEditView(d, l->fs, 0, e);
    d.view.zoomFrameLeft[1] = int32_t(click.frame / 8192) - 10;
    const std::vector<uint8_t> pageOne = l->imageBytes();
    descendToLoudest(d, e);
    EXPECT_EQ(d.view.page, 1);
    EXPECT_FALSE(d.view.editFramePresent);
    EXPECT_EQ(l->imageBytes(), pageOne);

    enlarge(d, l->fs, e);
    ASSERT_EQ(d.view.page, 2);
    descendToLoudest(d, e);
    ASSERT_EQ(d.view.page, 5);
    const uint32_t from = d.view.editFrameStart, to = d.view.editFrameEnd;
    ASSERT_TRUE(runSilence(d, e));
    confirmEdit(d, e);
    returnFromDescent(d, bandSplit(), e);
    ASSERT_EQ(d.view.page, 2);
    reduce(d, e);
    reduce(d, e);
    ASSERT_EQ(d.view.page, 0);
    const std::vector<uint8_t> image = l->imageBytes();
    size_t changed = 0;
    for (size_t i = 0; i < image.size(); ++i) {
        if (image[i] == l->original[i]) continue;
        ASSERT_TRUE(i >= from && i < to && (i - from) % 4 < 2) << "byte " << i << " outside the frame's channel";
        ++changed;
    }
    EXPECT_GT(changed, 0u);
}

TEST(Descent, EditFrameShiftedInsideTheScreenAtBothEdges) {
    struct Row {
        int32_t jumpColumn, left, right;
    };
    for (const Row r : {Row{1, 0, 8}, Row{637, 631, 639}, Row{320, 316, 324}}) {
        auto l = loadDocument(silentMonoWave(400000));
        Document& d = **l;
        ViewEvents e = enterPage(*l, 4);
        ASSERT_EQ(d.view.page, 4);
        d.view.zoomFrameLeft[4] = 10;
        // A jump on page 5 between the frames of two neighbouring columns.
        d.view.page = 5;
        const uint32_t at = columnOffset(d.view, d.edit, r.jumpColumn, 5);
        d.view.page = 4;
        d.pages.workSamples[slotOf(at, d.pages.workOrigin, 2)] = 0x300000;
        d.pages.workSamples[slotOf(at + 2, d.pages.workOrigin, 2)] = -0x300000;
        descendToLoudest(d, e);
        ASSERT_EQ(d.view.page, 5);
        EXPECT_EQ(d.view.whiteMaxColumn, r.jumpColumn);
        EXPECT_EQ(d.view.editFrameLeft, r.left) << r.jumpColumn;
        EXPECT_EQ(d.view.editFrameRight, r.right) << r.jumpColumn;
        EXPECT_EQ(d.view.zoomFrameLeft[4], 10);  // the start page is not centred
    }
}

TEST(Slide, SpeedGrowsEveryFiftyTicksAndClamps) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 5);
    ASSERT_EQ(d.view.page, 5);
    beginSlideGain(d, e);
    EXPECT_TRUE(d.slideGainActive);
    d.view.zoomFrameLeft[4] = 0;
    for (int i = 0; i < 49; ++i) EXPECT_TRUE(slideTick(d, true, e));
    EXPECT_EQ(d.view.zoomFrameLeft[4], 49);
    EXPECT_TRUE(slideTick(d, true, e));  // tick 50 moves two columns
    EXPECT_EQ(d.view.zoomFrameLeft[4], 51);
    int clamped = 0;
    for (int i = 0; i < 400; ++i) clamped += slideTick(d, true, e) ? 0 : 1;
    EXPECT_GT(clamped, 0);
    EXPECT_EQ(d.view.zoomFrameLeft[4], 640 - 80 - 1);
    ViewEvents end;
    endSlide(d, end);
    EXPECT_FALSE(d.slideGainActive);
    EXPECT_EQ(d.slideStep, 0);
    slideHome(d, end);
    EXPECT_EQ(d.view.zoomFrameLeft[4], d.view.pageEntryLeft[5]);
    for (int p = 0; p < 5; ++p) reduce(d, e);
    EXPECT_EQ(l->imageBytes(), l->original);
}

// Every way page 5 moves takes the gain off the columns it leaves and puts
// it on the ones it reaches: with nothing edited, leaving writes nothing.
struct PageFiveMove {
    const char* name;
    void (*move)(Document&, ViewEvents&);
};
const PageFiveMove kPageFiveMoves[] = {
    {"TicksWithoutThePress",
     [](Document& d, ViewEvents& e) {
         for (int i = 0; i < 20; ++i) slideTick(d, false, e);
         endSlide(d, e);
     }},
    {"HomeWithoutThePress",
     [](Document& d, ViewEvents& e) {
         beginSlideGain(d, e);
         for (int i = 0; i < 20; ++i) slideTick(d, true, e);
         endSlide(d, e);
         slideHome(d, e);  // posted, no toolbar press before it
     }},
    {"HomeWhileHeld",
     [](Document& d, ViewEvents& e) {
         for (int i = 0; i < 20; ++i) slideTick(d, true, e);
         slideHome(d, e);
     }},
    {"EndWithoutSlide", [](Document& d, ViewEvents& e) { endSlide(d, e); }},
};

void PrintTo(const PageFiveMove& m, std::ostream* os) { *os << m.name; }

class SlideMove : public ::testing::TestWithParam<PageFiveMove> {};

TEST_P(SlideMove, LeavesEverySampleAsItWas) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 4);
    d.view.zoomFrameLeft[4] = 200;
    enlarge(d, l->fs, e);
    ASSERT_EQ(d.view.page, 5);
    GetParam().move(d, e);
    EXPECT_FALSE(d.slideGainActive);
    EXPECT_EQ(d.view.gainPlace, gainPlaceOf(d, 5));  // the gain sits on the page shown
    leaveEditView(d, e);
    EXPECT_EQ(l->imageBytes(), l->original);
}

INSTANTIATE_TEST_SUITE_P(Slide, SlideMove, ::testing::ValuesIn(kPageFiveMoves),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Slide, RefusedWhileAnEditIsOpen) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 5);
    markFrame(d, 100, 110);
    ASSERT_TRUE(d.view.editFramePresent);
    const int32_t left = d.view.zoomFrameLeft[4];
    d.view.pageEntryLeft[5] = left + 30;
    EXPECT_FALSE(slideTick(d, true, e));
    beginSlideGain(d, e);
    slideHome(d, e);
    EXPECT_FALSE(d.slideGainActive);
    EXPECT_EQ(d.view.zoomFrameLeft[4], left);
}

// The resumed page is reached by enlarging; each page's first position is
// the frame it was entered from, page 5's the page-4 frame.
TEST(Resume, EnterEditViewEnlargesDownToTheResumedPage) {
    auto l = loadChord();
    Document& d = **l;
    d.view.zoomFrameLeft = {0, 4, 5, 6, 300, 0};
    ViewEvents e;
    enterEditView(d, l->fs, 5, e);
    ASSERT_EQ(d.view.page, 5);
    EXPECT_EQ(d.view.pageEntryLeft[3], 6);
    EXPECT_EQ(d.view.pageEntryLeft[5], 300);
    EXPECT_EQ(d.view.zoomFrameLeft[1], 4);
    slideHome(d, e);
    EXPECT_EQ(d.view.zoomFrameLeft[4], 300);
}

TEST(ChannelSwitch, ConfirmsAnOpenEditFirst) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 2);
    markFrame(d, 10, 20);
    ASSERT_TRUE(d.view.editFramePresent);
    switchChannel(d, bandSplit(), e);
    EXPECT_FALSE(d.view.editFramePresent);
    EXPECT_EQ(d.view.channel, 1);
}

TEST(Descent, MaximumStuckAtTheRightEndIsReportedOnTheFifthTime) {
    // A jump in the last page-2 columns: every descent from page 2 finds it there.
    auto l = loadDocument(silentMonoWave(400000));
    Document& d = **l;
    ViewEvents e = enterPage(*l, 2);
    d.view.zoomFrameLeft[2] = 640 - 80 - 1;
    d.view.page = 3;
    const uint32_t at = columnOffset(d.view, d.edit, 639, 3);
    d.view.page = 2;
    d.pages.workSamples[slotOf(at, d.pages.workOrigin, 2)] = 0x200000;
    std::string texts;
    for (int i = 1; i <= 6; ++i) {
        ViewEvents down;
        descendToLoudest(d, down);
        ASSERT_EQ(d.view.page, 5);
        texts += down.message.text.empty() ? "-" : "M";
        EXPECT_EQ(down.message.caption.empty(), i != 5) << i;
        d.view.editFramePresent = false;
        returnFromDescent(d, bandSplit(), down);
    }
    EXPECT_EQ(texts, "----M-");
    ViewEvents down;
    d.endOfRangeCount = 4;
    descendToLoudest(d, down, true);  // the dialog reports it itself
    EXPECT_TRUE(down.message.empty());
}

}  // namespace
