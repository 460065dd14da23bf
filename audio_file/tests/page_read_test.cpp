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

TEST(PageRead, ReadsAndFillsTheRestWithSilence) {
    MemoryFileSystem fs;
    const Bytes file = pattern(1000);
    fs.files["f.wav"] = file;
    for (bool eightBit : {false, true}) {
        Bytes buffer(600, 0x55);
        size_t got = 0;
        ASSERT_TRUE(readPage(fs, "f.wav", 700, 500, buffer.data(), buffer.size(), eightBit, got));
        EXPECT_EQ(got, 300u);  // short read at the end of the file
        EXPECT_TRUE(std::equal(file.begin() + 700, file.end(), buffer.begin()));
        for (size_t i = 300; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], eightBit ? 0x80 : 0) << i;
    }
}

TEST(PageRead, NeverWritesPastTheBuffer) {
    MemoryFileSystem fs;
    fs.files["f.wav"] = pattern(1000);
    Bytes buffer(110, 0x55);
    size_t got = 0;
    ASSERT_TRUE(readPage(fs, "f.wav", 0, 1000, buffer.data(), 100, false, got));
    EXPECT_EQ(got, 100u);
    EXPECT_EQ(buffer[100], 0x55);
}

TEST(PageRead, UnopenableFileFailsWithoutMessage) {
    MemoryFileSystem fs;
    Bytes buffer(16, 0x55);
    size_t got = 7;
    EXPECT_FALSE(readPage(fs, "missing.wav", 0, 16, buffer.data(), buffer.size(), true, got));
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(buffer[0], 0x80);
}

TEST(PageRead, OffsetPastTheEndReadsSilence) {
    MemoryFileSystem fs;
    fs.files["f.wav"] = pattern(100);
    Bytes buffer(16, 0x55);
    size_t got = 0;
    ASSERT_TRUE(readPage(fs, "f.wav", 5000, 16, buffer.data(), buffer.size(), false, got));
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(buffer, Bytes(16, 0));
}

}  // namespace
