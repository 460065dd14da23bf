#include "audio_file/sample_access.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ReadRow {
    const char* name;
    std::vector<uint8_t> bytes;
    uint32_t bps;
    SampleValue value;
};

const ReadRow kReads[] = {
    {"Byte0", {0x00}, 1, -8388608},
    {"Byte255", {0xFF}, 1, 8323072},
    {"Byte128IsSilence", {0x80}, 1, 0},
    {"WordMinusOne", {0xFF, 0xFF}, 2, -256},
    {"WordMin", {0x00, 0x80}, 2, -8388608},
    {"WordMax", {0xFF, 0x7F}, 2, 8388352},
    {"TripleMinusOne", {0xFF, 0xFF, 0xFF}, 3, -1},
    {"TripleMin", {0x00, 0x00, 0x80}, 3, -8388608},
    {"TripleMax", {0xFF, 0xFF, 0x7F}, 3, 8388607},
    {"UnknownWidthReadsAsByte", {0x81, 0x55}, 4, 65536},
};

class ReadSample : public ::testing::TestWithParam<ReadRow> {};
TEST_P(ReadSample, Converts) { EXPECT_EQ(readSample(GetParam().bytes.data(), 0, GetParam().bps), GetParam().value); }
INSTANTIATE_TEST_SUITE_P(Samples, ReadSample, ::testing::ValuesIn(kReads),
                         [](const auto& row) { return std::string(row.param.name); });

struct WriteRow {
    const char* name;
    SampleValue value;
    uint32_t bps;
    std::vector<uint8_t> bytes;
};

const WriteRow kWrites[] = {
    {"ByteTop", 8323072, 1, {0xFF}},
    {"ByteLowBitsDropped", 65535, 1, {0x80}},
    {"ByteNegativeFloors", -1, 1, {0x7F}},
    {"WordWriteMinusOne", -1, 2, {0xFF, 0xFF}},
    {"WordWrapsNeverClamps", 8388608, 2, {0x00, 0x80}},
    {"WordNegativeFloors", -257, 2, {0xFE, 0xFF}},
    {"TripleWraps", 8388608, 3, {0x00, 0x00, 0x80}},
    {"TripleWriteMinusOne", -1, 3, {0xFF, 0xFF, 0xFF}},
    {"UnknownWidthWritesNothing", 12345, 4, {0xAA, 0xAA, 0xAA}},
};

class WriteSample : public ::testing::TestWithParam<WriteRow> {};
TEST_P(WriteSample, Converts) {
    std::vector<uint8_t> out(GetParam().bytes.size(), 0xAA);
    writeSample(out.data(), 0, GetParam().value, GetParam().bps);
    EXPECT_EQ(out, GetParam().bytes);
}
INSTANTIATE_TEST_SUITE_P(Samples, WriteSample, ::testing::ValuesIn(kWrites),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(SampleRoundTrip, Every8And16BitValueAndSampled24BitValues) {
    for (uint32_t bps : {1u, 2u, 3u}) {
        const uint32_t count = 1u << (8 * bps);
        for (uint32_t t = 0; t < count; t += bps == 3 ? 4099 : 1) {
            for (uint32_t x : {t, t ^ (count - 1)}) {
                uint8_t b[3] = {uint8_t(x), uint8_t(x >> 8), uint8_t(x >> 16)};
                // 8-bit is offset binary, wider samples two's complement; all held at 24 bits.
                const int64_t held = bps == 1 ? int64_t(x) - 128 : int64_t(x) - (x >= count / 2 ? int64_t(count) : 0);
                const SampleValue v = readSample(b, 0, bps);
                ASSERT_EQ(v, held * (1 << (8 * (3 - bps)))) << bps << " " << x;
                b[0] = b[1] = b[2] = 0;
                writeSample(b, 0, v, bps);
                ASSERT_EQ(uint32_t(b[0] | b[1] << 8 | b[2] << 16), x);
            }
        }
    }
}

TEST(InRange, Boundaries) {
    EXPECT_TRUE(inRange(8388607));
    EXPECT_FALSE(inRange(8388608));
    EXPECT_TRUE(inRange(-8388608));
    EXPECT_FALSE(inRange(-8388609));
    EXPECT_FALSE(inRange(int64_t(1) << 40));
}

}  // namespace
