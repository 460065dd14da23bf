#include "audio_file/page_read.h"

#include <gtest/gtest.h>

#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/wave_builder.h"

namespace {

TEST(PageOffset, EditFileAndBackupFileReadTheSameFrame) {
    WaveInfo edit, backup;
    edit.dataOffset = 44;
    backup.dataOffset = 80;
    EXPECT_EQ(pageFileOffset(1044, edit, nullptr), 1044u);
    EXPECT_EQ(pageFileOffset(1044, edit, &backup), 1080u);
    backup.dataOffset = 44;
    edit.dataOffset = 68;
    EXPECT_EQ(pageFileOffset(68, edit, &backup), 44u);
}

struct Read {
    const char* name;
    const char* path;  // "f.wav" holds 1000 pattern bytes
    uint64_t offset;
    size_t length, room;  // bytes asked for, bytes the buffer holds
    bool eightBit, ok;
    size_t got;
};
const Read kReads[] = {
    {"ShortReadAtTheEndOfTheFile", "f.wav", 700, 500, 600, false, true, 300},
    {"ShortReadAtTheEndOfAnEightBitFile", "f.wav", 700, 500, 600, true, true, 300},
    {"NeverWritesPastTheBuffer", "f.wav", 0, 1000, 100, false, true, 100},
    {"OffsetPastTheEndReadsSilence", "f.wav", 5000, 16, 16, false, true, 0},
    {"UnopenableFileFailsWithoutMessage", "missing.wav", 0, 16, 16, true, false, 0},
};
class PageRead : public ::testing::TestWithParam<Read> {};
TEST_P(PageRead, ReadsAndFillsTheRestWithSilence) {
    const Read& r = GetParam();
    MemoryFileSystem fs;
    const Bytes file = pattern(1000);
    fs.files["f.wav"] = file;
    Bytes buffer(r.room + 10, 0x55);
    size_t got = 7;
    EXPECT_EQ(readPage(fs, r.path, r.offset, r.length, buffer.data(), r.room, r.eightBit, got), r.ok);
    ASSERT_EQ(got, r.got);
    if (got) {
        EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + long(got), file.begin() + long(r.offset)));
    }
    for (size_t i = got; i < r.room; ++i) ASSERT_EQ(buffer[i], r.eightBit ? 0x80 : 0) << i;
    for (size_t i = r.room; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0x55) << "past the buffer";
}
INSTANTIATE_TEST_SUITE_P(Pages, PageRead, ::testing::ValuesIn(kReads),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
