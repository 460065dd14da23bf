// view_bench DIR: page changes on the largest page (1280 columns, stereo
// 24-bit): gain removed + page loaded + gain applied, the page stored back,
// and a white-waveform pass on page 2; medians of many runs, allocations counted.
#include <cstdio>
#include <string>

#include "audio_file/demo_recording.h"
#include "audio_file/wave_reader.h"
#include "bench/alloc_counter.h"
#include "bench/bench_document.h"
#include "bench/bench_util.h"
#include "document/document.h"
#include "edit/gain.h"
#include "edit/page_io.h"
#include "view/pages.h"
#include "view/white_waveform.h"

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const std::string path = dir + "/view_bench_24_stereo.wav";
    FileSystem& fs = platformFileSystem();
    RecordingPlan plan;
    plan.bits = 24;
    plan.channels = 2;
    plan.frames = 44100ull * 120;
    Document d;
    if (!loadBenchDocument(path, plan, d)) return 1;
    ViewEvents events;
    enterEditView(d, fs, 0, events);
    d.view.zoomFrameLeft[1] = 200;

    const long before = gAllocations;
    // Page 1 holds its gain in the image: 10,485,760 frames at 1280 columns.
    const double pageOneGain = medianSeconds(41, [&] {
        removeGain(d, events);
        applyGain(d, kDefaultGainShift, 1, events);
    });
    removeGain(d, events);
    d.view.page = 2;
    d.pages.workOrigin = columnOffset(d.view, d.edit, 0, 2);
    const double change = medianSeconds(41, [&] {
        removeGain(d, events);
        loadPage(d);
        applyGain(d, kDefaultGainShift, 2, events);
    });
    removeGain(d, events);
    const double store = medianSeconds(41, [&] { storePage(d); });
    applyGain(d, kDefaultGainShift, 2, events);
    const double white = medianSeconds(41, [&] { whiteWaveformPass(d, d.whiteWaveform.data()); });
    const long allocations = gAllocations - before;

    std::printf("page 2 of 1280 columns, stereo 24-bit (655,360 frames), median of 41:\n");
    std::printf("  gain off + load page + gain on                     %7.2f ms   (target <= 5 ms)\n", change * 1e3);
    std::printf("  store page                                         %7.2f ms   (target <= 5 ms)\n", store * 1e3);
    std::printf("  white-waveform pass                                %7.2f ms   (target <= 5 ms)\n", white * 1e3);
    std::printf("  (page 1 gain off + on over 10,485,760 frames        %7.2f ms)\n", pageOneGain * 1e3);
    std::printf("  allocations during the runs                        %7ld     (target 0)\n", allocations);
    fs.remove(path);
    return 0;
}
