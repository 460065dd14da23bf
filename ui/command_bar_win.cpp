#include "ui/command_bar_win.h"

#include <commctrl.h>

#include <string>

#include "common/utf16_win.h"
#include "resources/ids.h"

static_assert(kBmpPage == IDB_PAGE_BUTTONS && kBmpGain == IDB_GAIN_BUTTONS && kBmpModes == IDB_MODE_BUTTONS &&
              kBmpShift == IDB_SHIFT_BUTTONS && kBmpConfirm == IDB_CONFIRM_BUTTONS && kBmpPlay == IDB_PLAY_BUTTONS &&
              kBmpTools == IDB_TOOL_BUTTONS);

namespace {

constexpr COLORREF kTransparent = RGB(255, 255, 255);
constexpr DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE;

HMENU childId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

BYTE styleOf(ButtonStyle style) {
    switch (style) {
        case ButtonStyle::plain: return BTNS_BUTTON;
        case ButtonStyle::dropDown: return BTNS_DROPDOWN;
        case ButtonStyle::separator: return BTNS_SEP;
        case ButtonStyle::text: return BTNS_BUTTON | BTNS_AUTOSIZE;
    }
    return BTNS_BUTTON;
}

// The strings of the text buttons, added with the W form so they stay
// Japanese whatever the system's code page.
INT_PTR addString(HWND toolbar, HINSTANCE instance, int stringId) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(instance, UINT(stringId), reinterpret_cast<LPWSTR>(&text), 0);
    std::wstring list(text ? text : L"", size_t(length > 0 ? length : 0));
    list.push_back(L'\0');  // the list ends with an empty string
    return SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(list.c_str()));
}

HWND makeToolbar(HWND parent, HINSTANCE instance, HFONT font, const ToolbarLayout& plan, UniqueImageList& images) {
    DWORD style = kToolbarStyle;
    if (plan.bitmap == 0) style |= TBSTYLE_LIST;
    HWND tb =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, parent, childId(plan.id), instance, nullptr);
    if (!tb) return nullptr;
    SendMessageW(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (plan.bitmap != 0) {
        images.reset(ImageList_Create(plan.cellWidth, kCellHeight, ILC_COLORDDB | ILC_MASK, plan.cells, 0));
        if (!images) return nullptr;
        HBITMAP strip = static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(plan.bitmap), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        if (!strip) return nullptr;
        ImageList_AddMasked(images.get(), strip, kTransparent);
        DeleteObject(strip);
        SendMessageW(tb, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    } else {
        SendMessageW(tb, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageW(tb, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    }
    for (size_t i = 0; i < plan.count; ++i) {
        const ToolButton& b = plan.buttons[i];
        TBBUTTON button{};
        button.iBitmap = b.style == ButtonStyle::text ? I_IMAGENONE : b.image < 0 ? 0 : b.image;
        button.idCommand = b.command;
        button.fsState = b.style == ButtonStyle::separator ? 0 : TBSTATE_ENABLED;
        button.fsStyle = styleOf(b.style);
        button.iString = b.style == ButtonStyle::text ? addString(tb, instance, b.textString) : -1;
        if (!SendMessageW(tb, TB_INSERTBUTTONW, WPARAM(i), reinterpret_cast<LPARAM>(&button))) return nullptr;
    }
    SendMessageW(tb, TB_AUTOSIZE, 0, 0);
    SendMessageW(tb, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    if (HWND tips = reinterpret_cast<HWND>(SendMessageW(tb, TB_GETTOOLTIPS, 0, 0)))
        SendMessageW(tips, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kTooltipDelayMs, 0));
    return tb;
}

// span(a, b): the right edge of b minus the left edge of a, plus 4.
int32_t span(HWND toolbar, int first, int last) {
    RECT a{}, b{};
    SendMessageW(toolbar, TB_GETRECT, WPARAM(first), reinterpret_cast<LPARAM>(&a));
    SendMessageW(toolbar, TB_GETRECT, WPARAM(last), reinterpret_cast<LPARAM>(&b));
    return buttonSpan(a.left, b.right);
}

int32_t bandRectWidth(HWND rebar, int band) {
    RECT r{};
    SendMessageW(rebar, RB_GETRECT, WPARAM(band), reinterpret_cast<LPARAM>(&r));
    return r.right - r.left;
}

int32_t bandCx(HWND rebar, int band) {
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_SIZE;
    SendMessageW(rebar, RB_GETBANDINFOW, WPARAM(band), reinterpret_cast<LPARAM>(&info));
    return int32_t(info.cx);
}

HWND bandChild(const CommandBar& bar, int id) {
    if (id == 0) return nullptr;
    if (id == kCtlPlayPager) return bar.pager;
    if (id == kCtlDisplay1) return bar.display1;
    if (id == kCtlDisplay2) return bar.display2;
    return toolbarById(bar, id);
}

int32_t measureBand(const CommandBar& bar, int index) {
    const RebarBand& band = kRebarBands[index];
    BandMeasure m;
    m.screenWidth = bar.screenWidth;
    switch (band.width) {
        case BandWidth::span: m.span = span(toolbarById(bar, band.child), band.first, band.last); break;
        case BandWidth::spanAndPager: {
            m.span = span(toolbarById(bar, kCtlToolbarPlay), band.first, band.last);
            m.pagerButton = int32_t(SendMessageW(bar.pager, PGM_GETBUTTONSIZE, 0, 0));
            break;
        }
        case BandWidth::restOfRow:
        case BandWidth::restOfToolsRow:
            // The band before still reaches the row's end: what it does not need is left.
            m.rowRectWidth = bandRectWidth(bar.rebar, index - 1);
            m.rowBandCx = bandCx(bar.rebar, index - 1);
            break;
        case BandWidth::display1:
        case BandWidth::display2: break;
    }
    return bandWidth(band, m);
}

void bandColours(REBARBANDINFOW& info, bool yellow) {
    info.fMask |= RBBIM_COLORS;
    info.clrFore = GetSysColor(COLOR_BTNTEXT);
    info.clrBack = yellow ? kShorteningYellow : GetSysColor(COLOR_MENUBAR);
}

bool insertBand(CommandBar& bar, int index) {
    const RebarBand& band = kRebarBands[index];
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
    info.fStyle = RBBS_NOGRIPPER | (band.newRow ? RBBS_BREAK : 0);
    info.hwndChild = bandChild(bar, band.child);
    info.cxMinChild = 0;
    info.cyMinChild = kBandMinHeight;
    info.cx = UINT(measureBand(bar, index));
    info.wID = UINT(index);
    if (band.header) {
        info.fMask |= RBBIM_HEADERSIZE;
        info.cxHeader = UINT(band.header);
    }
    if (index == 0) bandColours(info, false);
    return SendMessageW(bar.rebar, RB_INSERTBANDW, WPARAM(-1), reinterpret_cast<LPARAM>(&info)) != 0;
}

HWND makeStatic(HWND parent, HINSTANCE instance, int id, DWORD style) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | style, 0, 0, 0, 0, parent, childId(id), instance, nullptr);
}

}  // namespace

