// Window 344, the shortening button: its left half repeats the shortening
// step, its right half attenuates the frame while the pointer rests on it;
// while shortening is inactive it is moved by a drag.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "app/edit_shell_win.h"
#include "document/document.h"
#include "spectrum/spectrum_window_win.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;
// The hover ticks on a timer: waiting inside a mouse message would freeze
// the window for the whole hover.
constexpr UINT_PTR kTimerHover = 1;
constexpr UINT kHoverPeriodMs = 100;

bool shorteningActive(const EditWindow& w) { return w.doc->view.shorteningStartPage != 0; }

ScreenRect screenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void setCursor(LPCWSTR which) { SetCursor(LoadCursorW(nullptr, which)); }

bool pointerOnAttenuateHalf(const EditWindow& w) {
    HWND button = w.children.shorteningButton;
    if (!IsWindowVisible(button) || !shorteningActive(w)) return false;
    RECT r{};
    POINT p{};
    GetClientRect(button, &r);
    GetCursorPos(&p);
    ScreenToClient(button, &p);
    return PtInRect(&r, p) && buttonHalf(p.x, r.right) == ButtonHalf::attenuate;
}

// A refused application, or a flat frame attenuated anyway, shows the "no" cursor.
void showApplication(EditWindow& w, TickResult result) {
    EditChildren& c = w.children;
    c.hoverRefusing = result != TickResult::applied;
    setCursor(c.hoverRefusing ? IDC_NO : IDC_ARROW);
    ViewEvents events;
    if (result != TickResult::refused) events.repaintEditFrame = true;
    act(w, events);
    if (result != TickResult::refused) UpdateWindow(w.hwnd);
}

}  // namespace

void leaveHover(EditWindow& w) {
    EditChildren& c = w.children;
    KillTimer(c.shorteningButton, kTimerHover);
    if (!c.hover.attenuating) return;
    ViewEvents events;
    hoverLeave(*w.doc, c.hover, events);
    c.hoverRefusing = false;
    setCursor(IDC_ARROW);
    act(w, events);  // the image loses its held look, the counter shows the step
}

namespace {

void enterHover(EditWindow& w) {
    EditChildren& c = w.children;
    TickResult first = TickResult::refused;
    if (!hoverEnter(*w.doc, w.session, c.hover, first)) return;
    SetTimer(c.shorteningButton, kTimerHover, kHoverPeriodMs, nullptr);
    showApplication(w, first);
}

void onHoverTimer(EditWindow& w) {
    EditChildren& c = w.children;
    if (!c.hover.attenuating || !pointerOnAttenuateHalf(w)) {
        leaveHover(w);
        return;
    }
    showApplication(w, hoverTick(*w.doc, w.session, c.hover));
}

void onMove(EditWindow& w, int x) {
    EditChildren& c = w.children;
    if (w.spectrum && w.spectrum->hwnd && GetActiveWindow() == w.spectrum->hwnd) {
        SetActiveWindow(w.hwnd);
        return;
    }
    if (w.doc->view.dragging) return;
    if (!shorteningActive(w) || c.grab.held) {
        setCursor(IDC_SIZEALL);
        return;
    }
    if (c.refusing || c.hoverRefusing || c.hover.attenuating) return;
    RECT r{};
    GetClientRect(c.shorteningButton, &r);
    switch (buttonHalf(x, r.right)) {
        case ButtonHalf::repeat:
            if (buttonEnabled(c.shown, kCmdEnlarge)) onCommand(w, kCmdEnlarge);
            return;
        case ButtonHalf::attenuate:
            if (buttonEnabled(c.shown, kCmdAttenuate)) enterHover(w);
            return;
        case ButtonHalf::between: return;
    }
}

void endMove(EditWindow& w) {
    EditChildren& c = w.children;
    c.grab = ButtonGrab{};
    ClipCursor(nullptr);
    if (GetCapture() == c.shorteningButton) ReleaseCapture();
}

// The release comes here when the pointer is over the program: the capture
// keeps it from the edit window beneath. One it never gets (another program
// in front) the mouse hook notices.
void onPress(EditWindow& w, int x, int y) {
    EditChildren& c = w.children;
    if (shorteningActive(w) || w.doc->view.dragging) return;
    setCursor(IDC_SIZEALL);
    c.grab = ButtonGrab{true, x, y};
    RECT client{};
    GetClientRect(w.hwnd, &client);
    MapWindowPoints(w.hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const ScreenRect limits = buttonMoveClip(screenRect(client), screenRect(w.desktop));
    const RECT clip{limits.left, limits.top, limits.right, limits.bottom};
    ClipCursor(&clip);
    SetCapture(c.shorteningButton);
}

// `pointer` on the screen.
void dropAt(EditWindow& w, POINT pointer) {
    EditChildren& c = w.children;
    if (!c.grab.held) return;
    RECT edit{};
    GetWindowRect(w.hwnd, &edit);
    POINT origin{0, 0};
    ClientToScreen(w.hwnd, &origin);
    RECT button{};
    GetWindowRect(c.shorteningButton, &button);
    const int32_t width = button.right - button.left;
    const ButtonDrop drop = buttonDrop(pointer.x, c.grab, screenRect(edit), {origin.x, origin.y}, width);
    SetCursorPos(drop.pointer.x, drop.pointer.y);
    MoveWindow(c.shorteningButton, drop.client.x, drop.client.y, width, button.bottom - button.top, TRUE);
    endMove(w);
}

void onRelease(EditWindow& w, int x, int y) {
    POINT pointer{x, y};
    ClientToScreen(w.children.shorteningButton, &pointer);
    dropAt(w, pointer);
}

BOOL onSetCursor(const EditWindow& w) {
    const EditChildren& c = w.children;
    if (c.grab.held || !shorteningActive(w))
        setCursor(IDC_SIZEALL);
    else
        setCursor(c.hoverRefusing || c.refusing ? IDC_NO : IDC_ARROW);
    return TRUE;
}

LRESULT CALLBACK shorteningButtonProc(HWND button, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    EditWindow& w = *reinterpret_cast<EditWindow*>(data);
    switch (msg) {
        case WM_MOUSEMOVE: onMove(w, GET_X_LPARAM(lp)); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: onPress(w, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
        case WM_LBUTTONUP: onRelease(w, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
        case WM_CAPTURECHANGED:
            // Taken away before the release: the hook has moved 344 off its
            // row meanwhile, so it lands as on a release.
            dropShorteningButton(w);
            return 0;
        case WM_SETCURSOR: return onSetCursor(w);
        case WM_TIMER:
            if (wp == kTimerHover) onHoverTimer(w);
            return 0;
        case WM_SHOWWINDOW:
            if (!wp) {
                leaveHover(w);
                if (w.children.grab.held) endMove(w);
            }
            break;
        case WM_NCDESTROY:
            KillTimer(button, kTimerHover);
            RemoveWindowSubclass(button, shorteningButtonProc, kSubclassId);
            break;
    }
    return DefSubclassProc(button, msg, wp, lp);
}

}  // namespace

void dropShorteningButton(EditWindow& w) {
    POINT pointer{};
    GetCursorPos(&pointer);
    dropAt(w, pointer);
}

bool subclassShorteningButton(EditWindow& w) {
    return SetWindowSubclass(w.children.shorteningButton, shorteningButtonProc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(&w)) != FALSE;
}
