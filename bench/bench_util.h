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

template <typename F>
double medianSeconds(int runs, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t0 = nowSeconds();
        f();
        times.push_back(nowSeconds() - t0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}
