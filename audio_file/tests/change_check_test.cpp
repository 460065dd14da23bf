#include "audio_file/change_check.h"

#include <gtest/gtest.h>

#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/progress_script.h"
#include "audio_file/tests/wave_builder.h"
#include "audio_file/wave_reader.h"

namespace {

constexpr uint64_t kPlentyOfMemory = 1ull << 40;

// A file loaded into its image, then checked against the file on disk.
struct Checked {
    MemoryFileSystem fs;
    WaveInfo info;
    FileImage image;
    ScriptedProgress progress;
    uint64_t position = 0;

    explicit Checked(const Bytes& file) {
        fs.files["f.wav"] = file;
        const Status v = validateWave(fs, "f.wav", FileRole::edit, info);
        EXPECT_TRUE(v.ok());
        SilentProgress silent;
        const Status l = loadFileImage(fs, "f.wav", info, kPlentyOfMemory, image, silent);
        EXPECT_TRUE(l.ok());
    }
    Status check(int32_t width = 640) { return checkForChanges(fs, "f.wav", info, image, width, progress, position); }
};

// Stereo 16-bit at width 640: a page is 512 x 640 x 4 = 1310720 bytes.
constexpr uint32_t kPage640 = 1310720;
constexpr uint32_t kFramesTwoAndAHalfPages = (2 * kPage640 + kPage640 / 2) / 4;

TEST(ChangeCheck, UnchangedImageIsNoChangeAndTheFileIsNotHeldExclusively) {
    Checked c(simpleWave(2, 16, kFramesTwoAndAHalfPages));
    const int exclusiveOpens = c.fs.exclusiveOpens;
    const Status s = c.check();
    EXPECT_TRUE(s.ok());
    EXPECT_TRUE(s.message.empty());
    EXPECT_EQ(c.position, noChange(c.image.imageSize));
    EXPECT_EQ(c.progress.kind, ProgressKind::verify);
    EXPECT_EQ(c.progress.opens, 1);
    EXPECT_EQ(c.progress.closes, 1);
    EXPECT_EQ(c.progress.steps, 100);  // the bar ends full, whatever the page count
    EXPECT_EQ(c.progress.pumps, 3);    // once a page
    EXPECT_EQ(c.fs.exclusiveOpens, exclusiveOpens);
}

// The data chunk claims 4002 bytes but the file holds 3002: the image ends at
// the last whole frame, the two bytes of the partial frame stay on disk.
Bytes repairedFile() {
    return riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", pattern(3002), 4002)}, 4038);
}

struct Change {
    const char* name;
    const Bytes* file;  // shared: the rows do not each hold a copy
    int32_t width;
    uint64_t at;  // image offset of the changed byte
};
const Bytes kLong = simpleWave(2, 16, kFramesTwoAndAHalfPages);
const Bytes kSinglePage = simpleWave(1, 8, 1000);
const Bytes kRepaired = repairedFile();
const Change kChanges[] = {
    {"FirstSampleByteAfterHeader", &kLong, 640, 44},
    {"FirstByteOfTheFile", &kLong, 640, 0},
    {"LastByteOfFirstPage", &kLong, 640, kPage640 - 1},
    {"FirstByteOfSecondPage", &kLong, 640, kPage640},
    {"LastPartialPage", &kLong, 640, 2 * kPage640 + 1000},
    {"VeryLastByte", &kLong, 640, 44 + kFramesTwoAndAHalfPages * 4 - 1},
    {"WideScreenSecondPage", &kLong, 1280, 2 * kPage640 + 1},
    {"NarrowestRightChannel", &kLong, 960, 44 + 2},
    {"LastByteOfASinglePageFile", &kSinglePage, 640, 44 + 1000 - 1},
    {"RepairedHeaderLastByteOfTheImage", &kRepaired, 640, 44 + 3000 - 1},
};
class ChangeFound : public ::testing::TestWithParam<Change> {};
TEST_P(ChangeFound, AtTheFirstDifferingByte) {
    Checked c(*GetParam().file);
    const Change& row = GetParam();
    c.image.bytes()[row.at] ^= 0x01;
    c.image.bytes()[row.at + 1] ^= 0x80;  // a later change does not hide the first
    EXPECT_TRUE(c.check(row.width).ok());
    EXPECT_EQ(c.position, row.at);
    EXPECT_EQ(c.progress.closes, 1);
}
INSTANTIATE_TEST_SUITE_P(ChangeCheck, ChangeFound, ::testing::ValuesIn(kChanges),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ChangeCheck, RepairedHeaderWithoutEditsIsNoChange) {
    Checked c(repairedFile());
    ASSERT_TRUE(c.info.headerRepaired);
    ASSERT_EQ(c.image.imageSize, 44u + 3000u);
    ASSERT_EQ(c.fs.files["f.wav"].size(), 44u + 3002u);  // bytes past the image on disk
    EXPECT_TRUE(c.check().ok());
    EXPECT_EQ(c.position, noChange(c.image.imageSize));
}

TEST(ChangeCheck, RepairedHeaderNeverComparesPastTheImage) {
    // Pages counted from the data start reach exactly the image's end, even
    // when the start moves the last page boundary.
    const uint32_t frames = kPage640 / 4 + 5;
    Bytes data = pattern(frames * 4 + 3);
    Checked c(riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", data, frames * 4 + 400)}));
    ASSERT_TRUE(c.info.headerRepaired);
    EXPECT_TRUE(c.check().ok());
    EXPECT_EQ(c.position, noChange(c.image.imageSize));
}

struct Failure {
    const char* name;
    uint32_t frames;
    void (*arrange)(Checked&);
};
const Failure kFailures[] = {
    // The file shrank, or the disk failed.
    {"ShortReadInTheSecondPage", kFramesTwoAndAHalfPages, [](Checked& c) { c.fs.readLimit = kPage640 + 7; }},
    {"ShortLastPage", 1000, [](Checked& c) { c.fs.files["f.wav"].resize(c.image.imageSize - 1); }},
    {"FileGone", 1000, [](Checked& c) { c.fs.files.clear(); }},
};
class CheckFailure : public ::testing::TestWithParam<Failure> {};
TEST_P(CheckFailure, IsAFailureNotASuccess) {
    Checked c(simpleWave(2, 16, GetParam().frames));
    GetParam().arrange(c);
    const Status s = c.check();
    EXPECT_EQ(s.outcome, Outcome::refused);
    EXPECT_EQ(s.message.text, "データ変更チェックに失敗しました。");
    EXPECT_EQ(s.message.caption, "ファイル読込エラー");
    EXPECT_EQ(s.message.buttons, Buttons::ok);
    EXPECT_EQ(c.position, unknownChange(c.image.imageSize));
    EXPECT_EQ(c.progress.opens, 1);
    EXPECT_EQ(c.progress.closes, 1);
}
INSTANTIATE_TEST_SUITE_P(ChangeCheck, CheckFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ChangeCheck, CancelStopsAtOnceWithoutMessage) {
    Checked c(simpleWave(2, 16, kFramesTwoAndAHalfPages));
    c.image.bytes()[2 * kPage640 + 10] ^= 1;  // would be found in the third page
    c.progress.cancelAtStep = 39;             // after the first page (39 percent)
    const Status s = c.check();
    EXPECT_EQ(s.outcome, Outcome::cancelled);
    EXPECT_TRUE(s.message.empty());
    EXPECT_TRUE(c.progress.questions.empty());  // no question: it stops at once
    EXPECT_EQ(c.position, unknownChange(c.image.imageSize));
    EXPECT_EQ(c.progress.closes, 1);
}

}  // namespace
