#include "view/edit_session.h"

#include <gtest/gtest.h>

#include "edit/history.h"
#include "testing/document_fixture.h"
#include "view/display_windows.h"
#include "view/pages.h"

namespace {

// Page 2 of a file (a 20 s chord unless given) with an edit frame over columns 100-110.
struct Framed {
    explicit Framed(std::unique_ptr<LoadedDocument> file = loadChord(), bool frame = true) : l(std::move(file)) {
        if (frame) markFrame(d, 100, 110);
    }
    std::unique_ptr<LoadedDocument> l;
    Document& d = **l;
    ViewEvents e = enterPage(*l, 2);
    EditSession s;
};

// A click of tool button `index`: the press, its first tick, the release.
void click(Document& d, EditSession& s, int index, ViewEvents& e) {
    pressToolButton(s, d, index);
    toolTimerTick(d, s, true, e);
    toolRelease(d, s, e);
}

TEST(Titles, ChannelPartThenFormat) {
    auto stereo = loadChord(2);
    EXPECT_EQ(editWindowTitle(**stereo), "編集(F1)：左CH    PCM 2CH 16BIT 44100SAMPLE");
    (*stereo)->view.channel = 1;
    EXPECT_EQ(editWindowTitle(**stereo), "編集(F1)：右CH    PCM 2CH 16BIT 44100SAMPLE");
    auto mono = loadChord(1, 8000);
    EXPECT_EQ(editWindowTitle(**mono), "編集(F1)：　      PCM 1CH 16BIT 8000SAMPLE");
}

TEST(PointerText, TimeAndThePageHint) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 1);
    // Page 1: 8192 frames a column; column 10 is 81920 frames = 1.857 s.
    EXPECT_EQ(pointerText(d, 10), "00分01秒857　　この頁は拡大枠設定のみです。編集不可");
    enlarge(d, l->fs, e);
    EXPECT_EQ(pointerText(d, 0), "00分00秒000　　「確定」を押すまで編集枠は消えません。");
    markFrame(d, 5, 9);
    EditSession s;
    click(d, s, 2, e);
    EXPECT_EQ(pointerText(d, 0), "00分00秒000");  // the history has steps: no hint
    confirmCommand(d, s, e);
    while (d.view.page < 5) enlarge(d, l->fs, e);
    EXPECT_EQ(pointerText(d, 441), "00分00秒010　　この頁は編集のみです。拡大枠設定不可");
}

TEST(AutoRepeat, OneSecondHoldIsSevenTicksAndOneStep) {
    Framed f;
    pressToolButton(f.s, f.d, 3);  // 1004, shift down
    // One tick at once, then after 400 ms one every 100 ms until the release at 1 s.
    for (int t = 0; t < 7; ++t) EXPECT_FALSE(toolTimerTick(f.d, f.s, true, f.e).refused);
    EXPECT_EQ(f.s.run.counted, 7);
    toolRelease(f.d, f.s, f.e);
    EXPECT_EQ(historyLook(f.d).counter, "1/1");
    EXPECT_EQ(f.s.pressedButtonIndex, -1);
}

TEST(AutoRepeat, NoFrameNoRun) {
    Framed f(loadChord(), false);
    pressToolButton(f.s, f.d, 3);
    EXPECT_EQ(f.s.pressedButtonIndex, -1);
    EXPECT_TRUE(toolTimerTick(f.d, f.s, true, f.e).stop);
    toolRelease(f.d, f.s, f.e);
    EXPECT_EQ(historyLook(f.d).counter, "0/0");
}

TEST(SlideButtons, CountOnlyOnPageFive) {
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 1);
    EditSession s;
    s.pressedButtonIndex = 7;  // left over from a tool press
    pressSlideButton(s, d, 0);
    EXPECT_EQ(s.pressedButtonIndex, -1);  // page 1: a block shift, no slide
    while (d.view.page < 5) enlarge(d, l->fs, e);
    for (int32_t i : {0, 1, 2}) {
        pressSlideButton(s, d, i);
        EXPECT_EQ(s.pressedButtonIndex, i);
    }
    pressSlideButton(s, d, 3);  // beside the three buttons
    EXPECT_EQ(s.pressedButtonIndex, -1);
}

