// The edit window's notifications from its bar: tooltips with the status-line
// help, the drop-down arrows, the play toolbar's pager, the rebar's height;
// and the help of menu items.
#include <windows.h>

#include <commctrl.h>

#include "app/edit_shell_win.h"
#include "common/utf16_win.h"
#include "document/document.h"
#include "ui/help_texts.h"

namespace {

constexpr UINT_PTR kPopRelayId = 2;       // beside the repeat buttons' subclass (1)
constexpr int kBandPopup = 3;             // index of menu 5006 in EditWindow::popups
constexpr DWORD kModeTogglePauseMs = 50;  // after the shortening mode's arrow
constexpr int kTooltipControls[] = {kCtlPlayPager,    kCtlDisplay1,  kCtlDisplay2, kCtlPageLabel,
                                    kCtlCounterLabel, kCtlGainLabel, kCtlBandLabel};

HWND controlWindow(const CommandBar& bar, int id) {
    if (id == kCtlPlayPager) return bar.pager;
    if (id == kCtlDisplay1) return bar.display1;
    if (id == kCtlDisplay2) return bar.display2;
    return bar.labels[size_t(id - kCtlPageLabel)];
}

// A tooltip asks for its text: a control registered by its window, or a
// toolbar button by its command. Its status-line help goes with it.
LRESULT onTooltipText(EditWindow& w, NMTTDISPINFOW& info) {
    if (w.children.popupOpen) {  // an empty text shows no tooltip
        info.szText[0] = L'\0';
        info.lpszText = info.szText;
        return 0;
    }
    const Document& doc = *w.doc;
    std::string tip, help;
    if (info.uFlags & TTF_IDISHWND) {
        const int control = GetDlgCtrlID(reinterpret_cast<HWND>(info.hdr.idFrom));
        tip = std::string(controlTooltip(control));
        help = controlHelp(control, doc);
    } else {
        const int command = int(info.hdr.idFrom);
        tip = std::string(tooltipText(command, doc));
        help = buttonHelp(command, doc, w.session);
    }
    w.children.tipText = widen(tip);
    info.lpszText = &w.children.tipText[0];
    info.hinst = nullptr;
    setStatus(w, help);
    return 0;
}

// The shortening mode's arrow: manual and automatic in turn.
LRESULT onDropDown(EditWindow& w, const NMTOOLBARW& toolbar) {
    switch (toolbar.iItem) {
        case kCmdEditBand: showToolbarPopup(w, kBandPopup, kCmdEditBand, false); break;
        case kCmdShortening:
            w.doc->shorteningAutoSteps = w.doc->shorteningAutoSteps == 0 ? kShorteningBatchLastStep : 0;
            refreshBar(w);
            Sleep(kModeTogglePauseMs);
            break;
    }
    return TBDDRET_DEFAULT;
}

LRESULT onPagerSize(NMPGCALCSIZE& size) {
    if (size.dwFlag == PGF_CALCWIDTH) size.iWidth = kPagerWidth;
    return 0;
}

void hidePlayButton(HWND play, int command, bool hidden) {
    SendMessageW(play, TB_HIDEBUTTON, WPARAM(command), MAKELPARAM(hidden ? TRUE : FALSE, 0));
}

// The pager's arrows never scroll: they switch the pair of play buttons
// shown. From the selected-channel pair to the both-channels pair of the
// volume; from there the volume changes. A file of one channel has no
// first pair, so its volume never changes here.
LRESULT onPagerScroll(EditWindow& w, NMPGSCROLL& scroll) {
    scroll.iScroll = 0;
    Document& doc = *w.doc;
    HWND play = toolbarById(w.children.bar, kCtlToolbarPlay);
    const bool firstPairShown = doc.stereo() && !SendMessageW(play, TB_ISBUTTONHIDDEN, kCmdPlayPage, 0);
    if (firstPairShown) {
        hidePlayButton(play, kCmdPlayPage, true);
        hidePlayButton(play, kCmdPlayFromFrame, true);
    } else if (doc.stereo()) {
        doc.playback.volumeHalf = !doc.playback.volumeHalf;
    }
    hidePlayButton(play, kCmdPlayPageHalf, !doc.playback.volumeHalf);
    hidePlayButton(play, kCmdPlayFromFrameHalf, !doc.playback.volumeHalf);
    // The mouse hook shows the selected-channel pair again once the pointer leaves.
    if (doc.stereo()) w.children.playResetArmed = true;
    return 0;
}

LRESULT onHeightChange(EditWindow& w) {
    CommandBar& bar = w.children.bar;
    placeLabels(bar);
    if (w.children.picture)
        SetWindowPos(w.children.picture, nullptr, 0, rebarBottom(bar), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

// A toolbar keeps its tooltip's hiding to itself: the help it showed must go all the same.
LRESULT CALLBACK tooltipPopRelay(HWND toolbar, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lp)->code == TTN_POP)
        setStatus(*reinterpret_cast<EditWindow*>(data), std::string());
    else if (msg == WM_NCDESTROY)
        RemoveWindowSubclass(toolbar, tooltipPopRelay, kPopRelayId);
    return DefSubclassProc(toolbar, msg, wp, lp);
}

// The page toolbar wears its band's yellow while shortening: a themed rebar
// (Wine's default) ignores a band's colour, so the toolbar paints it itself.
LRESULT onCustomDraw(EditWindow& w, NMCUSTOMDRAW& draw) {
    const CommandBar& bar = w.children.bar;
    if (draw.dwDrawStage != CDDS_PREPAINT || !bar.yellowPageBand ||
        draw.hdr.hwndFrom != toolbarById(bar, kCtlToolbarPage))
        return CDRF_DODEFAULT;
    const UniqueGdiObject yellow(CreateSolidBrush(kShorteningYellow));
    if (yellow) FillRect(draw.hdc, &draw.rc, static_cast<HBRUSH>(yellow.get()));
    return CDRF_DODEFAULT;
}

}  // namespace

