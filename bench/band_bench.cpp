// band_bench DIR: band on (gain removal, split, gain) and band off over the
// whole page-2 stretch at 1280 columns (655,360 frames, stereo 24-bit), for
// each of the eight designs; medians against the 100 ms auto-repeat period,
// which the automatic shortening pays at each of its steps.
#include <cstdio>
#include <memory>
#include <string>

#include "audio_file/demo_recording.h"
#include "bench/alloc_counter.h"
#include "bench/bench_document.h"
#include "bench/bench_util.h"
#include "document/document.h"
#include "edit/band_mode.h"
#include "edit/band_split.h"
#include "spectrum/transform.h"
#include "view/pages.h"

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const std::string path = dir + "/band_bench_24_stereo.wav";
    FileSystem& fs = platformFileSystem();
    RecordingPlan plan;
    plan.bits = 24;
    plan.channels = 2;
    plan.frames = 44100ull * 60;
    Document d;
    if (!loadBenchDocument(path, plan, d)) return 1;
    auto tables = std::make_unique<SpectrumTables>();
    auto buffers = std::make_unique<TransformBuffers>();
    buildSpectrumTables(*tables, d.view.screenWidth);
    ViewEvents events;
    enterEditView(d, fs, 0, events);
    enlarge(d, fs, events);
    constexpr double kPeriod = 0.1;
    constexpr int kRuns = 21;
    std::printf("band on / off over %u frames (stereo 24-bit, page 2), median of %d, share of the 100 ms period:\n",
                512u * uint32_t(d.view.screenWidth), kRuns);
    const long before = gAllocations;
    bool within = true;
    for (int32_t index = 0; index < 8; ++index) {
        const BandSplit split{*tables, *buffers, index};
        double on[kRuns], off[kRuns];
        for (int i = 0; i < kRuns; ++i) {
            ViewEvents e;
            double t0 = nowSeconds();
            enterBandEditing(d, split, e);
            on[i] = nowSeconds() - t0;
            t0 = nowSeconds();
            leaveBandEditing(d, e);
            off[i] = nowSeconds() - t0;
        }
        std::sort(on, on + kRuns);
        std::sort(off, off + kRuns);
        const double o = on[kRuns / 2] / kPeriod, f = off[kRuns / 2] / kPeriod;
        within = within && o <= 0.3 && f <= 0.05;
        std::printf("  f%d (%s)  on %5.3f (%6.2f ms, target <= 0.3)   off %5.3f (%5.2f ms, target <= 0.05)\n",
                    8 - index, bandDesign(index) < kFirstBlockDesign ? "sinc " : "block", o, on[kRuns / 2] * 1e3, f,
                    off[kRuns / 2] * 1e3);
    }
    std::printf("  allocations during the runs %ld (target 0); %s\n", gAllocations - before,
                within ? "every design within its targets" : "SOME DESIGN OVER ITS TARGET");
    fs.remove(path);
    return 0;
}
