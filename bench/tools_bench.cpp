// tools_bench DIR: one tick of each repeating tool on the largest frame the
// view allows (page 2, 1279 of 1280 columns, stereo 24-bit, 654,848 frames)
// and one recorded step; medians of many runs, allocations counted.
#include <cstdio>
#include <string>

#include "audio_file/demo_recording.h"
#include "audio_file/wave_reader.h"
#include "bench/alloc_counter.h"
#include "bench/bench_document.h"
#include "bench/bench_util.h"
#include "document/document.h"
#include "edit/history.h"
#include "edit/tools.h"
#include "view/frames.h"
#include "view/pages.h"

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const std::string path = dir + "/tools_bench_24_stereo.wav";
    FileSystem& fs = platformFileSystem();
    RecordingPlan plan;
    plan.bits = 24;
    plan.channels = 2;
    plan.frames = 44100ull * 60;
    plan.clicks = 0;
    Document d;
    if (!loadBenchDocument(path, plan, d)) return 1;
    ViewEvents events;
    enterEditView(d, fs, 0, events);
    openWidestFrame(d, events);
    const uint32_t frames = (d.view.editFrameEnd - d.view.editFrameStart) / d.edit.frameBytes;

    struct Pair {
        const char* name;
        Tool there, back;  // alternate so that every tick is accepted
    };
    const Pair pairs[] = {{"shift up / down", Tool::shiftUp, Tool::shiftDown},
                          {"ramps (1005 / 1006)", Tool::rampLeftDown, Tool::rampLeftUp},
                          {"ramps (1007 / 1008)", Tool::rampRightUp, Tool::rampRightDown},
                          {"amplify / attenuate", Tool::amplify, Tool::attenuate},
                          {"low-pass", Tool::lowPass, Tool::lowPass}};
    std::printf("one tick on a page-2 frame of %u frames (stereo 24-bit), median of 101:\n", frames);
    const long before = gAllocations;
    int refused = 0;
    for (const Pair& p : pairs) {
        ToolRun run;
        bool flip = false;
        const double t = medianSeconds(101, [&] {
            flip = !flip;
            if (toolTick(d, flip ? p.there : p.back, run, ToolFlags{}) != TickResult::applied) ++refused;
        });
        std::printf("  %-22s %7.3f ms   (target <= 2 ms, goal <= 1 ms)\n", p.name, t * 1e3);
    }
    const double stepTime = medianSeconds(101, [&] {
        ViewEvents e;
        recordStep(d, e);
    });
    std::printf("  %-22s %7.3f ms\n", "record a step", stepTime * 1e3);
    std::printf("  refused ticks %d, allocations during the runs %ld (target 0)\n", refused, gAllocations - before);
    fs.remove(path);
    return 0;
}
