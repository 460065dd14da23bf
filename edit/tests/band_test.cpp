#include "edit/band_mode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "audio_file/sample_access.h"
#include "audio_file/tests/wave_builder.h"
#include "edit/band_split.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/page_io.h"
#include "edit/tools.h"
#include "testing/document_fixture.h"
#include "view/frames.h"
#include "view/pages.h"
#include "view/restore.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr uint32_t kFileFrames = 800000;
constexpr uint32_t kKindLength = 37000;

// Five kinds of content in turns, so that every stretch holds each: a quiet
// chord with clicks, a full-scale square, alternating full scale (LP
// overshoots, R passes 24 bits), random values with their low bits set,
// silence. The right channel runs two kinds ahead.
SampleValue content(uint32_t k, int channel, std::mt19937& rng) {
    switch ((k / kKindLength + uint32_t(channel) * 2) % 5) {
        case 0: {
            if (k % 9973 == 0) return SampleValue(0.9 * kSampleMax);
            const double t = double(k) / 44100;
            return SampleValue(300000 * (std::sin(2 * kPi * 440 * t) + std::sin(2 * kPi * 554.37 * t) +
                                         std::sin(2 * kPi * 659.25 * t)));
        }
        case 1: return (k / 50) % 2 ? kSampleMax : kSampleMin;
        case 2: return k % 2 ? kSampleMax : kSampleMin;
        case 3: return std::uniform_int_distribution<SampleValue>(kSampleMin, kSampleMax)(rng);
        default: return 0;
    }
}

std::vector<uint8_t> mixedWave(uint16_t channels, uint16_t bits) {
    const uint32_t bps = bits / 8u, ba = bps * channels;
    std::vector<uint8_t> data(size_t(kFileFrames) * ba);
    std::mt19937 rng(7);
    for (uint32_t k = 0; k < kFileFrames; ++k)
        for (int c = 0; c < channels; ++c)
            writeSample(data.data(), k * ba + uint32_t(c) * bps, content(k, c, rng), bps);
    return riffFile({chunk("fmt ", fmtPayload(pcmFormat(channels, bits))), chunk("data", data)});
}

struct Exactness {
    const char* name;
    uint16_t channels, bits;
    int32_t width;
    bool generated;  // the demo generator's recording instead of the mixed content
};
// Every format at 640 columns; the wider pages once, on the left channel,
// at the data's start and end.
const Exactness kExactness[] = {
    {"Mono8", 1, 8, 640, false},         {"Stereo8", 2, 8, 640, false},         {"Mono16", 1, 16, 640, false},
    {"Stereo16", 2, 16, 640, false},     {"Mono24", 1, 24, 640, false},         {"Stereo24", 2, 24, 640, false},
    {"Stereo24At960", 2, 24, 960, true}, {"Stereo24At1280", 2, 24, 1280, true},
};

class BandRoundTrip : public ::testing::TestWithParam<Exactness> {};

// Band on then off at every index gives back workSamples bit for bit,
// margins and the other channel included, under whatever gain the page has.
void everyIndexRestores(Document& d, const std::string& where, bool& sawGain) {
    const SampleValue* work = d.pages.workSamples.get();
    const std::vector<SampleValue> before(work, work + kWorkSlots);
    sawGain |= d.view.gainShift > 0;
    for (int32_t index = 0; index < kBandIndexCount; ++index) {
        ViewEvents e;
        enterBandEditing(d, bandSplit(index), e);
        ASSERT_TRUE(d.bandEditing) << where << " index " << index;
        leaveBandEditing(d, e);
        ASSERT_TRUE(std::equal(before.begin(), before.end(), work)) << where << " index " << index;
    }
}

