#pragma once
// Deterministic recordings for the demo, the tests and the benchmarks: a
// chord with a few injected clicks of known position and shape.
#include <cstdint>
#include <vector>

#include "common/file_system.h"

struct RecordingPlan {
    uint32_t rate = 44100;
    uint16_t channels = 2;
    uint16_t bits = 16;        // 8, 16 or 24
    uint64_t frames = 441000;  // 10 s at 44.1 kHz
    uint32_t clicks = 3;       // evenly spaced
    double level = 0.25;       // amplitude of each of the three tones
    double toneHz = 0;         // > 0: one sine of this frequency and `level` in every channel instead
};

// A click: three frames replaced by +0.9, -0.9, +0.45 of full scale in one
// channel (clicks alternate left, right on stereo files).
struct ClickMark {
    uint64_t frame;
    int channel;
};
std::vector<ClickMark> clickMarks(const RecordingPlan& plan);

// The canonical 44-byte header for `dataBytes` of PCM data.
std::vector<uint8_t> waveHeader(uint16_t channels, uint32_t rate, uint16_t bits, uint32_t dataBytes);

// The whole file in memory (small files) or streamed to `out` (any length).
std::vector<uint8_t> makeRecording(const RecordingPlan& plan);
bool writeRecording(OutputFile& out, const RecordingPlan& plan);
