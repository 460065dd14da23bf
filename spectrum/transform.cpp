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
    for (int32_t g = m / 2; g >= 1; w += 2 * g, g /= 2) {
        for (int32_t start = 0; start < m; start += 2 * g) {
            double* r1 = real + start;
            double* i1 = imaginary + start;
            double* r2 = r1 + g;
            double* i2 = i1 + g;
            for (int32_t n = 0; n < g; ++n) {
                const double u = w[2 * n], v = w[2 * n + 1];
                const double dr = r1[n] - r2[n], di = i1[n] - i2[n];
                r1[n] += r2[n];
                i1[n] += i2[n];
                r2[n] = u * dr - v * di;
                i2[n] = u * di + v * dr;
            }
        }
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
