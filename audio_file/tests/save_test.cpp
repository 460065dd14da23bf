#include "audio_file/save.h"

#include <gtest/gtest.h>

#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/progress_script.h"
#include "audio_file/tests/wave_builder.h"

namespace {

const std::string kTarget = "C:\\rec\\take1_N.wav";
const std::string kEdit = "C:\\rec\\take1.wav";

struct Saving {
    MemoryFileSystem fs;
    ScriptedProgress progress;
    Bytes image = simpleWave(2, 16, 2489);  // 10000 bytes: 100 steps of 100
    Bytes original = simpleWave(2, 16, 700, 48000);

    std::vector<std::string> inUse{kEdit};
    Status save() { return saveImage(fs, kTarget, image.data(), uint32_t(image.size()), progress, inUse); }
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
        s.fs.files[kTarget + ".velkor0.tmp"] = Bytes{1};  // a killed save's: goes all the same
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

TEST(Save, RemovesWhatKilledSavesLeftAndNothingElse) {
    Saving s;
    s.fs.files[kEdit] = s.original;
    s.fs.files[kTarget] = s.original;
    for (const char* tail : {".velkor0.tmp", ".velkor1.tmp", ".velkor17.tmp", ".velkor4294967295.tmp", ".velkor.tmp"})
        s.fs.files[kTarget + tail] = Bytes{'R', 'I', 'F', 'F'};
    const char* others[] = {".velkor01.tmp",   ".velkorX.tmp",  ".velkor-1.tmp",
                            ".velkor.tmp.bak", ".velkor0.tmpx", ".velkor42949672950.tmp",
                            ".Velkor0.tmp",    ".velkor0.TMP",  "x.velkor0.tmp"};
    for (const char* tail : others) s.fs.files[kTarget + tail] = Bytes{1};
    s.fs.files["C:\\rec\\take2_N.wav.velkor0.tmp"] = Bytes{2};  // another target's
    const size_t kept = s.fs.files.size() - 5;
    ASSERT_TRUE(s.save().ok());
    EXPECT_EQ(s.fs.files[kTarget], s.image);
    EXPECT_EQ(s.fs.files[kEdit], s.original);
    for (const char* tail : others) EXPECT_EQ(s.fs.files[kTarget + tail], Bytes{1}) << tail;
    EXPECT_EQ(s.fs.files["C:\\rec\\take2_N.wav.velkor0.tmp"], Bytes{2});
    EXPECT_EQ(s.fileCount(), kept);
}

TEST(Save, ALeftoverThatCannotGo) {
    // A numbered one is only in the way of nobody: the save goes on.
    Saving s;
    s.fs.files[kTarget + ".velkor0.tmp"] = Bytes{1};
    s.fs.locked.insert(kTarget + ".velkor0.tmp");
    ASSERT_TRUE(s.save().ok());
    EXPECT_EQ(s.fs.files[kTarget], s.image);
    EXPECT_EQ(s.fileCount(), 2u);
    // The temporary name itself: nothing can be written, and the target stays as it was.
    Saving t;
    t.fs.files[kTarget] = t.original;
    t.fs.files[kTarget + ".velkor.tmp"] = Bytes{1};
    t.fs.locked.insert(kTarget + ".velkor.tmp");
    const Status st = t.save();
    EXPECT_EQ(st.outcome, Outcome::refused);
    EXPECT_EQ(st.message.text, "ファイルのオープンに失敗しました。");
    EXPECT_EQ(st.message.caption, "ファイル書込み");
    EXPECT_EQ(t.fs.files[kTarget], t.original);
    EXPECT_EQ(t.fs.files[kTarget + ".velkor.tmp"], Bytes{1});
    EXPECT_EQ(t.fileCount(), 2u);
}

TEST(Save, FilesTheSessionReadsAreNeverLeftovers) {
    // A leftover opened to rescue it, then saved under the name it was meant for.
    Saving s;
    s.fs.files[kTarget + ".velkor0.tmp"] = s.original;
    s.inUse = {"c:\\REC\\TAKE1_N.WAV.velkor0.tmp"};  // as the user typed it
    ASSERT_TRUE(s.save().ok());
    EXPECT_EQ(s.fs.files[kTarget + ".velkor0.tmp"], s.original);
    EXPECT_EQ(s.fs.files[kTarget], s.image);
    // One under the temporary name itself is refused rather than written over.
    Saving t;
    t.fs.files[kTarget + ".velkor.tmp"] = t.original;
    t.inUse = {kTarget + ".velkor.tmp"};
    EXPECT_EQ(t.save().message.text, "ファイルのオープンに失敗しました。");
    EXPECT_EQ(t.fs.files[kTarget + ".velkor.tmp"], t.original);
    EXPECT_EQ(t.fs.files.count(kTarget), 0u);
}

}  // namespace