TEST(AutoRepeat, RefusedOnTheFirstTickLeavesTheHistory) {
    Framed f(loadDocument(silentMonoWave(400000)));
    pressToolButton(f.s, f.d, 9);  // attenuate on silence: flat
    EXPECT_TRUE(toolTimerTick(f.d, f.s, true, f.e).refused);
    toolRelease(f.d, f.s, f.e);
    EXPECT_EQ(historyLook(f.d).counter, "0/0");
}

TEST(AutoRepeat, ReleaseNeverSeenEndsTheRunOnTheNextTick) {
    Framed f;
    pressToolButton(f.s, f.d, 2);
    toolTimerTick(f.d, f.s, true, f.e);
    toolTimerTick(f.d, f.s, true, f.e);
    EXPECT_TRUE(toolTimerTick(f.d, f.s, false, f.e).stop);  // the button is no longer down
    EXPECT_EQ(historyLook(f.d).counter, "1/1");
    EXPECT_TRUE(toolTimerTick(f.d, f.s, true, f.e).stop);  // and nothing more is applied
}

TEST(HeldButton, TheLeftButtonAsProgramsSeeIt) {
    struct Row {
        const char* name;
        ButtonReading reading;  // queue left, device left, device right, swapped
        bool ofThePress, held;
    };
    const Row rows[] = {
        {"held", {true, true, false, false}, false, true},
        {"let go over another window", {true, false, false, false}, false, false},
        {"let go and read", {false, false, false, false}, false, false},
        {"quick click: its press still ticks", {true, false, false, false}, true, true},
        {"swapped: the device's right button holds", {true, false, true, true}, false, true},
        {"swapped, let go over another window", {true, false, false, true}, false, false},
        {"swapped, the device's left reported (Wine)", {true, true, false, true}, false, true},
        {"not swapped: the right button is another", {true, false, true, false}, false, false},
    };
    for (const Row& r : rows) EXPECT_EQ(leftButtonHeld(r.reading, r.ofThePress), r.held) << r.name;
}

// Page 5 with the slide gain on and "右へ" (timer 404, decreasing) held at column 100.
struct Sliding {
    Sliding() {
        while (d.view.page < 5) enlarge(d, l->fs, e);
        beginSlideGain(d, e);
        d.view.zoomFrameLeft[4] = 100;
        pressSlideButton(s, d, 2);
    }
    std::unique_ptr<LoadedDocument> l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 1);
    EditSession s;
};

TEST(SlideTimer, ReleaseNeverSeenEndsTheSlideAsTheCommandDoes) {
    Sliding f;
    EXPECT_FALSE(slideTimerTick(f.d, f.s, false, true, f.e));
    EXPECT_EQ(f.d.view.zoomFrameLeft[4], 99);
    EXPECT_TRUE(slideTimerTick(f.d, f.s, false, false, f.e));  // the button is up
    EXPECT_FALSE(f.d.slideGainActive);
    EXPECT_EQ(f.d.slideStep, 0);
    EXPECT_EQ(f.s.pressedButtonIndex, -1);
    EXPECT_TRUE(slideTimerTick(f.d, f.s, false, true, f.e));  // a late tick moves nothing
    EXPECT_EQ(f.d.view.zoomFrameLeft[4], 99);
    for (int p = 0; p < 5; ++p) reduce(f.d, f.e);
    EXPECT_EQ(f.l->imageBytes(), f.l->original);
}

TEST(SlideTimer, OnlyItsOwnButtonOnPageFiveMoves) {
    Sliding f;
    EXPECT_TRUE(slideTimerTick(f.d, f.s, true, true, f.e));  // 403 belongs to "左へ"
    EXPECT_EQ(f.d.view.zoomFrameLeft[4], 100);
    reduce(f.d, f.e);
    EXPECT_TRUE(slideTimerTick(f.d, f.s, false, true, f.e));  // page 4
    enlarge(f.d, f.l->fs, f.e);
    EXPECT_EQ(f.d.view.zoomFrameLeft[4], 100);
    for (int p = 0; p < 5; ++p) reduce(f.d, f.e);
    EXPECT_EQ(f.l->imageBytes(), f.l->original);
}

