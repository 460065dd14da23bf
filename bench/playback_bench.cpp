// playback_bench DIR: preparing and feeding a playback at 1280 columns.
//   composition   the largest stretch (655,360 frames, stereo 24-bit, band
//                 on, gain x16, kind 6 with an edit frame)
//                 target <= 0.2 x the 100 ms UI period, <= 4 x a memcpy of
//                 the same slots and bytes
//   chunk fill    one streamed chunk (655,360 frames, selected channel, 50 %)
//                 target <= 2 x a memcpy of Q bytes, <= 0.01 x its playing time
// Medians of many runs; allocations counted over whole playbacks.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio_file/demo_recording.h"
#include "bench/alloc_counter.h"
#include "bench/bench_document.h"
#include "bench/bench_util.h"
#include "document/document.h"
#include "edit/gain.h"
#include "edit/page_io.h"
#include "playback/prepare.h"
#include "playback/stream.h"
#include "view/pages.h"

namespace {

constexpr double kUiPeriod = 0.100;

// A whole playback with the device returning each buffer at once.
void playThrough(Document& d) {
    StreamActions a = startPlayback(d);
    PlayBuffer held[2];
    int count = 0;
    for (int i = 0; i < a.queueCount; ++i) held[count++] = a.queue[size_t(i)].buffer;
    while (count > 0) {
        const PlayBuffer b = held[0];
        held[0] = held[1];
        --count;
        a = bufferDone(d, b);
        if (a.postRefill) a = refillRequested(d);
        for (int i = 0; i < a.queueCount; ++i) held[count++] = a.queue[size_t(i)].buffer;
    }
    endPlayback(d);
}

bool chunkFill(const std::string& path, uint16_t bits) {
    RecordingPlan plan;
    plan.bits = bits;
    plan.frames = 44100ull * 60;
    Document d;
    if (!loadBenchDocument(path, plan, d)) return false;
    d.playback.channelMode = ChannelPlayMode::selected;
    d.playback.volumeHalf = true;
    d.view.channel = 1;
    const uint32_t q = chunkBytes(d), from = d.edit.dataOffset;
    uint8_t* out = d.image.playBufferB.get();
    const auto [fill, copy] = medianSecondsInTurn(
        101, [&] { fillChunk(d, out, from, q); }, [&] { std::memcpy(out, d.image.bytes() + from, q); });
    const double playing = double(q / d.edit.frameBytes) / 44100.0;
    std::printf(
        "  chunk fill, %2u-bit stereo (%u bytes)   %8.3f ms = %5.2f x memcpy (%.3f ms; target <= 2), "
        "%.5f x its playing time (target <= 0.01)\n",
        unsigned(bits), q, fill * 1e3, fill / copy, copy * 1e3, fill / playing);
    d.view.zoomFrameLeft[0] = 0;
    const long before = gAllocations;
    if (!preparePlayback(d, 0)) return false;
    playThrough(d);
    std::printf("  allocations over a whole streamed playback of the file: %ld (target 0)\n", gAllocations - before);
    platformFileSystem().remove(path);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const std::string path = dir + "/playback_bench_24_stereo.wav";
    FileSystem& fs = platformFileSystem();
    RecordingPlan plan;
    plan.bits = 24;
    plan.frames = 44100ull * 60;
    plan.clicks = 0;
    plan.level = 0.004;  // quiet: the display gain stays at x16
    Document d;
    if (!loadBenchDocument(path, plan, d)) return 1;
    ViewEvents events;
    enterEditView(d, fs, 0, events);
    for (int p = 1; p < 5; ++p) enlarge(d, fs, events);
    if (d.view.page != 5 || d.view.gainShift != 4) return 1;
    d.bandEditing = true;
    for (uint32_t k = 0; k < kFrameArrayLength; ++k) d.pages.complementBand[k] = SampleValue(k % 4096) - 2048;
    d.view.editFrameLeft = 100;
    d.view.editFrameRight = 1200;
    d.view.editFramePresent = true;
    d.view.editFrameStart = columnOffset(d.view, d.edit, 100, 5);
    d.view.editFrameEnd = columnOffset(d.view, d.edit, 1200, 5);
    d.playback.channelMode = ChannelPlayMode::both;

    const size_t slots = size_t(stretchFrames(d)) * 2, bytes = size_t(stretchFrames(d)) * d.edit.frameBytes;
    const long before = gAllocations;
    bool ok = true;
    const auto [compose, copy] = medianSecondsInTurn(
        101, [&] { ok = ok && preparePlayback(d, 6); },
        [&] {  // the same slots and bytes, copied
            std::memcpy(d.pages.scratchSamples.get(), d.pages.workSamples.get(), slots * sizeof(SampleValue));
            std::memcpy(d.image.playBufferB.get(), d.image.playBufferA.get(), bytes);
        });
    playThrough(d);
    const long allocations = gAllocations - before;
    if (!ok) return 1;
    std::printf("playback at 1280 columns, medians of 101:\n");
    std::printf(
        "  composition, kind 6, band on, x16 (%zu slots, %zu bytes)   %8.3f ms = %6.4f x the 100 ms period "
        "(target <= 0.2), %5.2f x memcpy (%.3f ms; target <= 4)\n",
        slots, bytes, compose * 1e3, compose / kUiPeriod, compose / copy, copy * 1e3);
    std::printf("  allocations over the compositions and the composed playback: %ld (target 0)\n", allocations);
    fs.remove(path);
    if (!chunkFill(dir + "/playback_bench_16_stereo.wav", 16)) return 1;
    if (!chunkFill(dir + "/playback_bench_24_stereo_chunk.wav", 24)) return 1;
    return 0;
}
