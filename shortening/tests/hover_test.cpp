// The hover attenuation and the manual shortening around it, on a mono
// recording of silence with one click of the shape +p, -p, +p/2.
#include "shortening/hover.h"

#include <gtest/gtest.h>

#include "audio_file/tests/wave_builder.h"
#include "edit/band_mode.h"
#include "edit/history.h"
#include "testing/document_fixture.h"
#include "view/descent.h"
#include "view/edit_session.h"

namespace {

constexpr uint32_t kClick = 60000;  // inside page 3 below zoomFrameLeft[2] = 100

std::unique_ptr<LoadedDocument> descendedOn(int32_t peak, bool band) {
    Bytes data(2 * 400000);
    auto put = [&](uint32_t k, int32_t v) {
        data[2 * k] = uint8_t(v & 0xff);
        data[2 * k + 1] = uint8_t((v >> 8) & 0xff);
    };
    put(kClick, peak);
    put(kClick + 1, -peak);
    put(kClick + 2, peak / 2);
    auto l = loadDocument(riffFile({chunk("fmt ", fmtPayload(pcmFormat(1, 16))), chunk("data", data)}));
    enterPage(*l, 2);
    Document& d = **l;
    d.view.zoomFrameLeft[2] = 100;
    ViewEvents e;
    if (band) enterBandEditing(d, bandSplit(1), e);
    return l;
}

uint32_t frameOf(const Document& d, uint32_t offset) { return (offset - d.edit.dataOffset) / d.edit.frameBytes; }

TEST(ManualShortening, StartLandsOnPageFiveWithEightFramesOnTheClick) {
    auto l = descendedOn(20000, true);
    Document& d = **l;
    EditSession s;
    ViewEvents e;
    startManualShortening(d, s, e);
    ASSERT_EQ(d.view.page, 5);
    EXPECT_TRUE(s.shorteningLook);
    EXPECT_EQ(d.view.editFrameEnd - d.view.editFrameStart, 8u * d.edit.frameBytes);
    // The sharpest jump, +p to -p, lies inside the frame.
    EXPECT_LE(frameOf(d, d.view.editFrameStart), kClick);
    EXPECT_GE(frameOf(d, d.view.editFrameEnd), kClick + 2);
}

TEST(Hover, OneAtOnceOnePerTickOneStepOnLeave) {
    auto l = descendedOn(20000, true);
    Document& d = **l;
    EditSession s;
    ViewEvents e;
    startManualShortening(d, s, e);
    d.history.restoreArmed = true;
    Hover h;
    TickResult first, again;
    ASSERT_TRUE(hoverEnter(d, s, h, first));
    EXPECT_FALSE(hoverEnter(d, s, h, again));  // one hover at a time
    EXPECT_EQ(first, TickResult::applied);
    EXPECT_FALSE(d.history.restoreArmed);  // 1050 off on entering
    EXPECT_TRUE(h.attenuating);
    EXPECT_EQ(h.count, 1);
    EXPECT_EQ(hoverTick(d, s, h), TickResult::applied);
    EXPECT_EQ(h.count, 2);
    int32_t ticks = 2;
    while (hoverTick(d, s, h) == TickResult::applied && ticks < 200) ++ticks;
    EXPECT_LT(ticks, 200);  // flat in the end: refused, and refusals are not counted
    EXPECT_EQ(h.count, ticks);
    EXPECT_EQ(hoverTick(d, s, h), TickResult::refused);
    EXPECT_EQ(h.count, ticks);
    ViewEvents left;
    EXPECT_TRUE(hoverLeave(d, h, left));
    EXPECT_EQ(historyLook(d).counter, "1/1");
    EXPECT_FALSE(h.attenuating);
    EXPECT_EQ(h.count, 0);
    EXPECT_EQ(hoverTick(d, s, h), TickResult::refused);  // no hover, no change
    EXPECT_FALSE(hoverLeave(d, h, left));
}

// A flat frame with nothing recorded yet is attenuated anyway; that change
// must reach the history.
TEST(Hover, TheForcedApplicationIsCounted) {
    auto l = descendedOn(0, false);
    Document& d = **l;
    EditSession s;
    ViewEvents e;
    d.view.whiteMaxColumn = 300;
    startManualShortening(d, s, e);  // refused: band editing off
    ASSERT_EQ(d.view.page, 2);
    Hover h;
    TickResult first;
    EXPECT_FALSE(hoverEnter(d, s, h, first));  // shortening not active
    descendToLoudest(d, e, false);
    ASSERT_EQ(d.view.page, 5);
    ASSERT_TRUE(hoverEnter(d, s, h, first));
    EXPECT_EQ(first, TickResult::forced);
    EXPECT_EQ(hoverTick(d, s, h), TickResult::refused);  // once per run
    ViewEvents left;
    EXPECT_TRUE(hoverLeave(d, h, left));
    EXPECT_EQ(historyLook(d).counter, "1/1");
}

// Repeat and end record kinds 2 and 3 and run the confirm proper only.
TEST(ManualShortening, RepeatAndEndKeepTheirRestoreKinds) {
    auto l = descendedOn(20000, true);
    Document& d = **l;
    EditSession s;
    ViewEvents e;
    startManualShortening(d, s, e);
    Hover h;
    TickResult first;
    ASSERT_TRUE(hoverEnter(d, s, h, first));
    ASSERT_TRUE(hoverLeave(d, h, e));
    enlargeCommand(d, s, l->fs, bandSplit(1), e);
    EXPECT_EQ(d.view.page, 5);
    EXPECT_EQ(d.history.undoIndex, 0);
    EXPECT_TRUE(d.history.restoreArmed);
    EXPECT_EQ(d.history.restoreKind, RestoreKind::shorteningRepeat);
    ASSERT_TRUE(hoverEnter(d, s, h, first));
    ASSERT_TRUE(hoverLeave(d, h, e));
    reduceCommand(d, s, l->fs, bandSplit(1), e);
    EXPECT_EQ(d.view.page, 2);
    EXPECT_EQ(d.view.shorteningStartPage, 0);
    EXPECT_EQ(d.history.restoreKind, RestoreKind::shorteningEnd);
    EXPECT_TRUE(d.history.restoreArmed);
}

}  // namespace
