#include "spectrum/spectrum_view.h"

#include <gtest/gtest.h>

namespace {

TEST(SpectrumScales, TheTwoExamples) {
    const struct {
        uint32_t rate;
        int32_t n;
        int32_t step, spacing;
        uint32_t count;
    } cases[] = {{44100, 512, 5, 58, 5}, {44100, 1024, 3, 69, 8}};
    for (const auto& c : cases) {
        SpectrumView v;
        v.relative = true;
        initSpectrumScales(v, c.rate, c.n);
        EXPECT_EQ(v.tickStep, c.step) << c.n;
        EXPECT_EQ(v.tickSpacing, c.spacing) << c.n;
        EXPECT_EQ(v.tickCount, c.count) << c.n;
        EXPECT_EQ(v.zoom, 1);
        EXPECT_FALSE(v.relative);
    }
}

}  // namespace
