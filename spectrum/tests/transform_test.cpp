#include "spectrum/transform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

TEST(SpectrumTables, SizesOffsetsPartnersTwiddlesAndWindow) {
    auto t = std::make_unique<SpectrumTables>();
    for (auto [width, order] : {std::pair{640, 9}, {960, 10}, {1280, 10}}) {
        buildSpectrumTables(*t, width);
        EXPECT_EQ(t->order, order);
        EXPECT_EQ(t->size, 1 << order);
        EXPECT_EQ(t->window[0], 0.0);
        EXPECT_EQ(t->window[size_t(t->size / 4)], 0.5);
        EXPECT_EQ(t->window[size_t(t->size / 2)], 1.0);
        for (int32_t n = 1; n < t->size; ++n)
            ASSERT_NEAR(t->window[size_t(n)], 0.5 - 0.5 * std::cos(double(2 * kPi * n / t->size)), 1e-15);
    }
    EXPECT_EQ(twiddleStart(kMaxTransformOrder) + kMaxTransformSize - 1, kTwiddlePairs);
    EXPECT_EQ(bitReversalStart(kMaxTransformOrder) + kMaxTransformSize - 2, kBitReversalEntries);
    for (int i = 1; i <= kMaxTransformOrder; ++i) {
        EXPECT_EQ(twiddleStart(i), twiddleStart(i - 1) + (1 << (i - 1)) - 1);
        if (i > 1) {
            EXPECT_EQ(bitReversalStart(i), bitReversalStart(i - 1) + (1 << (i - 1)) - 2);
        }
        for (int32_t index = 2; index < (1 << i); ++index) {
            int32_t reversed = 0;
            for (int b = 0; b < i; ++b) reversed |= ((index >> b) & 1) << (i - 1 - b);
            ASSERT_EQ(t->bitReversal[size_t(bitReversalStart(i) + index - 2)], reversed) << i << " " << index;
        }
        const double* pair = t->twiddles.data() + 2 * twiddleStart(i);
        for (int j = 0; j < i; ++j)
            for (int32_t n = 0; n < (1 << (i - 1 - j)); ++n, pair += 2) {
                const long double theta = n * 2 * kPi * (1 << j) / (1 << i);
                ASSERT_NEAR(pair[0], double(std::cos(theta)), 1e-16) << i << " " << j << " " << n;
                ASSERT_NEAR(pair[1], double(-std::sin(theta)), 1e-16) << i << " " << j << " " << n;
            }
    }
}

TEST(Transform, MatchesTheDirectTransformAtEverySize) {
    auto t = std::make_unique<SpectrumTables>();
    buildSpectrumTables(*t, 640);
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (int k = 0; k <= kMaxTransformOrder; ++k) {
        const size_t m = size_t(1) << k;
        std::vector<double> re, im, cosine, sine;
        double largest = 0;
        for (size_t i = 0; i < m; ++i) {
            re.push_back(value(random)), im.push_back(value(random));
            largest = std::max({largest, std::abs(re.back()), std::abs(im.back())});
            cosine.push_back(double(std::cos(2 * kPi * i / m))), sine.push_back(double(std::sin(2 * kPi * i / m)));
        }
        std::vector<double> outRe = re, outIm = im;
        transform(*t, outRe.data(), outIm.data(), k);
        for (size_t f = 0; f < m; ++f) {
            long double sumRe = 0, sumIm = 0;
            for (size_t i = 0, a = 0; i < m; ++i, a = (a + f) % m) {
                sumRe += (long double)re[i] * cosine[a] + (long double)im[i] * sine[a];
                sumIm += (long double)im[i] * cosine[a] - (long double)re[i] * sine[a];
            }
            ASSERT_NEAR(outRe[f], double(sumRe), 1e-12 * largest) << k << " " << f;
            ASSERT_NEAR(outIm[f], double(sumIm), 1e-12 * largest) << k << " " << f;
        }
    }
}

TEST(Transform, ImpulseConstantAndSizeOneAreExact) {
    auto t = std::make_unique<SpectrumTables>();
    buildSpectrumTables(*t, 960);
    for (int k = 0; k <= kMaxTransformOrder; ++k) {
        const size_t m = size_t(1) << k;
        std::vector<double> re(m, 0.0), im(m, 0.0), ones(m, 1.0), zeros(m, 0.0);
        re[0] = 1;
        transform(*t, re.data(), im.data(), k);
        EXPECT_EQ(re, ones) << k;
        EXPECT_EQ(im, zeros) << k;
        transform(*t, ones.data(), im.data(), k);
        zeros[0] = double(m);
        EXPECT_EQ(ones, zeros) << k;
    }
    double re = -3.25, im = 7.5;
    transform(*t, &re, &im, 0);
    EXPECT_EQ(re, -3.25);
    EXPECT_EQ(im, 7.5);
}

}  // namespace
