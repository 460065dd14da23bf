#include "app/file_names.h"

#include <gtest/gtest.h>

namespace {

struct SaveName {
    const char* name;
    const char* edit;
    const char* save;
};

const SaveName kSaveNames[] = {
    {"Plain", "C:\\rec\\take1.wav", "C:\\rec\\take1_N.wav"},
    {"UpperCaseExtension", "C:\\rec\\take1.WAV", "C:\\rec\\take1_N.WAV"},
    {"SeveralDots", "C:\\rec\\take.1.final.wav", "C:\\rec\\take.1.final_N.wav"},
    {"NoExtension", "C:\\rec\\take1", "C:\\rec\\take1_N"},
    {"DotOnlyInFolder", "C:\\rec.old\\take1", "C:\\rec.old\\take1_N"},
    {"ForwardSlashFolder", "Z:/home/rec.d/take1", "Z:/home/rec.d/take1_N"},
    {"NonAscii", "C:\\録音\\テイク　１.wav", "C:\\録音\\テイク　１_N.wav"},
    {"SpacesKept", "C:\\My Music\\side a.wav", "C:\\My Music\\side a_N.wav"},
    {"OtherExtension", "C:\\rec\\take1.wave", "C:\\rec\\take1_N.wave"},
    {"BareName", "take1.wav", "take1_N.wav"},
};

class SaveFileName : public ::testing::TestWithParam<SaveName> {};

TEST_P(SaveFileName, AppendsNToTheBaseName) { EXPECT_EQ(saveFileName(GetParam().edit), GetParam().save); }

INSTANTIATE_TEST_SUITE_P(Paths, SaveFileName, ::testing::ValuesIn(kSaveNames),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(FileNames, LongPathKeepsEveryCharacter) {
    const std::string folder = "C:\\" + std::string(200, 'a') + "\\" + std::string(200, 'b') + "\\";
    EXPECT_EQ(saveFileName(folder + std::string(100, 'c') + ".wav"), folder + std::string(100, 'c') + "_N.wav");
}

TEST(FileNames, ShownNameIsNameAndExtension) {
    EXPECT_EQ(displayName("C:\\rec\\take1.wav"), "take1.wav");
    EXPECT_EQ(displayName("Z:/a b/テイク.WAV"), "テイク.WAV");
    EXPECT_EQ(displayName("take1"), "take1");
}

TEST(FileNames, BaseNameNamesTheMutex) {
    EXPECT_EQ(baseName("C:\\Program Files\\Velkor\\velkor.exe"), "velkor");
    EXPECT_EQ(baseName("Z:\\build.1\\velkor"), "velkor");
    EXPECT_EQ(baseName("C:\\x\\v.e.exe"), "v.e");
}

TEST(FileNames, WaveExtensionInAnyCase) {
    EXPECT_TRUE(hasWaveExtension("C:\\a\\take1.wav"));
    EXPECT_TRUE(hasWaveExtension("C:\\a\\take1.WAV"));
    EXPECT_TRUE(hasWaveExtension("C:\\a\\take1.WaV"));
    EXPECT_FALSE(hasWaveExtension("C:\\a\\take1.wave"));
    EXPECT_FALSE(hasWaveExtension("C:\\a\\take1.mp3"));
    EXPECT_FALSE(hasWaveExtension("C:\\a.wav\\take1"));
    EXPECT_FALSE(hasWaveExtension("C:\\a\\take1wav"));
}

TEST(FileNames, SettingsAndHelpBesideTheProgramUnderFixedNames) {
    const ProgramFiles f = programFiles("C:\\Tools\\Editor\\vk2.exe");
    EXPECT_EQ(f.iniPath, "C:\\Tools\\Editor\\Velkor.ini");
    EXPECT_EQ(f.helpPath, "C:\\Tools\\Editor\\Velkor.chm");
}

struct Argument {
    const char* name;
    std::vector<std::string> argv;
    const char* file;
};

const Argument kArguments[] = {
    {"NoArgument", {"velkor.exe"}, ""},
    {"NothingAtAll", {}, ""},
    {"OneFile", {"velkor.exe", "C:\\rec\\take1.wav"}, "C:\\rec\\take1.wav"},
    {"QuotedWithSpacesArrivesWhole", {"velkor.exe", "C:\\My Music\\side a.wav"}, "C:\\My Music\\side a.wav"},
    {"LastOfSeveral", {"velkor.exe", "-x", "first.wav", "second.wav"}, "second.wav"},
    {"LeftoverQuoteDropped", {"velkor.exe", "C:\\My Music\\take.wav\""}, "C:\\My Music\\take.wav"},
    {"EmptyQuotedArgument", {"velkor.exe", ""}, ""},
    {"OnlyBlanks", {"velkor.exe", "  "}, ""},
    {"NonAscii", {"velkor.exe", "Z:\\録音\\テイク１.wav"}, "Z:\\録音\\テイク１.wav"},
};

class CommandLine : public ::testing::TestWithParam<Argument> {};

TEST_P(CommandLine, TakesTheLastArgument) { EXPECT_EQ(commandLineFile(GetParam().argv), GetParam().file); }

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLine, ::testing::ValuesIn(kArguments),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
