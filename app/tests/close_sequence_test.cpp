#include "app/close_sequence.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "app/tests/memory_ini_store.h"
#include "audio_file/change_check.h"
#include "audio_file/tests/memory_file_system.h"
#include "audio_file/tests/progress_script.h"
#include "audio_file/tests/wave_builder.h"
#include "audio_file/wave_reader.h"

namespace {

const std::string kEdit = "C:\\rec\\take1.wav";
const std::string kProposed = "C:\\rec\\take1_N.wav";
const std::string kNoHint = "「いいえ」を選択すると保存しないで終了します。";

// The user, scripted: answers to the questions in order, and per save-as
// dialog either a name (empty: keep the proposal) or a cancel.
struct ScriptedShell final : CloseShell {
    std::deque<Answer> answers;
    std::deque<std::string> names;  // "cancel" cancels the dialog
    std::vector<Message> asked, shown;
    std::vector<std::string> proposed;
    ScriptedProgress bar;
    std::function<void()> afterShow;

    Answer ask(const Message& q) override {
        asked.push_back(q);
        if (answers.empty()) return Answer::no;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void show(const Message& m) override {
        shown.push_back(m);
        if (afterShow) afterShow();
    }
    bool chooseSaveName(std::string& path) override {
        proposed.push_back(path);
        std::string name = names.empty() ? std::string() : names.front();
        if (!names.empty()) names.pop_front();
        if (name == "cancel") return false;
        if (!name.empty()) path = name;
        return true;
    }
    Progress& progress() override { return bar; }
};

struct Session {
    MemoryFileSystem fs;
    MemoryIniStore ini;
    WaveInfo info;
    FileImage image;
    ExitFiles files;
    Settings settings;
    ScriptedShell shell;
    Bytes original = simpleWave(2, 16, 44100 * 3);  // three seconds

