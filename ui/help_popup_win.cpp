#include "ui/help_popup_win.h"

#include "common/utf16_win.h"
#include "ui/popup_place.h"

namespace {

constexpr wchar_t kHelpTextClass[] = L"HelpTextWndClass";
constexpr wchar_t kNullBackgroundClass[] = L"NullBkgWndClass";
constexpr int kTextInset = 5;

HelpPopup* popupOf(HWND hwnd) { return reinterpret_cast<HelpPopup*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void keepPopup(HWND hwnd, LPARAM lp) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
}

// A memory DC that goes with its scope, the bitmap selected out first.
struct MemoryDc {
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
    MemoryDc(HDC like, HGDIOBJ bitmap) : dc(CreateCompatibleDC(like)) {
        if (dc) old = SelectObject(dc, bitmap);
    }
    ~MemoryDc() {
        if (!dc) return;
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
};

// The screen DC, given back with its scope.
struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() {
        if (dc) ReleaseDC(nullptr, dc);
    }
    ScreenDc() = default;
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
};

int textHeight(const HelpPopup& p, int width) {
    ScreenDc screen;
    if (!screen.dc) return 0;
    const HGDIOBJ oldFont = SelectObject(screen.dc, p.font);
    const int border = GetSystemMetrics(SM_CXBORDER);
    RECT box{kTextInset, kTextInset, width - 2 * border, kTextInset};
    DrawTextW(screen.dc, p.text.c_str(), int(p.text.size()), &box, DT_WORDBREAK | DT_CALCRECT);
    SelectObject(screen.dc, oldFont);
    return box.bottom - box.top;
}

// The box keeps its size (grown to its text) but moves back inside the desktop.
void onShow(HelpPopup& p) {
    const int width = p.requested.right - p.requested.left;
    const int height = grownPopupHeight(p.requested.bottom - p.requested.top, textHeight(p, width), kTextInset,
                                        2 * GetSystemMetrics(SM_CYBORDER));
    const ScreenRect at =
        placePopup({p.requested.left, p.requested.top, p.requested.left + width, p.requested.top + height},
                   {p.desktop.left, p.desktop.top, p.desktop.right, p.desktop.bottom});
    SetWindowPos(p.window, HWND_TOPMOST, at.left, at.top, at.width(), at.height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

// The catcher paints the screen as it was, so taking it over changes no pixel.
void copyScreen(HelpPopup& p) {
    const int width = p.desktop.right - p.desktop.left;
    const int height = p.desktop.bottom - p.desktop.top;
    ScreenDc screen;
    if (!screen.dc) return;
    p.screen.reset(CreateCompatibleBitmap(screen.dc, width, height));
    if (!p.screen) return;
    MemoryDc copy(screen.dc, p.screen.get());
    if (!copy.dc || !BitBlt(copy.dc, 0, 0, width, height, screen.dc, p.desktop.left, p.desktop.top, SRCCOPY))
        p.screen.reset();
}

void showCatcher(HelpPopup& p) {
    if (!p.nullWindow || IsWindowVisible(p.nullWindow)) return;
    copyScreen(p);
    SetWindowPos(p.nullWindow, HWND_TOP, p.desktop.left, p.desktop.top, p.desktop.right - p.desktop.left,
                 p.desktop.bottom - p.desktop.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void onPaint(HelpPopup& p) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(p.window, &ps);
    const HGDIOBJ oldFont = SelectObject(dc, p.font);
    RECT client;
    GetClientRect(p.window, &client);
    RECT box{kTextInset, kTextInset, client.right, client.bottom};
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, p.text.c_str(), int(p.text.size()), &box, DT_WORDBREAK);
    SelectObject(dc, oldFont);
    EndPaint(p.window, &ps);
    showCatcher(p);
}

void onCatcherPaint(HelpPopup& p, HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (p.screen) {
        MemoryDc copy(dc, p.screen.get());
        const RECT& r = ps.rcPaint;
        if (copy.dc) BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, copy.dc, r.left, r.top, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
}

}  // namespace

LRESULT CALLBACK helpTextWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) keepPopup(hwnd, lp);
    HelpPopup* p = popupOf(hwnd);
    if (!p || !p->window) return DefWindowProcW(hwnd, msg, wp, lp);
    switch (msg) {
        case WM_SHOWWINDOW:
            if (wp) onShow(*p);
            return 0;
        case WM_PAINT: onPaint(*p); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK catcherWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) keepPopup(hwnd, lp);
    HelpPopup* p = popupOf(hwnd);
    if (!p || !p->nullWindow) return DefWindowProcW(hwnd, msg, wp, lp);
    switch (msg) {
        case WM_ERASEBKGND: return 1;  // the paint covers every pixel
        case WM_PAINT: onCatcherPaint(*p, hwnd); return 0;
        case WM_SHOWWINDOW:
            if (!wp) p->screen.reset();
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool createHelpPopups(HINSTANCE instance, HelpPopup& p) {
    p.window =
        CreateWindowExW(0, kHelpTextClass, L" ", WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, instance, &p);
    if (!p.window) return false;
    p.nullWindow = CreateWindowExW(0, kNullBackgroundClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, &p);
    return p.nullWindow != nullptr;
}

void destroyHelpPopups(HelpPopup& p) {
    if (p.nullWindow) DestroyWindow(p.nullWindow);
    if (p.window) DestroyWindow(p.window);
    p.nullWindow = p.window = nullptr;
    p.screen.reset();
}

void showHelp(HelpPopup& p, const std::string& text, POINT at, int width, int height) {
    if (!p.window) return;
    p.text = widen(text);
    p.requested = RECT{at.x, at.y, at.x + width, at.y + height};
    hideHelp(p);  // a second request while shown moves and redraws the box over a fresh copy
    ShowWindow(p.window, SW_SHOWNA);
    InvalidateRect(p.window, nullptr, TRUE);
}

void hideHelp(HelpPopup& p) {
    if (p.nullWindow) ShowWindow(p.nullWindow, SW_HIDE);
    if (p.window) ShowWindow(p.window, SW_HIDE);
    p.screen.reset();
}

bool catcherShown(const HelpPopup& p) { return p.nullWindow && IsWindowVisible(p.nullWindow); }