TEST_P(BandRoundTrip, LeavesWorkSamplesAndTheImageBitIdentical) {
    const Exactness& p = GetParam();
    RecordingPlan plan;
    plan.bits = 24;
    plan.frames = kFileFrames;
    plan.level = 0.05;  // room for gain on page 5
    auto l = p.generated ? loadRecording(plan, p.width) : loadDocument(mixedWave(p.channels, p.bits), p.width);
    Document& d = **l;
    const int32_t lastColumn = int32_t(kFileFrames / 8192);  // a partial last page
    bool sawGain = false;
    const bool wide = p.width > 640;
    std::vector<int32_t> columns{0, lastColumn};
    if (!wide) columns.insert(columns.begin() + 1, 40);  // wider, it would run past the data's end as well
    for (int32_t column : columns) {
        for (int c = 0; c < (wide ? 1 : p.channels); ++c) {
            const std::string where = "column " + std::to_string(column) + " channel " + std::to_string(c);
            d.view.channel = c;
            d.view.zoomFrameLeft = {0, column, 3, 0, 0, 0};
            ViewEvents e;
            enterEditView(d, l->fs, 0, e);
            enlarge(d, l->fs, e);
            ASSERT_EQ(d.view.page, 2);
            everyIndexRestores(d, where + " page 2", sawGain);
            // Under the gain of page 5: its 640 frames at the data's start hold the quiet chord.
            if (column == 0) {
                while (d.view.page < 5) enlarge(d, l->fs, e);
                everyIndexRestores(d, where + " page 5", sawGain);
            }
            while (d.view.page > 0) reduce(d, e);
            ASSERT_EQ(l->imageBytes(), l->original) << where;
        }
    }
    EXPECT_TRUE(sawGain);
}

INSTANTIATE_TEST_SUITE_P(Formats, BandRoundTrip, ::testing::ValuesIn(kExactness),
                         [](const auto& row) { return std::string(row.param.name); });

// A working buffer holding one channel's frames for the filter tests.
struct Channel {
    std::vector<SampleValue> slots = std::vector<SampleValue>(kWorkSlots);
    size_t first = kWorkMargin, stride = 1;
    SampleValue& at(int64_t k) { return slots[size_t(int64_t(first) + k * int64_t(stride))]; }
    ChannelSlots view() const { return {slots.data(), first, stride}; }
    template <typename F>
    void fill(int64_t from, int64_t to, F value) {
        for (int64_t k = from; k < to; ++k) at(k) = value(k);
    }
};

constexpr uint32_t kToneFrames = 65536;

// The share of a tone that comes through: <LP, x> / <x, x> over the middle.
double toneGain(int design, double cyclesPerFrame) {
    Channel x;
    x.fill(-64, kToneFrames + 2048, [&](int64_t k) {
        return SampleValue(std::lround(2000000 * std::cos(2 * kPi * cyclesPerFrame * double(k) + 0.3)));
    });
    std::vector<SampleValue> lp(kFrameArrayLength);
    lowPass(x.view(), kToneFrames, design, bandSplit().tables, bandSplit().buffers, lp.data());
    double cross = 0, power = 0;
    for (int64_t k = 4096; k < kToneFrames - 4096; ++k) {
        cross += double(lp[size_t(k)]) * x.at(k);
        power += double(x.at(k)) * x.at(k);
    }
    return cross / power;
}

TEST(BandFilter, SincPassesAQuarterOfTheCutoffHalvesAtItAndStopsTwice) {
    for (int d = 0; d < kFirstBlockDesign; ++d) {
        const double fc = 1.0 / sincHalfLength(d);
        EXPECT_NEAR(toneGain(d, fc / 4), 0.99, 0.01) << "design " << d;
        EXPECT_NEAR(toneGain(d, fc), 0.50, 0.01) << "design " << d;
        EXPECT_LT(std::fabs(toneGain(d, 2 * fc)), 0.01) << "design " << d;
    }
}

