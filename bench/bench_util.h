#pragma once
// Small helpers shared by the benchmarks.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
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

inline double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}
