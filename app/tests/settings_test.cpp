#include "app/settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/tests/memory_ini_store.h"
#include "audio_file/tests/memory_file_system.h"

namespace {

std::string structText(std::vector<uint8_t> bytes) { return encodeProfileStruct(bytes.data(), bytes.size()); }

// ---- The profile struct format ----

TEST(ProfileStruct, HexDigitsThenByteSumChecksumReadInEitherCase) {
    // What the Windows profile struct functions store for these bytes.
    EXPECT_EQ(structText({0x01, 0xAB, 0xFF}), "01ABFFAB");  // 0x01 + 0xAB + 0xFF = 0x1AB
    EXPECT_EQ(structText({}), "00");
    EXPECT_EQ(encodeStamp({0x89ABCDEF, 0x01D9A2B3}), "EFCDAB89B3A2D9011F");  // low half first
    FileTime time;
    ASSERT_TRUE(decodeStamp("efcdab89b3a2d9011f", time));
    EXPECT_EQ(time, (FileTime{0x89ABCDEF, 0x01D9A2B3}));
}

TEST(ProfileStruct, RoundTripsEveryByteValue) {
    std::vector<uint8_t> all(24);
    for (int start = 0; start < 256; start += 24) {
        for (size_t i = 0; i < all.size(); ++i) all[i] = uint8_t(start + i);
        std::vector<uint8_t> back(24, 0);
        ASSERT_TRUE(decodeProfileStruct(structText(all), back.data(), back.size()));
        EXPECT_EQ(back, all);
    }
}

struct Damaged {
    const char* name;
    std::string text;
};
const Damaged kDamaged[] = {
    {"BadChecksum", "EFCDAB89B3A2D90120"},
    {"OneDigitShort", "EFCDAB89B3A2D9011"},
    {"OneDigitLong", "EFCDAB89B3A2D9011F0"},
    {"NineBytes", "EFCDAB89B3A2D901008E"},
    {"NotHex", "EFCDAB89B3A2D9G11F"},
    {"Blank", "   "},
    {"Empty", ""},
    {"SignedNumber", "-FCDAB89B3A2D9011F"},
    {"Decimal", "1280"},
};
class DamagedStamp : public ::testing::TestWithParam<Damaged> {};
TEST_P(DamagedStamp, IsRefusedAndLeavesTheOldValue) {
    FileTime time{7, 8};
    EXPECT_FALSE(decodeStamp(GetParam().text, time));
    EXPECT_EQ(time, (FileTime{7, 8}));
}
INSTANTIATE_TEST_SUITE_P(Settings, DamagedStamp, ::testing::ValuesIn(kDamaged),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ProfileStruct, FrameLeftsAreSixSignedLittleEndianIntegers) {
    const std::array<int32_t, kPages> lefts = {600, 1, -2, 70000, 0, 2147483647};
    const std::string text = encodeFrameLefts(lefts);
    EXPECT_EQ(text.size(), 50u);
    EXPECT_EQ(text.substr(0, 8), "58020000");
    EXPECT_EQ(text.substr(16, 8), "FEFFFFFF");
    std::array<int32_t, kPages> back{};
    ASSERT_TRUE(decodeFrameLefts(text, back));
    EXPECT_EQ(back, lefts);
}

// ---- Integers and validation ----

TEST(ProfileInt, ReadsLikeTheProfileFunctions) {
    EXPECT_EQ(parseProfileInt("1280"), 1280);
    EXPECT_EQ(parseProfileInt("  -3"), -3);
    EXPECT_EQ(parseProfileInt("+5"), 5);
    EXPECT_EQ(parseProfileInt("960px"), 960);
    EXPECT_EQ(parseProfileInt("abc"), std::nullopt);
    EXPECT_EQ(parseProfileInt("-"), std::nullopt);
    EXPECT_EQ(parseProfileInt(""), std::nullopt);
    EXPECT_GT(*parseProfileInt("99999999999999999999999999999"), 2147483647);  // saturates, never wraps
    EXPECT_LT(*parseProfileInt("-99999999999999999999999999999"), -2147483647);
}

TEST(Validation, ScreenWidthTakesTheNearestOfThree) {
    struct Row {
        int64_t in;
        int32_t out;
    };
    for (const Row r :
         {Row{640, 640}, Row{960, 960}, Row{1280, 1280}, Row{2000, 1280}, Row{0, 640}, Row{-5000, 640}, Row{799, 640},
          Row{800, 640}, Row{801, 960}, Row{1121, 1280}, Row{1120, 960}, Row{INT64_MAX, 1280}, Row{INT64_MIN, 640}})
        EXPECT_EQ(nearestScreenWidth(r.in), r.out) << r.in;
}

TEST(Validation, ChannelPageAndFlags) {
    EXPECT_EQ(validChannel(1, true), 1);
    EXPECT_EQ(validChannel(1, false), 0);  // a mono file has only the left channel
    EXPECT_EQ(validChannel(7, true), 1);
    EXPECT_EQ(validChannel(-1, true), 0);
    EXPECT_EQ(validPage(9), 5);
    EXPECT_EQ(validPage(-2), 0);
    EXPECT_EQ(validPage(3), 3);
    EXPECT_EQ(validFlag(0), 0);
    EXPECT_EQ(validFlag(1), 1);
    EXPECT_EQ(validFlag(5), 1);
    EXPECT_EQ(validFlag(-1), 1);
}

TEST(Validation, FrameLeftsStayInsideTheirPages) {
    std::array<int32_t, kPages> lefts = {5000, 5000, 5000, 5000, 5000, 5000};
    clampFrameLefts(lefts, 1280);
    // Page 0 any column; page 1 before the last 80 + 1; pages 2-4 before the last 160 + 1; 5 returns to page 4.
    EXPECT_EQ(lefts, (std::array<int32_t, kPages>{1279, 1199, 1119, 1119, 1119, 1119}));
    lefts = {-1, -100, INT32_MIN, 3, 0, -7};
    clampFrameLefts(lefts, 640);
    EXPECT_EQ(lefts, (std::array<int32_t, kPages>{0, 0, 0, 3, 0, 0}));
    lefts = {639, 600, 560, 559, 559, 559};
    clampFrameLefts(lefts, 640);
    EXPECT_EQ(lefts, (std::array<int32_t, kPages>{639, 599, 559, 559, 559, 559}));
}

// ---- Start settings ----

TEST(StartSettings, MissingFileIsCreatedAndOneWithoutATimeIsNoError) {
    struct Row {
        bool present, creatable;
        int timeFailures;
        bool timeKnown;  // without it the resume is ruled out
    };
    for (const Row r : {Row{false, true, 0, true}, Row{false, false, 0, false}, Row{true, true, 1000, false}}) {
        MemoryIniStore ini;
        ini.present = r.present;
        ini.creatable = r.creatable;
        ini.timeFailures = r.timeFailures;
        Settings s;
        s.changeCheckAtExit = s.appendNOnSave = 0;
        readStartSettings(ini, s);
        EXPECT_EQ(ini.present, r.present || r.creatable);
        ASSERT_EQ(s.iniTimeAtStart.has_value(), r.timeKnown);
        if (r.timeKnown) {
            EXPECT_EQ(*s.iniTimeAtStart, ini.time);
        }
        EXPECT_EQ(s.changeCheckAtExit, 1);  // the defaults
        EXPECT_EQ(s.appendNOnSave, 1);
    }
}

TEST(StartSettings, ExitFlagsAreReadAndMadeBoolean) {
    struct Row {
        const char* msg2;
        const char* msg3;
        int32_t check, append;
    };
    for (const Row r : {Row{"0", "0", 0, 0}, Row{"1", "0", 1, 0}, Row{"7", "-3", 1, 1}, Row{"yes", "", 1, 1}}) {
        MemoryIniStore ini;
        ini.present = true;
        ini.values[{"CANCELMSG", "msg2"}] = r.msg2;
        ini.values[{"CANCELMSG", "msg3"}] = r.msg3;
        Settings s;
        readStartSettings(ini, s);
        EXPECT_EQ(s.changeCheckAtExit, r.check) << r.msg2;
        EXPECT_EQ(s.appendNOnSave, r.append) << r.msg3;
    }
}

// ---- The resume test ----

constexpr FileTime kSavedTime{0x5555AAAA, 0x01DA0000};

// An INI file and an edit file as a save followed by an exit leaves them.
struct AfterSave {
    MemoryIniStore ini;
    MemoryFileSystem fs;
    Settings settings;
    std::vector<Message> asked;
    Answer answer = Answer::yes;

