#pragma once
// Small helpers shared by the benchmarks.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

inline double nowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

template <typename F>
double minimumSeconds(int runs, F&& f) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double t0 = nowSeconds();
        f();
        best = std::min(best, nowSeconds() - t0);
    }
    return best;
}

// At most 255 runs; the buffer is fixed so the measurement allocates nothing.
template <typename F>
double medianSeconds(int runs, F&& f) {
    double times[255];
    runs = std::min(runs, 255);
    for (int i = 0; i < runs; ++i) {
        const double t0 = nowSeconds();
        f();
        times[i] = nowSeconds() - t0;
    }
    std::sort(times, times + runs);
    return times[runs / 2];
}

// Medians of two tasks timed in turn, so that a busy machine slows both alike.
template <typename F, typename G>
std::pair<double, double> medianSecondsInTurn(int runs, F&& f, G&& g) {
    double first[255], second[255];
    runs = std::min(runs, 255);
    for (int i = 0; i < runs; ++i) {
        double t0 = nowSeconds();
        f();
        first[i] = nowSeconds() - t0;
        t0 = nowSeconds();
        g();
        second[i] = nowSeconds() - t0;
    }
    std::sort(first, first + runs);
    std::sort(second, second + runs);
    return {first[runs / 2], second[runs / 2]};
}

inline double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}
