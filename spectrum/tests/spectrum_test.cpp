#include "spectrum/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "audio_file/tests/wave_builder.h"
#include "edit/gain.h"
#include "edit/page_io.h"
#include "testing/document_fixture.h"
#include "view/pages.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int32_t kWidths[] = {640, 960, 1280};
constexpr std::pair<uint16_t, uint16_t> kFormats[] = {{1, 16}, {2, 16}, {2, 24}};  // channels, bits

struct Analysis {
    std::unique_ptr<SpectrumTables> tables = std::make_unique<SpectrumTables>();
    std::unique_ptr<TransformBuffers> buffers = std::make_unique<TransformBuffers>();
    std::unique_ptr<SpectrumLevels> levels = std::make_unique<SpectrumLevels>();
    explicit Analysis(int32_t width) { buildSpectrumTables(*tables, width); }
    int32_t n() const { return tables->size; }
    SpectrumOutcome run(const Document& d) { return computeSpectrum(d, *tables, *buffers, *levels); }
};

int64_t channels(const Document& d) { return d.edit.frameBytes / d.edit.bytesPerSample; }

// Page `page` at the start of the page-2 stretch, or with every deeper frame
// at its rightmost place; no gain. The working copy then moves into a larger
// block whose guard zones, like every slot loadPage did not fill, hold full
// scale, so that a read of them shows in the spectrum in any build; the
// filled slots are silent.
struct Shown {
    std::unique_ptr<LoadedDocument> l;
    std::unique_ptr<SampleValue[]> block, own;
    Document& d;
    static constexpr size_t kGuard = 1 << 16;
    Shown(const Bytes& file, int32_t width, int page, bool atEnd, int32_t channel, int32_t deeper = 0)
        : l(loadDocument(file, width)), block(new SampleValue[kWorkSlots + 2 * kGuard]), d(**l) {
        ViewState& v = d.view;
        v.page = page;
        v.channel = channel;
        for (int p = 2; p <= 4; ++p)
            v.zoomFrameLeft[size_t(p)] = atEnd ? width - v.zoomFrameWidth[size_t(p)] - 1 : deeper;
        d.pages.workOrigin = columnOffset(v, d.edit, 0, 2);
        loadPage(d);
        if (deeper) return;  // the file's own samples
        std::fill(block.get(), block.get() + kWorkSlots + 2 * kGuard, 0x7fff00);
        std::fill(block.get() + kGuard, block.get() + kGuard + 2 * kWorkMargin + stretchFrames(d) * channels(d) + 1, 0);
        own = std::move(d.pages.workSamples);
        d.pages.workSamples.reset(block.get() + kGuard);
    }
    ~Shown() {
        if (own) d.pages.workSamples.release(), d.pages.workSamples = std::move(own);
    }
    // The selected channel's slot of frame `frame` counted from the stretch's start.
    SampleValue& at(int64_t frame) {
        return d.pages.workSamples[size_t(kWorkMargin + frame * channels(d) + d.view.channel)];
    }
    void sine(int64_t from, int32_t n, int32_t bin, int32_t amplitude) {
        for (int32_t i = 0; i < n; ++i)
            at(from + i) = int32_t(std::lround(amplitude * std::sin(2 * kPi * bin * i / n))) * 256;
    }
};

void expectFlat(const SpectrumCurve& c, int32_t n, int32_t level, const char* which) {
    for (int32_t m = 0; m < kSpectrumBins; ++m) ASSERT_EQ(c[size_t(m)], m < n / 2 ? level : 0) << which << " bin " << m;
}

TEST(Level, ScaledMagnitudeInThirdsOfADecibel) {
    const struct {
        double re, im;
        int32_t n, level;
    } cases[] = {{0, 0, 512, 0},  {0.0009, 0, 2, 0}, {0.0019, 0, 2, 0},           {0.002, 0, 2, 18},
                 {0, -1, 2, 180}, {3, 4, 2, 221},    {16383.5 * 256, 0, 512, 432}};
    for (const auto& c : cases) EXPECT_EQ(levelOf(c.re, c.im, c.n), c.level) << c.re << " " << c.im << " " << c.n;
}

