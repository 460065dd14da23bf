#include "ui/help_popup_win.h"

#include "common/utf16_win.h"

namespace {

constexpr wchar_t kHelpTextClass[] = L"HelpTextWndClass";
constexpr wchar_t kNullBackgroundClass[] = L"NullBkgWndClass";

HelpPopup* popupOf(HWND hwnd) { return reinterpret_cast<HelpPopup*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

// The box keeps its size but moves back inside the desktop.
void onShow(HelpPopup& p) {
    const int width = p.requested.right - p.requested.left;
    const int height = p.requested.bottom - p.requested.top;
    int left = p.requested.left, top = p.requested.top;
    if (p.requested.right > p.desktop.right) left = p.desktop.right - width;
    if (p.requested.bottom > p.desktop.bottom) top = p.desktop.bottom - height;
    SetWindowPos(p.window, HWND_TOPMOST, left, top, width, height, SWP_SHOWWINDOW);
}

void onPaint(HelpPopup& p) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(p.window, &ps);
    const HGDIOBJ oldFont = SelectObject(dc, p.font);
    RECT client;
    GetClientRect(p.window, &client);
    RECT box{5, 5, client.right, client.bottom};
    DrawTextW(dc, p.text.c_str(), int(p.text.size()), &box, DT_WORDBREAK);
    SelectObject(dc, oldFont);
    EndPaint(p.window, &ps);
    // Behind the box, a window over the whole desktop catches the next click (the mouse hook hides both).
    SetWindowPos(p.nullWindow, HWND_TOP, p.desktop.left, p.desktop.top, p.desktop.right - p.desktop.left,
                 p.desktop.bottom - p.desktop.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

}  // namespace

LRESULT CALLBACK helpTextWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
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

bool createHelpPopups(HINSTANCE instance, HelpPopup& p) {
    p.window =
        CreateWindowExW(0, kHelpTextClass, L" ", WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, instance, &p);
    if (!p.window) return false;
    p.nullWindow =
        CreateWindowExW(0, kNullBackgroundClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    return p.nullWindow != nullptr;
}

void destroyHelpPopups(HelpPopup& p) {
    if (p.nullWindow) DestroyWindow(p.nullWindow);
    if (p.window) DestroyWindow(p.window);
    p.nullWindow = p.window = nullptr;
}

void showHelp(HelpPopup& p, const std::string& text, POINT at, int width, int height) {
    if (!p.window) return;
    p.text = widen(text);
    p.requested = RECT{at.x, at.y, at.x + width, at.y + height};
    ShowWindow(p.window, SW_HIDE);  // a second request while shown moves and redraws the box
    ShowWindow(p.window, SW_SHOW);
    InvalidateRect(p.window, nullptr, TRUE);
}

void hideHelp(HelpPopup& p) {
    if (p.nullWindow) ShowWindow(p.nullWindow, SW_HIDE);
    if (p.window) ShowWindow(p.window, SW_HIDE);
}
