// shortening_bench DIR: the one-button repair judged as a user would judge it.
// A 44.1 kHz stereo recording (110 + 220 Hz at -12 dBFS, 16-bit) gets K
// clicks of the tests' shape in the left channel of the searched stretch
// (1280 columns, start page 2, band editing on f7); one automatic batch runs
// and the result is compared with the clean recording: per click the
// residual against its peak, the samples changed outside the clicks and in
// the right channel, the steps that held no click. Then the cost of a step
// on 24-bit stereo at f7, f5 and f1 against the 100 ms UI period and one
// copy of the working buffer, with the allocations per step.
//
// shortening_bench judge DIR SCENE SECONDS: the same columns for a repair
// made elsewhere (DIR/SCENE_repaired.wav, by run.sh's general declicker).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "audio_file/demo_recording.h"
#include "audio_file/file_image.h"
#include "audio_file/wave_reader.h"
#include "bench/alloc_counter.h"
#include "bench/bench_util.h"
#include "common/file_system.h"
#include "common/progress.h"
#include "document/document.h"
#include "edit/band_mode.h"
#include "shortening/automatic.h"
#include "spectrum/transform.h"
#include "view/frames.h"
#include "view/pages.h"

namespace {

constexpr int32_t kWidth = 1280;
constexpr int32_t kZoomLeft2 = 100;
constexpr uint32_t kSearchFirst = kZoomLeft2 * 512;  // page 2 starts at the data
constexpr uint32_t kSearchFrames = kWidth * 64;
constexpr uint32_t kFrames = 44100 * 16;  // page 2 (655,360 frames) and some
constexpr int32_t kF7 = 1, kF5 = 3, kF1 = 7;
constexpr int32_t kReach = 8;  // frames either side of a click's three

struct Scene {
    const char* name;
    int clicks;
    bool treble;  // a 3 kHz tone added
};
constexpr Scene kScenes[] = {{"k8", 8, false}, {"k24", 24, false}, {"k8_3khz", 8, true}};

struct Click {
    uint32_t frame;
    int32_t peak;
};

// Peaks 0.25 to 0.75 of full scale, spread over the stretch away from its ends.
std::vector<Click> clicksOf(const Scene& s, int32_t fullScale) {
    std::vector<Click> c;
    const uint32_t spacing = (kSearchFrames - 6000) / uint32_t(s.clicks);
    for (int i = 0; i < s.clicks; ++i)
        c.push_back({kSearchFirst + 3000 + uint32_t(i) * spacing,
                     fullScale / 4 + int32_t(int64_t(i) * (fullScale / 2) / std::max(1, s.clicks - 1))});
    return c;
}

struct Channels {
    std::vector<int32_t> left, right;
};

Channels cleanOf(const Scene& s, int bits) {
    const double full = double(1 << (bits - 1));
    Channels c{std::vector<int32_t>(kFrames), std::vector<int32_t>(kFrames)};
    for (uint32_t k = 0; k < kFrames; ++k) {
        const double t = 2.0 * M_PI * double(k) / 44100.0;
        double v = 0.125 * (std::sin(110.0 * t) + std::sin(220.0 * t));  // peaks near -12 dBFS
        if (s.treble) v += 0.05 * std::sin(3000.0 * t);
        c.left[k] = c.right[k] = int32_t(std::lround(v * full));
    }
    return c;
}

Channels clickedOf(const Channels& clean, const std::vector<Click>& clicks) {
    Channels c = clean;
    for (const Click& k : clicks) {
        c.left[k.frame] += k.peak;
        c.left[k.frame + 1] -= k.peak;
        c.left[k.frame + 2] += k.peak / 2;
    }
    return c;
}

bool writeWave(const std::string& path, const Channels& c, int bits) {
    const uint32_t bps = uint32_t(bits / 8);
    std::vector<uint8_t> bytes = waveHeader(2, 44100, uint16_t(bits), kFrames * 2 * bps);
    for (uint32_t k = 0; k < kFrames; ++k)
        for (int32_t v : {c.left[k], c.right[k]})
            for (uint32_t b = 0; b < bps; ++b) bytes.push_back(uint8_t((v >> (8 * b)) & 0xff));
    auto out = platformFileSystem().create(path);
    return out && out->write(bytes.data(), bytes.size()) == bytes.size();
}

bool readWave16(const std::string& path, Channels& c) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    // The data chunk wherever the writer put it.
    size_t at = 12;
    while (at + 8 <= bytes.size() && std::memcmp(&bytes[at], "data", 4) != 0) {
        uint32_t size = 0;
        std::memcpy(&size, &bytes[at + 4], 4);
        at += 8 + size + (size & 1);
    }
    if (at + 8 + size_t(kFrames) * 4 > bytes.size()) return false;
    c.left.resize(kFrames);
    c.right.resize(kFrames);
    for (uint32_t k = 0; k < kFrames; ++k) {
        const uint8_t* p = &bytes[at + 8 + size_t(k) * 4];
        c.left[k] = int16_t(uint16_t(p[0] | (p[1] << 8)));
        c.right[k] = int16_t(uint16_t(p[2] | (p[3] << 8)));
    }
    return true;
}

