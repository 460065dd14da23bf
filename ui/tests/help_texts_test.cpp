#include "ui/help_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/tool_buttons.h"

namespace {

struct Doc {
    std::unique_ptr<Document> doc = std::make_unique<Document>();
    EditSession session;
};

Doc at(int page, int shorteningStart = 0) {
    Doc d;
    d.doc->edit.format.channels = 2;
    d.doc->view.page = page;
    d.doc->view.shorteningStartPage = shorteningStart;
    return d;
}

struct Caption {
    int id;
    const char* text;
};

const Caption kCaptions[] = {
    {120, "倍率縮小"},  // the spectrum window's tooltips
    {121, "倍率拡大"},
    {122, "最大値を 0db にした相対表示"},
    {2001, "やり直し"},
    {2002, "元へ戻す"},
    {2003, "全体上へ"},
    {2004, "全体下へ"},
    {2005, "左肩下がり"},
    {2006, "左肩上がり"},
    {2007, "右肩上がり"},
    {2008, "右肩下がり"},
    {2009, "増幅"},
    {2010, "減衰"},
    {2011, "LPF"},
    {2012, "原曲挿入"},
    {2015, "その他の編集ボタン"},
    {2020, "拡大"},
    {2021, "縮小"},
    {2022, "確定"},
    {2023, "全体を演奏"},
    {2024, "選択枠先頭から"},
    {2029, "設定(&C)"},
    {2030, "ヘルプ(&H)"},
    {2031, "編集帯域"},
    {2032, "短縮操作"},
    {2035, "音量 減"},
    {2036, "音量 増"},
    {2050, "復元"},
    {2051, "左へ"},
    {2052, "元の位置へ"},
    {2053, "右へ"},
    {2120, "短縮開始"},
    {2121, "短縮終了"},
    {2123, "3/5頁を演奏"},
    {2124, "選択枠内無音"},
    {2155, "設定(&C)"},
    {2156, "ヘルプ(&H)"},
};

TEST(Captions, EveryNamedString) {
    for (const Caption& c : kCaptions) EXPECT_EQ(captionText(c.id), c.text) << c.id;
    EXPECT_EQ(captionText(123), "");
    EXPECT_EQ(captionText(2000), "");
    EXPECT_EQ(captionText(2013), "");
    EXPECT_EQ(captionText(2157), "");
}

TEST(Captions, EveryButtonHasItsCaption) {
    for (const ToolbarLayout& t : kToolbars)
        for (size_t i = 0; i < t.count; ++i) {
            const ToolButton& b = t.buttons[i];
            if (b.style == ButtonStyle::separator) continue;
            EXPECT_FALSE(captionText(b.command + 1000).empty()) << b.command;
            if (b.style == ButtonStyle::text) {
                EXPECT_FALSE(captionText(b.textString).empty()) << b.command;
            }
        }
}

TEST(Captions, TableAscendsWithoutDuplicates) {
    for (size_t i = 1; i < kCaptionStringCount; ++i) EXPECT_LT(kCaptionStrings[i - 1].id, kCaptionStrings[i].id);
}

struct Tip {
    const char* name;
    int command;
    int page;
    int shorteningStart;
    const char* text;
};

const Tip kTips[] = {
    {"EnlargeNormal", 1020, 4, 0, "拡大"},
    {"EnlargeShortening", 1020, 5, 2, "短縮開始"},
    {"ReduceNormal", 1021, 5, 0, "縮小"},
    {"ReduceShortening", 1021, 5, 3, "短縮終了"},
    {"PlayPage1", 1023, 1, 0, "全体を演奏"},
    {"PlayHalfPage2", 1025, 2, 0, "全体を演奏"},
    {"PlayFullPage3", 1027, 3, 0, "3/5頁を演奏"},
    {"PlayPage5", 1023, 5, 0, "3/5頁を演奏"},
    {"FromFramePage2", 1024, 2, 0, "選択枠先頭から"},
    {"FromFrameHalfPage3", 1026, 3, 0, "選択枠内無音"},
    {"FromFrameFullPage1", 1028, 1, 0, "選択枠先頭から"},
    {"FromFrameFullPage5", 1028, 5, 0, "選択枠内無音"},
    {"StepBack", 1001, 3, 0, "やり直し"},
    {"LowPass", 1011, 3, 0, "LPF"},
    {"OtherEdits", 1015, 3, 0, "その他の編集ボタン"},
    {"Settings", 1029, 3, 0, "設定(&C)"},
    {"Band", 1031, 3, 0, "編集帯域"},
    {"GainDown", 1035, 3, 0, "音量 減"},
    {"Home", 1052, 3, 0, "元の位置へ"},
};

class TooltipRow : public ::testing::TestWithParam<Tip> {};

TEST_P(TooltipRow, Text) {
    const Tip& t = GetParam();
    Doc d = at(t.page, t.shorteningStart);
    EXPECT_EQ(tooltipText(t.command, *d.doc), t.text);
}

INSTANTIATE_TEST_SUITE_P(Buttons, TooltipRow, ::testing::ValuesIn(kTips),
                         [](const auto& info) { return std::string(info.param.name); });

struct Help {
    const char* name;
    int command;
    int page;
    void (*setup)(Doc&);
    const char* text;
};

void none(Doc&) {}
void backup(Doc& d) { d.doc->backupPath = "b.wav"; }
void shorteningFrom2(Doc& d) { d.doc->view.shorteningStartPage = 2; }
void stepped(Doc& d) { d.doc->history.undoIndex = d.doc->history.redoLimit = 1; }
void bandHigh(Doc& d) { d.doc->bandEditing = true, d.session.bandIndex = 7; }
void bandLow(Doc& d) { d.doc->bandEditing = true, d.session.bandIndex = 8; }
void lowIndexOff(Doc& d) { d.session.bandIndex = 12; }
void automatic(Doc& d) { d.doc->shorteningAutoSteps = kShorteningBatchLastStep; }

const Help kHelps[] = {
    {"StepBack", 1001, 3, none, "ボタンはオートリピートします。"},
    {"StepForward", 1002, 3, none, "ボタンはオートリピートします。"},
    {"Raise", 1003, 2, none, "ボタンはオートリピートします。"},
    {"LowPass", 1011, 5, none, "ボタンはオートリピートします。"},
    {"InsertLoaded", 1012, 3, none, "原曲はロードした元ファイルです。"},
    {"InsertBackup", 1012, 3, backup, "原曲はバックアップファイルです、元ファイルからは挿入できません。"},
    {"Enlarge", 1020, 2, none, "波形拡大"},
    {"EnlargeShortening", 1020, 5, shorteningFrom2, "「短縮機能」を実行します。未編集では機能しません。"},
    {"Reduce", 1021, 2, none, "波形縮小"},
    {"ReduceShortening", 1021, 5, shorteningFrom2, "「短縮機能」を確定終了して元の頁へ戻ります。"},
    {"ConfirmPage1", 1022, 1, none, "編集確定"},
    {"ConfirmPage2AtStart", 1022, 2, none,
     "編集確定　マウスクリックがドラッグになってしまったら、ここを押すと元に戻ります。"},
    {"ConfirmPage4AtStart", 1022, 4, none,
     "編集確定　マウスクリックがドラッグになってしまったら、ここを押すと元に戻ります。"},
    {"ConfirmPage3Stepped", 1022, 3, stepped, "編集確定"},
    {"ConfirmPage5", 1022, 5, none, "編集確定"},
    {"PlayPage", 1023, 2, none, "3/5頁以降は3/5頁を演奏 ・ 帯域分離時は復元合成して通常の音にしています。"},
    {"PlayHalf", 1025, 4, none, "3/5頁以降は3/5頁を演奏 ・ 帯域分離時は復元合成して通常の音にしています。"},
    {"PlayFull", 1027, 1, none, "3/5頁以降は3/5頁を演奏 ・ 帯域分離時は復元合成して通常の音にしています。"},
    {"FromFrame", 1024, 2, none, "3/5頁以降は 「枠内を無音にして」 3/5頁全体を演奏　雑音個所の特定が目的です。"},
    {"FromFrameHalf", 1026, 3, none, "3/5頁以降は 「枠内を無音にして」 3/5頁全体を演奏　雑音個所の特定が目的です。"},
    {"FromFrameFull", 1028, 5, none, "3/5頁以降は 「枠内を無音にして」 3/5頁全体を演奏　雑音個所の特定が目的です。"},
    {"BandStandard", 1031, 2, none, "編集帯域の切換 ：標準"},
    {"BandStandardLowIndex", 1031, 2, lowIndexOff, "編集帯域の切換 ：標準"},
    {"BandHigh", 1031, 3, bandHigh, "編集帯域の切換 ：高域"},
    {"BandLow", 1031, 3, bandLow, "編集帯域の切換 ：低域"},
    {"ShorteningManual", 1032, 3, none, "短縮操作の実行 ：手動"},
    {"ShorteningAutomatic", 1032, 3, automatic, "短縮操作の実行 ：自動"},
    {"Restore", 1050, 3, none, "編集確定後の復元　確定直後のみ有効です。"},
    {"LeftPage5", 1051, 5, none, "4/5頁の範囲をスライド、画面外との兼合いで音量倍率が下がることがあります。"},
    {"RightPage5", 1053, 5, none, "4/5頁の範囲をスライド、画面外との兼合いで音量倍率が下がることがあります。"},
    {"LeftPage2", 1051, 2, none, "拡大枠をブロック単位でシフトします。"},
    {"RightPage4", 1053, 4, none, "拡大枠をブロック単位でシフトします。"},
    {"Home", 1052, 5, none, "この頁を表示した最初の位置です。"},
    {"HomePage1", 1052, 1, none, "この頁を表示した最初の位置です。"},
    // No help text of their own: the caption.
    {"OtherEdits", 1015, 3, none, "その他の編集ボタン"},
    {"Settings", 1029, 3, none, "設定(&C)"},
    {"Help", 1030, 3, none, "ヘルプ(&H)"},
    {"GainDown", 1035, 3, none, "音量 減"},
    {"GainUp", 1036, 3, none, "音量 増"},
};

class ButtonHelpRow : public ::testing::TestWithParam<Help> {};

TEST_P(ButtonHelpRow, Text) {
    const Help& h = GetParam();
    Doc d = at(h.page);
    h.setup(d);
    EXPECT_EQ(buttonHelp(h.command, *d.doc, d.session), h.text);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ButtonHelpRow, ::testing::ValuesIn(kHelps),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ControlTexts, TooltipsAndHelp) {
    struct Row {
        int control;
        const char* tip;
        const char* help;
    };
    const Row rows[] = {
        {114, "表示窓 1", "戻り頁拡大枠部分の白色波形です。"},
        {115, "表示窓 2", "3/5頁をイメージしたインジケータです。"},
        {116, "画面頁数", "画面頁数"},
        {117, "編集回数", "やり直しは直近 5回 までが有効です。"},
        {118, "音量倍率", "描画当初は最大倍率です。　編集確定時は常に1倍保存しています。"},
        {119, "周波数", "f8が高くf1が低い方です。"},
        {124, "ステレオ演奏", "両音再生　音量 50% / 100%"},
        {113, "", ""},
        {120, "", ""},
    };
    Doc d = at(3);
    for (const Row& r : rows) {
        EXPECT_EQ(controlTooltip(r.control), r.tip) << r.control;
        EXPECT_EQ(controlHelp(r.control, *d.doc), r.help) << r.control;
    }
}

TEST(ControlTexts, Display1NamesTheStartPageWhileShortening) {
    Doc d = at(5, 3);
    EXPECT_EQ(controlHelp(114, *d.doc), "戻り頁（3/5頁）拡大枠部分の白色波形です。");
    d.doc->view.shorteningStartPage = 2;
    EXPECT_EQ(controlHelp(114, *d.doc), "戻り頁（2/5頁）拡大枠部分の白色波形です。");
}

TEST(MenuHelp, EditWindowItems) {
    const std::pair<int, const char*> rows[] = {
        {7033, "無音"},
        {7034, "編集枠を波形のゼロクロス付近に微調整します。"},
        {7035, "タイトルバーに識別表示しています。"},
        {7039, "拡大枠の背景色を変更します。"},
        {7040, "Velkorを終了します"},
        {7011, ""},
        {7026, ""},
        {7050, ""},
        {7051, ""},
        {6012, ""},  // a main-window item means nothing here
    };
    for (const auto& [item, text] : rows) {
        const auto help = editMenuHelp(item, false);
        ASSERT_TRUE(help.has_value()) << item;
        EXPECT_EQ(*help, text) << item;
    }
    EXPECT_FALSE(editMenuHelp(0, true).has_value());
}

TEST(ToolbarTables, ButtonsInBandOrder) {
    // Toolbar ID, bitmap, cell width, cells, commands with their images (-1: none, 0: separator command).
    struct Want {
        int id, bitmap, cell, cells;
        std::vector<std::pair<int, int>> buttons;
    };
    const std::vector<std::pair<int, int>> kEditTools = {{1001, 0},  {1002, 1}, {1003, 2},  {1004, 3}, {1005, 4},
                                                         {1006, 5},  {1007, 6}, {1008, 7},  {1009, 8}, {1010, 9},
                                                         {1011, 10}, {0, -1},   {1012, 13}, {1015, 14}};
    const Want want[] = {
        {101, 130, 20, 4, {{1020, 0}, {1021, 1}}},
        {106, 134, 20, 2, {{1022, 0}, {1050, 1}}},
        {107, 135, 20, 6, {{1023, 0}, {1024, 1}, {1025, 2}, {1026, 3}, {1027, 4}, {1028, 5}}},
        {102, 131, 10, 2, {{1035, 0}, {1036, 1}}},
        {103, 132, 30, 6, {{1031, 0}, {1032, 1}}},
        {105, 133, 10, 3, {{1051, 0}, {1052, 1}, {1053, 2}}},
        {104, 0, 0, 0, {{1029, -1}, {1030, -1}}},
        {108, 136, 16, 16, kEditTools},
    };
    ASSERT_EQ(std::size(kToolbars), std::size(want));
    for (size_t t = 0; t < std::size(want); ++t) {
        const ToolbarLayout& got = kToolbars[t];
        EXPECT_EQ(got.id, want[t].id);
        EXPECT_EQ(got.bitmap, want[t].bitmap) << got.id;
        EXPECT_EQ(got.cellWidth, want[t].cell) << got.id;
        EXPECT_EQ(got.cells, want[t].cells) << got.id;
        EXPECT_EQ(got.inPager, got.id == 107);
        ASSERT_EQ(got.count, want[t].buttons.size()) << got.id;
        for (size_t b = 0; b < got.count; ++b) {
            EXPECT_EQ(got.buttons[b].command, want[t].buttons[b].first) << got.id << " #" << b;
            EXPECT_EQ(got.buttons[b].image, want[t].buttons[b].second) << got.id << " #" << b;
            EXPECT_EQ(got.buttons[b].style == ButtonStyle::separator, got.buttons[b].command == 0);
        }
    }
    EXPECT_EQ(kToolbars[4].buttons[0].style, ButtonStyle::dropDown);
    EXPECT_EQ(kToolbars[4].buttons[1].style, ButtonStyle::dropDown);
    EXPECT_EQ(kToolbars[6].buttons[0].textString, 2155);
    EXPECT_EQ(kToolbars[6].buttons[1].textString, 2156);
}

TEST(ToolbarTables, BandWidths) {
    BandMeasure m;
    m.span = 46;
    m.pagerButton = 12;
    m.screenWidth = 1280;
    EXPECT_EQ(bandWidth(kRebarBands[0], m), 72);  // + the 26-pixel header
    EXPECT_EQ(bandWidth(kRebarBands[1], m), 46);
    EXPECT_EQ(bandWidth(kRebarBands[2], m), 58);
    EXPECT_EQ(bandWidth(kRebarBands[10], m), 164);
    EXPECT_EQ(bandWidth(kRebarBands[11], m), 178);
    m.rowRectWidth = 900;
    m.rowBandCx = 300;
    EXPECT_EQ(bandWidth(kRebarBands[7], m), 600);
    EXPECT_EQ(bandWidth(kRebarBands[9], m), 600 - 164 - 178);
    EXPECT_TRUE(kRebarBands[8].newRow);
    const int labels[] = {116, 0, 0, 118, 119, 0, 0, 0, 117, 0, 0, 0};
    for (size_t b = 0; b < std::size(kRebarBands); ++b) EXPECT_EQ(kRebarBands[b].label, labels[b]) << b;
    EXPECT_EQ(buttonSpan(10, 50), 44);
}

}  // namespace