// The command of a button pressed on page 5 is its release, even on the
// page reached while it was held: it never shifts that page's zoom frame.
TEST(ShiftButtons, ReleaseAfterAPageChangeShiftsNothing) {
    for (ShiftButton b : {ShiftButton::left, ShiftButton::home, ShiftButton::right}) {
        Sliding f;
        pressSlideButton(f.s, f.d, 2);
        slideTimerTick(f.d, f.s, false, true, f.e);
        reduce(f.d, f.e);  // a key while the mouse holds the button
        ASSERT_EQ(f.d.view.page, 4);
        const auto zoom = f.d.view.zoomFrameLeft;
        shiftButtonCommand(f.d, f.s, b, f.e);
        EXPECT_EQ(f.d.view.zoomFrameLeft, zoom) << int(b);
        // The next press and its command on page 4 is a block shift again.
        pressSlideButton(f.s, f.d, -1);
        shiftButtonCommand(f.d, f.s, ShiftButton::right, f.e);
        EXPECT_GT(f.d.view.zoomFrameLeft[4], zoom[4]);
    }
}

TEST(AutoRepeat, TwoQuickClicksAreTwoSteps) {
    Framed f;
    click(f.d, f.s, 9, f.e);
    click(f.d, f.s, 9, f.e);  // the second press arrives as a double click
    EXPECT_EQ(historyLook(f.d).counter, "2/2");
}

TEST(AutoRepeat, StepBackAndForwardTicks) {
    Framed f;
    for (int i = 0; i < 3; ++i) click(f.d, f.s, 2, f.e);
    pressToolButton(f.s, f.d, 0);
    EXPECT_TRUE(toolTimerTick(f.d, f.s, true, f.e).repaintWaveform);
    toolTimerTick(f.d, f.s, true, f.e);
    toolTimerTick(f.d, f.s, true, f.e);
    EXPECT_TRUE(toolTimerTick(f.d, f.s, true, f.e).stop);  // slot 0 reached
    toolRelease(f.d, f.s, f.e);
    EXPECT_EQ(historyLook(f.d).counter, "0/3");
    click(f.d, f.s, 1, f.e);
    EXPECT_EQ(historyLook(f.d).counter, "1/3");
}

TEST(ChannelSwitch, RulesAndQuestion) {
    EXPECT_FALSE(channelSwitchAllowed(**loadChord(1)));
    auto l = loadChord(2);
    Document& d = **l;
    EXPECT_TRUE(channelSwitchAllowed(d));
    EXPECT_TRUE(channelSwitchQuestion(d).empty());
    d.history.undoIndex = 1;
    EXPECT_EQ(channelSwitchQuestion(d).caption, "CH切換");
    EXPECT_EQ(closeQuestion(d).caption, "編集中");
    d.view.shorteningStartPage = 2;
    EXPECT_FALSE(channelSwitchAllowed(d));
}

TEST(Shortening, NoticeOnceThenRulesOfTheButton) {
    EditSession s;
    const Message m = shorteningNotice(s);
    EXPECT_EQ(m.caption, "はじめに");
    EXPECT_EQ(m.buttons, Buttons::yesNo);
    EXPECT_EQ(m.text.substr(0, 60),
              std::string("このボタンはクリックと同時に実行します。元へ戻すには\n\n自動").substr(0, 60));
    s.shorteningNoticeOff = true;
    EXPECT_TRUE(shorteningNotice(s).empty());
    auto l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 1);
    EXPECT_FALSE(shorteningAllowed(d, s));  // page 1
    enlarge(d, l->fs, e);
    EXPECT_FALSE(shorteningAllowed(d, s));  // band editing off
    d.bandEditing = true;
    EXPECT_TRUE(shorteningAllowed(d, s));
    s.bandIndex = 9;  // a low band
    EXPECT_FALSE(shorteningAllowed(d, s));
}