bool loadDocument(const std::string& path, Document& d) {
    FileSystem& fs = platformFileSystem();
    d.editPath = path;
    SilentProgress progress;
    if (!validateWave(fs, path, FileRole::edit, d.edit).ok() ||
        !loadFileImage(fs, path, d.edit, 1ull << 40, d.image, progress).ok() || !d.pages.allocate())
        return false;
    d.view.screenWidth = kWidth;
    buildScales(d.view, d.edit);
    return true;
}

int32_t sampleAt(const Document& d, uint32_t frame, int channel) {
    const uint32_t bps = d.edit.bytesPerSample;
    const uint8_t* p = d.image.bytes() + d.edit.dataOffset + size_t(frame) * d.edit.frameBytes + channel * bps;
    int32_t v = 0;
    for (uint32_t b = 0; b < bps; ++b) v |= int32_t(p[b]) << (8 * b);
    return (v << (32 - 8 * bps)) >> (32 - 8 * bps);
}

struct Transforms {
    std::unique_ptr<SpectrumTables> tables = std::make_unique<SpectrumTables>();
    std::unique_ptr<TransformBuffers> buffers = std::make_unique<TransformBuffers>();
    Transforms() { buildSpectrumTables(*tables, kWidth); }
};

// Page 2 with the searched stretch below it and band editing on `band`.
bool onPageTwo(Document& d, const Transforms& t, int32_t band) {
    ViewEvents e;
    enterEditView(d, platformFileSystem(), 0, e);
    enlarge(d, platformFileSystem(), e);
    if (d.view.page != 2 || d.pages.workOrigin != d.edit.dataOffset) return false;
    d.view.zoomFrameLeft[2] = kZoomLeft2;
    enterBandEditing(d, BandSplit{*t.tables, *t.buffers, band}, e);
    return d.bandEditing;
}

struct Judged {
    int found = 0;
    double worstRatio = 0;
    long changedOutside = 0, leftOutside = 0, changedRight = 0;
    int32_t largestOutside = 0;  // |after - clean| outside the clicks
};

bool nearClick(const std::vector<Click>& clicks, uint32_t k) {
    for (const Click& c : clicks)
        if (k + kReach >= c.frame && k <= c.frame + 2 + kReach) return true;
    return false;
}

Judged judge(const std::vector<Click>& clicks, const Channels& clean, const Channels& clicked, const Channels& after,
             bool perClick) {
    Judged j;
    if (perClick) std::printf("    %9s %8s %9s %7s\n", "frame", "peak", "residual", "ratio");
    for (const Click& c : clicks) {
        int32_t residual = 0;
        for (uint32_t k = c.frame - kReach; k <= c.frame + 2 + kReach; ++k)
            residual = std::max(residual, std::abs(after.left[k] - clean.left[k]));
        const double ratio = double(residual) / double(c.peak);
        j.found += ratio <= 1.0 / 16;
        j.worstRatio = std::max(j.worstRatio, ratio);
        if (perClick)
            std::printf("    %9u %8d %9d %7.4f%s\n", c.frame, c.peak, residual, ratio,
                        ratio <= 1.0 / 16 ? "" : "  > 1/16");
    }
    for (uint32_t k = 0; k < kFrames; ++k) {
        j.changedRight += after.right[k] != clicked.right[k];
        if (nearClick(clicks, k)) continue;
        ++j.leftOutside;
        if (after.left[k] != clicked.left[k]) {
            ++j.changedOutside;
            j.largestOutside = std::max(j.largestOutside, std::abs(after.left[k] - clean.left[k]));
        }
    }
    return j;
}

void printJudged(const char* who, const Scene& s, const Judged& j, double seconds, int idleSteps) {
    std::printf(
        "  %-8s %-8s clicks found %2d/%-2d  worst ratio %.4f  changed outside %ld of %ld (largest %d)  "
        "right changed %ld  idle steps %s  time %.3f s\n",
        who, s.name, j.found, s.clicks, j.worstRatio, j.changedOutside, j.leftOutside, j.largestOutside, j.changedRight,
        idleSteps < 0 ? "-" : std::to_string(idleSteps).c_str(), seconds);
}

std::string pathOf(const std::string& dir, const Scene& s, const char* what) {
    return dir + "/shortening_" + s.name + "_" + what + ".wav";
}