bool buildCommandBar(HWND parent, HINSTANCE instance, HFONT font, bool stereo, int32_t screenWidth, CommandBar& bar) {
    bar.screenWidth = screenWidth;
    bar.stereo = stereo;
    bar.font = font;
    RECT client{};
    GetClientRect(parent, &client);
    bar.rebar = CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
                                WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS | CCS_NODIVIDER, 0, 0, client.right, 0, parent,
                                nullptr, instance, nullptr);
    if (!bar.rebar) return false;
    REBARINFO info{};
    info.cbSize = sizeof info;
    SendMessageW(bar.rebar, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    bar.pager = CreateWindowExW(0, WC_PAGESCROLLERW, nullptr, WS_CHILD | WS_VISIBLE | PGS_HORZ, 0, 0, 0, 0, bar.rebar,
                                childId(kCtlPlayPager), instance, nullptr);
    if (!bar.pager) return false;
    for (size_t i = 0; i < kToolbarCount; ++i) {
        const ToolbarLayout& plan = kToolbars[i];
        bar.toolbars[i] = makeToolbar(plan.inPager ? bar.pager : bar.rebar, instance, font, plan, bar.images[i]);
        if (!bar.toolbars[i]) return false;
    }
    HWND play = toolbarById(bar, kCtlToolbarPlay);
    if (!stereo) {  // one channel: no selected-channel pair
        SendMessageW(play, TB_DELETEBUTTON, 0, 0);
        SendMessageW(play, TB_DELETEBUTTON, 0, 0);
    }
    SendMessageW(bar.pager, PGM_SETCHILD, 0, reinterpret_cast<LPARAM>(play));
    bar.display1 = makeStatic(bar.rebar, instance, kCtlDisplay1, SS_NOTIFY | SS_OWNERDRAW);
    bar.display2 = makeStatic(bar.rebar, instance, kCtlDisplay2, SS_NOTIFY | SS_OWNERDRAW);
    if (!bar.display1 || !bar.display2) return false;
    for (size_t i = 0; i < bar.labels.size(); ++i) {
        bar.labels[i] = makeStatic(bar.rebar, instance, kCtlPageLabel + int(i),
                                   WS_VISIBLE | SS_CENTERIMAGE | SS_NOTIFY | SS_CENTER);
        if (!bar.labels[i]) return false;
        SendMessageW(bar.labels[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    for (int i = 0; i < int(kRebarBandCount); ++i)
        if (!insertBand(bar, i)) return false;
    // The pager measured its child before the band gave it a size: measured
    // again, and its position set, it shows its arrows.
    SendMessageW(bar.pager, PGM_RECALCSIZE, 0, 0);
    SendMessageW(bar.pager, PGM_SETPOS, 0, 1);
    SendMessageW(bar.pager, PGM_SETPOS, 0, 0);
    placeLabels(bar);
    return true;
}

HWND toolbarById(const CommandBar& bar, int id) {
    for (size_t i = 0; i < kToolbarCount; ++i)
        if (kToolbars[i].id == id) return bar.toolbars[i];
    return nullptr;
}

HWND toolbarOf(const CommandBar& bar, int command) {
    for (size_t i = 0; i < kToolbarCount; ++i)
        for (size_t b = 0; b < kToolbars[i].count; ++b)
            if (kToolbars[i].buttons[b].command == command) return bar.toolbars[i];
    return nullptr;
}

bool isToolbar(const CommandBar& bar, HWND window) {
    for (HWND tb : bar.toolbars)
        if (tb && tb == window) return true;
    return false;
}

bool buttonScreenRect(const CommandBar& bar, int command, RECT& rect) {
    HWND tb = toolbarOf(bar, command);
    if (!tb || !SendMessageW(tb, TB_GETRECT, WPARAM(command), reinterpret_cast<LPARAM>(&rect))) return false;
    MapWindowPoints(tb, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

int32_t rebarBottom(const CommandBar& bar) {
    RECT r{};
    GetWindowRect(bar.rebar, &r);
    MapWindowPoints(nullptr, GetParent(bar.rebar), reinterpret_cast<POINT*>(&r), 2);
    return r.bottom;
}

void placeLabels(CommandBar& bar) {
    for (int i = 0; i < int(kRebarBandCount); ++i) {
        const RebarBand& band = kRebarBands[i];
        if (!band.label) continue;
        HWND label = bar.labels[size_t(band.label - kCtlPageLabel)];
        const bool hidden = i >= kFirstToolsBand && !bar.toolBandsShown;
        RECT r{};
        SendMessageW(bar.rebar, RB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
        SetWindowPos(label, HWND_TOP, r.left, r.top, band.header, r.bottom - r.top,
                     SWP_NOACTIVATE | (hidden ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
    }
}

void showToolBands(CommandBar& bar, bool shown) {
    bar.toolBandsShown = shown;
    for (int i = kFirstToolsBand; i < int(kRebarBandCount); ++i)
        SendMessageW(bar.rebar, RB_SHOWBAND, WPARAM(i), shown ? TRUE : FALSE);
    placeLabels(bar);
}

void setPageBandColour(CommandBar& bar, bool yellow) {
    bar.yellowPageBand = yellow;
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_SIZE;
    info.cx = UINT(measureBand(bar, 0));
    bandColours(info, yellow);
    SendMessageW(bar.rebar, RB_SETBANDINFOW, 0, reinterpret_cast<LPARAM>(&info));
    InvalidateRect(bar.rebar, nullptr, TRUE);
}

void applyLookChange(CommandBar& bar, const LookChange& change, const ViewLook& shown) {
    switch (change.item) {
        case LookItem::buttonEnabled:
            if (HWND tb = toolbarOf(bar, change.id))
                SendMessageW(tb, TB_ENABLEBUTTON, WPARAM(change.id), MAKELPARAM(change.value ? TRUE : FALSE, 0));
            return;
        case LookItem::buttonImage:
            if (HWND tb = toolbarOf(bar, change.id)) SendMessageW(tb, TB_CHANGEBITMAP, WPARAM(change.id), change.value);
            return;
        case LookItem::label: {
            const size_t i = size_t(change.id - kCtlPageLabel);
            if (i < bar.labels.size()) SetWindowTextW(bar.labels[i], widen(labelText(shown, change.id)).c_str());
            return;
        }
        case LookItem::pageBandColour: setPageBandColour(bar, change.value != 0); return;
        case LookItem::toolBands: showToolBands(bar, change.value != 0); return;
        case LookItem::shorteningButton: return;  // the edit window redraws 344 itself
    }
}
