#include "spectrum/spectrum_view.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

SpectrumView scaled(uint32_t rate, int32_t n) {
    SpectrumView v;
    v.relative = true;
    initSpectrumScales(v, rate, n);
    return v;
}

TEST(SpectrumScales, EveryAcceptedRate) {
    const struct {
        uint32_t rate;
        int32_t n;
        int32_t step, spacing;
        uint32_t count;
    } cases[] = {
        {44100, 512, 5, 58, 5},
        {44100, 1024, 3, 69, 8},
        {100, 512, 1, 5120, 1},
        {100, 1024, 1, 10240, 1},
        {8000, 512, 1, 64, 5},
        {8000, 1024, 1, 128, 5},
        {48000, 512, 5, 53, 5},
        {48000, 1024, 3, 64, 9},
        {192000, 512, 19, 50, 6},
        {192000, 1024, 10, 53, 10},
        {std::numeric_limits<uint32_t>::max(), 512, 419431, 50, 6},
        {std::numeric_limits<uint32_t>::max(), 1024, 209716, 50, 11},
    };
    for (const auto& c : cases) {
        const SpectrumView v = scaled(c.rate, c.n);
        EXPECT_EQ(v.tickStep, c.step) << c.rate << " " << c.n;
        EXPECT_EQ(v.tickSpacing, c.spacing) << c.rate << " " << c.n;
        EXPECT_EQ(v.tickCount, c.count) << c.rate << " " << c.n;
        EXPECT_EQ(v.zoom, 1);
        EXPECT_FALSE(v.relative);
        // Every reading works at the extremes of the window.
        EXPECT_FALSE(spectrumReadout("", v, c.rate, c.n, -32768, 32767).empty());
        EXPECT_FALSE(spectrumReadout("", v, c.rate, c.n, 4000, -32768).empty());
    }
}

TEST(SpectrumZoom, StopsAtOneAndFourAndSizesTheWindow) {
    SpectrumView v = scaled(44100, 512);  // spacing 58, count 5
    const struct {
        int delta;
        int32_t zoom, width;
    } steps[] = {{-1, 1, 350}, {1, 2, 640}, {1, 3, 930}, {1, 4, 1220}, {1, 4, 1220}, {-1, 3, 930}};
    for (const auto& s : steps) {
        EXPECT_EQ(changeSpectrumZoom(v, s.delta), s.width);
        EXPECT_EQ(v.zoom, s.zoom);
    }
}

TEST(SpectrumLimits, WidthByZoomUpToTheDesktop) {
    SpectrumView v = scaled(44100, 1024);
    EXPECT_EQ(spectrumLimits(v, 512, 1920).maxWidth, 286);
    EXPECT_EQ(spectrumLimits(v, 1024, 1920).maxWidth, 542);
    v.zoom = 4;
    EXPECT_EQ(spectrumLimits(v, 1024, 1920).maxWidth, 1920);
    EXPECT_EQ(spectrumLimits(v, 512, 1920).maxWidth, 1054);
    EXPECT_EQ(spectrumLimits(v, 512, 1920).minHeight, 150);
    EXPECT_EQ(spectrumLimits(v, 512, 1920).maxHeight, 480);
}

TEST(SpectrumGrid, TicksAndDecibelLabels) {
    SpectrumView v = scaled(44100, 512);
    const struct {
        int32_t zoom;
        uint32_t i;
        int32_t x;
        const char* label;
    } ticks[] = {{1, 1, 88, "  5"}, {1, 5, 320, " 25"}, {2, 1, 146, "  5"}, {4, 5, 1190, " 25"}};
    for (const auto& t : ticks) {
        v.zoom = t.zoom;
        const SpectrumTick tick = spectrumTick(v, t.i);
        EXPECT_EQ(tick.x, t.x);
        EXPECT_EQ(tick.label, t.label);
    }
    EXPECT_EQ(spectrumTick(scaled(192000, 512), 6).label, "114");
    const struct {
        int l;
        int32_t y;
        const char* text;
    } labels[] = {{1, 85, "-30"}, {2, 175, "-60"}, {3, 265, "-90"}, {4, 355, "-120"}};
    for (const auto& l : labels) {
        EXPECT_EQ(spectrumDbLabel(l.l).y, l.y);
        EXPECT_EQ(spectrumDbLabel(l.l).text, l.text);
    }
}

TEST(SpectrumCurve, BaselineOrTheCurvesOwnMaximum) {
    SpectrumView v = scaled(44100, 512);
    SpectrumCurve levels{};
    std::array<SpectrumPoint, kSpectrumBins> points{};
    v.relative = true;
    spectrumCurvePoints(v, levels, 512, points);
    for (int m = 0; m < 256; ++m) ASSERT_EQ(points[size_t(m)].y, 0) << "silence runs along the top";
    levels[0] = 500;  // bin 0 does not set the top
    levels[3] = 200;
    levels[255] = 10;
    levels[256] = 999;  // beyond N/2: neither drawn nor counted
    v.zoom = 3;
    spectrumCurvePoints(v, levels, 512, points);
    EXPECT_EQ(points[0].x, 30);
    EXPECT_EQ(points[0].y, -300);
    EXPECT_EQ(points[3].x, 39);
    EXPECT_EQ(points[3].y, 0);
    EXPECT_EQ(points[255].x, 795);
    EXPECT_EQ(points[255].y, 190);
    v.relative = false;
    spectrumCurvePoints(v, levels, 512, points);
    EXPECT_EQ(points[0].y, kSpectrumBaseline - 500);
    EXPECT_EQ(points[4].y, kSpectrumBaseline);
}

TEST(SpectrumReadout, ExactDecimalsWithHalvesAwayFromZero) {
    const struct {
        uint32_t rate;
        int32_t n, zoom, x, y;
        const char* text;
    } cases[] = {
        {44100, 512, 1, 29, 0, "T 0.0KHz  0db"},      {8000, 512, 1, 45, 0, "T 0.3KHz  0db"},  // 0.25 exactly
        {8000, 512, 1, 77, 90, "T 0.8KHz  -30db"},                                             // 0.75
        {8000, 512, 1, 13, 4, "T -0.3KHz  -1db"},                                              // -0.25
        {8000, 512, 1, 28, -7, "T -0.0KHz  2db"},  // -0.016: printf keeps the sign
        {44100, 512, 1, 28, 100, "T -0.1KHz  -33db"}, {44100, 512, 1, 285, 0, "T 22.1KHz  0db"},  // 22.05
        {44100, 1024, 2, 541, 0, "T 11.0KHz  0db"},                                               // 11.025 rounds down
        {100, 1024, 4, 4029, 0, "T 0.1KHz  0db"},
    };
    for (const auto& c : cases) {
        SpectrumView v = scaled(c.rate, c.n);
        v.zoom = c.zoom;
        EXPECT_EQ(spectrumReadout("T", v, c.rate, c.n, c.x, c.y), c.text) << c.rate << " " << c.x;
    }
    EXPECT_EQ(spectrumReadout("スペクトラム", scaled(44100, 512), 44100, 512, 29, 90), "スペクトラム 0.0KHz  -30db");
}

}  // namespace