TEST(PageSpectrum, FullScaleSineOnItsBinAndTheBinsInUse) {
    for (int32_t width : kWidths) {
        Shown s(simpleWave(2, 16, 700000), width, 5, false, 1);
        Analysis a(width);
        for (int page : {0, 1}) {  // the working copy is stale there
            s.d.view.page = page;
            EXPECT_FALSE(a.run(s.d).computed);
        }
        s.d.view.page = 5;
        EXPECT_TRUE(a.run(s.d).computed);
        expectFlat(a.levels->current, a.n(), 0, "silence");
        for (int32_t bin : {100, a.n() / 2 - 1}) {
            s.sine((currentWindowStart(s.d, *a.tables) - s.d.pages.workOrigin) / 4, a.n(), bin, 32767);
            a.run(s.d);
            EXPECT_EQ(a.levels->current[size_t(bin)], 432) << width << " bin " << bin;
            for (size_t m = size_t(a.n() / 2); m < kSpectrumBins; ++m) ASSERT_EQ(a.levels->current[m], 0) << m;
        }
    }
}

TEST(PageSpectrum, WindowsCoverEachPageAtHalfOverlap) {
    const int32_t counts[3][3] = {{1280, 960, 1280}, {160, 120, 160}, {20, 15, 20}};  // page 2-4 by width
    for (int page = 2; page <= 4; ++page)
        for (int w = 0; w < 3; ++w) {
            Shown s(simpleWave(2, 16, 700000), kWidths[w], page, true, 1);
            Analysis a(kWidths[w]);
            const PageWindows windows = pageWindows(s.d, *a.tables);
            EXPECT_EQ(windows.count, counts[page - 2][w]) << kWidths[w] << " page " << page;
            EXPECT_EQ(windows.step, a.n() / 2 * 4);
            EXPECT_EQ(windows.first, columnOffset(s.d.view, s.d.edit, 0, page) + 2);
        }
}

// A sine on one bin in page 3's first window and one on another in its last.
TEST(PageSpectrum, PeakHoldKeepsEveryWindowsLargestLevel) {
    Shown s(simpleWave(1, 16, 700000), 640, 3, false, 0);
    Analysis a(640);
    const PageWindows w = pageWindows(s.d, *a.tables);
    s.sine(0, a.n(), 20, 30000);
    s.sine(int64_t(w.count - 1) * a.n() / 2, a.n(), 60, 3000);
    a.run(s.d);
    EXPECT_EQ(a.levels->current[20], 430);  // a = 15000
    EXPECT_EQ(a.levels->current[60], 370);  // a = 1500
}

TEST(PageSpectrum, PagesTwoToFourIncludeTheDisplayGain) {
    Shown s(simpleWave(2, 16, 700000), 960, 2, false, 1);
    Analysis a(960);
    s.sine(5 * a.n(), a.n(), 100, 1000);
    ViewEvents e;
    applyGain(s.d, 4, 2, e);
    ASSERT_EQ(s.d.view.gainShift, 4);
    a.run(s.d);
    const SpectrumCurve gained = a.levels->current;
    removeGain(s.d, e);
    a.run(s.d);
    for (size_t m : {99, 100, 101}) EXPECT_NEAR(gained[m] - a.levels->current[m], 72, 1) << m;
    EXPECT_EQ(a.levels->current[100], 341);  // a = 500
}

TEST(PageSpectrum, PageFiveShowsTheRealLevelWithAndWithoutTheSlideGain) {
    RecordingPlan plan;
    plan.level = 0.01;  // room for x16
    plan.frames = 700000;
    for (int32_t width : kWidths) {
        auto l = loadRecording(plan, width);
        Document& d = **l;
        d.view.zoomFrameLeft[2] = d.view.zoomFrameLeft[3] = d.view.zoomFrameLeft[4] = width / 3;
        enterPage(*l, 5);
        ASSERT_EQ(d.view.gainShift, 4);
        Analysis a(width);
        std::vector<SpectrumLevels> seen;
        EXPECT_EQ(a.run(d).title, kSpectrumTitle);
        seen.push_back(*a.levels);
        ViewEvents e;
        beginSlideGain(d, e);
        ASSERT_TRUE(d.slideGainActive && d.view.gainShift == 4);
        const SpectrumOutcome slide = a.run(d);
        EXPECT_EQ(slide.title, kSpectrumSlideTitle);
        EXPECT_TRUE(slide.slideTitle);
        seen.push_back(*a.levels);
        removeGain(d, e);
        a.run(d);
        for (const SpectrumLevels& gained : seen) {
            EXPECT_EQ(gained.before, a.levels->before) << width;
            EXPECT_EQ(gained.current, a.levels->current) << width;
            EXPECT_EQ(gained.after, a.levels->after) << width;
        }
    }
}