TEST(BandFilter, BlockPassesEachBinAtTheMeanOfTwoTaperValues) {
    double w[9] = {};
    for (int r = 0; r < 8; ++r) w[r] = (1 + std::cos(kPi * r / 8)) / 2;
    for (int d = kFirstBlockDesign; d < 8; ++d) {
        const double size = double(1 << blockOrder(d));
        for (int bin = 1; bin <= 8; ++bin)
            EXPECT_NEAR(toneGain(d, bin / size), (w[bin] + w[bin - 1]) / 2, 0.01) << "design " << d << " bin " << bin;
        for (int bin : {9, 10, 16, 100})
            EXPECT_LT(std::fabs(toneGain(d, bin / size)), 0.005) << "design " << d << " bin " << bin;
    }
}

TEST(BandFilter, ConstantComesThroughBothDesigns) {
    constexpr SampleValue kLevel = 3000000;
    Channel x;
    std::fill(x.slots.begin(), x.slots.end(), kLevel);
    std::vector<SampleValue> lp(kFrameArrayLength);
    for (int d = 0; d < 8; ++d) {
        lowPass(x.view(), kToneFrames, d, bandSplit().tables, bandSplit().buffers, lp.data());
        for (uint32_t k = 0; k < kToneFrames; ++k) {
            if (d < kFirstBlockDesign)
                ASSERT_NEAR(lp[k], kLevel, kLevel / 100) << "design " << d << " frame " << k;
            else
                ASSERT_NEAR(lp[k], kLevel, 512) << "design " << d << " frame " << k;
        }
    }
}

TEST(BandFilter, LowestCutoffAt640ColumnsRuns320Blocks) {
    constexpr uint32_t n = 512 * 640;
    constexpr SampleValue kUntouched = 0x5a5a5a5a;
    Channel x;
    std::fill(x.slots.begin(), x.slots.end(), 1 << 20);
    std::vector<SampleValue> lp(kFrameArrayLength, kUntouched);
    lowPass(x.view(), n, 7, bandSplit().tables, bandSplit().buffers, lp.data());
    // Block 319 ends at 319 x 1024 + 1535, 511 entries past n.
    EXPECT_NE(lp[n + 511], kUntouched);
    EXPECT_EQ(lp[n + 512], kUntouched);
}

// Per frame, straight from the formulas, reading one channel of a stereo
// buffer through its own index arithmetic.
std::vector<SampleValue> naiveLowPass(Channel& x, uint32_t n, int design) {
    std::vector<SampleValue> lp(kFrameArrayLength);
    if (design < kFirstBlockDesign) {
        const int count = 4 << design;
        const double wc = 6.283185307179586 / count;
        std::vector<double> g(size_t(count) + 1);
        g[0] = wc * (1 / kPi);
        for (int i = 1; i <= count; ++i)
            g[size_t(i)] = std::sin(i * wc) / (i * kPi) * (0.54 - 0.46 * std::cos((count - i) * kPi / count));
        for (uint32_t k = 0; k <= n; ++k) {
            double acc = double(x.at(k)) * g[0];
            for (int i = 1; i <= count; ++i)
                acc = (double(x.at(int64_t(k) - i)) + double(x.at(int64_t(k) + i))) * g[size_t(i)] + acc;
            lp[k] = SampleValue(acc);
        }
        return lp;
    }
    const int m = design + 4;
    const int64_t size = int64_t(1) << m;
    TransformBuffers& b = bandSplit().buffers;
    for (int64_t block = 0; block * size / 2 < int64_t(n); ++block) {
        for (int64_t j = 0; j < size; ++j) {
            b.real[size_t(j)] = x.at(block * size / 2 + j) >> 8;
            b.imaginary[size_t(j)] = 0;
        }
        transform(bandSplit().tables, b.real.data(), b.imaginary.data(), m);
        for (int64_t j = 0; j < size; ++j) {
            const int64_t r = j < 8 ? j : size - 1 - j;
            const double w = r < 8 ? (std::sin((r / 8.0 + 0.5) * kPi) + 1) * 0.5 : 0;
            b.real[size_t(j)] *= w;
            b.imaginary[size_t(j)] *= -w;
        }
        transform(bandSplit().tables, b.real.data(), b.imaginary.data(), m);
        for (int64_t j = block == 0 ? 0 : size / 4; j < 3 * size / 4; ++j)
            lp[size_t(block * size / 2 + j)] = SampleValue(b.real[size_t(j)] * (1.0 / double(size))) * 256;
    }
    return lp;
}

