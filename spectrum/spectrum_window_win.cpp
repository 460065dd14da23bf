#include "spectrum/spectrum_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <string>

#include "common/utf16_win.h"
#include "document/document.h"
#include "resources/ids.h"
#include "spectrum/spectrum_view.h"

namespace {

constexpr wchar_t kSpectrumClass[] = L"SpectrumWndClass";
constexpr int kInitialHeight = 320;
constexpr int kImageSize = 15;
constexpr int kImageCount = 3;
constexpr int kBandMinChildHeight = 25;
constexpr int kTickLength = 15;
constexpr int kTickLabelOffset = 5;
constexpr int kTickLabelTop = 2;
constexpr int kDbLabelCount = 4;
constexpr COLORREF kCurrentColour = RGB(0, 0, 0);
constexpr COLORREF kAroundColour = RGB(255, 0, 0);  // before and after the page

HMENU childId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

uint32_t sampleRate(const SpectrumWindow& w) { return w.doc->edit.format.samplesPerSecond; }
int32_t transformSize(const SpectrumWindow& w) { return w.state->tables.size; }

void setTitle(const SpectrumWindow& w, std::string_view title) { SetWindowTextW(w.hwnd, widen(title).c_str()); }

bool addButtons(SpectrumWindow& w) {
    TBBUTTON buttons[] = {
        {0, IDM_SPECTRUM_ZOOM_OUT, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1},
        {1, IDM_SPECTRUM_ZOOM_IN, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1},
        {2, IDM_SPECTRUM_RELATIVE, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, -1},
    };
    if (!SendMessageW(w.toolbar, TB_ADDBUTTONSW, WPARAM(std::size(buttons)), reinterpret_cast<LPARAM>(buttons)))
        return false;
    TBBUTTON separator{};
    separator.fsStyle = BTNS_SEP;
    return SendMessageW(w.toolbar, TB_INSERTBUTTONW, 2, reinterpret_cast<LPARAM>(&separator)) != 0;
}

bool makeToolStrip(SpectrumWindow& w) {
    w.rebar = CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_BANDBORDERS | CCS_VERT |
                                  CCS_NODIVIDER | CCS_TOP,
                              0, 0, 0, 0, w.hwnd, nullptr, w.instance, nullptr);
    if (!w.rebar) return false;
    REBARINFO bar{};
    bar.cbSize = sizeof bar;
    SendMessageW(w.rebar, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&bar));

    w.images.reset(ImageList_Create(kImageSize, kImageSize, ILC_COLORDDB, kImageCount, 0));
    if (!w.images) return false;
    UniqueGdiObject strip(
        LoadImageW(w.instance, MAKEINTRESOURCEW(IDB_SPECTRUM_BUTTONS), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (!strip || ImageList_Add(w.images.get(), static_cast<HBITMAP>(strip.get()), nullptr) < 0) return false;

    w.toolbar =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                        WS_CHILD | WS_VISIBLE | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE, 0,
                        0, 0, 0, w.rebar, childId(IDC_SPECTRUM_TOOLBAR), w.instance, nullptr);
    if (!w.toolbar) return false;
    SendMessageW(w.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(w.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(w.images.get()));
    if (!addButtons(w)) return false;

    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE;
    band.fStyle = RBBS_CHILDEDGE;
    band.hwndChild = w.toolbar;
    band.cxMinChild = 0;
    band.cyMinChild = kBandMinChildHeight;
    return SendMessageW(w.rebar, RB_INSERTBANDW, WPARAM(-1), reinterpret_cast<LPARAM>(&band)) != 0;
}

LRESULT onCreate(SpectrumWindow& w) {
    // The window stays where it is put: only its right and bottom edges move.
    DeleteMenu(GetSystemMenu(w.hwnd, FALSE), SC_MOVE, MF_BYCOMMAND);
    return makeToolStrip(w) ? 0 : -1;
}

LRESULT onMinMax(SpectrumWindow& w, MINMAXINFO& info) {
    SpectrumView& v = w.state->view;
    if (v.zoom == 0) initSpectrumScales(v, sampleRate(w), transformSize(w));
    const SpectrumLimits limits = spectrumLimits(v, transformSize(w), w.desktopWidth);
    info.ptMaxTrackSize.x = limits.maxWidth;
    info.ptMinTrackSize.y = limits.minHeight;
    info.ptMaxTrackSize.y = limits.maxHeight;
    return 0;
}

// The dB scale on the tool strip, whose own painting would cover it.
void drawDbLabels(const SpectrumWindow& w, HDC dc) {
    HGDIOBJ oldFont = SelectObject(dc, w.font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    for (int l = 1; l <= kDbLabelCount; ++l) {
        const SpectrumDbLabel label = spectrumDbLabel(l);
        const std::wstring text = widen(label.text);
        TextOutW(dc, 0, label.y, text.c_str(), int(text.size()));
    }
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void drawTicks(const SpectrumView& v, HDC dc) {
    for (uint32_t i = 1; i <= v.tickCount; ++i) {
        const SpectrumTick tick = spectrumTick(v, i);
        MoveToEx(dc, tick.x, 0, nullptr);
        LineTo(dc, tick.x, kTickLength);
        const std::wstring label = widen(tick.label);
        TextOutW(dc, tick.x + kTickLabelOffset, kTickLabelTop, label.c_str(), int(label.size()));
    }
}

void drawCurve(const SpectrumState& s, const SpectrumCurve& levels, COLORREF colour, HDC dc) {
    std::array<SpectrumPoint, kSpectrumBins> points;
    spectrumCurvePoints(s.view, levels, s.tables.size, points);
    std::array<POINT, kSpectrumBins> line;
    const int count = s.tables.size / 2;
    for (int i = 0; i < count; ++i) line[size_t(i)] = POINT{points[size_t(i)].x, points[size_t(i)].y};
    UniqueGdiObject pen(CreatePen(PS_SOLID, 1, colour));
    HGDIOBJ oldPen = SelectObject(dc, pen.get());
    Polyline(dc, line.data(), count);
    SelectObject(dc, oldPen);
}

LRESULT onPaint(SpectrumWindow& w) {
    const SpectrumState& s = *w.state;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w.hwnd, &ps);
    HGDIOBJ oldFont = SelectObject(dc, w.font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    drawTicks(s.view, dc);
    // Red before and after the page while the slide shows its surroundings.
    if (s.last.slideTitle) {
        drawCurve(s, s.levels.before, kAroundColour, dc);
        drawCurve(s, s.levels.after, kAroundColour, dc);
    }
    drawCurve(s, s.levels.current, kCurrentColour, dc);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    EndPaint(w.hwnd, &ps);
    const UniqueWindowDc strip(WindowDc{w.toolbar, GetDC(w.toolbar)});
    if (strip.get().dc) drawDbLabels(w, strip.get().dc);
    return 0;
}

LRESULT onCustomDraw(const SpectrumWindow& w, const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
    if (draw.dwDrawStage == CDDS_POSTPAINT) drawDbLabels(w, draw.hdc);
    return CDRF_DODEFAULT;
}

LRESULT onNotify(SpectrumWindow& w, NMHDR& header) {
    switch (header.code) {
        case TTN_GETDISPINFOW: {
            // The tooltips are the strings of the commands' own IDs.
            auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
            info.hinst = w.instance;
            info.lpszText = MAKEINTRESOURCEW(info.hdr.idFrom);
            return 0;
        }
        case NM_CUSTOMDRAW:
            if (header.hwndFrom == w.toolbar) return onCustomDraw(w, reinterpret_cast<const NMCUSTOMDRAW&>(header));
            return CDRF_DODEFAULT;
    }
    return 0;
}

LRESULT onMouseMove(SpectrumWindow& w, int x, int y) {
    const SpectrumState& s = *w.state;
    setTitle(w, spectrumReadout(s.last.title, s.view, sampleRate(w), transformSize(w), x, y));
    return 0;
}

void zoom(SpectrumWindow& w, int delta) {
    const int32_t width = changeSpectrumZoom(w.state->view, delta);
    RECT r{};
    GetWindowRect(w.hwnd, &r);
    // The size query that follows holds the width to the new zoom's limit.
    SetWindowPos(w.hwnd, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOZORDER | SWP_SHOWWINDOW);
    InvalidateRect(w.hwnd, nullptr, TRUE);
}

LRESULT onCommand(SpectrumWindow& w, int id) {
    switch (id) {
        case IDM_SPECTRUM_ZOOM_OUT: zoom(w, -1); return 0;
        case IDM_SPECTRUM_ZOOM_IN: zoom(w, 1); return 0;
        case IDM_SPECTRUM_RELATIVE:
            w.state->view.relative = !w.state->view.relative;
            InvalidateRect(w.hwnd, nullptr, TRUE);
            return 0;
    }
    return 0;
}

// Only the right and bottom borders and the close box answer the mouse.
bool frameHitAllowed(WPARAM hit) { return hit == HTRIGHT || hit == HTBOTTOM || hit == HTCLOSE; }

}  // namespace

LRESULT CALLBACK spectrumWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<SpectrumWindow*>(cs->lpCreateParams)->hwnd = hwnd;
    }
    auto* w = reinterpret_cast<SpectrumWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!w) return DefWindowProcW(hwnd, msg, wp, lp);  // the first size query comes before WM_NCCREATE
    switch (msg) {
        case WM_CREATE: return onCreate(*w);
        case WM_GETMINMAXINFO: return onMinMax(*w, *reinterpret_cast<MINMAXINFO*>(lp));
        case WM_PAINT: return onPaint(*w);
        case WM_NOTIFY: return onNotify(*w, *reinterpret_cast<NMHDR*>(lp));
        case WM_COMMAND: return onCommand(*w, LOWORD(wp));
        case WM_MOUSEMOVE: return onMouseMove(*w, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        case WM_NCLBUTTONDOWN:
            if (!frameHitAllowed(wp)) return 0;
            break;
        case WM_SYSCOMMAND:
            // Border drags arrive as SC_SIZE plus the edge: only the bare
            // command (the keyboard's, sizing from any side) is refused.
            if (wp == SC_SIZE) return 0;
            break;
        case WM_SIZE:
            if (w->rebar) SendMessageW(w->rebar, WM_SIZE, wp, lp);
            return 0;
        case WM_CLOSE: ShowWindow(hwnd, SW_HIDE); return 0;
        case WM_DESTROY:
            RemovePropW(hwnd, kComputationsProperty);
            w->state->view.zoom = 0;  // the next window sets its scales again
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool createSpectrumWindow(SpectrumWindow& w) {
    SpectrumState& s = *w.state;
    buildSpectrumTables(s.tables, w.doc->view.screenWidth);
    s.levels = SpectrumLevels{};
    s.last = SpectrumOutcome{};
    s.last.title = kSpectrumTitle;
    HWND hwnd = CreateWindowExW(0, kSpectrumClass, widen(kSpectrumTitle).c_str(),
                                WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 0, w.desktopWidth,
                                kInitialHeight, nullptr, nullptr, w.instance, &w);
    if (!hwnd) {
        w.hwnd = nullptr;  // WM_NCCREATE kept a window that no longer exists
        destroySpectrumWindow(w);
        return false;
    }
    // Sized again now that the procedure has its state: the size query sets
    // the scales and holds the window to their width.
    SetWindowPos(hwnd, nullptr, 0, 0, w.desktopWidth, kInitialHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    return true;
}

void destroySpectrumWindow(SpectrumWindow& w) {
    if (w.hwnd) DestroyWindow(w.hwnd);  // the tool strip goes with it, before its images
    w.hwnd = nullptr;
    w.rebar = nullptr;
    w.toolbar = nullptr;
    w.images.reset();
}

bool spectrumShown(const SpectrumWindow& w) { return w.hwnd && IsWindowVisible(w.hwnd); }

void hideSpectrum(SpectrumWindow& w) {
    if (w.hwnd) ShowWindow(w.hwnd, SW_HIDE);
}

void toggleSpectrum(SpectrumWindow& w) {
    if (!w.hwnd) return;
    if (IsWindowVisible(w.hwnd)) {
        ShowWindow(w.hwnd, SW_HIDE);
        return;
    }
    refreshSpectrum(w);
    ShowWindow(w.hwnd, SW_SHOW);
}

void refreshSpectrum(SpectrumWindow& w) {
    SpectrumState& s = *w.state;
    const SpectrumOutcome outcome = computeSpectrum(*w.doc, s.tables, s.buffers, s.levels);
    if (!outcome.computed) return;
    s.last = outcome;
    // How often the page was analysed, readable from outside (the end-to-end
    // tests tell a content repaint from one that only uncovered the window).
    const auto count = reinterpret_cast<uintptr_t>(GetPropW(w.hwnd, kComputationsProperty)) + 1;
    SetPropW(w.hwnd, kComputationsProperty, reinterpret_cast<HANDLE>(count));
    setTitle(w, outcome.title);
    InvalidateRect(w.hwnd, nullptr, TRUE);
}

void setSpectrumBackground(SpectrumWindow& w, bool grey) {
    if (!w.hwnd) return;
    SetClassLongPtrW(w.hwnd, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(GetStockObject(grey ? LTGRAY_BRUSH : WHITE_BRUSH)));
    InvalidateRect(w.hwnd, nullptr, TRUE);
}
