#include "audio_file/demo_recording.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kToneHz[2][3] = {{261.63, 329.63, 392.00}, {196.00, 246.94, 293.66}};
constexpr double kClickShape[3] = {0.9, -0.9, 0.45};

void putLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// Full-scale fraction to the file's sample bytes (appended).
void putSample(std::vector<uint8_t>& out, double x, uint16_t bits) {
    if (bits == 8) {
        long v = std::lround(x * 127.0) + 128;
        out.push_back(uint8_t(v));
    } else if (bits == 16) {
        putLe(out, uint32_t(int32_t(std::lround(x * 32767.0))), 2);
    } else {
        putLe(out, uint32_t(int32_t(std::lround(x * 8388607.0))), 3);
    }
}

// The chord at one frame of one channel, with the click shape where injected.
double sampleAt(const RecordingPlan& plan, const std::vector<ClickMark>& clicks, uint64_t frame, int channel) {
    for (const ClickMark& c : clicks)
        if (c.channel == channel && frame >= c.frame && frame < c.frame + 3) return kClickShape[frame - c.frame];
    const double t = double(frame) / plan.rate;
    if (plan.toneHz > 0) return plan.level * std::sin(2 * kPi * plan.toneHz * t);
    double x = 0;
    for (double hz : kToneHz[channel]) x += plan.level * std::sin(2 * kPi * hz * t);
    return x;
}

void appendFrames(std::vector<uint8_t>& out, const RecordingPlan& plan, const std::vector<ClickMark>& clicks,
                  uint64_t from, uint64_t to) {
    for (uint64_t f = from; f < to; ++f)
        for (int ch = 0; ch < plan.channels; ++ch) putSample(out, sampleAt(plan, clicks, f, ch), plan.bits);
}

uint32_t dataBytes(const RecordingPlan& plan) { return uint32_t(plan.frames * plan.channels * (plan.bits / 8)); }

}  // namespace

std::vector<ClickMark> clickMarks(const RecordingPlan& plan) {
    std::vector<ClickMark> marks;
    for (uint32_t i = 0; i < plan.clicks; ++i) {
        const uint64_t frame = plan.frames * (i + 1) / (plan.clicks + 1);
        marks.push_back({frame, plan.channels == 2 ? int(i % 2) : 0});
    }
    return marks;
}

std::vector<uint8_t> waveHeader(uint16_t channels, uint32_t rate, uint16_t bits, uint32_t data) {
    std::vector<uint8_t> h;
    const uint16_t align = uint16_t(channels * (bits / 8));
    h.insert(h.end(), {'R', 'I', 'F', 'F'});
    putLe(h, 36 + data, 4);
    h.insert(h.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(h, 16, 4);
    putLe(h, 1, 2);
    putLe(h, channels, 2);
    putLe(h, rate, 4);
    putLe(h, rate * align, 4);
    putLe(h, align, 2);
    putLe(h, bits, 2);
    h.insert(h.end(), {'d', 'a', 't', 'a'});
    putLe(h, data, 4);
    return h;
}

std::vector<uint8_t> makeRecording(const RecordingPlan& plan) {
    std::vector<uint8_t> out = waveHeader(plan.channels, plan.rate, plan.bits, dataBytes(plan));
    out.reserve(out.size() + dataBytes(plan));
    appendFrames(out, plan, clickMarks(plan), 0, plan.frames);
    return out;
}

bool writeRecording(OutputFile& out, const RecordingPlan& plan) {
    const std::vector<ClickMark> clicks = clickMarks(plan);
    std::vector<uint8_t> chunk = waveHeader(plan.channels, plan.rate, plan.bits, dataBytes(plan));
    constexpr uint64_t kFramesPerChunk = 65536;
    for (uint64_t f = 0; f < plan.frames; f += kFramesPerChunk) {
        appendFrames(chunk, plan, clicks, f, std::min(plan.frames, f + kFramesPerChunk));
        if (out.write(chunk.data(), chunk.size()) != chunk.size()) return false;
        chunk.clear();
    }
    if (!chunk.empty() && out.write(chunk.data(), chunk.size()) != chunk.size()) return false;
    return true;
}
