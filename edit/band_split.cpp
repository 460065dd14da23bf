#include "edit/band_split.h"

#include <array>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kMaxHalfLength = 32;
constexpr int kTaperBins = 8;

}  // namespace

// The taps' order is part of the result: LP is truncated, so a different
// summation order would move some values by one.
void lowPassSinc(const ChannelSlots& x, uint32_t n, int design, SampleValue* lp) {
    const int count = sincHalfLength(design);
    std::array<double, kMaxHalfLength + 1> g{};
    const double cutoff = 6.283185307179586 / count;
    g[0] = cutoff * (1.0 / kPi);
    for (int i = 1; i <= count; ++i)
        g[size_t(i)] = std::sin(i * cutoff) / (i * kPi) * (0.54 - 0.46 * std::cos((count - i) * kPi / count));
    const ptrdiff_t s = ptrdiff_t(x.stride);
    const SampleValue* base = x.slots + x.first;
    uint32_t k = 0;
    // Four frames at a time: each keeps its own sum in the same order, and
    // the four chains hide each other's latency.
    for (; k + 4 <= n + 1; k += 4) {
        const SampleValue* c = base + ptrdiff_t(k) * s;
        double a0 = c[0] * g[0], a1 = c[s] * g[0], a2 = c[2 * s] * g[0], a3 = c[3 * s] * g[0];
        for (int i = 1; i <= count; ++i) {
            const double gi = g[size_t(i)];
            const ptrdiff_t d = i * s;
            a0 = (double(c[-d]) + double(c[d])) * gi + a0;
            a1 = (double(c[s - d]) + double(c[s + d])) * gi + a1;
            a2 = (double(c[2 * s - d]) + double(c[2 * s + d])) * gi + a2;
            a3 = (double(c[3 * s - d]) + double(c[3 * s + d])) * gi + a3;
        }
        lp[k] = SampleValue(a0);
        lp[k + 1] = SampleValue(a1);
        lp[k + 2] = SampleValue(a2);
        lp[k + 3] = SampleValue(a3);
    }
    for (; k <= n; ++k) {
        const SampleValue* c = base + ptrdiff_t(k) * s;
        double a = c[0] * g[0];
        for (int i = 1; i <= count; ++i) a = (double(c[-i * s]) + double(c[i * s])) * g[size_t(i)] + a;
        lp[k] = SampleValue(a);
    }
}

// The taper multiplies bins r and N - 1 - r (not N - r): the real part then
// passes bin k at (w[k] + w[k - 1]) / 2. The low 8 bits of 24-bit data stay
// out of it and so in the remainder.
void lowPassBlock(const ChannelSlots& x, uint32_t n, int design, const SpectrumTables& tables,
                  TransformBuffers& buffers, SampleValue* lp) {
    const int order = blockOrder(design);
    const int32_t size = int32_t(1) << order, hop = size / 2, quarter = size / 4;
    std::array<double, kTaperBins> w{};
    for (int r = 0; r < kTaperBins; ++r) w[size_t(r)] = (std::sin((r / 8.0 + 0.5) * kPi) + 1) * 0.5;
    const double scale = 1.0 / size;
    double* re = buffers.real.data();
    double* im = buffers.imaginary.data();
    const uint32_t blocks = (n + uint32_t(hop) - 1) / uint32_t(hop);
    for (uint32_t b = 0; b < blocks; ++b) {
        const int64_t start = int64_t(b) * hop;
        const SampleValue* c = x.slots + x.first + size_t(start) * x.stride;
        for (int32_t j = 0; j < size; ++j) {
            re[j] = double(c[size_t(j) * x.stride] >> 8);
            im[j] = 0;
        }
        transform(tables, re, im, order);
        for (int r = 0; r < kTaperBins; ++r) {
            const double wr = w[size_t(r)];
            re[r] *= wr, im[r] *= wr;
            re[size - 1 - r] *= wr, im[size - 1 - r] *= wr;
        }
        for (int32_t j = kTaperBins; j < size - kTaperBins; ++j) re[j] = im[j] = 0;
        for (int32_t j = 0; j < size; ++j) im[j] = -im[j];
        transform(tables, re, im, order);
        for (int32_t j = b == 0 ? 0 : quarter; j < 3 * quarter; ++j)
            lp[size_t(start + j)] = SampleValue(re[j] * scale) * 256;
    }
}

void lowPass(const ChannelSlots& x, uint32_t n, int design, const SpectrumTables& tables, TransformBuffers& buffers,
             SampleValue* lp) {
    if (design < kFirstBlockDesign)
        lowPassSinc(x, n, design, lp);
    else
        lowPassBlock(x, n, design, tables, buffers, lp);
}
