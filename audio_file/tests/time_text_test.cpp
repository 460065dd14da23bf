#include "audio_file/time_text.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* name;
    uint64_t bytes;
    uint32_t frameBytes, rate;
    const char* text;
};

const Row kRows[] = {
    {"Zero", 0, 4, 44100, "00分00秒000"},
    {"OneMinuteOneAndAHalfSeconds", 10848600, 4, 44100, "01分01秒500"},
    {"HeaderBytesOnly", 44, 4, 44100, "00分00秒000"},
    {"TruncatesEveryDivision", 44100 * 4 - 1, 4, 44100, "00分00秒999"},
    {"RateInHundredsTruncated", 22050 * 2, 2, 22050, "00分01秒002"},  // 22050 x 10 / 220
    {"MinutesPastNinetyNine", 44100ull * 4 * 60 * 125, 4, 44100, "125分00秒000"},
    {"LargestRiffFile", 0xFFFFFFFFull, 1, 8000, "8947分50秒911"},
    {"Beyond32Bits", 0x100000000ull * 6, 6, 96000, "745分39秒242"},
};

class TimeText : public ::testing::TestWithParam<Row> {};

TEST_P(TimeText, Formats) {
    const Row& r = GetParam();
    EXPECT_EQ(timeText(r.bytes, r.frameBytes, r.rate), r.text);
}

INSTANTIATE_TEST_SUITE_P(Bytes, TimeText, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TimeText, UnusableFormatReadsZero) {
    EXPECT_EQ(timeText(1000, 0, 44100), "00分00秒000");
    EXPECT_EQ(timeText(1000, 4, 99), "00分00秒000");
}

}  // namespace
