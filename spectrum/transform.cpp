#include "spectrum/transform.h"

#include <cmath>
#include <utility>

namespace {

// (cos θ, −sin θ) at θ = 2π × step / size, in long double so that the
// stored doubles are the nearest ones; quarter turns are exact.
void twiddleAt(int32_t step, int32_t size, double* pair) {
    if (4 * step == size) {
        pair[0] = 0.0;
        pair[1] = -1.0;
        return;
    }
    const long double theta = 2.0L * 3.141592653589793238462643383279502884L * step / size;
    pair[0] = double(std::cos(theta));
    pair[1] = double(-std::sin(theta));
}

void buildTwiddles(SpectrumTables& t) {
    for (int i = 0; i <= kMaxTransformOrder; ++i) {
        const int32_t size = int32_t(1) << i;
        double* pair = t.twiddles.data() + 2 * twiddleStart(i);
        for (int j = 0; j < i; ++j)
            for (int32_t n = 0; n < size >> (j + 1); ++n, pair += 2) twiddleAt(n << j, size, pair);
    }
}

// The reversed counter: each step carries from the top bit downwards.
void buildBitReversal(SpectrumTables& t) {
    for (int i = 1; i <= kMaxTransformOrder; ++i) {
        const int32_t half = int32_t(1) << (i - 1);
        int32_t* entry = t.bitReversal.data() + bitReversalStart(i);
        int32_t r = half;  // the partner of index 1
        for (int32_t index = 2; index < 2 * half; ++index) {
            int32_t d = half;
            for (; d <= r; d >>= 1) r -= d;
            r += d;
            *entry++ = r;
        }
    }
}

// x1, x2 := x1 + x2, (x1 − x2)(u + iv).
inline void butterfly(double& r1, double& i1, double& r2, double& i2, double u, double v) {
    const double dr = r1 - r2, di = i1 - i2;
    r1 += r2;
    i1 += i2;
    r2 = u * dr - v * di;
    i2 = u * di + v * dr;
}

}  // namespace

void buildSpectrumTables(SpectrumTables& t, int32_t screenWidth) {
    t.order = screenWidth == 640 ? 9 : 10;
    t.size = int32_t(1) << t.order;
    buildTwiddles(t);
    buildBitReversal(t);
    const long double turn = 2.0L * 3.141592653589793238462643383279502884L;
    for (int32_t n = 0; n < kMaxSpectrumSize; ++n)
        t.window[size_t(n)] = n < t.size ? double(0.5L - 0.5L * std::cos(turn * n / t.size)) : 0.0;
}

void transform(const SpectrumTables& t, double* real, double* imaginary, int k) {
    if (k < 0 || k > kMaxTransformOrder) return;
    const int32_t m = int32_t(1) << k;
    const double* w = t.twiddles.data() + 2 * twiddleStart(k);
    // Stages of half length 4 and more run along contiguous halves; the last
    // two stages are done together on each group of four, where a loop over
    // one or two positions would cost more than the arithmetic.
    int32_t g = m / 2;
    for (; g >= 4; w += 2 * g, g /= 2) {
        for (int32_t start = 0; start < m; start += 2 * g) {
            double* r1 = real + start;
            double* i1 = imaginary + start;
            double* r2 = r1 + g;
            double* i2 = i1 + g;
            for (int32_t n = 0; n < g; ++n) butterfly(r1[n], i1[n], r2[n], i2[n], w[2 * n], w[2 * n + 1]);
        }
    }
    if (g == 2) {
        const double* last = w + 4;
        for (int32_t start = 0; start < m; start += 4) {
            double* r = real + start;
            double* i = imaginary + start;
            butterfly(r[0], i[0], r[2], i[2], w[0], w[1]);
            butterfly(r[1], i[1], r[3], i[3], w[2], w[3]);
            butterfly(r[0], i[0], r[1], i[1], last[0], last[1]);
            butterfly(r[2], i[2], r[3], i[3], last[0], last[1]);
        }
    } else if (g == 1) {
        butterfly(real[0], imaginary[0], real[1], imaginary[1], w[0], w[1]);
    }
    const int32_t* partner = t.bitReversal.data() + bitReversalStart(k);
    int32_t r = m / 2;
    for (int32_t i = 1; i <= m - 2; ++i) {
        if (i > 1) r = partner[i - 2];
        if (i < r) {
            std::swap(real[i], real[r]);
            std::swap(imaginary[i], imaginary[r]);
        }
    }
}