TEST(BandFilter, MatchesAPerFrameVersionOnTheRightChannelOfRandomData) {
    constexpr uint32_t n = 512 * 64;
    Channel x;
    x.first = kWorkMargin + 1;
    x.stride = 2;
    std::mt19937 rng(3);
    std::uniform_int_distribution<SampleValue> value(kSampleMin, kSampleMax);
    for (SampleValue& s : x.slots) s = value(rng);
    for (int d = 0; d < 8; ++d) {
        std::vector<SampleValue> lp(kFrameArrayLength);
        lowPass(x.view(), n, d, bandSplit().tables, bandSplit().buffers, lp.data());
        const std::vector<SampleValue> naive = naiveLowPass(x, n, d);
        const uint32_t written = d < kFirstBlockDesign ? n + 1 : n + (1u << (d + 4)) / 4;
        for (uint32_t k = 0; k < written; ++k) ASSERT_EQ(lp[k], naive[k]) << "design " << d << " frame " << k;
    }
}

// Stereo 24-bit, on page 5 of the stretch at the data's start.
std::unique_ptr<LoadedDocument> onPage5(std::vector<uint8_t> file) {
    auto l = loadDocument(file, 640);
    enterPage(*l, 5);
    return l;
}

std::vector<SampleValue> workCopy(const Document& d) {
    return std::vector<SampleValue>(d.pages.workSamples.get(), d.pages.workSamples.get() + kWorkSlots);
}

// The slots of the edit frame's frames in the selected channel.
std::vector<bool> frameSlots(const Document& d) {
    std::vector<bool> in(kWorkSlots);
    for (uint32_t q = d.view.editFrameStart; q < d.view.editFrameEnd; q += d.edit.frameBytes)
        in[slotOf(q, d.pages.workOrigin, d.edit.bytesPerSample)] = true;
    return in;
}

TEST(BandEdit, AnAttenuatedHighBandChangesOnlyTheFrame) {
    auto l = loadDocument(mixedWave(2, 24), 640);
    Document& d = **l;
    d.view.zoomFrameLeft = {0, 0, 19, 3, 3, 0};  // page 5 from frame 9944: the click at 9973 in column 29
    enterPage(*l, 5);
    ViewEvents e;
    removeGain(d, e);
    const std::vector<SampleValue> before = workCopy(d);
    enterBandEditing(d, bandSplit(0), e);
    markFrame(d, 24, 40);
    ASSERT_TRUE(d.view.editFramePresent);
    ToolRun run;
    for (int i = 0; i < 8; ++i) ASSERT_EQ(toolTick(d, Tool::attenuate, run, ToolFlags{}), TickResult::applied);
    ASSERT_TRUE(endToolRun(d, run, e));
    confirmEdit(d, e);
    leaveBandEditing(d, e);
    removeGain(d, e);
    const std::vector<bool> in = frameSlots(d);
    const SampleValue* after = d.pages.workSamples.get();
    size_t changed = 0;
    for (size_t s = 0; s < kWorkSlots; ++s) {
        if (!in[s]) {
            ASSERT_EQ(after[s], before[s]) << "slot " << s;
        }
        changed += after[s] != before[s];
    }
    EXPECT_GT(changed, 8u);
}

