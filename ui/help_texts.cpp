#include "ui/help_texts.h"

#include <algorithm>

#include "common/text_format.h"
#include "ui/command_ids.h"

// 2025-2028 are never shown (the play buttons take 2023/2024 or 2123/2124),
// but every button keeps its caption at command + 1000.
const CaptionString kCaptionStrings[] = {
    {120, "倍率縮小"},
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
    {2025, "全体を演奏"},
    {2026, "選択枠先頭から"},
    {2027, "全体を演奏"},
    {2028, "選択枠先頭から"},
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
const size_t kCaptionStringCount = sizeof kCaptionStrings / sizeof kCaptionStrings[0];

namespace {

constexpr std::string_view kHelpRepeats = "ボタンはオートリピートします。";
constexpr std::string_view kHelpSourceBackup = "原曲はバックアップファイルです、元ファイルからは挿入できません。";
constexpr std::string_view kHelpSourceLoaded = "原曲はロードした元ファイルです。";
constexpr std::string_view kHelpShorteningRun = "「短縮機能」を実行します。未編集では機能しません。";
constexpr std::string_view kHelpEnlarge = "波形拡大";
constexpr std::string_view kHelpShorteningEnd = "「短縮機能」を確定終了して元の頁へ戻ります。";
constexpr std::string_view kHelpReduce = "波形縮小";
constexpr std::string_view kHelpConfirm = "編集確定";
constexpr std::string_view kHelpConfirmDrag =
    "　マウスクリックがドラッグになってしまったら、ここを押すと元に戻ります。";
constexpr std::string_view kHelpPlayPage = "3/5頁以降は3/5頁を演奏 ・ 帯域分離時は復元合成して通常の音にしています。";
constexpr std::string_view kHelpPlaySilenced =
    "3/5頁以降は 「枠内を無音にして」 3/5頁全体を演奏　雑音個所の特定が目的です。";
constexpr std::string_view kHelpBandStandard = "編集帯域の切換 ：標準";
constexpr std::string_view kHelpBandHigh = "編集帯域の切換 ：高域";
constexpr std::string_view kHelpBandLow = "編集帯域の切換 ：低域";
constexpr std::string_view kHelpShorteningAutomatic = "短縮操作の実行 ：自動";
constexpr std::string_view kHelpShorteningManual = "短縮操作の実行 ：手動";
constexpr std::string_view kHelpRestore = "編集確定後の復元　確定直後のみ有効です。";
constexpr std::string_view kHelpSlide = "4/5頁の範囲をスライド、画面外との兼合いで音量倍率が下がることがあります。";
constexpr std::string_view kHelpBlockShift = "拡大枠をブロック単位でシフトします。";
constexpr std::string_view kHelpHome = "この頁を表示した最初の位置です。";

constexpr const char* kHelpDisplay1Shortening = "戻り頁（%d/5頁）拡大枠部分の白色波形です。";
constexpr std::string_view kHelpDisplay1 = "戻り頁拡大枠部分の白色波形です。";
constexpr std::string_view kHelpDisplay2 = "3/5頁をイメージしたインジケータです。";
constexpr std::string_view kHelpPage = "画面頁数";
constexpr std::string_view kHelpCounter = "やり直しは直近 5回 までが有効です。";
constexpr std::string_view kHelpGain = "描画当初は最大倍率です。　編集確定時は常に1倍保存しています。";
constexpr std::string_view kHelpBand = "f8が高くf1が低い方です。";
constexpr std::string_view kHelpPager = "両音再生　音量 50% / 100%";

bool shortening(const Document& doc) { return doc.view.shorteningStartPage != 0; }
bool lowPages(const Document& doc) { return doc.view.page >= 3 && doc.view.page <= 5; }

}  // namespace

std::string_view captionText(int stringId) {
    const CaptionString* end = kCaptionStrings + kCaptionStringCount;
    const CaptionString* at =
        std::lower_bound(kCaptionStrings, end, stringId, [](const CaptionString& c, int id) { return c.id < id; });
    return at != end && at->id == stringId ? at->text : std::string_view{};
}

int tooltipStringId(int command, const Document& doc) {
    switch (command) {
        case kCmdEnlarge: return shortening(doc) ? kStrShorteningStart : captionStringId(command);
        case kCmdReduce: return shortening(doc) ? kStrShorteningEnd : captionStringId(command);
        case kCmdPlayPage:
        case kCmdPlayPageHalf:
        case kCmdPlayPageFull: return lowPages(doc) ? kStrPlayPageLow : captionStringId(kCmdPlayPage);
        case kCmdPlayFromFrame:
        case kCmdPlayFromFrameHalf:
        case kCmdPlayFromFrameFull: return lowPages(doc) ? kStrSilencedFrame : captionStringId(kCmdPlayFromFrame);
    }
    return captionStringId(command);
}

std::string_view tooltipText(int command, const Document& doc) { return captionText(tooltipStringId(command, doc)); }

std::string buttonHelp(int command, const Document& doc, const EditSession& s) {
    const int page = doc.view.page;
    if (command >= kCmdStepBack && command <= kCmdLowPass) return std::string(kHelpRepeats);
    switch (command) {
        case kCmdInsertSource: return std::string(doc.hasBackup() ? kHelpSourceBackup : kHelpSourceLoaded);
        case kCmdEnlarge: return std::string(shortening(doc) ? kHelpShorteningRun : kHelpEnlarge);
        case kCmdReduce: return std::string(shortening(doc) ? kHelpShorteningEnd : kHelpReduce);
        case kCmdConfirm: {
            std::string text(kHelpConfirm);
            if (page >= 2 && page <= 4 && doc.history.undoIndex == 0) text += kHelpConfirmDrag;
            return text;
        }
        case kCmdPlayPage:
        case kCmdPlayPageHalf:
        case kCmdPlayPageFull: return std::string(kHelpPlayPage);
        case kCmdPlayFromFrame:
        case kCmdPlayFromFrameHalf:
        case kCmdPlayFromFrameFull: return std::string(kHelpPlaySilenced);
        case kCmdEditBand:
            return std::string(!doc.bandEditing ? kHelpBandStandard : s.bandIndex < 8 ? kHelpBandHigh : kHelpBandLow);
        case kCmdShortening:
            return std::string(doc.shorteningAutoSteps != 0 ? kHelpShorteningAutomatic : kHelpShorteningManual);
        case kCmdRestore: return std::string(kHelpRestore);
        case kCmdLeft:
        case kCmdRight: return std::string(page == 5 ? kHelpSlide : kHelpBlockShift);
        case kCmdHome: return std::string(kHelpHome);
    }
    return std::string(captionText(captionStringId(command)));
}

std::string_view controlTooltip(int control) {
    switch (control) {
        case kCtlDisplay1: return "表示窓 1";
        case kCtlDisplay2: return "表示窓 2";
        case kCtlPageLabel: return "画面頁数";
        case kCtlCounterLabel: return "編集回数";
        case kCtlGainLabel: return "音量倍率";
        case kCtlBandLabel: return "周波数";
        case kCtlPlayPager: return "ステレオ演奏";
    }
    return {};
}

std::string controlHelp(int control, const Document& doc) {
    switch (control) {
        case kCtlDisplay1:
            if (shortening(doc)) return formatText(kHelpDisplay1Shortening, int(doc.view.shorteningStartPage));
            return std::string(kHelpDisplay1);
        case kCtlDisplay2: return std::string(kHelpDisplay2);
        case kCtlPageLabel: return std::string(kHelpPage);
        case kCtlCounterLabel: return std::string(kHelpCounter);
        case kCtlGainLabel: return std::string(kHelpGain);
        case kCtlBandLabel: return std::string(kHelpBand);
        case kCtlPlayPager: return std::string(kHelpPager);
    }
    return {};
}

std::optional<std::string_view> editMenuHelp(int item, bool separator) {
    if (separator) return std::nullopt;
    switch (item) {
        case kCmdSilence: return "無音";
        case kCmdAdjustFrame: return "編集枠を波形のゼロクロス付近に微調整します。";
        case kCmdSwitchChannel: return "タイトルバーに識別表示しています。";
        case kCmdBackground: return "拡大枠の背景色を変更します。";
        case kCmdClose: return "Velkorを終了します";
    }
    return "";
}