    AfterSave() {
        ini.present = true;
        ini.values[{"BEFORDATE", "wTime"}] = encodeStamp(kSavedTime);
        ini.values[{"BEFORDATE", "SS"}] = "960";
        ini.values[{"BEFORDATE", "CH"}] = "1";
        ini.values[{"BEFORDATE", "SP"}] = encodeFrameLefts({100, 20, 30, 40, 50, 60});
        ini.values[{"BEFORDATE", "DP"}] = "3";
        ini.time = kSavedTime;
        fs.files["take1_N.wav"] = {1, 2, 3};
        fs.times["take1_N.wav"] = kSavedTime;
    }
    ResumeResult run(bool stereo = true) {
        readStartSettings(ini, settings);
        return runResumeTest(ini, fs, "take1_N.wav", stereo, settings, [&](const Message& m) {
            asked.push_back(m);
            return answer;
        });
    }
};

TEST(Resume, UnchangedFilesAskAndYesRestoresTheView) {
    AfterSave a;
    EXPECT_EQ(a.run(), ResumeResult::resumed);
    ASSERT_EQ(a.asked.size(), 1u);
    EXPECT_EQ(a.asked[0].text, "前回最後の画面を表示しますか。");
    EXPECT_EQ(a.asked[0].caption, "継続編集");
    EXPECT_EQ(a.asked[0].buttons, Buttons::yesNoCancel);
    EXPECT_TRUE(a.asked[0].topmost);
    EXPECT_EQ(a.settings.screenWidth, 960);
    EXPECT_EQ(a.settings.channel, 1);
    EXPECT_EQ(a.settings.zoomFrameLeft, (std::array<int32_t, kPages>{100, 20, 30, 40, 50, 60}));
    EXPECT_EQ(a.settings.resumedPage, 3);
    EXPECT_EQ(a.settings.wTime, kSavedTime);
}

struct Offer {
    const char* name;
    void (*arrange)(AfterSave&);
    ResumeResult result;
    size_t asked;
    int pauses;  // 500 ms apart
};
const Offer kOffers[] = {
    {"NoKeepsTheStartView", [](AfterSave& a) { a.answer = Answer::no; }, ResumeResult::goOn, 1, 0},
    {"CancelStaysInTheDialog", [](AfterSave& a) { a.answer = Answer::cancel; }, ResumeResult::cancel, 1, 0},
    {"EditFileTouched", [](AfterSave& a) { a.fs.touch("take1_N.wav"); }, ResumeResult::goOn, 0, 0},
    {"IniFileEditedByHand", [](AfterSave& a) { a.ini.tick(); }, ResumeResult::goOn, 0, 0},
    // The zero stamp kept matches nothing.
    {"StampDamaged",
     [](AfterSave& a) {
         a.ini.values[{"BEFORDATE", "wTime"}] = "EFCDAB89B3A2D90120";
     },
     ResumeResult::goOn, 0, 0},
    {"NoIniFile", [](AfterSave& a) { a.ini.creatable = false, a.ini.present = false; }, ResumeResult::goOn, 0, 0},
    {"EditTimeUnreadableInFourAttempts", [](AfterSave& a) { a.fs.timeFailures = 4; }, ResumeResult::goOn, 0, 3},
    {"EditFileHeldOpenBrieflyStillMatches", [](AfterSave& a) { a.fs.timeFailures = 3; }, ResumeResult::resumed, 1, 3},
};
class ResumeOffer : public ::testing::TestWithParam<Offer> {};
TEST_P(ResumeOffer, OnlyForUntouchedFilesAndTheStartViewKeptOtherwise) {
    AfterSave a;
    GetParam().arrange(a);
    EXPECT_EQ(a.run(), GetParam().result);
    EXPECT_EQ(a.asked.size(), GetParam().asked);
    EXPECT_EQ(a.fs.pauses, GetParam().pauses);
    EXPECT_EQ(a.fs.pausedMilliseconds, 500u * unsigned(GetParam().pauses));
    if (GetParam().result == ResumeResult::resumed) return;
    EXPECT_EQ(a.settings.screenWidth, 640);
    EXPECT_EQ(a.settings.resumedPage, 0);
    EXPECT_EQ(a.settings.zoomFrameLeft, (std::array<int32_t, kPages>{}));
}
INSTANTIATE_TEST_SUITE_P(Settings, ResumeOffer, ::testing::ValuesIn(kOffers),
                         [](const auto& row) { return std::string(row.param.name); });

struct Edited {
    const char* name;
    const char* ss;
    const char* ch;
    std::string sp;
    const char* dp;
    bool stereo;
    int32_t width, channel;
    std::array<int32_t, kPages> lefts;
    int32_t page;
};
const Edited kEdited[] = {
    {"AllMissing", "", "", "", "", true, 1280, 0, {0, 0, 0, 0, 0, 0}, 0},
    {"WidthTooLarge", "2000", "0", "", "0", true, 1280, 0, {0, 0, 0, 0, 0, 0}, 0},
    {"WidthBetween", "700", "0", "", "0", true, 640, 0, {0, 0, 0, 0, 0, 0}, 0},
    {"WidthNotANumber", "wide", "0", "", "0", true, 1280, 0, {0, 0, 0, 0, 0, 0}, 0},
    {"PageNine", "640", "0", "", "9", true, 640, 0, {0, 0, 0, 0, 0, 0}, 5},
    {"PageNegative", "640", "0", "", "-1", true, 640, 0, {0, 0, 0, 0, 0, 0}, 0},
    {"RightChannelOnMono", "640", "1", "", "0", false, 640, 0, {0, 0, 0, 0, 0, 0}, 0},
    {"ChannelTwo", "640", "2", "", "0", true, 640, 1, {0, 0, 0, 0, 0, 0}, 0},
    {"FramesBeyondThePage",
     "640",
     "0",
     encodeFrameLefts({700, 640, 600, -5, 1000, 9999}),
     "2",
     true,
     640,
     0,
     {639, 599, 559, 0, 559, 559},
     2},
    {"FramesClampedToTheResumedWidth",
     "2000",
     "0",
     encodeFrameLefts({1279, 1199, 1119, 1119, 1119, 1119}),
     "0",
     true,
     1280,
     0,
     {1279, 1199, 1119, 1119, 1119, 1119},
     0},
    {"FramesBadChecksum",
     "640",
     "0",
     "58020000140000001E000000280000003200000064000000FF",
     "0",
     true,
     640,
     0,
     {0, 0, 0, 0, 0, 0},
     0},
};
class HandEdited : public ::testing::TestWithParam<Edited> {};
TEST_P(HandEdited, ValuesAreMadeSafe) {
    const Edited& e = GetParam();
    AfterSave a;
    a.ini.values[{"BEFORDATE", "SS"}] = e.ss;
    a.ini.values[{"BEFORDATE", "CH"}] = e.ch;
    a.ini.values[{"BEFORDATE", "SP"}] = e.sp;
    a.ini.values[{"BEFORDATE", "DP"}] = e.dp;
    ASSERT_EQ(a.run(e.stereo), ResumeResult::resumed);
    EXPECT_EQ(a.settings.screenWidth, e.width);
    EXPECT_EQ(a.settings.channel, e.channel);
    EXPECT_EQ(a.settings.zoomFrameLeft, e.lefts);
    EXPECT_EQ(a.settings.resumedPage, e.page);
}
INSTANTIATE_TEST_SUITE_P(Settings, HandEdited, ::testing::ValuesIn(kEdited),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- Write-back ----

TEST(WriteBack, ResumeValuesAndTheSavedFileStampOrZeroWhenItsTimeIsUnreadable) {
    for (const int timeFailures : {0, 4}) {
        MemoryIniStore ini;
        ini.present = true;
        MemoryFileSystem fs;
        fs.files["out.wav"] = {1};
        fs.times["out.wav"] = kSavedTime;
        fs.timeFailures = timeFailures;
        Settings s;
        s.screenWidth = 1280;
        s.channel = 1;
        s.zoomFrameLeft = {600, 1, 2, 3, 4, 5};
        s.page = 4;
        s.wTime = {1, 2};
        writeResumeValues(ini, fs, "out.wav", s);
        const FileTime stamp = timeFailures ? FileTime{} : kSavedTime;
        EXPECT_EQ(ini.value("BEFORDATE", "SS"), "1280");
        EXPECT_EQ(ini.value("BEFORDATE", "CH"), "1");
        EXPECT_EQ(ini.value("BEFORDATE", "SP"), encodeFrameLefts({600, 1, 2, 3, 4, 5}));
        EXPECT_EQ(ini.value("BEFORDATE", "DP"), "4");
        EXPECT_EQ(ini.value("BEFORDATE", "wTime"), encodeStamp(stamp)) << timeFailures;
        EXPECT_EQ(s.wTime, stamp);
    }
}

TEST(WriteBack, ExitAfterSavePutsTheStampOnTheIniFile) {
    MemoryIniStore ini;
    Settings s;
    readStartSettings(ini, s);
    s.wTime = kSavedTime;
    s.changeCheckAtExit = 0;
    writeExitSettings(ini, s, true);
    EXPECT_EQ(ini.value("CANCELMSG", "msg2"), "0");
    EXPECT_EQ(ini.value("CANCELMSG", "msg3"), "1");
    EXPECT_EQ(ini.time, kSavedTime);
}

TEST(WriteBack, ExitWithoutSaveRestoresTheStampOfAnUntouchedFile) {
    AfterSave a;
    a.answer = Answer::no;
    a.run();
    writeExitSettings(a.ini, a.settings, false);
    EXPECT_EQ(a.ini.time, kSavedTime);  // so the next start still offers the view
    EXPECT_EQ(a.settings.wTime, kSavedTime);
    // And the next start does offer it.
    AfterSave next;
    next.ini = a.ini;
    EXPECT_EQ(next.run(), ResumeResult::resumed);
}

TEST(WriteBack, ExitWithoutSaveLeavesAFileWrittenByOthers) {
    AfterSave a;
    a.answer = Answer::no;
    a.run();
    a.ini.values[{"OTHER", "x"}] = "1";
    a.ini.tick();
    const FileTime written = a.ini.time;
    writeExitSettings(a.ini, a.settings, false);
    EXPECT_EQ(a.settings.wTime.high, 0u);
    EXPECT_EQ(a.ini.timeSets, 0);
    EXPECT_NE(a.ini.time, written);  // the exit settings' own write
    EXPECT_NE(a.ini.time, kSavedTime);
}

TEST(WriteBack, ExitWithUnknownStartTimeNeverStamps) {
    MemoryIniStore ini;
    ini.present = true;
    Settings s;
    s.wTime = kSavedTime;  // iniTimeAtStart unknown
    writeExitSettings(ini, s, false);
    EXPECT_EQ(ini.timeSets, 0);
    EXPECT_EQ(ini.value("CANCELMSG", "msg2"), "1");
}

TEST(WriteBack, ReadOnlyIniFileIsNoError) {
    MemoryIniStore ini;
    ini.present = true;
    ini.writable = false;
    MemoryFileSystem fs;
    Settings s;
    readStartSettings(ini, s);
    writeResumeValues(ini, fs, "gone.wav", s);
    writeExitSettings(ini, s, true);
    EXPECT_EQ(ini.writes, 0);
}

TEST(View, CapturedAndResumed) {
    ViewState view;
    view.screenWidth = 960;
    view.channel = 1;
    view.zoomFrameLeft = {1, 2, 3, 4, 5, 6};
    view.page = 2;
    Settings s;
    captureView(view, s);
    EXPECT_EQ(s.screenWidth, 960);
    EXPECT_EQ(s.page, 2);
    ViewState fresh;
    applyResumedView(s, fresh);
    EXPECT_EQ(fresh.screenWidth, 960);
    EXPECT_EQ(fresh.channel, 1);
    EXPECT_EQ(fresh.zoomFrameLeft, view.zoomFrameLeft);
    EXPECT_EQ(fresh.page, 0);  // the page comes back through the resumed page
}

}  // namespace
