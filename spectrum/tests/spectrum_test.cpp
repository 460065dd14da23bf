#include "spectrum/spectrum.h"

#include <gtest/gtest.h>

namespace {

TEST(Level, ScaledMagnitudeInThirdsOfADecibel) {
    const struct {
        double re, im;
        int32_t n;
        int32_t level;
    } cases[] = {
        {0, 0, 512, 0},                // silence
        {0.0009, 0, 2, 0},             // q = 0
        {0.0019, 0, 2, 0},             // q = 1: never negative
        {0.002, 0, 2, 18},             // q = 2
        {0, -1, 2, 180},               // q = 1000
        {16383.5 * 256, 0, 512, 432},  // a full-scale 16-bit sine centred on a bin
        {3, 4, 2, 221},                // |3 + 4i| = 5, q = 5000
    };
    for (const auto& c : cases) EXPECT_EQ(levelOf(c.re, c.im, c.n), c.level) << c.re << " " << c.im << " " << c.n;
}

}  // namespace