// One batch on the clicked recording; the result leaves the edit view.
int repair(const std::string& dir, const Scene& s, const Transforms& t) {
    const std::vector<Click> clicks = clicksOf(s, 1 << 15);
    const Channels clean = cleanOf(s, 16), clicked = clickedOf(clean, clicks);
    if (!writeWave(pathOf(dir, s, "clean"), clean, 16) || !writeWave(pathOf(dir, s, "clicked"), clicked, 16)) return 1;
    auto d = std::make_unique<Document>();
    if (!loadDocument(pathOf(dir, s, "clicked"), *d) || !onPageTwo(*d, t, kF7)) return 1;
    EditSession session;
    AutomaticOperation op;
    openAutomatic(*d, session, op);
    SilentProgress progress;
    const BandSplit band{*t.tables, *t.buffers, kF7};
    int idle = 0;
    const double t0 = nowSeconds();
    if (!beginBatch(*d, op)) return 1;
    for (bool more = true; more;) {
        ViewEvents e;
        more = batchTurn(
            *d, op, band, progress, [](const std::string&) {}, e);
        if (!op.lastStep.ran) continue;
        const uint32_t first = (op.lastStep.frameStart - d->edit.dataOffset) / d->edit.frameBytes;
        bool held = false;
        for (const Click& c : clicks) held = held || (first <= c.frame + 2 && first + 8 > c.frame);
        idle += !held;
        op.lastStep = StepOutcome{};
    }
    const double seconds = nowSeconds() - t0;
    confirmAutomatic(*d, session, op);
    ViewEvents e;
    leaveEditView(*d, e);
    Channels after{std::vector<int32_t>(kFrames), std::vector<int32_t>(kFrames)};
    for (uint32_t k = 0; k < kFrames; ++k) {
        after.left[k] = sampleAt(*d, k, 0);
        after.right[k] = sampleAt(*d, k, 1);
    }
    std::printf("  %s: one batch of %d steps, K = %d%s\n", s.name, kShorteningBatchLastStep + 1, s.clicks,
                s.treble ? ", 3 kHz tone added" : "");
    printJudged("Velkor", s, judge(clicks, clean, clicked, after, true), seconds, idle);
    return 0;
}

// The cost of one step (a batch turn) on 24-bit stereo at three cutoffs.
int stepCost(const std::string& dir, const Transforms& t) {
    const Scene s{"k24_24bit", 24, false};
    const std::vector<Click> clicks = clicksOf(s, 1 << 23);
    if (!writeWave(dir + "/shortening_24bit.wav", clickedOf(cleanOf(s, 24), clicks), 24)) return 1;
    std::printf(
        "  a step (descent, attenuate x10, confirm, return with the band split again), 24-bit stereo, "
        "1280 columns; share of the 100 ms period:\n");
    for (int32_t band : {kF7, kF5, kF1}) {
        auto d = std::make_unique<Document>();
        if (!loadDocument(dir + "/shortening_24bit.wav", *d) || !onPageTwo(*d, t, band)) return 1;
        EditSession session;
        AutomaticOperation op;
        openAutomatic(*d, session, op);
        SilentProgress progress;
        const BandSplit split{*t.tables, *t.buffers, band};
        const ShowTitle quiet = [](const std::string&) {};
        if (!beginBatch(*d, op)) return 1;
        double times[64];
        int n = 0;
        const long before = gAllocations;
        for (bool more = true; more && n < 64;) {
            ViewEvents e;
            const double t0 = nowSeconds();
            more = batchTurn(*d, op, split, progress, quiet, e);
            times[n++] = nowSeconds() - t0;
        }
        const long allocations = gAllocations - before;
        std::sort(times, times + n);
        // One copy of the working buffer, the cheapest thing a step could be.
        std::vector<SampleValue> copy(kWorkSlots);
        const double memcpyS = medianSeconds(
            21, [&] { std::memcpy(copy.data(), d->pages.workSamples.get(), kWorkSlots * sizeof(SampleValue)); });
        std::printf(
            "    f%d: median %.3f (%.2f ms, goal <= 0.25)  max %.3f (%.2f ms, target <= 0.5)  "
            "memcpy of WorkSamples %.2f ms  allocations per step %.2f (%d steps)\n",
            8 - band, times[n / 2] / 0.1, times[n / 2] * 1e3, times[n - 1] / 0.1, times[n - 1] * 1e3, memcpyS * 1e3,
            double(allocations) / n, n);
    }
    return 0;
}

int judgeElsewhere(const std::string& dir, const std::string& name, double seconds) {
    for (const Scene& s : kScenes) {
        if (name != s.name) continue;
        const std::vector<Click> clicks = clicksOf(s, 1 << 15);
        Channels clean, clicked, after;
        if (!readWave16(pathOf(dir, s, "clean"), clean) || !readWave16(pathOf(dir, s, "clicked"), clicked) ||
            !readWave16(pathOf(dir, s, "repaired"), after)) {
            std::printf("  %s: the repaired file cannot be read\n", s.name);
            return 1;
        }
        printJudged("adeclick", s, judge(clicks, clean, clicked, after, false), seconds, -1);
        return 0;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 4 && std::string(argv[1]) == "judge") return judgeElsewhere(argv[2], argv[3], std::atof(argv[4]));
    const std::string dir = argc > 1 ? argv[1] : ".";
    const Transforms t;
    std::printf(
        "repair (residual within +-%d frames of a click against its peak, target <= 1/16; "
        "outside the clicks and in the right channel, target: nothing changed):\n",
        kReach);
    for (const Scene& s : kScenes)
        if (repair(dir, s, t) != 0) {
            std::printf("  %s: the recording could not be made or loaded\n", s.name);
            return 1;
        }
    return stepCost(dir, t);
}
