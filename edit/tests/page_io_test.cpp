#include "edit/page_io.h"

#include <gtest/gtest.h>

#include "audio_file/sample_access.h"
#include "audio_file/tests/wave_builder.h"
#include "edit/gain.h"
#include "testing/document_fixture.h"

namespace {

struct Format {
    uint16_t channels, bits;
};
const Format kFormats[] = {{1, 8}, {2, 8}, {1, 16}, {2, 16}, {1, 24}, {2, 24}};

// A file with pattern data long enough for two page-2 stretches at 640 columns.
std::unique_ptr<LoadedDocument> patterned(Format f, uint32_t frames = 800000) {
    return loadDocument(simpleWave(f.channels, f.bits, frames), 640);
}

// Places page 2 so that it starts `frame` frames into the data (page 1 at 0).
void placePage2(Document& d, uint32_t pageOneColumn) {
    d.view.zoomFrameLeft[0] = 0;
    d.view.zoomFrameLeft[1] = int32_t(pageOneColumn);
    d.pages.workOrigin = columnOffset(d.view, d.edit, 0, 2);
}

TEST(PageRoundTrip, ImageUnchangedAtStartMiddleAndEnd) {
    for (const Format f : kFormats) {
        auto l = patterned(f);
        Document& d = **l;
        const uint32_t frames = (d.edit.dataEnd - d.edit.dataOffset) / d.edit.frameBytes;
        const uint32_t lastColumn = frames / 8192;
        for (uint32_t column : {0u, 40u, lastColumn}) {
            placePage2(d, column);
            loadPage(d);
            storePage(d);
            ASSERT_EQ(l->imageBytes(), l->original) << f.channels << "ch " << f.bits << "bit column " << column;
        }
    }
}

TEST(PageLoad, MarginsReadSilenceOutsideTheDataAndAreNeverStored) {
    for (const Format f : kFormats) {
        auto l = patterned(f, 10000);  // the stretch runs past the data end
        Document& d = **l;
        placePage2(d, 0);
        loadPage(d);
        const SampleValue* s = d.pages.workSamples.get();
        for (size_t i = 0; i < 2048; ++i) ASSERT_EQ(s[i], 0) << "leading margin";
        const uint32_t bps = d.edit.bytesPerSample;
        // The first sample of the data sits at slot 2048.
        EXPECT_EQ(s[2048], readSample(d.image.bytes(), d.edit.dataOffset, bps));
        const size_t samples = size_t(10000) * f.channels;
        // The last frame's left sample is read; the right one of a stereo file reads 0.
        EXPECT_EQ(s[2048 + samples - f.channels], readSample(d.image.bytes(), d.edit.dataEnd - d.edit.frameBytes, bps));
        if (f.channels == 2) {
            EXPECT_EQ(s[2048 + samples - 1], 0);
        }
        for (size_t i = 2048 + samples; i < 2048 + samples + 4096; ++i) ASSERT_EQ(s[i], 0) << i;
        // Neither that right sample nor anything past the data is written back.
        if (f.channels == 2) d.pages.workSamples[2048 + samples - 1] = 12345 * 256;
        d.pages.workSamples[2048 + samples] = 777 * 256;
        storePage(d);
        EXPECT_EQ(l->imageBytes(), l->original) << f.channels << "ch " << f.bits << "bit";
        EXPECT_EQ(d.image.bytes()[d.edit.dataEnd], f.bits == 8 ? 0x80 : 0);
    }
}

TEST(PageStore, WritesChangedSamplesOfTheStretch) {
    auto l = patterned({2, 24});
    Document& d = **l;
    placePage2(d, 10);
    loadPage(d);
    const size_t slot = slotOf(d.pages.workOrigin + 3 + 6 * 100, d.pages.workOrigin, 3);  // right, frame 100
    d.pages.workSamples[slot] = -2;
    storePage(d);
    EXPECT_EQ(readSample(d.image.bytes(), d.pages.workOrigin + 3 + 600, 3), -2);
}

// Page 2 running past the data end: an edit on the very last frame goes back.
TEST(PageStore, WritesTheLastFrameOfTheData) {
    for (const Format f : kFormats) {
        auto l = patterned(f, 10000);
        Document& d = **l;
        placePage2(d, 0);
        loadPage(d);
        const uint32_t last = d.edit.dataEnd - d.edit.frameBytes;
        d.pages.workSamples[slotOf(last, d.pages.workOrigin, d.edit.bytesPerSample)] = -3 * 65536;
        storePage(d);
        EXPECT_EQ(readSample(d.image.bytes(), last, d.edit.bytesPerSample), -3 * 65536)
            << f.channels << "ch " << f.bits;
    }
}

TEST(Channel, SaveAndRestoreTheSelectedChannelOnly) {
    auto l = patterned({2, 16});
    Document& d = **l;
    placePage2(d, 3);
    loadPage(d);
    std::vector<SampleValue> frames(kFrameArrayLength);
    d.view.channel = 1;
    saveChannel(d, frames.data());
    EXPECT_EQ(frames[5], readSample(d.image.bytes(), d.pages.workOrigin + 2 + 4 * 5, 2));
    std::vector<SampleValue> zeros(kFrameArrayLength, 0);
    restoreChannel(d, zeros.data());
    EXPECT_EQ(d.pages.workSamples[2048 + 10], readSample(d.image.bytes(), d.pages.workOrigin + 20, 2));  // left kept
    EXPECT_EQ(d.pages.workSamples[2048 + 11], 0);
    restoreChannel(d, frames.data());
    storePage(d);
    EXPECT_EQ(l->imageBytes(), l->original);
}

TEST(SlotOf, OffsetsBeforeTheOriginStayInTheMargin) {
    EXPECT_EQ(slotOf(1000 - 32 * 6, 1000, 3), 2048u - 64);
    EXPECT_EQ(slotOf(1000, 1000, 2), 2048u);
    EXPECT_EQ(slotOf(1000 + 4 * 655360 + 4 * 1023, 1000, 2), 2048u + 2 * 655360 + 2 * 1023);
}

TEST(Headroom, ShiftForThePeak) {
    struct Row {
        uint32_t peak;
        int32_t cap, shift;
    };
    const Row rows[] = {
        {1048576, 4, 2},   // x4 is the largest multiple in range
        {8388608, 4, 0},   // already out of range
        {0x400000, 4, 0},  // bit 22 set: x1
        {0x7FFFFF, 4, 0}, {0x3FFFFF, 4, 1}, {0x100000, 4, 2},
        {0x80000, 4, 3},  {0x7FFFF, 4, 4},  // below 0x80000: the full x16
        {0, 4, 4},        {0x7FFFF, 2, 2},  // never beyond the cap
    };
    for (const Row& r : rows) EXPECT_EQ(headroomShiftOf(r.peak, r.cap), r.shift) << r.peak;
}

TEST(Gain, AppliedThenRemovedRestoresEveryValue) {
    for (const Format f : kFormats) {
        RecordingPlan quiet;  // room for the gain, so the samples really move
        quiet.channels = f.channels;
        quiet.bits = f.bits;
        quiet.frames = 800000;
        quiet.clicks = 0;
        quiet.level = 0.01;
        auto l = loadRecording(quiet);
        Document& d = **l;
        ViewEvents events;
        d.view.page = 1;
        for (int k : {1, 2, 3, 4}) {
            d.view.gainShift = 0;
            applyGain(d, k, 1, events);
            ASSERT_EQ(d.view.gainShift, k);
            removeGain(d, events);
            ASSERT_EQ(l->imageBytes(), l->original) << f.bits << " page 1 shift " << k;
        }
        placePage2(d, 5);
        loadPage(d);
        std::vector<SampleValue> before(d.pages.workSamples.get(), d.pages.workSamples.get() + kWorkSlots);
        d.view.page = 2;
        for (int k : {1, 4}) {
            applyGain(d, k, 2, events);
            ASSERT_EQ(d.view.gainShift, k);
            removeGain(d, events);
            ASSERT_TRUE(std::equal(before.begin(), before.end(), d.pages.workSamples.get())) << f.bits;
        }
    }
}

TEST(Gain, LimitedByTheLoudestSampleOfThePage) {
    struct Row {
        const char* name;
        int16_t peak;  // 16-bit sample value placed in the page
        int32_t shift;
    };
    const Row rows[] = {
        {"Bit22SetGivesX1", 0x4000, 0}, {"BelowHalfGivesX2", 0x3FFF, 1},     {"QuarterGivesX4", 0x1000, 2},
        {"EighthGivesX8", 0x0800, 3},   {"Below0x80000GivesX16", 0x07FF, 4}, {"NegativePeakCounts", -0x2000, 1},
    };
    for (const Row& r : rows) {
        std::vector<uint8_t> file =
            riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", std::vector<uint8_t>(4 * 300000, 0))});
        const size_t at = 44 + 4 * 1000;  // left channel, frame 1000: inside page 1 and page 2
        file[at] = uint8_t(r.peak), file[at + 1] = uint8_t(uint16_t(r.peak) >> 8);
        auto l = loadDocument(file, 640);
        Document& d = **l;
        ViewEvents events;
        d.view.page = 1;
        applyGain(d, 4, 1, events);
        EXPECT_EQ(d.view.gainShift, r.shift) << r.name;
        EXPECT_TRUE(events.gainChanged);
    }
}

}  // namespace
