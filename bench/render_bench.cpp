// render_bench DIR: the edit window's paint and its busiest tick, on the
// largest pages (1280 columns, stereo 24-bit):
//   R                a plain 64-bit read of page 1's bytes (10,485,760 frames)
//   page 1 render    from scratch (nothing kept)            target <= 4 x R
//   page 1 repaint   from the kept columns                  target <= 0.2 x R
//   1010 tick        attenuate over the largest page-2 frame (1,279 columns),
//                    then rendering the columns it changed  target <= 0.1 x 100 ms (goal 0.05)
//   the bar's look   recomputed and compared after each tick, with the
//                    number of changes it would send        target <= 0.01 x 100 ms, none sent
// Medians of many runs; allocations counted over paints, ticks and looks.
#include <cstdio>
#include <cstring>
#include <string>

#include "audio_file/demo_recording.h"
#include "audio_file/wave_reader.h"
#include "bench/alloc_counter.h"
#include "bench/bench_document.h"
#include "bench/bench_util.h"
#include "document/document.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/tools.h"
#include "ui/view_look.h"
#include "view/edit_session.h"
#include "view/frames.h"
#include "view/page_render.h"
#include "view/pages.h"

namespace {

constexpr double kRepeatPeriod = 0.100;  // seconds between auto-repeat ticks
constexpr int32_t kRows = 283;           // client rows 62 ... 344 of the edit window

volatile uint64_t gSink;

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const std::string path = dir + "/render_bench_24_stereo.wav";
    FileSystem& fs = platformFileSystem();
    RecordingPlan plan;
    plan.bits = 24;
    plan.channels = 2;
    plan.frames = 44100ull * 250;  // page 1 full at 1280 columns
    Document d;
    if (!loadBenchDocument(path, plan, d)) return 1;
    ViewEvents events;
    enterEditView(d, fs, 0, events);

    // R: every byte of page 1's stretch read once, eight at a time.
    const uint32_t first = columnOffset(d.view, d.edit, 0, 1);
    const size_t bytes = size_t(d.view.framesPerPixel[1]) * 1280u * d.edit.frameBytes;
    const double read = medianSeconds(21, [&] {
        uint64_t sum = 0;
        const uint8_t* p = d.image.bytes() + first;
        for (size_t i = 0; i + 8 <= bytes; i += 8) {
            uint64_t word;
            std::memcpy(&word, p + i, 8);
            sum += word;
        }
        gSink = sum;
    });

    PageCache cache;
    PagePixels pixels;
    pixels.resize(1280, kRows);
    const RenderFlags flags;
    const long before = gAllocations;
    const double scratch = medianSeconds(21, [&] {
        ++d.imageGeneration;  // as after a write: nothing kept is valid
        renderPage(d, cache, pixels, flags);
    });
    const double kept = medianSeconds(101, [&] { renderPage(d, cache, pixels, flags); });
    const long paintAllocations = gAllocations - before;

    // Page 2, an edit over all but the last column.
    openWidestFrame(d, events);
    renderPage(d, cache, pixels, flags);
    EditSession s;
    ViewLook shown;
    LookChanges changes;
    updateLook(shown, viewLook(d, s), changes, true);
    pressToolButton(s, d, 9);  // 1010 held
    size_t sent = 0;
    int32_t recomputed = 0;
    int tick = 0;
    const long beforeTicks = gAllocations;
    const double tickAndRender = medianSeconds(101, [&] {
        // Attenuate, amplify back: the frame never goes flat, every tick applies.
        toolTick(d, tick++ % 2 ? Tool::amplify : Tool::attenuate, s.run, ToolFlags{});
        renderPage(d, cache, pixels, flags);
        recomputed = cache.recomputed;
    });
    const double look = medianSeconds(101, [&] { sent += updateLook(shown, viewLook(d, s), changes); });
    const long tickAllocations = gAllocations - beforeTicks;

    std::printf("edit window paint and tick, 1280 columns, stereo 24-bit, medians:\n");
    std::printf("  R: plain 64-bit read of page 1 (%zu bytes)      %8.3f ms\n", bytes, read * 1e3);
    std::printf("  page 1 render from scratch                        %8.3f ms = %5.2f x R (target <= 4)\n",
                scratch * 1e3, scratch / read);
    std::printf("  page 1 repaint from kept columns                  %8.3f ms = %5.3f x R (target <= 0.2)\n",
                kept * 1e3, kept / read);
    std::printf(
        "  1010 tick on 1,279 page-2 columns + render (%d columns recomputed) %8.3f ms = %6.4f x the "
        "100 ms period (target <= 0.1, goal 0.05)\n",
        int(recomputed), tickAndRender * 1e3, tickAndRender / kRepeatPeriod);
    std::printf("  bar look + changes after a tick                   %8.4f ms = %8.6f x the period (target <= 0.01)\n",
                look * 1e3, look / kRepeatPeriod);
    std::printf("  changes sent on those ticks: %zu (target 0)\n", sent);
    std::printf("  allocations: %ld over the paints, %ld over the ticks and looks (target 0)\n", paintAllocations,
                tickAllocations);
    fs.remove(path);
    return 0;
}
