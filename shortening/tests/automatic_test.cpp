// The automatic operation on a generated recording: clicks of a known shape
// in the left channel of the searched stretch, band editing on f7.
#include "shortening/automatic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "audio_file/tests/wave_builder.h"
#include "edit/band_mode.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/page_io.h"
#include "testing/document_fixture.h"
#include "view/edit_session.h"
#include "view/pages.h"
#include "view/restore.h"

namespace {

constexpr int32_t kWidth = 640;
constexpr uint32_t kFrames = 1u << 19;
constexpr int32_t kZoomLeft2 = 100;                  // page 3 shows the searched stretch
constexpr uint32_t kSearchFirst = kZoomLeft2 * 512;  // its first frame (page 2 starts at 0)
constexpr uint32_t kSearchFrames = kWidth * 64;      // and its length
constexpr int32_t kF7 = 1;

// 16-bit stereo: a 110 + 220 Hz pair at -12 dBFS in both channels (or
// silence), each click +p, -p, +p/2 added to the left one at its frame.
struct Click {
    uint32_t frame;
    int32_t peak;
};
std::vector<uint8_t> recording(const std::vector<Click>& clicks, bool tone = true) {
    std::vector<int32_t> left(kFrames), right(kFrames);
    for (uint32_t k = 0; k < kFrames && tone; ++k) {
        const double t = 2.0 * M_PI * double(k) / 44100.0;
        left[k] = right[k] = int32_t(4096.0 * (std::sin(110.0 * t) + std::sin(220.0 * t)));
    }
    for (const Click& c : clicks) {
        left[c.frame] += c.peak;
        left[c.frame + 1] -= c.peak;
        left[c.frame + 2] += c.peak / 2;
    }
    Bytes data;
    for (uint32_t k = 0; k < kFrames; ++k)
        for (int32_t v : {left[k], right[k]}) {
            data.push_back(uint8_t(v & 0xff));
            data.push_back(uint8_t((v >> 8) & 0xff));
        }
    return riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", data)});
}

// K clicks well inside the stretch, peaks from 0.25 to 0.75 of full scale.
std::vector<Click> clicksInside(int k) {
    std::vector<Click> c;
    for (int i = 0; i < k; ++i)
        c.push_back(
            {kSearchFirst + 3000 + uint32_t(i) * (36000 / uint32_t(k)), 8192 + i * 16384 / (k > 1 ? k - 1 : 1)});
    return c;
}

// On page 2 with the searched stretch below, band editing on f7 when asked.
std::unique_ptr<LoadedDocument> onPageTwo(const std::vector<uint8_t>& file, bool band = true) {
    auto l = loadDocument(file, kWidth);
    enterPage(*l, 2);
    Document& d = **l;
    d.view.zoomFrameLeft[2] = kZoomLeft2;
    ViewEvents e;
    if (band) enterBandEditing(d, bandSplit(kF7), e);
    return l;
}

struct Scripted final : Progress {
    int cancelAt = -1;  // the read of the cancel flag that finds it set
    int reads = 0;
    void open(ProgressKind) override {}
    void close() override {}
    void step() override {}
    bool takeCancel() override { return reads++ == cancelAt; }
    Answer ask(const Message&) override { return Answer::no; }
    void pump() override {}
};

// The page-2 state the snapshots and restores must give back bit for bit.
struct State {
    std::vector<SampleValue> work, band;
    int32_t gain;
    bool operator==(const State& o) const { return work == o.work && band == o.band && gain == o.gain; }
    bool operator!=(const State& o) const { return !(*this == o); }
};
State stateOf(const Document& d) {
    const size_t n = stretchFrames(d) + 1;
    State s{std::vector<SampleValue>(d.pages.workSamples.get(), d.pages.workSamples.get() + kWorkSlots),
            std::vector<SampleValue>(n), d.view.gainShift};
    if (d.bandEditing) s.band.assign(d.pages.complementBand.get(), d.pages.complementBand.get() + n);
    return s;
}
std::vector<SampleValue> channelOf(const Document& d) {
    std::vector<SampleValue> c(stretchFrames(d) + 1);
    saveChannel(d, c.data());
    return c;
}
std::vector<SampleValue> slotContents(const Document& d, int i) {
    return std::vector<SampleValue>(d.image.undoSlots[size_t(i)].get(),
                                    d.image.undoSlots[size_t(i)].get() + stretchFrames(d) + 1);
}

// A batch turn by turn as the shell runs it: the titles and each step's frame.
struct Batch {
    std::vector<std::string> titles;
    std::vector<std::pair<uint32_t, uint32_t>> frames;
    std::vector<Message> messages;  // per turn
};
Batch runTurns(Document& d, AutomaticOperation& op, Progress& progress) {
    Batch b;
    if (!beginBatch(d, op)) return b;
    for (bool more = true; more;) {
        ViewEvents e;
        more = batchTurn(
            d, op, bandSplit(kF7), progress, [&](const std::string& t) { b.titles.push_back(t); }, e);
        b.messages.push_back(e.message);
        if (op.lastStep.ran) b.frames.push_back({op.lastStep.frameStart, op.lastStep.frameEnd});
        op.lastStep = StepOutcome{};
    }
    return b;
}

std::string title(int done, int step) { return "自動　" + std::to_string(done) + " " + std::to_string(step); }

// Back to page 1: band editing left, the working copy written into the
// image, the display gain taken off.
std::vector<uint8_t> imageOnPageOne(LoadedDocument& l) {
    ViewEvents e;
    reduce(*l, e);
    EXPECT_EQ(l->view.page, 1);
    removeGain(*l, e);
    return l.imageBytes();
}

TEST(Automatic, EachStepAttenuatesTheSharpestJumpOfTheStretch) {
    auto l = onPageTwo(recording(clicksInside(4)));
    Document& d = **l;
    SilentProgress progress;
    const uint32_t bps = 2, ba = 4;
    for (int step = 0; step <= kShorteningBatchLastStep; ++step) {
        // Brute force at the page-3 pass's resolution: true values at page 3's gain.
        const int32_t g2 = d.view.gainShift;
        std::vector<int64_t> truth(kSearchFrames);
        int64_t peak = 0;
        for (uint32_t k = 0; k < kSearchFrames; ++k) {
            truth[k] =
                d.pages.workSamples[slotOf((kSearchFirst + k) * ba + d.edit.dataOffset, d.pages.workOrigin, bps)] >> g2;
            peak = std::max<int64_t>(peak, std::llabs(truth[k]));
        }
        const int32_t g3 = headroomShiftOf(uint32_t(peak), kDefaultGainShift);
        auto screen = [&](uint32_t k) { return int32_t((truth[k] * (int64_t(1) << g3)) >> 16); };
        auto jump = [&](uint32_t k) { return std::abs(screen(k) - screen(k + 1)); };
        int32_t best = 0;
        for (uint32_t k = 0; k + 1 < kSearchFrames - 64; ++k) best = std::max(best, jump(k));
        ViewEvents e;
        const StepOutcome o = shorteningStep(d, bandSplit(kF7), progress, e);
        ASSERT_TRUE(o.ran && o.attenuated) << step;
        ASSERT_EQ(o.frameEnd - o.frameStart, 8 * ba);
        const uint32_t first = (o.frameStart - d.edit.dataOffset) / ba - kSearchFirst;
        bool covered = false;
        for (uint32_t k = first; k + 1 < first + 8; ++k) covered = covered || jump(k) == best;
        EXPECT_TRUE(covered) << "step " << step << " frame at " << first << " largest jump " << best;
        EXPECT_EQ(d.view.page, 2);
        EXPECT_TRUE(d.bandEditing);
    }
}

TEST(Automatic, ABatchChangesOnlyItsFramesAndRecordsNothing) {
    const std::vector<uint8_t> file = recording(clicksInside(4));
    auto l = onPageTwo(file);
    Document& d = **l;
    const std::vector<SampleValue> channel = channelOf(d);
    const std::vector<SampleValue> band(d.pages.complementBand.get(),
                                        d.pages.complementBand.get() + stretchFrames(d) + 1);
    EditSession s;
    AutomaticOperation op;
    EXPECT_EQ(openAutomatic(d, s, op), "自動　0 0");
    EXPECT_TRUE(s.automaticDialogShown);
    EXPECT_TRUE(op.playFromFrameEnabled);
    SilentProgress progress;
    const Batch b = runTurns(d, op, progress);
    ASSERT_EQ(b.titles.size(), 41u);
    for (int i = 0; i <= 40; ++i) EXPECT_EQ(b.titles[size_t(i)], title(0, i));
    EXPECT_EQ(op.batchesDone, 1);
    EXPECT_TRUE(op.cancelEnabled);
    EXPECT_FALSE(op.running);
    // Nothing recorded: the history is empty, slots 1-4 hold the snapshots.
    EXPECT_EQ(d.history.undoIndex, 0);
    EXPECT_FALSE(d.history.restoreArmed);
    EXPECT_EQ(slotContents(d, 1), channel);
    EXPECT_EQ(slotContents(d, 3), channel);
    EXPECT_EQ(slotContents(d, 2), band);
    EXPECT_EQ(slotContents(d, 4), band);
    EXPECT_NE(channelOf(d), channel);
    ASSERT_TRUE(confirmAutomatic(d, s, op));
    const std::vector<uint8_t> after = imageOnPageOne(*l);
    std::vector<bool> inFrame(after.size());
    ASSERT_EQ(b.frames.size(), 41u);
    for (const auto& [start, end] : b.frames)  // the left channel's bytes only
        for (uint32_t q = start; q < end; q += 4) inFrame[q] = inFrame[q + 1] = true;
    const std::vector<uint8_t> before = loadDocument(file, kWidth)->imageBytes();
    size_t changed = 0;
    for (size_t q = 0; q < after.size(); ++q)
        if (after[q] != before[q]) {
            ++changed;
            ASSERT_TRUE(inFrame[q]) << "byte " << q << " outside every step's frame";
        }
    EXPECT_GT(changed, 0u);
}

TEST(Automatic, StopAfterStepKThenNoPutsBackEverything) {
    auto l = onPageTwo(recording(clicksInside(3)));
    Document& d = **l;
    const State opening = stateOf(d);
    EditSession s;
    AutomaticOperation op;
    openAutomatic(d, s, op);
    Scripted progress;
    progress.cancelAt = 4;  // read during step 4
    const Batch b = runTurns(d, op, progress);
    ASSERT_EQ(b.titles.size(), 6u);
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(b.titles[size_t(i)], title(0, i));
    EXPECT_EQ(op.step, 5);
    EXPECT_EQ(b.frames.size(), 5u);
    EXPECT_NE(stateOf(d), opening);
    EXPECT_EQ(closeAutomatic(d, s, op), CloseStep::ask);
    const Message q = automaticCloseQuestion();
    EXPECT_EQ(q.text, "データを保存して自動操作を終了しますか。");
    EXPECT_EQ(q.caption, "自動操作");
    EXPECT_EQ(q.buttons, Buttons::yesNoCancel);
    ViewEvents e;
    EXPECT_FALSE(answerClose(d, s, op, Answer::cancel, e));
    EXPECT_TRUE(s.automaticDialogShown);
    EXPECT_TRUE(answerClose(d, s, op, Answer::no, e));
    EXPECT_FALSE(s.automaticDialogShown);
    EXPECT_TRUE(stateOf(d) == opening);
    EXPECT_FALSE(d.history.restoreArmed);
}

TEST(Automatic, CloseWhileRunningOnlyAsksTheStop) {
    auto l = onPageTwo(recording(clicksInside(1)));
    Document& d = **l;
    EditSession s;
    AutomaticOperation op;
    openAutomatic(d, s, op);
    ASSERT_TRUE(beginBatch(d, op));
    EXPECT_FALSE(beginBatch(d, op));
    EXPECT_EQ(closeAutomatic(d, s, op), CloseStep::stopRequested);
    EXPECT_FALSE(confirmAutomatic(d, s, op));
    std::vector<std::string> titles;
    ViewEvents e;
    SilentProgress progress;
    EXPECT_FALSE(batchTurn(
        d, op, bandSplit(kF7), progress, [&](const std::string& t) { titles.push_back(t); }, e));
    EXPECT_EQ(titles, std::vector<std::string>{title(0, 0)});
    EXPECT_EQ(op.batchesDone, 1);  // a stopped batch still counts
}

TEST(Automatic, ConfirmThenRestoreKindOnePutsBackTheOpening) {
    auto l = onPageTwo(recording(clicksInside(3)));
    Document& d = **l;
    const State opening = stateOf(d);
    EditSession s;
    AutomaticOperation op;
    openAutomatic(d, s, op);
    SilentProgress progress;
    runTurns(d, op, progress);
    ASSERT_TRUE(confirmAutomatic(d, s, op));
    ASSERT_TRUE(d.history.restoreArmed);
    EXPECT_EQ(d.history.restoreKind, RestoreKind::automatic);
    EXPECT_EQ(restoreQuestion(d).text, "今実施した自動操作は無かった事にしますか。");
    ViewEvents e;
    ASSERT_TRUE(applyRestore(d, l->fs, bandSplit(kF7), e));
    EXPECT_TRUE(stateOf(d) == opening);
}

// After 338 the put-back writes its slots over the operation's page: once
// that page or its band split has moved, it is refused and nothing changes.
TEST(Automatic, RestoreKindOneRefusedOnceItsPageMoved) {
    struct Case {
        const char* name;
        bool onPageThree;
        void (*move)(LoadedDocument&, EditSession&);
    } cases[] = {
        {"band editing left", false,
         [](LoadedDocument& l, EditSession&) {
             ViewEvents e;
             toggleBandEditing(*l, bandSplit(kF7), e);
         }},
        {"page 1, its frame moved", false,
         [](LoadedDocument& l, EditSession& s) {
             ViewEvents e;
             reduceCommand(*l, s, l.fs, bandSplit(kF7), e);
             l->view.zoomFrameLeft[1] += 1;
         }},
        {"page 3 entered elsewhere", true,
         [](LoadedDocument& l, EditSession& s) {
             ViewEvents e;
             reduceCommand(*l, s, l.fs, bandSplit(kF7), e);
             l->view.zoomFrameLeft[2] += 20;
             enlargeCommand(*l, s, l.fs, bandSplit(kF7), e);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto l = onPageTwo(recording(clicksInside(3)));
        Document& d = **l;
        EditSession s;
        ViewEvents e;
        if (c.onPageThree) enlargeCommand(d, s, l->fs, bandSplit(kF7), e);
        AutomaticOperation op;
        openAutomatic(d, s, op);
        SilentProgress progress;
        runTurns(d, op, progress);
        ASSERT_TRUE(confirmAutomatic(d, s, op));
        c.move(*l, s);
        const State moved = stateOf(d);
        EXPECT_TRUE(restoreQuestion(d).empty());
        EXPECT_FALSE(applyRestore(d, l->fs, bandSplit(kF7), e));
        EXPECT_TRUE(stateOf(d) == moved);
    }
}

TEST(Automatic, TwoBatchesAndCancelEqualOneBatch) {
    auto l = onPageTwo(recording(clicksInside(24)));  // more than one batch repairs
    Document& d = **l;
    EditSession s;
    AutomaticOperation op;
    openAutomatic(d, s, op);
    SilentProgress progress;
    ViewEvents e;
    EXPECT_TRUE(cancelBatch(d, op, e).empty());  // no batch yet
    runTurns(d, op, progress);
    const State one = stateOf(d);
    runTurns(d, op, progress);
    EXPECT_EQ(op.batchesDone, 2);
    EXPECT_NE(stateOf(d), one);
    EXPECT_EQ(cancelBatch(d, op, e), title(1, 0));
    EXPECT_TRUE(stateOf(d) == one);
    EXPECT_FALSE(op.cancelEnabled);
    EXPECT_TRUE(cancelBatch(d, op, e).empty());  // only the last batch
    EXPECT_EQ(op.batchesDone, 1);
    // Cancelling the only batch leaves nothing done: no question, restore unarmed.
    auto m = onPageTwo(recording(clicksInside(3)));
    AutomaticOperation other;
    openAutomatic(**m, s, other);
    runTurns(**m, other, progress);
    cancelBatch(**m, other, e);
    EXPECT_EQ(closeAutomatic(**m, s, other), CloseStep::ended);
    EXPECT_FALSE((*m)->history.restoreArmed);
    EXPECT_FALSE(s.automaticDialogShown);
}

// Small positive values: every jump is below one screen unit on every page.
TEST(Automatic, AStretchWithoutJumpsChangesNothingAndTheCountGoesOn) {
    const std::vector<uint8_t> flat = [] {
        Bytes data;
        for (uint32_t k = 0; k < kFrames; ++k)
            for (int c = 0; c < 2; ++c) data.push_back(uint8_t(k * 7 % 16)), data.push_back(0);
        return riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", data)});
    }();
    auto l = onPageTwo(flat, false);
    Document& d = **l;
    const State before = stateOf(d);
    EditSession s;
    AutomaticOperation op;
    openAutomatic(d, s, op);
    SilentProgress progress;
    const Batch b = runTurns(d, op, progress);
    EXPECT_EQ(b.titles.size(), 41u);
    EXPECT_EQ(b.frames.size(), 41u);
    EXPECT_TRUE(stateOf(d) == before);
}

TEST(Automatic, AClickAtTheStretchsRightEndIsReportedOnceAfterTheBatch) {
    auto l = onPageTwo(recording({{kSearchFirst + (kWidth - 2) * 64 + 20, 24000}}, false));
    Document& d = **l;
    EditSession s;
    AutomaticOperation op;
    openAutomatic(d, s, op);
    SilentProgress progress;
    const Batch b = runTurns(d, op, progress);
    ASSERT_EQ(b.messages.size(), 41u);
    for (size_t i = 0; i + 1 < b.messages.size(); ++i) EXPECT_TRUE(b.messages[i].empty()) << i;
    EXPECT_EQ(b.messages.back().text, "最大値が最後部にあるため絶えずこの付近を検出しています、範囲を変えて下さい。");
    EXPECT_EQ(b.messages.back().caption, "白色波形の最大値検索");
    EXPECT_EQ(d.endOfRangeCount, 0);
}

}  // namespace
