#include "audio_file/demo_recording.h"

#include <gtest/gtest.h>

#include <cmath>

#include "audio_file/tests/memory_file_system.h"
#include "audio_file/wave_reader.h"

namespace {

int32_t sampleAt(const std::vector<uint8_t>& file, const RecordingPlan& plan, uint64_t frame, int channel) {
    const size_t bps = plan.bits / 8u;
    const size_t at = 44 + (frame * plan.channels + channel) * bps;
    if (bps == 1) return int32_t(file[at]) - 128;
    if (bps == 2) return int16_t(file[at] | file[at + 1] << 8);
    int32_t v = file[at] | file[at + 1] << 8 | file[at + 2] << 16;
    return v >= 0x800000 ? v - 0x1000000 : v;
}

TEST(DemoRecording, ClicksAtKnownFramesWithKnownShape) {
    struct Row {
        uint16_t bits, channels;
        int32_t fullScale;
    };
    for (const Row row : {Row{8, 1, 127}, Row{16, 2, 32767}, Row{24, 2, 8388607}}) {
        RecordingPlan plan;
        plan.bits = row.bits;
        plan.channels = row.channels;
        plan.frames = 10000;
        plan.clicks = 3;
        const auto file = makeRecording(plan);
        ASSERT_EQ(file.size(), 44 + 10000u * row.channels * row.bits / 8);
        MemoryFileSystem fs;
        fs.files["g.wav"] = file;
        WaveInfo info;
        ASSERT_TRUE(validateWave(fs, "g.wav", FileRole::edit, info).ok()) << row.bits;
        EXPECT_FALSE(info.headerRepaired);
        EXPECT_EQ(info.dataEnd, file.size());
        const auto marks = clickMarks(plan);
        ASSERT_EQ(marks.size(), 3u);
        EXPECT_EQ(marks[0].frame, 2500u);
        EXPECT_EQ(marks[1].frame, 5000u);
        EXPECT_EQ(marks[2].frame, 7500u);
        EXPECT_EQ(marks[1].channel, row.channels == 2 ? 1 : 0);
        for (const ClickMark& m : marks) {
            EXPECT_EQ(sampleAt(file, plan, m.frame, m.channel), std::lround(0.9 * row.fullScale));
            EXPECT_EQ(sampleAt(file, plan, m.frame + 1, m.channel), std::lround(-0.9 * row.fullScale));
            EXPECT_EQ(sampleAt(file, plan, m.frame + 2, m.channel), std::lround(0.45 * row.fullScale));
        }
        // Elsewhere the chord never jumps as far as a click does.
        int32_t largestJump = 0;
        for (uint64_t f = 0; f + 1 < 2500; ++f)
            largestJump = std::max(largestJump, std::abs(sampleAt(file, plan, f + 1, 0) - sampleAt(file, plan, f, 0)));
        EXPECT_LT(largestJump, row.fullScale / 10);
    }
}

TEST(DemoRecording, StreamedEqualsInMemory) {
    RecordingPlan plan;
    plan.frames = 200000;  // several streaming chunks
    MemoryFileSystem fs;
    auto out = fs.create("s.wav");
    ASSERT_TRUE(writeRecording(*out, plan));
    EXPECT_EQ(fs.files["s.wav"], makeRecording(plan));
}

}  // namespace
