#include "edit/history.h"

#include <gtest/gtest.h>

#include "audio_file/sample_access.h"
#include "edit/tests/tool_fixture.h"
#include "edit/tools.h"
#include "view/descent.h"

namespace {

TEST(History, SixStepsKeepFiveAndTheFirstStepBackSpansTwo) {
    ToolDoc t = toolDoc(2, 16, 1, 5, 10, 2, {0, 0}, 0);
    Document& d = t.d();
    for (int i = 0; i < 6; ++i) raiseOnce(t);
    EXPECT_EQ(d.history.undoIndex, 5);
    EXPECT_EQ(d.history.redoLimit, 5);
    EXPECT_EQ(historyLook(d).counter, "5/5");
    EXPECT_EQ(t.x(0), 6 * 65536);
    ViewEvents e;
    for (int i = 0; i < 4; ++i) stepBack(d, e);
    EXPECT_EQ(t.x(0), 2 * 65536);
    stepBack(d, e);  // slot 0: before the first step
    EXPECT_EQ(t.x(0), 0);
    EXPECT_EQ(historyLook(d).counter, "0/5");
    stepBack(d, e);  // nothing below slot 0
    EXPECT_EQ(d.history.undoIndex, 0);
    EXPECT_FALSE(historyLook(d).stepBackEnabled);
    EXPECT_TRUE(historyLook(d).stepForwardEnabled);
    for (int i = 0; i < 9; ++i) stepForward(d, e);
    EXPECT_EQ(d.history.undoIndex, 5);
    EXPECT_EQ(t.x(0), 6 * 65536);
    EXPECT_FALSE(historyLook(d).stepForwardEnabled);
}

TEST(History, RecordingAfterSteppingBackCutsTheBranch) {
    ToolDoc t = toolDoc(2, 24, 0, 5, 10, 2, {0, 0}, 0);
    Document& d = t.d();
    for (int i = 0; i < 5; ++i) raiseOnce(t);
    ViewEvents e;
    for (int i = 0; i < 3; ++i) stepBack(d, e);
    EXPECT_EQ(d.history.undoIndex, 2);
    raiseOnce(t);
    EXPECT_EQ(d.history.undoIndex, 3);
    EXPECT_EQ(d.history.redoLimit, 3);
    stepForward(d, e);
    EXPECT_EQ(d.history.undoIndex, 3);
    EXPECT_EQ(t.x(0), 3 * 65536);
}

TEST(History, StepBackRestoresTheFrameOfTheSlot) {
    ToolDoc t = toolDoc(2, 16, 0, 5, 10, 2, {0, 0}, 0);
    Document& d = t.d();
    raiseOnce(t);
    d.view.editFrameLeft = 30;  // the frame moved while the edit was open
    d.view.editFrameRight = 40;
    setEditFrameBytes(d);
    raiseOnce(t);
    ViewEvents e;
    stepBack(d, e);
    EXPECT_EQ(d.view.editFrameLeft, 10);
    EXPECT_EQ(d.view.editFrameRight, 12);
}

TEST(History, RunWithoutCountedTickRecordsNothingAndItsConfirmArmsNoRestore) {
    ToolDoc t = toolDoc(2, 16, 0, 5, 10, 2, {8388607, 0}, 0);
    ToolRun run;
    ViewEvents e;
    EXPECT_EQ(toolTick(t.d(), Tool::shiftUp, run, ToolFlags{}), TickResult::refused);
    EXPECT_FALSE(endToolRun(t.d(), run, e));
    EXPECT_EQ(t.d().history.undoIndex, 0);
    confirmEdit(t.d(), e);
    EXPECT_FALSE(t.d().view.editFramePresent);
    EXPECT_FALSE(historyLook(t.d()).restoreEnabled);
    EXPECT_EQ(*e.buttons, (PageButtons{false, true, false}));
}

TEST(Restore, BandCheckDiscardsASaturatingStep) {
    ToolDoc t = toolDoc(2, 24, 0, 5, 10, 2, {8000000, 0}, 0);
    Document& d = t.d();
    d.bandEditing = true;
    const uint32_t first = (d.view.editFrameStart - d.pages.workOrigin) / 6;
    d.pages.complementBand[first] = 400000;  // with the set-aside band the sum passes full scale
    ToolRun run;
    ViewEvents e;
    ASSERT_EQ(toolTick(d, Tool::shiftUp, run, ToolFlags{}), TickResult::applied);
    EXPECT_FALSE(endToolRun(d, run, e));
    EXPECT_EQ(e.message.text, "復元合成時に飽和します。");
    EXPECT_EQ(e.message.caption, "帯域合成エラー");
    EXPECT_EQ(t.x(0), 8000000);  // the application is undone
    EXPECT_EQ(historyLook(d).counter, "0/0");
    d.pages.complementBand[first] = 0;
    raiseOnce(t);
    EXPECT_EQ(historyLook(d).counter, "1/1");
}

TEST(ConfirmQuestion, Captions) {
    EXPECT_EQ(confirmNeededQuestion(true).text, "編集確定が必要です、今すぐ確定しますか。");
    EXPECT_EQ(confirmNeededQuestion(true).caption, "CH切換");
    EXPECT_EQ(confirmNeededQuestion(false).caption, "編集中");
    EXPECT_EQ(confirmNeededQuestion(false).buttons, Buttons::yesNo);
}

TEST(Insert, YesToTheLowerGainConfirmsLowersAndInserts) {
    ToolDoc t = toolDoc(1, 24, 0, 5, 30, 2, {0, 0}, 0);
    Document& d = t.d();
    ViewEvents e;
    d.view.editFramePresent = false;
    applyGain(d, 4, 5, e);  // a silent page: the full x16
    d.view.editFramePresent = true;
    raiseOnce(t);  // one step, so the confirm arms restore
    const uint32_t at = d.view.editFrameStart - d.pages.workOrigin;
    writeSample(d.image.filePageBuffer.get(), at, 1048576, 3);
    InsertResult first = runInsert(d, false, e);
    ASSERT_TRUE(first.askLowerGain);
    EXPECT_EQ(first.lowerShift, 2);
    InsertResult again = rerunInsertAtLowerGain(d, first.lowerShift, false, e);
    EXPECT_TRUE(again.applied);
    EXPECT_EQ(d.view.gainShift, 2);
    EXPECT_EQ(t.x(0), 1048576 * 4);
    EXPECT_TRUE(d.view.editFramePresent);
    EXPECT_EQ(historyLook(d).counter, "1/1");
    // The confirm's restore was taken at x16: it no longer fits.
    EXPECT_FALSE(restoreValid(d));
    // Outside an edit, or with no gain, the re-run does nothing.
    ViewEvents n;
    confirmEdit(d, n);
    EXPECT_FALSE(rerunInsertAtLowerGain(d, 1, false, n).applied);
    d.view.editFramePresent = true;
    EXPECT_FALSE(rerunInsertAtLowerGain(d, 7, false, n).applied);
}

}  // namespace
