#include "spectrum/transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

std::unique_ptr<SpectrumTables> tables(int32_t width = 640) {
    auto t = std::make_unique<SpectrumTables>();
    buildSpectrumTables(*t, width);
    return t;
}

int32_t reversed(int32_t index, int bits) {
    int32_t r = 0;
    for (int b = 0; b < bits; ++b) r |= ((index >> b) & 1) << (bits - 1 - b);
    return r;
}

TEST(SpectrumTables, OrderAndSizeFollowTheWidth) {
    const struct {
        int32_t width;
        int order;
        int32_t size;
    } cases[] = {{640, 9, 512}, {960, 10, 1024}, {1280, 10, 1024}};
    for (const auto& c : cases) {
        auto t = tables(c.width);
        EXPECT_EQ(t->order, c.order) << c.width;
        EXPECT_EQ(t->size, c.size) << c.width;
    }
}

TEST(SpectrumTables, BlocksFollowOneAnotherAndFillTheTables) {
    for (int i = 0; i < kMaxTransformOrder; ++i) EXPECT_EQ(twiddleStart(i + 1), twiddleStart(i) + (1 << i) - 1) << i;
    for (int i = 1; i < kMaxTransformOrder; ++i)
        EXPECT_EQ(bitReversalStart(i + 1), bitReversalStart(i) + (1 << i) - 2) << i;
    EXPECT_EQ(twiddleStart(0), 0);
    EXPECT_EQ(bitReversalStart(1), 0);
    EXPECT_EQ(twiddleStart(kMaxTransformOrder) + kMaxTransformSize - 1, kTwiddlePairs);
    EXPECT_EQ(bitReversalStart(kMaxTransformOrder) + kMaxTransformSize - 2, kBitReversalEntries);
}

TEST(SpectrumTables, EveryPartnerIsTheReversedIndex) {
    auto t = tables();
    for (int i = 1; i <= kMaxTransformOrder; ++i)
        for (int32_t index = 2; index < (1 << i); ++index)
            ASSERT_EQ(t->bitReversal[size_t(bitReversalStart(i) + index - 2)], reversed(index, i))
                << "size 2^" << i << " index " << index;
}

TEST(SpectrumTables, TwiddlesSitAtTheirAngles) {
    auto t = tables();
    for (int i = 0; i <= kMaxTransformOrder; ++i) {
        const double* pair = t->twiddles.data() + 2 * twiddleStart(i);
        for (int j = 0; j < i; ++j)
            for (int32_t n = 0; n < (1 << (i - 1 - j)); ++n, pair += 2) {
                const long double theta = n * 2 * kPi * (1 << j) / (1 << i);
                ASSERT_NEAR(pair[0], double(std::cos(theta)), 1e-16) << i << " " << j << " " << n;
                ASSERT_NEAR(pair[1], double(-std::sin(theta)), 1e-16) << i << " " << j << " " << n;
            }
    }
}

TEST(SpectrumTables, PeriodicHannOverN) {
    for (int32_t width : {640, 1280}) {
        auto t = tables(width);
        const int32_t n = t->size;
        EXPECT_EQ(t->window[0], 0.0);
        EXPECT_EQ(t->window[size_t(n / 2)], 1.0);
        EXPECT_EQ(t->window[size_t(n / 4)], 0.5);
        for (int32_t i = 1; i < n; ++i) ASSERT_DOUBLE_EQ(t->window[size_t(i)], t->window[size_t(n - i)]) << i;
    }
}

TEST(Transform, MatchesTheDirectTransformAtEverySize) {
    auto t = tables();
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (int k = 0; k <= kMaxTransformOrder; ++k) {
        const int32_t m = 1 << k;
        std::vector<double> re(static_cast<size_t>(m)), im(static_cast<size_t>(m));
        double largest = 0;
        for (int32_t i = 0; i < m; ++i) {
            re[size_t(i)] = value(random), im[size_t(i)] = value(random);
            largest = std::max({largest, std::abs(re[size_t(i)]), std::abs(im[size_t(i)])});
        }
        std::vector<double> outRe = re, outIm = im;
        transform(*t, outRe.data(), outIm.data(), k);
        double worst = 0;
        for (int32_t f = 0; f < m; ++f) {
            long double sumRe = 0, sumIm = 0;
            for (int32_t i = 0; i < m; ++i) {
                const long double a = -2 * kPi * ((int64_t(f) * i) % m) / m;
                sumRe += re[size_t(i)] * std::cos(a) - im[size_t(i)] * std::sin(a);
                sumIm += re[size_t(i)] * std::sin(a) + im[size_t(i)] * std::cos(a);
            }
            worst = std::max(
                {worst, double(std::abs(sumRe - outRe[size_t(f)])), double(std::abs(sumIm - outIm[size_t(f)]))});
        }
        EXPECT_LE(worst, 1e-12 * largest) << "size 2^" << k;
    }
}

TEST(Transform, ImpulseAndConstantAreExact) {
    auto t = tables();
    for (int k = 0; k <= kMaxTransformOrder; ++k) {
        const int32_t m = 1 << k;
        std::vector<double> re(static_cast<size_t>(m), 0.0), im(static_cast<size_t>(m), 0.0);
        re[0] = 1;
        transform(*t, re.data(), im.data(), k);
        for (int32_t f = 0; f < m; ++f) {
            ASSERT_EQ(re[size_t(f)], 1.0) << k << " " << f;
            ASSERT_EQ(im[size_t(f)], 0.0) << k << " " << f;
        }
        std::fill(re.begin(), re.end(), 1.0);
        std::fill(im.begin(), im.end(), 0.0);
        transform(*t, re.data(), im.data(), k);
        EXPECT_EQ(re[0], double(m)) << k;
        EXPECT_EQ(im[0], 0.0) << k;
        for (int32_t f = 1; f < m; ++f) {
            ASSERT_EQ(re[size_t(f)], 0.0) << k << " " << f;
            ASSERT_EQ(im[size_t(f)], 0.0) << k << " " << f;
        }
    }
}

TEST(Transform, SizeOneIsLeftAlone) {
    auto t = tables();
    double re = -3.25, im = 7.5;
    transform(*t, &re, &im, 0);
    EXPECT_EQ(re, -3.25);
    EXPECT_EQ(im, 7.5);
}

}  // namespace
