#include "edit/band_split.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kMaxHalfLength = 32;
constexpr int kTaperBins = 8;

}  // namespace

// The taps' order is part of the result: LP is truncated, so a different
// summation order would move some values by one. The channel goes through
// the transform's scratch a chunk at a time, converted once per frame; the
// taps then run over whole chunks, each frame's sum still in tap order.
void lowPassSinc(const ChannelSlots& x, uint32_t n, int design, TransformBuffers& buffers, SampleValue* lp) {
    const int count = sincHalfLength(design);
    std::array<double, kMaxHalfLength + 1> g{};
    const double cutoff = 6.283185307179586 / count;
    g[0] = cutoff * (1.0 / kPi);
    for (int i = 1; i <= count; ++i)
        g[size_t(i)] = std::sin(i * cutoff) / (i * kPi) * (0.54 - 0.46 * std::cos((count - i) * kPi / count));
    double* in = buffers.real.data();
    double* acc = buffers.imaginary.data();
    const uint32_t chunk = uint32_t(kMaxTransformSize - 2 * count);
    const ptrdiff_t stride = ptrdiff_t(x.stride);
    for (uint32_t k0 = 0; k0 <= n; k0 += chunk) {
        const int32_t length = int32_t(std::min(chunk, n + 1 - k0));
        const SampleValue* c = x.slots + ptrdiff_t(x.first) + (ptrdiff_t(k0) - count) * stride;
        for (int32_t j = 0; j < length + 2 * count; ++j) in[j] = double(c[j * stride]);
        const double* centre = in + count;
        for (int32_t k = 0; k < length; ++k) acc[k] = centre[k] * g[0];
        for (int i = 1; i <= count; ++i) {
            const double gi = g[size_t(i)];
            const double* before = centre - i;
            const double* after = centre + i;
            for (int32_t k = 0; k < length; ++k) acc[k] = (before[k] + after[k]) * gi + acc[k];
        }
        for (int32_t k = 0; k < length; ++k) lp[k0 + uint32_t(k)] = SampleValue(acc[k]);
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
        // Tapered and conjugated at once; the sign of a zero changes no output.
        for (int r = 0; r < kTaperBins; ++r) {
            const double wr = w[size_t(r)];
            re[r] *= wr, im[r] *= -wr;
            re[size - 1 - r] *= wr, im[size - 1 - r] *= -wr;
        }
        std::fill(re + kTaperBins, re + size - kTaperBins, 0.0);
        std::fill(im + kTaperBins, im + size - kTaperBins, 0.0);
        transform(tables, re, im, order);
        for (int32_t j = b == 0 ? 0 : quarter; j < 3 * quarter; ++j)
            lp[size_t(start + j)] = SampleValue(re[j] * scale) * 256;
    }
}

void lowPass(const ChannelSlots& x, uint32_t n, int design, const SpectrumTables& tables, TransformBuffers& buffers,
             SampleValue* lp) {
    if (design < kFirstBlockDesign)
        lowPassSinc(x, n, design, buffers, lp);
    else
        lowPassBlock(x, n, design, tables, buffers, lp);
}