TEST(BandEdit, AStepThatWouldSaturateTheSumIsRefused) {
    // A full-scale tone at half the cutoff of the low band f8: the edited
    // band holds most of it, the rest is set aside.
    const uint32_t frames = 400000;
    std::vector<uint8_t> data(size_t(frames) * 6);
    for (uint32_t k = 0; k < frames; ++k) {
        const SampleValue v = SampleValue(std::lround(kSampleMax * std::sin(2 * kPi * k / 8)));
        writeSample(data.data(), k * 6, v, 3);
        writeSample(data.data(), k * 6 + 3, v, 3);
    }
    auto l = onPage5(riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 24))), chunk("data", data)}));
    Document& d = **l;
    ViewEvents e;
    enterBandEditing(d, bandSplit(8), e);
    markFrame(d, 98, 99);  // frame 98 of the page is a peak: 98 = 12 x 8 + 2
    ASSERT_TRUE(d.view.editFramePresent);
    const std::vector<SampleValue> before = workCopy(d);
    ToolRun run;
    ASSERT_EQ(toolTick(d, Tool::shiftUp, run, ToolFlags{}), TickResult::applied);
    ViewEvents step;
    EXPECT_FALSE(endToolRun(d, run, step));
    EXPECT_EQ(step.message.text, "復元合成時に飽和します。");
    EXPECT_EQ(step.message.caption, "帯域合成エラー");
    EXPECT_EQ(historyLook(d).counter, "0/0");
    EXPECT_EQ(workCopy(d), before);
}

TEST(BandChange, WhileOffTouchesNoSampleAndTheCurrentItemDoesNothing) {
    auto l = loadChord();
    Document& d = **l;
    enterPage(*l, 2);
    const std::vector<SampleValue> before = workCopy(d);
    int32_t index = 1;
    ViewEvents e;
    EXPECT_TRUE(changeBand(d, index, 12, bandSplit().tables, bandSplit().buffers, e));
    EXPECT_EQ(index, 12);
    EXPECT_FALSE(d.bandEditing);
    EXPECT_EQ(workCopy(d), before);
    enterBandEditing(d, bandSplit(index), e);
    const std::vector<SampleValue> split = workCopy(d);
    ViewEvents same;
    EXPECT_FALSE(changeBand(d, index, 12, bandSplit().tables, bandSplit().buffers, same));
    EXPECT_FALSE(same.repaintWaveform);
    EXPECT_EQ(workCopy(d), split);
    // While on, another cutoff splits again; leaving still gives back the page.
    EXPECT_TRUE(changeBand(d, index, 3, bandSplit().tables, bandSplit().buffers, e));
    EXPECT_TRUE(d.bandEditing);
    EXPECT_NE(workCopy(d), split);
    leaveBandEditing(d, e);
    EXPECT_EQ(workCopy(d), before);
}

// A confirmed edit of one channel's band must not come back after F1: the
// slots hold that channel's band, and the set-aside band is split anew.
TEST(BandChannelSwitch, DisarmsTheRestoreOfTheEditBefore) {
    auto l = loadChord();
    Document& d = **l;
    enterPage(*l, 5);
    ViewEvents e;
    enterBandEditing(d, bandSplit(1), e);
    markFrame(d, 200, 210);
    ToolRun run;
    ASSERT_EQ(toolTick(d, Tool::shiftUp, run, ToolFlags{}), TickResult::applied);
    ASSERT_TRUE(endToolRun(d, run, e));
    confirmEdit(d, e);
    ASSERT_FALSE(restoreQuestion(d).empty());
    switchChannel(d, bandSplit(1), e);
    EXPECT_EQ(d.view.channel, 1);
    EXPECT_TRUE(d.bandEditing);
    EXPECT_TRUE(restoreQuestion(d).empty());
    switchChannel(d, bandSplit(1), e);  // back: the same channel, split again
    EXPECT_TRUE(d.bandEditing);
    ASSERT_TRUE(restoreQuestion(d).empty());
    ASSERT_FALSE(applyRestore(d, l->fs, bandSplit(1), e));
    while (d.view.page > 0) reduce(d, e);
    // The right channel went through two splits and is as in the file.
    const std::vector<uint8_t> image = l->imageBytes();
    for (uint32_t q = d.edit.dataOffset + 2; q < d.edit.dataEnd; q += 4)
        ASSERT_EQ(readSample(image.data(), q, 2), readSample(l->original.data(), q, 2)) << q;
}

}  // namespace
