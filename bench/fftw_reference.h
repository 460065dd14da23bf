#pragma once
// The yardstick of the transform: FFTW, when the benchmark was built with it.
#include <algorithm>
#include <cstdint>
#include <random>

#include "bench/bench_util.h"

constexpr int kTransformBatch = 16;  // transforms per timing; the data grows by √N each, so it is renewed
constexpr int kTransformBatches = 400;

// Best time of one call of `run` on re/im (n points each), over batches of
// kTransformBatch calls on random data renewed between batches.
template <typename F>
double bestTransformSeconds(double* re, double* im, int32_t n, F&& run) {
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    double best = 1e30;
    for (int b = 0; b < kTransformBatches; ++b) {
        for (int32_t i = 0; i < n; ++i) re[i] = value(random), im[i] = value(random);
        const double t0 = nowSeconds();
        for (int i = 0; i < kTransformBatch; ++i) run();
        best = std::min(best, (nowSeconds() - t0) / kTransformBatch);
    }
    return best;
}

// One in-place split-array FFTW transform of n points, planned with
// FFTW_MEASURE: its best time, or a negative number without FFTW.
double fftwTransformSeconds(int32_t n);
