#include "edit/tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>
#include <utility>

#include "audio_file/sample_access.h"
#include "edit/tests/tool_fixture.h"

namespace {

struct Row {
    const char* name;
    Tool tool;
    std::vector<SampleValue> before;
    SampleValue b;  // the value right after the frame
    TickResult result;
    std::vector<SampleValue> after;
    int count = 1;  // ticks applied at once
};

const Row kRows[] = {
    {"ShiftUp", Tool::shiftUp, {0, -5, 8323071}, 0, TickResult::applied, {65536, 65531, 8388607}},
    {"ShiftUpRefusedPastTheTop", Tool::shiftUp, {0, 8323072}, 0, TickResult::refused, {0, 8323072}},
    {"ShiftDown", Tool::shiftDown, {0, -8323072}, 0, TickResult::applied, {-65536, -8388608}},
    {"ShiftDownRefused", Tool::shiftDown, {-8323073, 0}, 0, TickResult::refused, {-8323073, 0}},
    // n = 4, a power of two: one end moves 65,536, the other 65,536 / 4.
    {"RampLeftDownPowerOfTwo",
     Tool::rampLeftDown,
     {0, 0, 0, 0},
     0,
     TickResult::applied,
     {-65536, -49152, -32768, -16384}},
    {"RampLeftUpPowerOfTwo", Tool::rampLeftUp, {0, 0, 0, 0}, 0, TickResult::applied, {65536, 49152, 32768, 16384}},
    {"RampRightUpKeepsTheFirst", Tool::rampRightUp, {7, 7, 7, 7}, 0, TickResult::applied, {7, 16391, 32775, 49159}},
    {"RampRightDown", Tool::rampRightDown, {0, 0, 0, 0}, 0, TickResult::applied, {0, -16384, -32768, -49152}},
    // n = 3: q = 1,431,655,765; step(1..3) = 21845, 43690, 65535.
    {"RampLeftUpThree", Tool::rampLeftUp, {0, 0, 0}, 0, TickResult::applied, {65535, 43690, 21845}},
    {"RampRefusedAtTheTop", Tool::rampLeftUp, {8388607, 0, 0}, 0, TickResult::refused, {8388607, 0, 0}},
    // Line 0, 3, 6 (slope 10 / 3 = 3).
    {"AmplifyAboutTheLine", Tool::amplify, {0, 100, 6}, 10, TickResult::applied, {0, 109, 6}},
    // A tick that would change no sample is refused: nothing to record.
    {"AmplifyOnTheLineIsRefused", Tool::amplify, {0, 3, 6}, 10, TickResult::refused, {0, 3, 6}},
    {"AmplifyTooSmallToMoveIsRefused", Tool::amplify, {10, 0, 4}, 0, TickResult::refused, {10, 0, 4}},
    {"AmplifyDownwardLine", Tool::amplify, {10, -100, 4}, 0, TickResult::applied, {10, -110, 4}},
    {"AmplifyRefusedOutOfRange", Tool::amplify, {0, 8000000}, 0, TickResult::refused, {0, 8000000}},
    // Flat line 8: 7,626,000 x 1.1 + 8 is exactly 8,388,608.0, one past the top.
    {"AmplifyToExactlyPastTheTopIsRefused", Tool::amplify, {8, 7626008}, 8, TickResult::refused, {8, 7626008}},
    {"AmplifyToExactlyTheBottom", Tool::amplify, {-8, -7626008}, -8, TickResult::applied, {-8, -8388608}},
    {"AmplifyToExactlyPastTheBottomIsRefused", Tool::amplify, {-9, -7626009}, -9, TickResult::refused, {-9, -7626009}},
    {"AttenuateTowardTheLine", Tool::attenuate, {0, 1000000, 6}, 10, TickResult::applied, {0, 909091, 6}},
    {"AttenuateFlatIsRefused", Tool::attenuate, {0, 3, 6}, 10, TickResult::refused, {0, 3, 6}},
    {"AttenuateFlatWithinTheShift", Tool::attenuate, {0, 131071 + 3, 6}, 10, TickResult::refused, {0, 131074, 6}},
    {"AttenuateNotFlatBelow", Tool::attenuate, {0, 3 - 65537, 6}, 10, TickResult::applied, {0, -59576, 6}},
    // 200000 x (1/1.1)^10 = 77108.6...: one step of the tenth power.
    {"AttenuateCountOfTen", Tool::attenuate, {0, 200000, 0}, 0, TickResult::applied, {0, 77108, 0}, 10},
    // Held past 24 bits (an insert one gain step short): still out of range after the tick.
    {"AttenuateStillOutOfRangeIsRefused", Tool::attenuate, {0, 16000000}, 0, TickResult::refused, {0, 16000000}},
    {"AttenuateExtremes", Tool::attenuate, {8388607, -8388608}, -8388608, TickResult::applied, {8388607, -7626007}},
    // Low-pass of true values: (before + x0 + x1) / 3 ... truncated toward zero.
    {"LowPassSpike", Tool::lowPass, {0, 300, 0}, 0, TickResult::applied, {100, 100, 100}},
    {"LowPassTruncatesTowardZero", Tool::lowPass, {-1, -1, -2}, -2, TickResult::applied, {0, -1, -1}},
};

class ToolTick : public ::testing::TestWithParam<Row> {};

TEST_P(ToolTick, ExactValuesInEveryFormatAndChannel) {
    const Row& r = GetParam();
    struct Format {
        uint16_t channels, bits;
        int channel;
    };
    for (const Format f : {Format{1, 8, 0}, Format{2, 16, 1}, Format{2, 24, 0}, Format{2, 24, 1}}) {
        const int32_t n = int32_t(r.before.size());
        ToolDoc t = toolDoc(f.channels, f.bits, f.channel, 5, 100, n, r.before, r.b);
        if (f.channels == 2) {
            for (int32_t k = -1; k <= n; ++k) t.other(k) = 4242;
        }
        ToolRun run;
        EXPECT_EQ(toolTick(t.d(), r.tool, run, ToolFlags{}, r.count), r.result) << f.bits << "-bit ch " << f.channel;
        EXPECT_EQ(run.counted, r.result == TickResult::applied ? 1 : 0);
        for (int32_t k = 0; k < n; ++k) EXPECT_EQ(t.x(k), r.after[size_t(k)]) << "frame " << k << ", " << f.bits;
        EXPECT_EQ(t.x(n), r.b);  // B is read, never written
        if (f.channels == 2) {
            for (int32_t k = -1; k <= n; ++k) EXPECT_EQ(t.other(k), 4242) << "other channel touched";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolTick, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

// The factors are these exact doubles, not merely close to 1.1 and 1/1.1.
TEST(ToolTick, FactorsAreTheNearestDoubles) {
    for (const auto& [factor, bits] :
         {std::pair{kAmplifyFactor, 0x3FF199999999999Aull}, std::pair{kAttenuateFactor, 0x3FED1745D1745D17ull}}) {
        uint64_t got = 0;
        std::memcpy(&got, &factor, sizeof got);
        EXPECT_EQ(got, bits) << factor;
    }
}

// Frames longer than a block and no multiple of a vector width: a refusal
// found at the last frame changes nothing, the last frame itself is written,
// the low-pass reads across the blocks' edges and sums what no int32 holds.
struct LongRow {
    const char* name;
    Tool tool;
    SampleValue fill;                                  // every frame of the frame
    std::vector<std::pair<int64_t, SampleValue>> set;  // then these (frame n: B)
    TickResult result;
    std::vector<std::pair<int64_t, SampleValue>> after;  // checked when applied
};
constexpr int64_t kLong = 2055;
const LongRow kLongRows[] = {
    {"ShiftUpRefusedByTheLast", Tool::shiftUp, 0, {{kLong - 1, 8323072}}, TickResult::refused, {}},
    {"ShiftDownRefusedByTheLast", Tool::shiftDown, 0, {{kLong - 1, -8323073}}, TickResult::refused, {}},
    {"RampRightUpRefusedByTheLast", Tool::rampRightUp, 0, {{kLong - 1, 8388607 - 65000}}, TickResult::refused, {}},
    {"AmplifyRefusedByTheLast", Tool::amplify, 0, {{kLong - 1, 8000000}}, TickResult::refused, {}},
    {"ShiftUpWritesTheLast",
     Tool::shiftUp,
     0,
     {{kLong - 1, 8323071}},
     TickResult::applied,
     {{0, 65536}, {kLong - 1, 8388607}, {kLong, 0}}},
    {"AttenuateWritesTheLast",
     Tool::attenuate,
     0,
     {{kLong - 1, 1000000}},
     TickResult::applied,
     {{kLong - 2, 0}, {kLong - 1, 909090}, {kLong, 0}}},
    {"LowPassAcrossTheBlockEdge",
     Tool::lowPass,
     0,
     {{2048, 300}, {kLong - 1, 600}},
     TickResult::applied,
     {{2046, 0}, {2047, 100}, {2048, 100}, {2049, 100}, {kLong - 2, 200}, {kLong - 1, 200}, {kLong, 0}}},
    {"LowPassSumsPastInt32",
     Tool::lowPass,
     1 << 30,
     {{kLong, 1 << 30}},
     TickResult::applied,
     {{0, 715827882}, {1, 1 << 30}, {kLong - 1, 1 << 30}}},
};
class LongFrame : public ::testing::TestWithParam<LongRow> {};
TEST_P(LongFrame, EveryFrameAsExpectedOrNoneChanged) {
    const LongRow& r = GetParam();
    for (const auto& [channels, bits, channel] : {std::tuple{1, 8, 0}, std::tuple{2, 24, 1}}) {
        ToolDoc t = toolDoc(uint16_t(channels), uint16_t(bits), channel, 2, 100, 5, {}, 0);
        Document& d = t.d();
        d.view.editFrameEnd = d.view.editFrameStart + uint32_t(kLong) * d.edit.frameBytes;
        for (int64_t k = 0; k <= kLong; ++k) t.x(k) = k < kLong ? r.fill : 0;
        for (const auto& [k, v] : r.set) t.x(k) = v;
        std::vector<SampleValue> before;
        for (int64_t k = -1; k <= kLong + 1; ++k) before.push_back(t.x(k));
        ToolRun run;
        ASSERT_EQ(toolTick(d, r.tool, run, ToolFlags{}), r.result) << bits;
        if (r.result == TickResult::refused) {
            for (int64_t k = -1; k <= kLong + 1; ++k) ASSERT_EQ(t.x(k), before[size_t(k + 1)]) << "frame " << k;
        }
        for (const auto& [k, v] : r.after) EXPECT_EQ(t.x(k), v) << "frame " << k << ", " << bits << "-bit";
        EXPECT_EQ(t.x(kLong + 1), before.back());
    }
}
INSTANTIATE_TEST_SUITE_P(Tools, LongFrame, ::testing::ValuesIn(kLongRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ToolTick, RefusedWithoutAnOpenEditOrWithAnEmptyOrReversedFrame) {
    ToolDoc t = toolDoc(2, 16, 0, 5, 10, 2, {1, 2}, 0);
    Document& d = t.d();
    ToolRun run;
    d.view.editFramePresent = false;
    EXPECT_EQ(toolTick(d, Tool::shiftUp, run, ToolFlags{}), TickResult::refused);
    EXPECT_EQ(t.x(0), 1);
    d.view.editFramePresent = true;
    d.view.editFrameEnd = d.view.editFrameStart;
    for (Tool tool : {Tool::shiftUp, Tool::rampLeftUp, Tool::amplify, Tool::attenuate, Tool::lowPass})
        EXPECT_EQ(toolTick(d, tool, run, ToolFlags{}), TickResult::refused);
    d.view.editFrameEnd = d.view.editFrameStart - 4;
    EXPECT_EQ(toolTick(d, Tool::attenuate, run, ToolFlags{}), TickResult::refused);
    EXPECT_FALSE(silenceFrame(d));
    EXPECT_FALSE(adjustToZeroCrossings(d).ok());
}

TEST(Attenuate, FlatFrameInShorteningCountsOnceWhenEnlargeIsOff) {
    ToolDoc t = toolDoc(2, 16, 0, 5, 10, 3, {0, 1000, 6}, 10);
    Document& d = t.d();
    d.view.shorteningStartPage = 2;
    ToolFlags flags;
    flags.enlargeEnabled = false;
    ToolRun run;
    t.x(1) = 3;  // on the line: flat
    EXPECT_EQ(toolTick(d, Tool::attenuate, run, flags), TickResult::forced);
    EXPECT_EQ(run.counted, 1);
    EXPECT_EQ(toolTick(d, Tool::attenuate, run, flags), TickResult::refused);  // only the first of a run
    t.x(1) = 3 + 100000;                                                       // flat, yet far enough to move
    flags.automaticDialogShown = true;                                         // the dialog skips the test altogether
    EXPECT_EQ(toolTick(d, Tool::attenuate, run, flags), TickResult::applied);
    EXPECT_EQ(t.x(1), 3 + 90909);
}

// A three-frame edit from `column` on page 5, held at x16 (the quiet-page gain).
static ToolDoc quietPageDoc(uint16_t bits, int32_t column) {
    ToolDoc t = toolDoc(2, bits, 1, 5, column, 3, {}, 0);
    Document& d = t.d();
    ViewEvents e;
    d.view.editFramePresent = false;
    applyGain(d, 4, 5, e);
    d.view.editFramePresent = true;
    return t;
}

TEST(LowPass, ReadsTheTrueValueOutsideThePageAndRefusesWhatCannotTakeTheGainBack) {
    // Page 5 at x16; the sample before column 0 is outside the page and carries no gain.
    struct Row {
        uint16_t bits;
        SampleValue before;  // true value
        TickResult result;
        SampleValue first;
    };
    const SampleValue averaged = 16 * ((3000 + 30 + 60) / 3);
    for (const Row r : {Row{16, 3000, TickResult::applied, averaged}, Row{24, 3000, TickResult::applied, averaged},
                        Row{16, 8000000, TickResult::refused, 16 * 30}}) {  // loud, just outside the quiet page
        ToolDoc t = quietPageDoc(r.bits, 0);
        Document& d = t.d();
        ASSERT_EQ(d.view.gainShift, 4);
        t.x(-1) = r.before;
        for (int k = 0; k < 4; ++k) t.x(k) = 16 * 30 * (k + 1);
        ToolRun run;
        EXPECT_EQ(toolTick(d, Tool::lowPass, run, ToolFlags{}), r.result) << r.bits << " " << r.before;
        EXPECT_EQ(t.x(0), r.first);
        EXPECT_EQ(t.x(1), 16 * 60);  // (30 + 60 + 90) / 3: already smooth
        EXPECT_EQ(t.x(2), 16 * 90);
        EXPECT_EQ(d.view.gainShift, 4);
    }
}

// The frame ends at the page's last column: B lies outside the gain and is read as it is held.
TEST(LowPass, ReadsTheTrueValueAfterThePage) {
    for (uint16_t bits : {16, 24}) {
        ToolDoc t = quietPageDoc(bits, 637);
        Document& d = t.d();
        ASSERT_EQ(d.view.gainShift, 4);
        for (int k = -1; k < 3; ++k) t.x(k) = 16 * 30 * (k + 2);
        t.x(3) = 3000;
        ToolRun run;
        ASSERT_EQ(toolTick(d, Tool::lowPass, run, ToolFlags{}), TickResult::applied) << bits;
        EXPECT_EQ(t.x(1), 16 * 90);                       // (60 + 90 + 120) / 3: already smooth
        EXPECT_EQ(t.x(2), 16 * ((90 + 120 + 3000) / 3));  // not 3000 >> 4
        EXPECT_EQ(t.x(3), 3000);
    }
}

TEST(LowPass, ReadsStayInsideTheMarginsAtBothEndsOfTheStretch) {
    // Page 2: column 0 reads the frame before the stretch; column 638 the frames after 639.
    for (uint16_t bits : {16, 24}) {
        for (int32_t left : {0, 638}) {
            ToolDoc t = toolDoc(2, bits, 1, 2, left, 1, {600, 900}, 300);
            t.x(-1) = 300;
            ToolRun run;
            ASSERT_EQ(toolTick(t.d(), Tool::lowPass, run, ToolFlags{}), TickResult::applied);
            EXPECT_EQ(t.x(0), 600);
            EXPECT_EQ(t.x(1), 500);
            EXPECT_EQ(t.x(511), 100);  // (0 + 0 + B) / 3
            EXPECT_EQ(t.x(512), 300);
        }
    }
}

TEST(Silence, ZeroesTheFrameOnly) {
    ToolDoc t = toolDoc(2, 24, 1, 5, 20, 3, {5, 6, 7}, 8);
    t.other(0) = 99;
    EXPECT_TRUE(silenceFrame(t.d()));
    EXPECT_EQ(t.x(0), 0);
    EXPECT_EQ(t.x(2), 0);
    EXPECT_EQ(t.x(3), 8);
    EXPECT_EQ(t.other(0), 99);
}

TEST(Insert, ReferenceAtTheCurrentGain) {
    ToolDoc t = toolDoc(2, 16, 1, 5, 30, 2, {0, 0}, 0);
    Document& d = t.d();
    const uint32_t at = d.view.editFrameStart - d.pages.workOrigin;
    writeSample(d.image.filePageBuffer.get(), at, 1000 * 256, 2);
    writeSample(d.image.filePageBuffer.get(), at + 4, -3 * 256, 2);
    d.view.gainShift = 2;  // as applied to the page
    const InsertResult r = insertReference(d, false);
    EXPECT_TRUE(r.applied);
    EXPECT_EQ(t.x(0), 4 * 1000 * 256);
    EXPECT_EQ(t.x(1), 4 * -3 * 256);
}

struct InsertRow {
    const char* name;
    SampleValue reference;  // 24-bit value in the file page
    int32_t gain;
    bool tallScreen;
    const char* lowerGain;  // the multiple asked for; empty: inserted
    int32_t lowerShift;
};
const InsertRow kInserts[] = {
    {"FitsExactlyAtX16", 0x7FFFF, 4, false, "", 0},       {"OneOverX16AsksForX8", 0x80000, 4, false, "8", 3},
    {"TooLoudAtX16AsksForX4", 1048576, 4, false, "4", 2}, {"OneStepShortShownOnATallScreen", 1048576, 3, true, "", 0},
    {"HalfScaleAsksForX1", 0x400000, 3, false, "1", 0},
};
class InsertAtGain : public ::testing::TestWithParam<InsertRow> {};
TEST_P(InsertAtGain, InsertsOrAsksToReRunLower) {
    const InsertRow& r = GetParam();
    ToolDoc t = toolDoc(1, 24, 0, 5, 30, 2, {11, 12}, 0);
    Document& d = t.d();
    writeSample(d.image.filePageBuffer.get(), d.view.editFrameStart - d.pages.workOrigin, r.reference, 3);
    d.view.gainShift = r.gain;
    const InsertResult result = insertReference(d, r.tallScreen);
    EXPECT_EQ(result.applied, !*r.lowerGain);
    EXPECT_EQ(result.askLowerGain, bool(*r.lowerGain));
    if (*r.lowerGain) {
        EXPECT_EQ(result.lowerShift, r.lowerShift);
        EXPECT_EQ(result.question.text, std::string("現在の音量では描画範囲を超えるので、\n現在の編集を確定して音量") +
                                            r.lowerGain + "倍で再実行します。");
        EXPECT_EQ(result.question.caption, "描画範囲");
        EXPECT_EQ(result.question.buttons, Buttons::yesNo);
    }
    EXPECT_EQ(t.x(0), *r.lowerGain ? 11 : r.reference * (1 << r.gain));
}
INSTANTIATE_TEST_SUITE_P(Tools, InsertAtGain, ::testing::ValuesIn(kInserts),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ZeroCross, MovesBothEndsToTheNearerSideOfACrossing) {
    // Frames:      0     1     2    3    4    5     6     7   | B
    ToolDoc t = toolDoc(2, 16, 0, 5, 200, 8, {500, 300, -20, -400, 700, 500, 10, -900}, -50);
    Document& d = t.d();
    const uint32_t start = d.view.editFrameStart, ba = 4;
    ASSERT_TRUE(adjustToZeroCrossings(d).ok());
    // From the start: 300 -> -20 crosses, |-20| < |300|: a = frame 2.
    EXPECT_EQ(d.view.editFrameStart, start + 2 * ba);
    // From the end: B = -50 vs -900 same sign; -900 vs 10 crosses, |10| < |-900|: b = frame 6.
    EXPECT_EQ(d.view.editFrameEnd, start + 6 * ba);
    EXPECT_EQ(d.view.editFrameLeft, 202);
    EXPECT_EQ(d.view.editFrameRight, 206);
    EXPECT_EQ(t.x(0), -20);  // no sample changes
    EXPECT_EQ(t.x(3), 500);
}

// A crossing whose two sides are equally far from zero keeps the end where it is.
TEST(ZeroCross, TieKeepsBothEnds) {
    ToolDoc t = toolDoc(2, 16, 0, 5, 200, 4, {100, -100, 50, -100}, 100);
    Document& d = t.d();
    const uint32_t start = d.view.editFrameStart, end = d.view.editFrameEnd;
    ASSERT_TRUE(adjustToZeroCrossings(d).ok());
    EXPECT_EQ(d.view.editFrameStart, start);
    EXPECT_EQ(d.view.editFrameEnd, end);
}

TEST(ZeroCross, RefusedWhenTheEndsMeet) {
    ToolDoc t = toolDoc(2, 16, 0, 5, 200, 3, {500, 600, 700}, 800);
    Document& d = t.d();
    const uint32_t start = d.view.editFrameStart;
    const Status s = adjustToZeroCrossings(d);
    EXPECT_EQ(s.message.text, "選択範囲の変更は出来ません。");
    EXPECT_EQ(s.message.caption, "エラー");
    EXPECT_EQ(d.view.editFrameStart, start);
}

TEST(FillLine, StraightLineBetweenTheEnds) {
    ToolDoc t = toolDoc(2, 16, 1, 5, 50, 3, {99, 99, 99}, 10);
    Document& d = t.d();
    t.x(0) = 0;
    fillLine(d.pages.workSamples.get(), d.pages.workOrigin, d.view.editFrameStart, d.view.editFrameEnd, 2, 4);
    EXPECT_EQ(t.x(0), 0);
    EXPECT_EQ(t.x(1), 3);
    EXPECT_EQ(t.x(2), 6);
}

}  // namespace
