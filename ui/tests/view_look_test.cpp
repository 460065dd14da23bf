#include "ui/view_look.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "edit/history.h"
#include "testing/document_fixture.h"
#include "view/descent.h"
#include "view/frames.h"
#include "view/pages.h"

namespace {

enum class Band { off, high, low };

struct State {
    int page = 2;
    bool frame = false;
    Band band = Band::off;
    int bandIndex = 1;
    int undo = 0, redo = 0;
    int shorteningStart = 0;  // shortening active from this page
    bool shorteningLook = false;
    bool mono = false;
    bool backup = false;
};

struct Fixture {
    std::unique_ptr<Document> doc = std::make_unique<Document>();
    EditSession session;
    ViewLook shown;  // what the screen holds
    LookChanges c;   // what the last show or update sent

    ViewLook look(const LookMoment& m = {}) const { return viewLook(*doc, session, m); }
    size_t show() { return updateLook(shown, look(), c, true); }
    size_t update(const LookMoment& m = {}) { return updateLook(shown, look(m), c); }
};

Fixture make(const State& st) {
    Fixture f;
    Document& d = *f.doc;
    d.edit.format.channels = st.mono ? 1 : 2;
    d.view.page = st.page;
    d.view.editFramePresent = st.frame;
    d.view.gainShift = 4;
    d.view.shorteningStartPage = st.shorteningStart;
    d.bandEditing = st.band != Band::off;
    d.history.undoIndex = st.undo;
    d.history.redoLimit = st.redo;
    if (st.backup) d.backupPath = "b.wav";
    f.session.bandIndex = st.band == Band::low && st.bandIndex < 8 ? st.bandIndex + 8 : st.bandIndex;
    f.session.shorteningLook = st.shorteningLook;
    return f;
}

// Never disabled by any rule.
const std::set<int> kAlwaysOn = {1023, 1025, 1027, 1029, 1030};

std::set<int> enabledSet(const ViewLook& look) {
    std::set<int> on;
    for (int c : kLookButtons)
        if (buttonEnabled(look, c) && !kAlwaysOn.count(c)) on.insert(c);
    return on;
}

struct Row {
    const char* name;
    State state;
    std::set<int> enabled;  // every enabled button but the always-on ones
    int bandImage;
    const char* bandLabel;
    bool toolBands;
};

// Tools with an open edit and no steps: 1003-1011, 1012 (unless band editing), 1015.
const std::set<int> kTools = {1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1015};
// Without a frame on pages 2-4: pages, the frame's play buttons, band, gain and shift.
const std::set<int> kFree = {1020, 1021, 1024, 1026, 1028, 1031, 1035, 1036, 1051, 1052, 1053};
// With a frame: confirm and the frame's play buttons.
const std::set<int> kFramed = {1022, 1024, 1026, 1028};

std::set<int> with(std::set<int> a, std::initializer_list<int> more) {
    a.insert(more);
    return a;
}
std::set<int> with(std::set<int> a, const std::set<int>& more) {
    a.insert(more.begin(), more.end());
    return a;
}
// Shortening with a frame on page 5: the tools, reduce and the frame's play buttons.
const std::set<int> kShortening = with(kTools, {1021, 1024, 1026, 1028});

std::set<int> without(std::set<int> a, std::initializer_list<int> less) {
    for (int c : less) a.erase(c);
    return a;
}

const Row kRows[] = {
    {"Page1", {1}, without(kFree, {1031}), 0, "f7", false},
    {"Page2", {2}, kFree, 0, "f7", true},
    {"Page4", {4}, kFree, 0, "f7", true},
    // Enlarge off; nothing to play from without a frame.
    {"Page5", {5}, without(kFree, {1020, 1024, 1026, 1028}), 0, "f7", true},
    // Page, gain, shift and band buttons off; confirm and the frame's play buttons on.
    {"Page2Frame", {2, true}, with(kTools, kFramed), 0, "f7", true},
    {"Page3FrameSteps", {3, true, Band::off, 1, 2, 3}, with(with(kTools, kFramed), {1001, 1002}), 0, "f7", true},
    {"Page4FrameAtRedo", {4, true, Band::off, 1, 3, 3}, with(with(kTools, kFramed), {1001}), 0, "f7", true},
    {"Page5Frame", {5, true}, with(kTools, kFramed), 0, "f7", true},
    {"Page1Frame", {1, true}, with(kTools, kFramed), 0, "f7", false},
    // Shortening needs band editing on a high band, pages 2-4, no frame.
    {"HighBandPage3", {3, false, Band::high, 0}, with(kFree, {1032}), 3, "f8", true},
    {"HighBandPage2F1", {2, false, Band::high, 7}, with(kFree, {1032}), 3, "f1", true},
    {"LowBandPage3", {3, false, Band::low, 0}, kFree, 4, "f8", true},
    {"HighBandPage5", {5, false, Band::high, 2}, without(kFree, {1020, 1024, 1026, 1028}), 3, "f6", true},
    {"HighBandPage1", {1, false, Band::high, 2}, without(kFree, {1031}), 3, "f6", false},
    {"HighBandFrame", {3, true, Band::high, 0}, with(without(kTools, {1012}), kFramed), 3, "f8", true},
    // A low cutoff chosen with band editing off: image 2, f-number 16 - index.
    {"LowIndexBandOff", {2, false, Band::off, 15}, kFree, 2, "f1", true},
    {"LowIndex8BandOff", {2, false, Band::off, 8}, kFree, 2, "f8", true},
    // Shortening on page 5: reduce on and confirm off whatever else holds; enlarge once a step exists.
    {"ShorteningNoStep", {5, true, Band::off, 1, 0, 0, 3, true}, kShortening, 0, "f7", true},
    {"ShorteningStepped", {5, true, Band::off, 1, 1, 1, 3, true}, with(kShortening, {1001, 1020}), 0, "f7", true},
    {"ShorteningSteppedBack", {5, true, Band::off, 1, 0, 2, 2, true}, with(kShortening, {1002}), 0, "f7", true},
    {"MonoPage3", {3, false, Band::off, 1, 0, 0, 0, false, true}, kFree, 0, "f7", true},
};

class LookRow : public ::testing::TestWithParam<Row> {};

TEST_P(LookRow, ButtonsImagesAndLabels) {
    const Row& row = GetParam();
    Fixture f = make(row.state);
    const ViewLook look = f.look();
    EXPECT_EQ(enabledSet(look), row.enabled);
    for (int c : kAlwaysOn) EXPECT_TRUE(buttonEnabled(look, c)) << c;
    EXPECT_EQ(look.bandImage, row.bandImage);
    EXPECT_EQ(labelText(look, 119), row.bandLabel);
    EXPECT_EQ(look.toolBandsShown, row.toolBands);
    EXPECT_EQ(labelText(look, 116), std::to_string(row.state.page) + "/5");
    EXPECT_EQ(labelText(look, 117), std::to_string(row.state.undo) + "/" + std::to_string(row.state.redo));
    EXPECT_EQ(look.enlargeImage, row.state.shorteningLook ? 2 : 0);
    EXPECT_EQ(look.reduceImage, row.state.shorteningLook ? 3 : 1);
    EXPECT_EQ(look.yellowPageBand, row.state.shorteningLook);
    EXPECT_EQ(look.bandRadioItem, 7011 + f.session.bandIndex);
    EXPECT_EQ(look.channelSwitchEnabled, !row.state.mono && row.state.shorteningStart == 0);
    // The history's own view of its buttons agrees while an edit is open.
    const HistoryLook h = historyLook(*f.doc);
    EXPECT_EQ(labelText(look, 117), h.counter);
    EXPECT_EQ(buttonEnabled(look, 1050), h.restoreEnabled);
    if (row.state.frame) {
        EXPECT_EQ(buttonEnabled(look, 1001), h.stepBackEnabled);
        EXPECT_EQ(buttonEnabled(look, 1002), h.stepForwardEnabled);
    }
}

INSTANTIATE_TEST_SUITE_P(States, LookRow, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Look, GainLabelForEveryShiftAndBandLabelForEveryIndex) {
    Fixture f = make({2});
    const char* gains[] = {"x1", "x2", "x4", "x8", "x16"};
    for (int g = 0; g <= 4; ++g) {
        f.doc->view.gainShift = g;
        EXPECT_EQ(labelText(f.look(), 118), gains[g]);
    }
    const char* want[] = {"f8", "f7", "f6", "f5", "f4", "f3", "f2", "f1",
                          "f8", "f7", "f6", "f5", "f4", "f3", "f2", "f1"};
    for (int i = 0; i < 16; ++i) {
        f.session.bandIndex = i;
        const ViewLook look = f.look();
        EXPECT_EQ(labelText(look, 119), want[i]) << i;
        EXPECT_EQ(look.bandRadioItem, 7011 + i);
    }
}

TEST(Look, ShorteningImageFollowsTheChoice) {
    Fixture f = make({3});
    EXPECT_EQ(f.look().shorteningImage, 1);
    f.doc->shorteningAutoSteps = kShorteningBatchLastStep;
    EXPECT_EQ(f.look().shorteningImage, 5);
}

TEST(Look, ShorteningButtonCell) {
    Fixture f = make({5, true, Band::off, 1, 0, 0, 2, true});
    EXPECT_EQ(f.look().shorteningButtonCell, 0);  // attenuate only
    f.doc->history.undoIndex = f.doc->history.redoLimit = 1;
    EXPECT_EQ(f.look().shorteningButtonCell, 1);  // repeat and attenuate
    LookMoment m;
    m.attenuateRepeating = true;
    EXPECT_EQ(f.look(m).shorteningButtonCell, 3);
    f.doc->view.shorteningStartPage = 0;
    EXPECT_EQ(f.look().shorteningButtonCell, 4);
}

// --- The changes the shell sends.

// The page, counter, gain and band labels.
std::string labels(const ViewLook& look) {
    std::string all;
    for (int control : {116, 117, 118, 119}) (all += labelText(look, control)) += ' ';
    all.pop_back();
    return all;
}

bool hasChange(const LookChanges& c, LookItem item, int id) {
    for (size_t i = 0; i < c.count; ++i)
        if (c.list[i].item == item && c.list[i].id == id) return true;
    return false;
}

TEST(LookChanges, FirstShowSendsEverything) {
    Fixture f = make({2});
    // 32 buttons, 4 images, band colour, tool bands, 4 labels, shortening button.
    EXPECT_EQ(f.show(), 32u + 4 + 1 + 1 + 4 + 1);
}

TEST(LookChanges, NothingChangedSendsNothing) {
    for (const Row& row : kRows) {
        Fixture f = make(row.state);
        f.show();
        EXPECT_EQ(f.update(), 0u) << row.name;
    }
}

TEST(LookChanges, OneStepChangesTheCounterAndTheStepButtons) {
    Fixture f = make({3, true});
    f.show();
    f.doc->history.undoIndex = f.doc->history.redoLimit = 1;
    ASSERT_EQ(f.update(), 2u);
    EXPECT_EQ(f.c.list[0].item, LookItem::buttonEnabled);
    EXPECT_EQ(f.c.list[0].id, 1001);
    EXPECT_EQ(f.c.list[0].value, 1);
    EXPECT_EQ(f.c.list[1].item, LookItem::label);
    EXPECT_EQ(f.c.list[1].id, 117);
    EXPECT_EQ(labelText(f.shown, 117), "1/1");
}

TEST(LookChanges, ConfirmTurnsTheFrameButtonsBack) {
    Fixture f = make({3, true, Band::off, 1, 2, 2});
    f.show();
    f.doc->view.editFramePresent = false;
    f.doc->history.undoIndex = f.doc->history.redoLimit = 0;
    f.doc->history.restoreArmed = true;
    f.update();
    for (int on : {1020, 1021, 1031, 1035, 1036, 1050, 1051, 1052, 1053}) {
        EXPECT_TRUE(hasChange(f.c, LookItem::buttonEnabled, on)) << on;
        EXPECT_TRUE(buttonEnabled(f.shown, on)) << on;
    }
    for (int off : {1001, 1003, 1011, 1012, 1015, 1022}) EXPECT_FALSE(buttonEnabled(f.shown, off)) << off;
    EXPECT_TRUE(buttonEnabled(f.shown, 1024));  // page 3: the frame's play buttons stay
    EXPECT_EQ(labelText(f.shown, 117), "0/0");
}

TEST(LookChanges, AutomaticDialogKeepsLabelsAndPageButtons) {
    Fixture f = make({3, false, Band::high, 0});
    f.show();
    f.session.automaticDialogShown = true;
    // A step of the batch: down to page 5 with an edit, gain and band changed.
    f.doc->view.page = 5;
    f.doc->view.shorteningStartPage = 3;
    f.doc->view.editFramePresent = true;
    f.doc->view.gainShift = 1;
    f.doc->history.undoIndex = f.doc->history.redoLimit = 1;
    f.session.bandIndex = 3;
    f.update();
    EXPECT_EQ(labels(f.shown), "3/5 0/0 x16 f8");
    EXPECT_EQ(f.shown.bandImage, 3);
    for (int c1 : {1020, 1021, 1031, 1032, 1035, 1051}) EXPECT_TRUE(buttonEnabled(f.shown, c1)) << c1;
    EXPECT_FALSE(buttonEnabled(f.shown, 1022));
    EXPECT_TRUE(buttonEnabled(f.shown, 1010));  // tool enabling is not held
    // After the batch the dialog writes the gain label itself.
    ViewLook gainOnly = f.look();
    gainOnly.keep.gain = false;
    updateLook(f.shown, gainOnly, f.c);
    ASSERT_EQ(f.c.count, 1u);
    EXPECT_EQ(labelText(f.shown, 118), "x2");
    // Closed: everything catches up.
    f.session.automaticDialogShown = false;
    f.update();
    EXPECT_EQ(labels(f.shown), "5/5 1/1 x2 f5");
    EXPECT_FALSE(buttonEnabled(f.shown, 1031));
}

TEST(LookChanges, RepeatedDescentKeepsCountersBandAndPageButtonsNotGain) {
    Fixture f = make({5, true, Band::off, 1, 1, 1, 3, true});
    f.show();
    f.doc->view.page = 4;
    f.doc->view.editFramePresent = false;
    f.doc->history.undoIndex = f.doc->history.redoLimit = 0;
    f.doc->view.gainShift = 2;
    f.session.bandIndex = 4;
    LookMoment m;
    m.descentRepeating = true;
    f.update(m);
    EXPECT_EQ(labels(f.shown), "5/5 1/1 x4 f7");
    EXPECT_FALSE(buttonEnabled(f.shown, 1035));  // still as with the frame
    EXPECT_TRUE(buttonEnabled(f.shown, 1020));
    EXPECT_FALSE(buttonEnabled(f.shown, 1003));  // the edit's tools follow
}

TEST(LookChanges, HeldStepButtonKeepsItsStateUntilRelease) {
    Fixture f = make({3, true, Band::off, 1, 1, 1});
    f.show();
    f.session.pressedButtonIndex = 0;  // 1001 under the press
    f.doc->history.undoIndex = 0;      // the tick stepped back to the start
    f.update();
    EXPECT_TRUE(buttonEnabled(f.shown, 1001));
    EXPECT_TRUE(buttonEnabled(f.shown, 1002));
    f.session.pressedButtonIndex = -1;  // released
    f.update();
    EXPECT_FALSE(buttonEnabled(f.shown, 1001));
}

TEST(LookChanges, ShorteningLookChangesImagesAndColour) {
    Fixture f = make({5, true, Band::off, 1, 0, 0, 3, false});
    f.show();
    f.session.shorteningLook = true;
    EXPECT_EQ(f.update(), 3u);
    EXPECT_TRUE(hasChange(f.c, LookItem::buttonImage, 1020));
    EXPECT_TRUE(hasChange(f.c, LookItem::buttonImage, 1021));
    EXPECT_TRUE(hasChange(f.c, LookItem::pageBandColour, 0));
}

// --- Against the real operations.

// Page 2 of a 20 s chord, its look shown once.
struct Shown {
    std::unique_ptr<LoadedDocument> l = loadChord();
    Document& d = **l;
    ViewEvents e = enterPage(*l, 2);
    EditSession s;
    ViewLook shown;
    LookChanges c;
    Shown() { updateLook(shown, viewLook(d, s), c, true); }
    void update() { updateLook(shown, viewLook(d, s), c); }
};

// The buttons the operation asked for, as the button update applies them.
PageButtons applied(const Document& d, PageButtons asked) {
    if (d.view.page == 5 && d.view.shorteningStartPage != 0) asked.reduce = true, asked.confirm = false;
    return asked;
}

TEST(LookOperations, DerivedPageButtonsMatchWhatEachOperationAsks) {
    auto l = loadChord();
    Document& d = **l;
    auto check = [&](const ViewEvents& e, const char* what) {
        ASSERT_TRUE(e.buttons.has_value()) << what;
        EXPECT_EQ(pageButtonsOf(d), applied(d, *e.buttons)) << what;
    };
    check(enterPage(*l, 1), "enter");
    for (int p = 2; p <= 5; ++p) {
        ViewEvents step;
        enlarge(d, l->fs, step);
        check(step, "enlarge");
    }
    ViewEvents up;
    reduce(d, up);
    check(up, "reduce");
    markFrame(d, 10, 20);
    EXPECT_EQ(pageButtonsOf(d), (PageButtons{false, false, true}));  // an edit open
    ViewEvents confirm;
    confirmEdit(d, confirm);
    check(confirm, "confirm");
    ViewEvents down;
    descendToLoudest(d, down);
    ASSERT_EQ(d.view.page, 5);
    ASSERT_TRUE(d.view.editFramePresent);
    check(down, "descent");
    ViewEvents end;
    confirmProper(d, end);
    check(end, "confirm in shortening");
    ViewEvents back;
    returnFromDescent(d, bandSplit(), back);
    ASSERT_EQ(d.view.page, 4);
    check(back, "return");
}

TEST(LookOperations, FrameTurnsPageGainShiftAndBandOffAndConfirmOn) {
    Shown t;
    const int frameOff[] = {1020, 1021, 1035, 1036, 1031, 1051, 1052, 1053};
    markFrame(t.d, 100, 120);
    t.update();
    for (int off : frameOff) EXPECT_FALSE(buttonEnabled(t.shown, off)) << off;
    EXPECT_TRUE(buttonEnabled(t.shown, 1022));
    confirmCommand(t.d, t.s, t.e);
    t.update();
    for (int on : frameOff) EXPECT_TRUE(buttonEnabled(t.shown, on)) << on;
    EXPECT_FALSE(buttonEnabled(t.shown, 1022));
    while (t.d.view.page < 5) enlarge(t.d, t.l->fs, t.e);
    t.update();
    EXPECT_FALSE(buttonEnabled(t.shown, 1020));
    markFrame(t.d, 100, 120);
    confirmCommand(t.d, t.s, t.e);
    t.update();
    EXPECT_FALSE(buttonEnabled(t.shown, 1020));  // still page 5 after confirm
}

TEST(LookOperations, ReturningToPage1ShowsManualAgain) {
    Shown t;
    t.d.shorteningAutoSteps = kShorteningBatchLastStep;  // the drop-down arrow
    t.update();
    ASSERT_EQ(t.c.count, 1u);
    EXPECT_EQ(t.c.list[0].item, LookItem::buttonImage);
    EXPECT_EQ(t.c.list[0].id, 1032);
    EXPECT_EQ(t.c.list[0].value, 5);
    reduce(t.d, t.e);
    ASSERT_EQ(t.d.view.page, 1);
    t.update();
    EXPECT_TRUE(hasChange(t.c, LookItem::buttonImage, 1032));
    EXPECT_EQ(t.shown.shorteningImage, 1);
    EXPECT_FALSE(t.shown.toolBandsShown);
    EXPECT_TRUE(hasChange(t.c, LookItem::toolBands, 0));
}

}  // namespace