TEST(Shortening, RepeatNeedsAStepAndEndKeepsKindThree) {
    auto l = loadChord(1);
    Document& d = **l;
    ViewEvents e = enterPage(*l, 2);
    EditSession s;
    enterBandEditing(d, bandSplit(s.bandIndex), e);  // the button's rule
    startManualShortening(d, s, e);
    ASSERT_EQ(d.view.page, 5);
    EXPECT_FALSE(d.bandEditing);  // the descent left it
    EXPECT_TRUE(s.shorteningLook);
    const int32_t start = d.view.editFrameStart;
    enlargeCommand(d, s, l->fs, bandSplit(), e);  // no step yet: nothing
    EXPECT_EQ(d.view.editFrameStart, uint32_t(start));
    click(d, s, 9, e);
    ViewEvents end;
    reduceCommand(d, s, l->fs, bandSplit(), end);
    EXPECT_EQ(d.view.page, 2);
    EXPECT_EQ(d.view.shorteningStartPage, 0);
    EXPECT_FALSE(s.shorteningLook);
    EXPECT_TRUE(end.repaintDisplay1);
    EXPECT_TRUE(d.bandEditing);  // the return entered it again, keeping the restore just armed
    EXPECT_EQ(d.history.restoreKind, RestoreKind::shorteningEnd);
    EXPECT_TRUE(d.history.restoreArmed);
}

TEST(DisplayWindow1, GreyWhenIdleBarsWhenShortening) {
    auto l = loadChord();
    Document& d = **l;
    std::vector<uint32_t> px;
    drawDisplayWindow1(d, false, 84, 20, px);
    EXPECT_EQ(px[0], kDisplayGrey);
    d.view.shorteningStartPage = 2;
    d.view.zoomFrameLeft[2] = 10;
    for (int i = 0; i < 80; ++i) d.whiteWaveform[size_t(10 + i)] = i % 10;
    drawDisplayWindow1(d, false, 84, 20, px);
    // Column 3: 3 rows of white from the top, then black.
    EXPECT_EQ(px[0 * 84 + 3], kDisplayWhite);
    EXPECT_EQ(px[2 * 84 + 3], kDisplayWhite);
    EXPECT_EQ(px[3 * 84 + 3], 0u);
    EXPECT_EQ(d.whiteWaveform[13], 3);  // within the height: unchanged
    d.whiteWaveform[20] = 25;           // 5 rows too tall: every bar drops by 5
    drawDisplayWindow1(d, false, 84, 20, px);
    EXPECT_EQ(d.whiteWaveform[20], 20);
    EXPECT_EQ(d.whiteWaveform[13], 0);
    EXPECT_EQ(d.whiteWaveform[19], 4);
}

TEST(DisplayWindow1, StartClampedToKeptColumns) {
    auto l = loadChord();
    Document& d = **l;
    d.view.shorteningStartPage = 1;
    d.view.zoomFrameLeft[1] = 639;  // 639 + 80 would read past the kept columns
    std::vector<uint32_t> px;
    drawDisplayWindow1(d, false, 84, 20, px);
    EXPECT_EQ(px.size(), size_t(84 * 20));
}

TEST(DisplayWindow2, StretchesOfPagesFourAndFive) {
    ViewState v;
    v.screenWidth = 640;
    v.zoomFrameWidth = {0, 40, 80, 80, 80};
    v.zoomFrameLeft = {0, 0, 0, 160, 320, 0};
    const std::vector<uint32_t> bitmap(80 * 21, 0x00FF00);
    std::vector<uint32_t> px;
    drawDisplayWindow2(v, bitmap, 80, 98, 21, px);
    EXPECT_EQ(px[19], 0x00FF00u);  // before 160 / 8
    EXPECT_EQ(px[20], 0xFF00FFu);  // page 4's stretch: 20 ... 29
    EXPECT_EQ(px[24], 0xFF00FFu);
    EXPECT_EQ(px[25], 0x00FF00u);  // page 5's: 20 + 320 / 64 = 25, 80 / 64 = 1 column
    EXPECT_EQ(px[26], 0xFF00FFu);
    EXPECT_EQ(px[30], 0x00FF00u);
}

TEST(ShorteningButton, Cells) {
    EXPECT_EQ(shorteningButtonCell(false, true, true, false), 4);
    EXPECT_EQ(shorteningButtonCell(true, false, false, false), 4);
    EXPECT_EQ(shorteningButtonCell(true, true, true, false), 1);
    EXPECT_EQ(shorteningButtonCell(true, true, true, true), 3);
    EXPECT_EQ(shorteningButtonCell(true, false, true, false), 0);
    EXPECT_EQ(shorteningButtonCell(true, false, true, true), 2);
}

}  // namespace
