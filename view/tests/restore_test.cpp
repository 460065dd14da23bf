// Restores put back what was confirmed, or are refused when the view moved
// under them; a repair from the descent down to the image.
#include "view/restore.h"

#include <gtest/gtest.h>

#include "audio_file/sample_access.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/tests/tool_fixture.h"
#include "edit/tools.h"
#include "view/descent.h"
#include "view/edit_session.h"
#include "view/frames.h"
#include "view/pages.h"

namespace {

TEST(Restore, KindZeroBringsTheHistoryBackWithStepForward) {
    ToolDoc t = toolDoc(2, 16, 1, 5, 10, 2, {0, 0}, 0);
    Document& d = t.d();
    for (int i = 0; i < 3; ++i) raiseOnce(t);
    ViewEvents e;
    stepBack(d, e);
    confirmEdit(d, e);
    EXPECT_TRUE(historyLook(d).restoreEnabled);
    EXPECT_EQ(historyLook(d).counter, "0/0");
    const Message q = restoreQuestion(d);
    EXPECT_EQ(q.text, "編集最後の状態に戻しますか。");
    EXPECT_EQ(q.caption, "編集確定後の復元");
    EXPECT_EQ(q.buttons, Buttons::yesNo);
    EXPECT_EQ(q.icon, Icon::exclamation);
    t.x(0) = 12345;  // whatever happened since
    ViewEvents r;
    ASSERT_TRUE(applyRestore(d, t.l->fs, bandSplit(), r));
    EXPECT_TRUE(d.view.editFramePresent);
    EXPECT_TRUE(r.editOpened);  // page and gain buttons locked again
    EXPECT_EQ(historyLook(d).counter, "2/3");
    EXPECT_EQ(t.x(0), 2 * 65536);
    stepForward(d, r);
    EXPECT_EQ(t.x(0), 3 * 65536);
    EXPECT_FALSE(historyLook(d).restoreEnabled);
}

// Stereo 16-bit, every sample 100: quiet, so every page shows at x16 and a
// gain put back over the wrong columns changes them sixteenfold.
std::unique_ptr<LoadedDocument> quietOnPageFive() {
    std::vector<uint8_t> data(4 * 400000);
    for (size_t i = 0; i < data.size(); i += 2) data[i] = 100;
    auto l = loadDocument(riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", data)}));
    enterPage(*l, 5);
    return l;
}

// One raise on a ten-column frame of the left channel, confirmed: restore armed.
void raiseAndConfirm(LoadedDocument& l) {
    Document& d = *l;
    markFrame(d, 100, 110);
    ToolRun run;
    ViewEvents e;
    ASSERT_EQ(toolTick(d, Tool::shiftUp, run, ToolFlags{}), TickResult::applied);
    ASSERT_TRUE(endToolRun(d, run, e));
    confirmEdit(d, e);
    ASSERT_TRUE(restoreValid(d));
}

// Back to the overview, as closing would: the image then holds exactly what was edited.
std::vector<uint8_t> imageOnLeaving(LoadedDocument& l) {
    ViewEvents e;
    if (l->view.editFramePresent) confirmEdit(*l, e);
    while (l->view.page > 0) reduce(*l, e);
    return l.imageBytes();
}

// Whatever moves between a confirm and its restore, the restore puts the
// edit back exactly or is refused: no other sample ever changes.
struct ViewMove {
    const char* name;
    void (*move)(LoadedDocument&);
    bool restorable;
};
const ViewMove kMoves[] = {
    {"Nothing", [](LoadedDocument&) {}, true},
    {"SlideRight",
     [](LoadedDocument& l) {
         ViewEvents e;
         for (int i = 0; i < 40; ++i) slideTick(*l, true, e);
         endSlide(*l, e);
     },
     false},
    {"SlideStillHeld",
     [](LoadedDocument& l) {
         ViewEvents e;
         slideTick(*l, true, e);
     },
     false},
    {"SlideAwayAndHome",
     [](LoadedDocument& l) {
         ViewEvents e;
         for (int i = 0; i < 40; ++i) slideTick(*l, true, e);
         endSlide(*l, e);
         slideHome(*l, e);
     },
     true},
    {"HomeFromAnotherEntry",
     [](LoadedDocument& l) {
         ViewEvents e;
         l->view.pageEntryLeft[5] = l->view.zoomFrameLeft[4] + 30;  // slid before the edit
         slideHome(*l, e);
     },
     false},
    {"ChannelSwitched",
     [](LoadedDocument& l) {
         ViewEvents e;
         switchChannel(*l, bandSplit(), e);
     },
     false},
    {"ChannelSwitchedAndBack",
     [](LoadedDocument& l) {
         ViewEvents e;
         switchChannel(*l, bandSplit(), e);
         switchChannel(*l, bandSplit(), e);
     },
     true},
    {"GainDown",
     [](LoadedDocument& l) {
         ViewEvents e;
         gainDown(*l, e);
     },
     false},
    {"GainDownAndUp",
     [](LoadedDocument& l) {
         ViewEvents e;
         gainDown(*l, e);
         gainUp(*l, e);
     },
     true},
    {"ReducedAndEnlarged",
     [](LoadedDocument& l) {
         ViewEvents e;
         reduce(*l, e);
         enlarge(*l, l.fs, e);
     },
     true},
    {"PageFourFrameMoved",
     [](LoadedDocument& l) {
         ViewEvents e;
         reduce(*l, e);
         programClick(*l, l->view.zoomFrameLeft[4] + 20, e);
         enlarge(*l, l.fs, e);
     },
     false},
    {"WidthChanged",
     [](LoadedDocument& l) {
         ViewEvents e;
         while (l->view.page > 0) reduce(*l, e);
         changeWidth(*l, 960);
         enterEditView(*l, l.fs, 5, e);
     },
     false},
};

void PrintTo(const ViewMove& m, std::ostream* os) { *os << m.name; }

class RestoreAfterMove : public ::testing::TestWithParam<ViewMove> {};

TEST_P(RestoreAfterMove, PutsTheEditBackOrIsRefused) {
    auto reference = quietOnPageFive();
    raiseAndConfirm(*reference);
    const std::vector<uint8_t> edited = imageOnLeaving(*reference);
    ASSERT_NE(edited, reference->original);

    auto l = quietOnPageFive();
    raiseAndConfirm(*l);
    GetParam().move(*l);
    ViewEvents e;
    EXPECT_EQ(applyRestore(**l, l->fs, bandSplit(), e), GetParam().restorable);
    EXPECT_EQ(imageOnLeaving(*l), edited);
}

INSTANTIATE_TEST_SUITE_P(Restore, RestoreAfterMove, ::testing::ValuesIn(kMoves),
                         [](const auto& row) { return std::string(row.param.name); });

// A recording with one click, descended to it from page 2 with the zoom
// frame over the click (page 5, edit frame open).
std::unique_ptr<LoadedDocument> descended(uint16_t channels, ClickMark* clickOut = nullptr) {
    RecordingPlan plan;
    plan.frames = 44100 * 20;
    plan.clicks = 1;
    plan.channels = channels;
    auto l = loadRecording(plan);
    Document& d = **l;
    const ClickMark click = clickMarks(plan)[0];
    if (clickOut) *clickOut = click;
    ViewEvents e;
    d.view.channel = click.channel;
    enterEditView(d, l->fs, 0, e);
    d.view.zoomFrameLeft[1] = int32_t(click.frame / 8192) - 10;
    enlarge(d, l->fs, e);
    d.view.zoomFrameLeft[2] = int32_t((click.frame - uint64_t(d.view.zoomFrameLeft[1]) * 8192) / 512) - 40;
    descendToLoudest(d, e);
    return l;
}

void attenuateAndRecord(Document& d) {
    ToolRun run;
    ViewEvents e;
    ToolFlags flags;
    flags.enlargeEnabled = false;
    while (toolTick(d, Tool::attenuate, run, flags) == TickResult::applied) {
    }
    ASSERT_GT(run.counted, 0);
    ASSERT_TRUE(endToolRun(d, run, e));
}

// A shortening restore's end: the frame it kept, open again on page 5, with a fresh history.
void expectBackOnPageFive(const Document& d, const decltype(ViewState::zoomFrameLeft)& zoomFrameLeft, uint32_t start,
                          uint32_t end) {
    EXPECT_EQ(d.view.page, 5);
    EXPECT_EQ(d.view.zoomFrameLeft, zoomFrameLeft);
    EXPECT_EQ(d.view.editFrameStart, start);
    EXPECT_EQ(d.view.editFrameEnd, end);
    EXPECT_TRUE(d.view.editFramePresent);
    EXPECT_EQ(historyLook(d).counter, "0/0");
}

TEST(Restore, KindThreeSurvivesItsConfirmAndReturnsToThePosition) {
    auto l = descended(1);
    Document& d = **l;
    ASSERT_EQ(d.view.page, 5);
    attenuateAndRecord(d);
    const RestorePoint expected{0,
                                0,
                                false,
                                d.view.zoomFrameLeft,
                                {d.view.editFrameLeft, d.view.editFrameRight},
                                d.view.editFrameStart,
                                d.view.editFrameEnd};
    recordShorteningRestore(d, RestoreKind::shorteningEnd);
    ViewEvents e;
    confirmProper(d, e);  // the shortening path: the confirm proper only
    EXPECT_EQ(d.history.restoreKind, RestoreKind::shorteningEnd);
    returnFromDescent(d, bandSplit(), e);
    ASSERT_EQ(d.view.page, 2);
    const Message q = restoreQuestion(d);
    EXPECT_EQ(q.text, "最後の編集位置に戻しますか。");
    EXPECT_EQ(q.caption, "短縮手動操作確定後の復元");
    d.view.zoomFrameLeft[2] = 0;  // the user looked elsewhere
    ViewEvents r;
    ASSERT_TRUE(applyRestore(d, l->fs, bandSplit(), r));
    expectBackOnPageFive(d, expected.zoomFrameLeft, expected.frameStart, expected.frameEnd);
}

TEST(Restore, KindTwoNeedsRecordedStepsAndEndsTheShorteningFirst) {
    auto l = descended(1);
    Document& d = **l;
    recordShorteningRestore(d, RestoreKind::shorteningRepeat);
    EXPECT_FALSE(d.history.restoreArmed);
    attenuateAndRecord(d);
    recordShorteningRestore(d, RestoreKind::shorteningRepeat);
    ViewEvents e;
    confirmProper(d, e);
    EXPECT_EQ(d.history.restoreKind, RestoreKind::shorteningRepeat);
    const uint32_t start = d.view.editFrameStart;
    EXPECT_EQ(restoreQuestion(d).text, "短縮操作を中止して前回最後の編集位置に戻しますか。");
    ASSERT_TRUE(applyRestore(d, l->fs, bandSplit(), e));
    EXPECT_EQ(d.view.shorteningStartPage, 0);
    EXPECT_EQ(d.view.page, 5);
    EXPECT_EQ(d.view.editFrameStart, start);
}

// A manual repeat, then on its new frame optionally one recorded raise;
// `before` gets the view the repeat left.
std::unique_ptr<LoadedDocument> repeated(bool stepInNewFrame, ViewState* before = nullptr) {
    auto l = descended(1);
    Document& d = **l;
    attenuateAndRecord(d);
    if (before) *before = d.view;
    EditSession s;
    ViewEvents e;
    enlargeCommand(d, s, l->fs, bandSplit(), e);
    if (stepInNewFrame) {
        ToolRun run;
        EXPECT_EQ(toolTick(d, Tool::shiftUp, run, ToolFlags{}), TickResult::applied);
        EXPECT_TRUE(endToolRun(d, run, e));
    }
    return l;
}

// The repeat descends again at once: kind 2 meets the new frame open on
// page 5 and puts the repeated frame back without touching a sample; a step
// recorded in the new frame refuses it, as leaving would drop that step.
TEST(Restore, KindTwoRightAfterTheRepeat) {
    for (const bool stepInNewFrame : {false, true}) {
        SCOPED_TRACE(stepInNewFrame);
        auto reference = repeated(stepInNewFrame);
        const std::vector<uint8_t> image = imageOnLeaving(*reference);

        ViewState was;
        auto l = repeated(stepInNewFrame, &was);
        Document& r = **l;
        ASSERT_TRUE(r.view.editFramePresent);
        ASSERT_NE(r.view.editFrameStart, was.editFrameStart);
        EXPECT_EQ(restoreQuestion(r).text, stepInNewFrame ? "" : "短縮操作を中止して前回最後の編集位置に戻しますか。");
        ViewEvents e;
        ASSERT_EQ(applyRestore(r, l->fs, bandSplit(), e), !stepInNewFrame);
        if (!stepInNewFrame) {
            EXPECT_EQ(r.view.shorteningStartPage, 0);
            expectBackOnPageFive(r, was.zoomFrameLeft, was.editFrameStart, was.editFrameEnd);
        }
        EXPECT_EQ(imageOnLeaving(*l), image);
    }
}

// A repair in the core: descend to the click, attenuate until flat, confirm,
// back to page 1: only the frame's samples changed, and the click is gone.
TEST(Repair, ClickRemovedAndNothingElseTouched) {
    ClickMark click;
    auto l = descended(2, &click);
    Document& d = **l;
    ViewEvents e;
    ASSERT_EQ(d.view.page, 5);
    ASSERT_TRUE(d.view.editFramePresent);
    const uint32_t start = d.view.editFrameStart, end = d.view.editFrameEnd;
    const uint32_t clickAt = d.edit.dataOffset + uint32_t(click.frame) * 4 + 2 * uint32_t(click.channel);
    ASSERT_LE(start, clickAt);
    ASSERT_GT(end, clickAt);
    ToolRun run;
    int ticks = 0;
    while (toolTick(d, Tool::attenuate, run, ToolFlags{}) == TickResult::applied) ++ticks;
    EXPECT_GT(ticks, 5);
    ASSERT_TRUE(endToolRun(d, run, e));
    confirmEdit(d, e);
    returnFromDescent(d, bandSplit(), e);
    while (d.view.page > 0) reduce(d, e);
    const std::vector<uint8_t> image = l->imageBytes();
    ASSERT_EQ(image.size(), l->original.size());
    int32_t peak = 0;
    for (size_t i = 0; i < image.size(); ++i) {
        if (image[i] == l->original[i]) continue;
        ASSERT_GE(i, start) << "changed before the frame";
        ASSERT_LT(i, end) << "changed after the frame";
        ASSERT_EQ((i - 44) % 4 / 2, size_t(click.channel)) << "other channel changed";
    }
    for (uint32_t q = start; q < end; q += 4) peak = std::max(peak, std::abs(readSample(image.data(), q, 2) >> 8));
    EXPECT_LT(peak, 32767 / 2);  // the +-0.9 full-scale click is flattened
}

}  // namespace