    Session() {
        fs.files[kEdit] = original;
        fs.touch(kEdit);
        EXPECT_TRUE(validateWave(fs, kEdit, FileRole::edit, info).ok());
        SilentProgress silent;
        EXPECT_TRUE(loadFileImage(fs, kEdit, info, 1ull << 40, image, silent).ok());
        files.editPath = kEdit;
        files.saveFileName = kProposed;
        readStartSettings(ini, settings);
    }
    Bytes imageBytes() const { return Bytes(image.bytes(), image.bytes() + image.imageSize); }
    CloseResult close() { return runCloseSequence(info, image, files, settings, fs, ini, shell); }
};

std::string changedQuestion(const char* time) {
    return std::string("データは ") + time + " 以降で変更されています、保存しますか。\n\n" + kNoHint;
}

TEST(SaveQuestion, TextsForEveryKindOfPosition) {
    WaveInfo info;
    info.imageSize = 44 + 44100 * 4 * 70;
    info.frameBytes = 4;
    info.format.samplesPerSecond = 44100;
    const Message unknown = saveQuestion(unknownChange(info.imageSize), info);
    EXPECT_EQ(unknown.text, "データを保存しますか。\n\n" + kNoHint);
    EXPECT_EQ(unknown.caption, "保存場所の選択");
    EXPECT_EQ(unknown.buttons, Buttons::yesNo);
    EXPECT_EQ(saveQuestion(44, info).text, changedQuestion("00分00秒000"));
    EXPECT_EQ(saveQuestion(44 + 44100 * 4 * 65 + 4 * 441 * 25, info).text, changedQuestion("01分05秒250"));
}

TEST(Close, NoEditsAsksNothingAndWritesOnlyTheExitSettings) {
    Session s;
    const CloseResult r = s.close();
    EXPECT_EQ(r.changePosition, noChange(s.image.imageSize));
    EXPECT_FALSE(r.saved);
    EXPECT_TRUE(s.shell.asked.empty());
    EXPECT_TRUE(s.shell.shown.empty());
    EXPECT_EQ(s.fs.files.size(), 1u);
    EXPECT_EQ(s.fs.files[kEdit], s.original);
    EXPECT_EQ(s.ini.value("CANCELMSG", "msg2"), "1");
    EXPECT_EQ(s.ini.value("CANCELMSG", "msg3"), "1");
    EXPECT_EQ(s.ini.value("BEFORDATE", "wTime"), "");
    EXPECT_EQ(s.shell.bar.kind, ProgressKind::verify);
}

TEST(Close, EditAtTheFirstSampleIsNamedAndSavedToTheProposedName) {
    Session s;
    s.image.bytes()[44] ^= 0x55;
    s.settings.screenWidth = 960;
    s.settings.channel = 1;
    s.settings.zoomFrameLeft = {300, 2, 3, 4, 5, 6};
    s.settings.page = 2;
    s.shell.answers = {Answer::yes};
    const CloseResult r = s.close();
    EXPECT_EQ(r.changePosition, 44u);
    ASSERT_EQ(s.shell.asked.size(), 1u);
    EXPECT_EQ(s.shell.asked[0].text, changedQuestion("00分00秒000"));
    EXPECT_EQ(s.shell.proposed, std::vector<std::string>{kProposed});
    EXPECT_TRUE(r.saved);
    EXPECT_EQ(s.fs.files[kProposed], s.imageBytes());
    EXPECT_EQ(s.fs.files[kEdit], s.original);
    EXPECT_EQ(s.fs.files.size(), 2u);
    ASSERT_EQ(s.shell.shown.size(), 1u);
    EXPECT_EQ(s.shell.shown[0].text, kProposed + " に書込みました。");
    // The view and the stamp for the next start; the INI file carries the stamp.
    FileTime saved;
    ASSERT_TRUE(s.fs.lastWriteTime(kProposed, saved));
    EXPECT_EQ(s.ini.value("BEFORDATE", "SS"), "960");
    EXPECT_EQ(s.ini.value("BEFORDATE", "CH"), "1");
    EXPECT_EQ(s.ini.value("BEFORDATE", "SP"), encodeFrameLefts({300, 2, 3, 4, 5, 6}));
    EXPECT_EQ(s.ini.value("BEFORDATE", "DP"), "2");
    EXPECT_EQ(s.ini.value("BEFORDATE", "wTime"), encodeStamp(saved));
    EXPECT_EQ(s.ini.time, saved);
}

TEST(Close, SaveOverTheOriginalWhenAppendingIsOff) {
    Session s;
    s.settings.appendNOnSave = 0;
    s.image.bytes()[1000] ^= 1;
    s.shell.answers = {Answer::yes};
    ASSERT_TRUE(s.close().saved);
    EXPECT_EQ(s.shell.proposed, std::vector<std::string>{kEdit});
    EXPECT_EQ(s.fs.files[kEdit], s.imageBytes());
    EXPECT_EQ(s.fs.files.size(), 1u);
    EXPECT_EQ(s.ini.value("CANCELMSG", "msg3"), "0");
    EXPECT_EQ(s.files.saveFileName, kEdit);
}

TEST(Close, FailedSaveOrCancelledSaveAsLeavesTheOriginalAndAsksAgain) {
    for (const bool dialogCancelled : {false, true}) {
        Session s;
        s.settings.appendNOnSave = 0;
        s.image.bytes()[1000] ^= 1;
        s.shell.answers = {Answer::yes, Answer::no};
        if (dialogCancelled) {
            s.shell.names = {"cancel"};
        } else {
            s.fs.writeLimit = 4000;  // the disk fills up
        }
        EXPECT_FALSE(s.close().saved);
        ASSERT_EQ(s.shell.asked.size(), 2u);  // the question came back
        EXPECT_EQ(s.shell.asked[1].text, s.shell.asked[0].text);
        ASSERT_EQ(s.shell.shown.size(), dialogCancelled ? 0u : 1u);
        if (!dialogCancelled) {
            EXPECT_EQ(s.shell.shown[0].text, kEdit + " の書込みに失敗しました。");
        }
        EXPECT_EQ(s.fs.files[kEdit], s.original);
        EXPECT_EQ(s.fs.files.size(), 1u);
        EXPECT_EQ(s.ini.value("BEFORDATE", "wTime"), "");
    }
}

TEST(Close, AfterAFailureAnotherPlaceCanBeChosen) {
    Session s;
    s.image.bytes()[1000] ^= 1;
    s.fs.createFails = true;  // a read-only folder
    s.shell.answers = {Answer::yes, Answer::yes};
    s.shell.names = {"", "D:\\elsewhere.wav"};
    s.shell.afterShow = [&] { s.fs.createFails = false; };
    const CloseResult r = s.close();
    EXPECT_TRUE(r.saved);
    ASSERT_EQ(s.shell.shown.size(), 2u);
    EXPECT_EQ(s.shell.shown[0].text, "ファイルのオープンに失敗しました。");
    EXPECT_EQ(s.shell.proposed, (std::vector<std::string>{kProposed, kProposed}));
    EXPECT_EQ(s.fs.files["D:\\elsewhere.wav"], s.imageBytes());
    EXPECT_EQ(s.files.saveFileName, "D:\\elsewhere.wav");
}

TEST(Close, CancelledSaveEndsWithoutSavingAndAsksNoMore) {
    Session s;
    s.image.bytes()[1000] ^= 1;
    s.shell.bar.cancelAtStep = 10;
    s.shell.bar.answer = Answer::yes;
    s.shell.answers = {Answer::yes, Answer::yes};
    const CloseResult r = s.close();
    EXPECT_FALSE(r.saved);
    EXPECT_EQ(s.shell.asked.size(), 1u);
    EXPECT_EQ(s.fs.files.size(), 1u);  // no partial file, no temporary file
    EXPECT_EQ(s.fs.files[kEdit], s.original);
}

struct NoCheck {
    const char* name;
    void (*arrange)(Session&);
    const char* shown;  // the message before the question; empty: none
    const char* caption;
    int barOpens;
    const char* msg2;
};
const NoCheck kNoChecks[] = {
    {"CheckSwitchedOff", [](Session& s) { s.settings.changeCheckAtExit = 0; }, "", "", 0, "0"},
    {"CheckFailed", [](Session& s) { s.fs.readLimit = 100; }, "データ変更チェックに失敗しました。",
     "ファイル読込エラー", 1, "1"},
    {"CheckCancelled",
     [](Session& s) {
         s.shell.bar.cancelAtStep = 100; /* after the one page */
     },
     "", "", 1, "1"},
};
class WithoutCheck : public ::testing::TestWithParam<NoCheck> {};
TEST_P(WithoutCheck, AsksTheUnknownQuestion) {
    const NoCheck& c = GetParam();
    Session s;
    c.arrange(s);
    EXPECT_EQ(s.close().changePosition, unknownChange(s.image.imageSize));
    ASSERT_EQ(s.shell.asked.size(), 1u);
    EXPECT_EQ(s.shell.asked[0].text, "データを保存しますか。\n\n" + kNoHint);
    ASSERT_EQ(s.shell.shown.size(), *c.shown ? 1u : 0u);
    if (*c.shown) {
        EXPECT_EQ(s.shell.shown[0].text, c.shown);
        EXPECT_EQ(s.shell.shown[0].caption, c.caption);
    }
    EXPECT_EQ(s.shell.bar.opens, c.barOpens);
    EXPECT_EQ(s.ini.value("CANCELMSG", "msg2"), c.msg2);
}
INSTANTIATE_TEST_SUITE_P(Close, WithoutCheck, ::testing::ValuesIn(kNoChecks),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Close, ConvertedWaveIsDeletedUnlessSaved) {
    Session s;
    s.files.convertedFromMp3 = true;
    s.files.saveFileName = kEdit;  // the converted file is the edit file
    s.close();
    EXPECT_TRUE(s.fs.files.empty());
    EXPECT_TRUE(s.shell.asked.empty());

    Session saved;
    saved.files.convertedFromMp3 = true;
    saved.files.saveFileName = kEdit;
    saved.image.bytes()[50] ^= 1;
    saved.shell.answers = {Answer::yes};
    EXPECT_TRUE(saved.close().saved);
    EXPECT_EQ(saved.fs.files[kEdit], saved.imageBytes());
}

TEST(Close, RepairedHeaderIsNoChangeButSavesTheRepair) {
    Session s;
    Bytes damaged = riffFile({chunk("fmt ", fmtPayload(pcmFormat(2, 16))), chunk("data", pattern(4000), 5000)});
    s.fs.files[kEdit] = damaged;
    ASSERT_TRUE(validateWave(s.fs, kEdit, FileRole::edit, s.info).ok());
    ASSERT_TRUE(s.info.headerRepaired);
    SilentProgress silent;
    ASSERT_TRUE(loadFileImage(s.fs, kEdit, s.info, 1ull << 40, s.image, silent).ok());
    EXPECT_EQ(s.close().changePosition, noChange(s.image.imageSize));
    EXPECT_TRUE(s.shell.asked.empty());

    s.settings.changeCheckAtExit = 0;
    s.shell.answers = {Answer::yes};
    ASSERT_TRUE(s.close().saved);
    const Bytes& written = s.fs.files[kProposed];
    EXPECT_EQ(getLe32(written, 40), 4000u);  // the data size as repaired
    EXPECT_EQ(written, s.imageBytes());
}

TEST(Close, ExitWithoutSaveRestoresTheIniStamp) {
    Session s;
    const FileTime stamp{123, 0x01DA0000};
    s.settings.wTime = stamp;
    s.settings.iniTimeAtStart = s.ini.time;
    s.close();
    EXPECT_EQ(s.ini.time, stamp);
}

}  // namespace