// An impulse a quarter into each of the three windows, where the window's
// weight is exactly 1/2, makes each curve flat at a level of its own. A window
// misplaced by a few frames, overlapping another, or reading outside what
// loadPage filled breaks that; so does a margin read as silence.
TEST(PageSpectrum, PageFiveWindowsAreCentredAndAdjacentAtBothEnds) {
    const int32_t amplitudes[] = {30000, 3000, 300};
    for (auto [channelCount, bits] : kFormats)
        for (int32_t width : kWidths)
            for (bool atEnd : {false, true})
                for (int32_t channel = 0; channel < channelCount; ++channel) {
                    Shown s(simpleWave(channelCount, bits, 700000), width, 5, atEnd, channel);
                    Analysis a(width);
                    const int32_t n = a.n();
                    const auto& left = s.d.view.zoomFrameLeft;
                    const int64_t current = 512 * left[2] + 64 * left[3] + 8 * left[4] + (width - n) / 2;
                    for (int w = 0; w < 3; ++w) s.at(current + (w - 1) * n + n / 4) = amplitudes[w] * 256;
                    a.run(s.d);
                    SCOPED_TRACE(testing::Message() << channelCount << "ch " << bits << "bit " << width
                                                    << (atEnd ? " end" : " start") << " channel " << channel);
                    expectFlat(a.levels->before, n, levelOf(amplitudes[0] / 2.0, 0, n), "before");
                    expectFlat(a.levels->current, n, levelOf(amplitudes[1] / 2.0, 0, n), "current");
                    expectFlat(a.levels->after, n, levelOf(amplitudes[2] / 2.0, 0, n), "after");
                }
}

// Page 2's last window reaches past the stretch into the trailing margin;
// beyond that margin a window reads silence.
TEST(PageSpectrum, LastWindowReadsTheMarginBeyondThePage) {
    for (auto [channelCount, bits] : kFormats)
        for (int32_t width : kWidths) {
            Shown s(simpleWave(channelCount, bits, 700000), width, 2, false, channelCount - 1);
            Analysis a(width);
            s.at(stretchFrames(s.d) + 100) = 30000 * 256;  // n/2 + 100 into the last window
            a.run(s.d);
            expectFlat(a.levels->current, a.n(), levelOf(15000 * (1 + std::cos(2 * kPi * 100 / a.n())), 0, a.n()), "");
            // A window whose second half lies past what loadPage filled: the
            // impulse in the last filled frame only.
            const int64_t c = s.d.view.channel,
                          last = (kWorkMargin + stretchFrames(s.d) * channels(s.d) - c) / channels(s.d);
            s.at(last) = 30000 * 256;
            const int64_t first =
                s.d.pages.workOrigin + (last - a.n() / 2 + 1) * s.d.edit.frameBytes + c * s.d.edit.bytesPerSample;
            windowSpectrum(s.d, *a.tables, *a.buffers, first, a.levels->after);
            expectFlat(a.levels->after, a.n(), levelOf(15000 * (1 + std::cos(2 * kPi / a.n())), 0, a.n()), "past");
        }
}

TEST(PageSpectrum, MonoAndStereoWithTheSameChannelAgree) {
    const Bytes mono = pattern(2 * 700000, 3), other = pattern(2 * 700000, 4);
    Bytes stereo;
    for (size_t i = 0; i < mono.size(); i += 2)
        stereo.insert(stereo.end(), {other[i], other[i + 1], mono[i], mono[i + 1]});
    for (int32_t width : kWidths)
        for (int page : {2, 5}) {
            Shown m(riffFile({chunk("fmt ", fmtPayload(pcmFormat(1, 16))), chunk("data", mono)}), width, page, false, 0,
                    width / 5);
            Shown s(riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", stereo)}), width, page, false,
                    1, width / 5);
            Analysis am(width), as(width);
            am.run(m.d);
            as.run(s.d);
            EXPECT_EQ(am.levels->current, as.levels->current) << width << " page " << page;
            EXPECT_EQ(am.levels->before, as.levels->before) << width << " page " << page;
            EXPECT_EQ(am.levels->after, as.levels->after) << width << " page " << page;
        }
}

}  // namespace
