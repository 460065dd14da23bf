#include "edit/sample_access.h"

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
TEST_P(ReadSample, Converts) {
    EXPECT_EQ(readSample(GetParam().bytes.data(), 0, GetParam().bps), GetParam().value);
}
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

TEST(SampleRoundTrip, Every8And16BitValue) {
    uint8_t b[2];
    for (int u = 0; u < 256; ++u) {
        b[0] = uint8_t(u);
        const SampleValue v = readSample(b, 0, 1);
        b[0] = 0;
        writeSample(b, 0, v, 1);
        ASSERT_EQ(b[0], u);
    }
    for (int s = 0; s < 65536; ++s) {
        b[0] = uint8_t(s), b[1] = uint8_t(s >> 8);
        const SampleValue v = readSample(b, 0, 2);
        ASSERT_TRUE(inRange(v));
        b[0] = b[1] = 0;
        writeSample(b, 0, v, 2);
        ASSERT_EQ(b[0] | b[1] << 8, s);
    }
}

TEST(SampleRoundTrip, SampledTwentyFourBitValues) {
    uint8_t b[3];
    for (uint32_t t = 0; t < (1u << 24); t += 4099) {
        for (uint32_t x : {t, t ^ 0xFFFFFFu}) {
            b[0] = uint8_t(x), b[1] = uint8_t(x >> 8), b[2] = uint8_t(x >> 16);
            const SampleValue v = readSample(b, 0, 3);
            ASSERT_EQ(v, x >= 0x800000 ? SampleValue(x) - 0x1000000 : SampleValue(x));
            b[0] = b[1] = b[2] = 0;
            writeSample(b, 0, v, 3);
            ASSERT_EQ(uint32_t(b[0] | b[1] << 8 | b[2] << 16), x);
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
