#include "common/file_times.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "audio_file/tests/memory_file_system.h"

namespace {

TEST(FileTimes, FourAttemptsFiveHundredMillisecondsApart) {
    struct Row {
        int failures;
        bool ok;
        int pauses;
    };
    for (const Row r : {Row{0, true, 0}, Row{1, true, 1}, Row{3, true, 3}, Row{4, false, 3}, Row{9, false, 3}}) {
        MemoryFileSystem fs;
        fs.files["a.ini"] = {};
        fs.touch("a.ini");
        fs.timeFailures = r.failures;
        FileTime t;
        EXPECT_EQ(readFileTime(fs, "a.ini", t), r.ok) << r.failures;
        EXPECT_EQ(fs.pauses, r.pauses) << r.failures;
        EXPECT_EQ(fs.pausedMilliseconds, 500u * unsigned(r.pauses));

        MemoryFileSystem set;
        set.files["a.ini"] = {};
        set.timeFailures = r.failures;
        EXPECT_EQ(writeFileTime(set, "a.ini", {1, 2}), r.ok) << r.failures;
        EXPECT_EQ(set.pauses, r.pauses);
    }
}

// The native file system: a time set is the time read, to the 100 ns.
TEST(FileTimes, PosixRoundTripKeepsEveryTick) {
    const std::string path = ::testing::TempDir() + "velkor_file_times.ini";
    std::ofstream(path) << "[CANCELMSG]\nmsg2=1\n";
    FileSystem& fs = platformFileSystem();
    for (const FileTime want : {FileTime{0x89ABCDEF, 0x01D9A2B3}, FileTime{1, 0x01D00000}, FileTime{0, 0x019DB1DE}}) {
        ASSERT_TRUE(writeFileTime(fs, path, want));
        FileTime got;
        ASSERT_TRUE(readFileTime(fs, path, got));
        EXPECT_EQ(got, want);
    }
    std::remove(path.c_str());
    FileTime none;
    EXPECT_FALSE(fs.lastWriteTime(path, none));
    EXPECT_FALSE(fs.setLastWriteTime(path, {1, 2}));
}

TEST(FileTimes, PosixWriteMovesTheTime) {
    const std::string path = ::testing::TempDir() + "velkor_file_times_write.ini";
    std::ofstream(path) << "x";
    FileSystem& fs = platformFileSystem();
    ASSERT_TRUE(fs.setLastWriteTime(path, {0, 0x01D00000}));  // 2014
    std::ofstream(path, std::ios::app) << "y";
    FileTime after;
    ASSERT_TRUE(fs.lastWriteTime(path, after));
    EXPECT_GT(after.high, 0x01D00000u);
    std::remove(path.c_str());
}

}  // namespace