LRESULT onNotify(EditWindow& w, NMHDR& header) {
    switch (header.code) {
        case TTN_GETDISPINFOW: return onTooltipText(w, reinterpret_cast<NMTTDISPINFOW&>(header));
        case TTN_POP: setStatus(w, std::string()); return 0;
        case TBN_DROPDOWN: return onDropDown(w, reinterpret_cast<NMTOOLBARW&>(header));
        case PGN_CALCSIZE: return onPagerSize(reinterpret_cast<NMPGCALCSIZE&>(header));
        case PGN_SCROLL: return onPagerScroll(w, reinterpret_cast<NMPGSCROLL&>(header));
        case RBN_HEIGHTCHANGE: return onHeightChange(w);
        case NM_CUSTOMDRAW: return onCustomDraw(w, reinterpret_cast<NMCUSTOMDRAW&>(header));
    }
    return 0;
}

LRESULT onMenuSelect(EditWindow& w, WPARAM wp, LPARAM lp) {
    const UINT flags = HIWORD(wp);
    if (flags == 0xFFFF && lp == 0) return 0;  // the menu closed: WM_EXITMENULOOP clears
    // A submenu's item is its position, not a command: it has no help of its own.
    const int item = (flags & MF_POPUP) ? 0 : LOWORD(wp);
    if (const auto help = editMenuHelp(item, (flags & MF_SEPARATOR) != 0)) setStatus(w, std::string(*help));
    return 0;
}

// One tooltip window for the pager and the statics 114-119; each control
// is its own tool, the text asked for when shown. The toolbars' own
// tooltips tell when they hide through a relay.
bool addControlTooltips(EditWindow& w) {
    EditChildren& c = w.children;
    c.tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, w.hwnd, nullptr, w.instance, nullptr);
    if (!c.tooltips) return false;
    SendMessageW(c.tooltips, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kStaticTooltipDelayMs, 0));
    for (int id : kTooltipControls) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = w.hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(controlWindow(c.bar, id));
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        if (!SendMessageW(c.tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return false;
    }
    for (HWND toolbar : c.bar.toolbars)
        if (!SetWindowSubclass(toolbar, tooltipPopRelay, kPopRelayId, reinterpret_cast<DWORD_PTR>(&w))) return false;
    return true;
}
