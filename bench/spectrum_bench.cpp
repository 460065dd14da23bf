// spectrum_bench DIR: the transform and the page spectrum.
//   transform        one in-place transform of N = 256 ... 2048 points against
//                    an in-place split-array FFTW plan of the same size
//                    (FFTW_MEASURE), best of many batches    target <= 4 x FFTW
//   computeSpectrum  page 2 of a stereo 24-bit recording at 640, 960 and 1280
//                    columns, and page 5               target page 2 <= 0.25 x 100 ms
// FFTW is only the yardstick: built without it, the comparison is skipped.
// Allocations counted over every computeSpectrum call.
#include <cstdio>
#include <memory>
#include <string>

#include "audio_file/demo_recording.h"
#include "bench/alloc_counter.h"
#include "bench/bench_document.h"
#include "bench/bench_util.h"
#include "bench/fftw_reference.h"
#include "document/document.h"
#include "spectrum/spectrum.h"
#include "spectrum/spectrum_view.h"
#include "view/pages.h"

namespace {

constexpr double kRepeatPeriod = 0.100;  // seconds between auto-repeat ticks

void benchTransform(const SpectrumTables& t) {
    auto b = std::make_unique<TransformBuffers>();
    std::printf("transform, best of %d batches of %d:\n", kTransformBatches, kTransformBatch);
    for (int k = 8; k <= 11; ++k) {
        const int32_t n = 1 << k;
        const double ours = bestTransformSeconds(b->real.data(), b->imaginary.data(), n,
                                                 [&] { transform(t, b->real.data(), b->imaginary.data(), k); });
        const double fftw = fftwTransformSeconds(n);
        if (fftw < 0)
            std::printf("  N = %4d   %8.3f us   (built without FFTW: no comparison)\n", n, ours * 1e6);
        else
            std::printf("  N = %4d   %8.3f us   FFTW %8.3f us   %5.2f x FFTW (target <= 4)\n", n, ours * 1e6,
                        fftw * 1e6, ours / fftw);
    }
}

// computeSpectrum on page `page` at `width` columns; false when the document cannot be made.
bool benchPage(const std::string& path, int32_t width, int page, long& allocations) {
    RecordingPlan plan;
    plan.bits = 24;
    plan.frames = 44100ull * 60;
    auto d = std::make_unique<Document>();
    if (!loadBenchDocument(path, plan, *d)) return false;
    d->view.screenWidth = width;
    buildScales(d->view, d->edit);
    d->view.zoomFrameLeft[0] = 4;
    d->view.zoomFrameLeft[1] = d->view.zoomFrameLeft[2] = d->view.zoomFrameLeft[3] = d->view.zoomFrameLeft[4] = 20;
    ViewEvents events;
    enterEditView(*d, platformFileSystem(), page, events);
    platformFileSystem().remove(path);
    if (d->view.page != page) return false;
    auto state = std::make_unique<SpectrumState>();
    buildSpectrumTables(state->tables, width);
    const long before = gAllocations;
    const auto run = [&] { state->last = computeSpectrum(*d, state->tables, state->buffers, state->levels); };
    const int runs = page == 5 ? 201 : 21;
    const double seconds = medianSeconds(runs, run), best = minimumSeconds(runs, run);
    allocations += gAllocations - before;
    const int32_t windows = page == 5 ? 3 : pageWindows(*d, state->tables).count;
    std::printf(
        "  page %d at %4d columns (N = %4d, %4d windows)   median %7.3f ms = %6.4f x the 100 ms period%s, "
        "best %7.3f ms\n",
        page, width, state->tables.size, windows, seconds * 1e3, seconds / kRepeatPeriod,
        page == 2 ? " (target <= 0.25)" : "", best * 1e3);
    return state->last.computed;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    auto tables = std::make_unique<SpectrumTables>();
    buildSpectrumTables(*tables, 1280);
    benchTransform(*tables);
    std::printf("computeSpectrum, stereo 24-bit, medians and bests of 21 (page 5: 201):\n");
    long allocations = 0;
    const std::string path = dir + "/spectrum_bench_24_stereo.wav";
    for (int32_t width : {640, 960, 1280})
        if (!benchPage(path, width, 2, allocations)) return 1;
    for (int32_t width : {640, 1280})
        if (!benchPage(path, width, 5, allocations)) return 1;
    std::printf("  allocations over every computeSpectrum call: %ld (target 0)\n", allocations);
    return 0;
}
