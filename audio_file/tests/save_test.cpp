#include "audio_file/save.h"

#include <gtest/gtest.h>

#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/progress_script.h"
#include "audio_file/tests/wave_builder.h"

namespace {

const std::string kTarget = "C:\\rec\\take1_N.wav";

struct Saving {
    MemoryFileSystem fs;
    ScriptedProgress progress;
    Bytes image = simpleWave(2, 16, 2489);  // 10000 bytes: 100 steps of 100
    Bytes original = simpleWave(2, 16, 700, 48000);

    Status save() { return saveImage(fs, kTarget, image.data(), uint32_t(image.size()), progress); }
    // Only the target (and whatever the test put there) is left: no temporary file.
    size_t fileCount() const { return fs.files.size(); }
};

TEST(Save, WritesTheImageByteForByteToANewFile) {
    Saving s;
    const Status st = s.save();
    ASSERT_TRUE(st.ok());
    EXPECT_EQ(s.fs.files[kTarget], s.image);
    EXPECT_EQ(s.fileCount(), 1u);
    EXPECT_EQ(st.message.text, "C:\\rec\\take1_N.wav に書込みました。");
    EXPECT_EQ(st.message.caption, "ファイル書込み");
    EXPECT_EQ(s.progress.kind, ProgressKind::fileWrite);  // cancel usable
    EXPECT_EQ(s.progress.steps, 100);
    EXPECT_EQ(s.progress.pumps, 100);
    EXPECT_EQ(s.progress.closes, 1);
    FileTime written;
    EXPECT_TRUE(s.fs.lastWriteTime(kTarget, written));  // the rename kept the time of the last write
}

TEST(Save, OverwritesAnExistingFileInOneStep) {
    Saving s;
    s.fs.files[kTarget] = s.original;
    ASSERT_TRUE(s.save().ok());
    EXPECT_EQ(s.fs.files[kTarget], s.image);
    EXPECT_EQ(s.fileCount(), 1u);
    EXPECT_EQ(s.progress.kind, ProgressKind::fileWriteOverwrite);  // the overwrite note, cancel disabled
}

TEST(Save, StepsCoverATinyImageAndOneNotAMultipleOfAHundred) {
    struct Row {
        Bytes image;
        int steps;
    };
    // 50 bytes in one step; 10099 bytes: step 100, the last write 99 bytes.
    for (const Row& row : {Row{Bytes(50, 7), 1}, Row{pattern(10099), 101}}) {
        Saving s;
        s.image = row.image;
        ASSERT_TRUE(s.save().ok());
        EXPECT_EQ(s.fs.files[kTarget], s.image);
        EXPECT_EQ(s.progress.steps, row.steps);
    }
}

struct Failure {
    const char* name;
    void (*arrange)(MemoryFileSystem&);
    const char* text;
};
const char kWriteFailed[] = "C:\\rec\\take1_N.wav の書込みに失敗しました。";
const Failure kFailures[] = {
    {"WriterFailsAfterFirstBytes", [](MemoryFileSystem& fs) { fs.writeLimit = 1; }, kWriteFailed},
    {"WriterFailsHalfWay", [](MemoryFileSystem& fs) { fs.writeLimit = 5050; }, kWriteFailed},
    {"WriterFailsAtLastByte", [](MemoryFileSystem& fs) { fs.writeLimit = 9999; }, kWriteFailed},
    {"FlushFails", [](MemoryFileSystem& fs) { fs.flushFails = true; }, kWriteFailed},
    {"TargetCannotBeReplaced", [](MemoryFileSystem& fs) { fs.replaceFails = true; }, kWriteFailed},
    {"FolderNotWritable", [](MemoryFileSystem& fs) { fs.createFails = true; }, "ファイルのオープンに失敗しました。"},
};
class SaveFailure : public ::testing::TestWithParam<Failure> {};
TEST_P(SaveFailure, LeavesTheOriginalUntouchedAndNoTemporaryFile) {
    for (bool targetExists : {true, false}) {
        Saving s;
        if (targetExists) s.fs.files[kTarget] = s.original;
        GetParam().arrange(s.fs);
        const Status st = s.save();
        EXPECT_EQ(st.outcome, Outcome::refused);
        EXPECT_EQ(st.message.text, GetParam().text);
        EXPECT_EQ(st.message.caption, "ファイル書込み");
        EXPECT_EQ(s.fileCount(), targetExists ? 1u : 0u);
        if (targetExists) {
            EXPECT_EQ(s.fs.files[kTarget], s.original);
        }
        EXPECT_EQ(s.progress.opens, 1);
        EXPECT_EQ(s.progress.closes, 1);
    }
}
INSTANTIATE_TEST_SUITE_P(Save, SaveFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Save, CancelConfirmedLeavesTheOriginalAndNoTemporaryFile) {
    Saving s;
    s.fs.files[kTarget] = s.original;
    s.progress.cancelAtStep = 37;
    s.progress.answer = Answer::yes;
    const Status st = s.save();
    EXPECT_EQ(st.outcome, Outcome::cancelled);
    EXPECT_EQ(st.message.text, "C:\\rec\\take1_N.wav の書込みに失敗しました。");
    ASSERT_EQ(s.progress.questions.size(), 1u);
    EXPECT_EQ(s.progress.questions[0].text, "中止ボタンが押されました、データを保存しないで終了します。");
    EXPECT_EQ(s.progress.questions[0].caption, "確認");
    EXPECT_EQ(s.progress.questions[0].buttons, Buttons::yesNo);
    EXPECT_EQ(s.progress.steps, 37);  // stopped at once
    EXPECT_EQ(s.fileCount(), 1u);
    EXPECT_EQ(s.fs.files[kTarget], s.original);
}

TEST(Save, CancelDeclinedWritesOn) {
    Saving s;
    s.progress.cancelAtStep = 37;
    s.progress.answer = Answer::no;
    ASSERT_TRUE(s.save().ok());
    EXPECT_EQ(s.progress.questions.size(), 1u);
    EXPECT_EQ(s.fs.files[kTarget], s.image);
    EXPECT_EQ(s.fileCount(), 1u);
}

TEST(Save, TemporaryFileBesideTheTargetUnderAFreeName) {
    MemoryFileSystem fs;
    EXPECT_EQ(temporarySaveName(fs, kTarget), kTarget + ".velkor0.tmp");
    fs.files[kTarget + ".velkor0.tmp"] = {1};
    fs.files[kTarget + ".velkor1.tmp"] = {2};
    EXPECT_EQ(temporarySaveName(fs, kTarget), kTarget + ".velkor2.tmp");
    Saving s;
    s.fs = fs;
    ASSERT_TRUE(s.save().ok());
    EXPECT_EQ(s.fs.files[kTarget + ".velkor0.tmp"], Bytes{1});  // somebody else's files stay
    EXPECT_EQ(s.fs.files[kTarget + ".velkor1.tmp"], Bytes{2});
    EXPECT_EQ(s.fileCount(), 3u);
}

}  // namespace
