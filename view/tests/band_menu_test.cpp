#include "view/band_menu.h"

#include <gtest/gtest.h>

namespace {

TEST(BandMenu, CaptionsWriteTheCutoffRoundedHalfUp) {
    const struct {
        uint32_t rate;
        int index;
        const char* caption;
    } rows[] = {
        {44100, 0, "高域 f8  11.03KHz"},  // 11.025 rounds up
        {44100, 1, "高域 f7  5.51KHz"},   // 5.5125
        {44100, 2, "高域 f6  2.76KHz"},   // 2.75625
        {44100, 7, "高域 f1  0.09KHz"},   // 0.0861
        {44100, 8, "低域 f8  11.03KHz"}, {44100, 15, "低域 f1  0.09KHz"},
        {8000, 4, "高域 f4  0.13KHz"},  // the tie 0.125
        {8000, 12, "低域 f4  0.13KHz"},  {8000, 0, "高域 f8  2.00KHz"},
    };
    for (const auto& r : rows) EXPECT_EQ(bandMenuCaptions(r.rate)[r.index], r.caption) << r.rate << " " << r.index;
}

struct Tie {
    const char* name;
    uint32_t rate;
    int index;
    uint64_t hundredths;
};

const Tie kTies[] = {
    {"EightKiloHertzF4IsAnExactTie", 8000, 4, 13},  // 0.125 kHz
    {"EightKiloHertzF8", 8000, 0, 200},
    {"FortyEightKiloHertzF1", 48000, 7, 9},   // 0.09375
    {"TwentyTwoKiloHertzF8", 22050, 0, 551},  // 5.5125
    {"NinetySixKiloHertzF8", 96000, 0, 2400},
    {"OneHertz", 1, 0, 0},
    {"ExactTwoHundredths", 800, 0, 20},  // 0.2 exactly
    {"TieBelowOneHundredth", 20, 0, 1},  // 0.005 rounds to 0.01
    {"HighestRate", 0xFFFFFFFFu, 0, 107374182},
};

class BandCutoff : public ::testing::TestWithParam<Tie> {};

TEST_P(BandCutoff, RoundsHalfAwayFromZero) {
    EXPECT_EQ(bandCutoffHundredths(GetParam().rate, GetParam().index), GetParam().hundredths);
}

INSTANTIATE_TEST_SUITE_P(Rates, BandCutoff, ::testing::ValuesIn(kTies),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
