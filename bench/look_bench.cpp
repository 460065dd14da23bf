// look_bench DIR: the bar's look recomputed and compared after each tick of
// a held tool (page 2, the largest frame), against the 100 ms repeat period;
// the changes a tick sends (none: a held tool changes nothing on the bar),
// then those of the step recorded on release. Allocations counted.
#include <algorithm>
#include <cstdio>
#include <string>

#include "audio_file/demo_recording.h"
#include "audio_file/wave_reader.h"
#include "bench/alloc_counter.h"
#include "bench/bench_document.h"
#include "bench/bench_util.h"
#include "document/document.h"
#include "edit/history.h"
#include "ui/view_look.h"
#include "view/edit_session.h"
#include "view/frames.h"
#include "view/pages.h"

namespace {

constexpr double kRepeatPeriod = 0.100;  // seconds between auto-repeat ticks
constexpr int kTicks = 1001;

const char* itemName(LookItem item) {
    switch (item) {
        case LookItem::buttonEnabled: return "button state";
        case LookItem::buttonImage: return "button image";
        case LookItem::label: return "label";
        case LookItem::pageBandColour: return "band colour";
        case LookItem::toolBands: return "tool bands";
        case LookItem::shorteningButton: return "shortening button";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const std::string path = dir + "/look_bench_16_stereo.wav";
    FileSystem& fs = platformFileSystem();
    RecordingPlan plan;
    plan.frames = 44100ull * 30;
    plan.clicks = 0;
    Document d;
    if (!loadBenchDocument(path, plan, d)) return 1;
    ViewEvents events;
    enterEditView(d, fs, 0, events);
    openWidestFrame(d, events);

    EditSession s;
    ViewLook shown;
    LookChanges changes;
    updateLook(shown, viewLook(d, s), changes, true);
    pressToolButton(s, d, 8);  // amplify held

    static double tickTimes[kTicks], lookTimes[kTicks];
    long lookAllocations = 0;
    size_t changesOnTicks = 0;
    for (int i = 0; i < kTicks; ++i) {
        double t0 = nowSeconds();
        toolTick(d, i % 2 ? Tool::attenuate : Tool::amplify, s.run, ToolFlags{});
        tickTimes[i] = nowSeconds() - t0;
        const long before = gAllocations;
        t0 = nowSeconds();
        changesOnTicks += updateLook(shown, viewLook(d, s), changes);
        lookTimes[i] = nowSeconds() - t0;
        lookAllocations += gAllocations - before;
    }
    std::sort(tickTimes, tickTimes + kTicks);
    std::sort(lookTimes, lookTimes + kTicks);
    // One call is below the clock's grain: time a batch for the figure per call.
    constexpr int kBatch = 100000;
    const long beforeBatch = gAllocations;
    const double batch = minimumSeconds(5, [&] {
        for (int i = 0; i < kBatch; ++i) changesOnTicks += updateLook(shown, viewLook(d, s), changes);
    });
    lookAllocations += gAllocations - beforeBatch;
    const double perCall = batch / kBatch;

    ViewEvents released;
    toolRelease(d, s, released);
    const long beforeStep = gAllocations;
    const size_t stepChanges = updateLook(shown, viewLook(d, s), changes);
    lookAllocations += gAllocations - beforeStep;

    std::printf("the bar's look and its changes after each tool tick (page 2, frame of %u frames), %d ticks:\n",
                (d.view.editFrameEnd - d.view.editFrameStart) / d.edit.frameBytes, kTicks);
    std::printf("  tool tick (reference)        median %8.3f ms\n", tickTimes[kTicks / 2] * 1e3);
    std::printf("  look + changes               median %8.3f us (one call; clock grain included)\n",
                lookTimes[kTicks / 2] * 1e6);
    std::printf(
        "  look + changes               %8.3f us per call over %d calls = %.6f x the %.0f ms period"
        " (target <= 0.01)\n",
        perCall * 1e6, kBatch, perCall / kRepeatPeriod, kRepeatPeriod * 1e3);
    std::printf("  changes sent on ticks that change nothing on the bar: %zu (target 0)\n", changesOnTicks);
    std::printf("  changes after the release records the step: %zu:", stepChanges);
    for (size_t i = 0; i < changes.count; ++i) {
        const LookChange& c = changes.list[i];
        std::printf(" %s %d", itemName(c.item), c.id);
        if (c.item == LookItem::label)
            std::printf(" \"%.*s\"", int(labelText(shown, c.id).size()), labelText(shown, c.id).data());
        else
            std::printf("=%d", c.value);
        std::printf(i + 1 < changes.count ? "," : "\n");
    }
    std::printf("  allocations during look + changes: %ld (target 0)\n", lookAllocations);
    std::printf("  size of the look: %zu bytes\n", sizeof(ViewLook));
    fs.remove(path);
    return 0;
}
