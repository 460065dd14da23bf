// The subclasses of the edit-tool toolbar (108) and the shift toolbar (105):
// a press on a repeat button holds the pointer on it and moves the focus to
// the toolbar, which starts the repetition (the edit window's WM_KILLFOCUS).
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "app/edit_shell_win.h"
#include "document/document.h"
#include "view/pages.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kToolSlots = 11;  // 1001-1011
constexpr int kShiftSlots = 3;  // 1051-1053

// Which of the first `slots` buttons holds `p` (client coordinates); each
// slot narrowed to the button width.
int32_t buttonAt(HWND toolbar, POINT p, int slots) {
    const int width = LOWORD(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    for (int i = 0; i < slots; ++i) {
        RECT r{};
        if (!SendMessageW(toolbar, TB_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
        r.right = r.left + width;
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

// Horizontally the button, vertically the toolbar's top to 4 rows above its bottom.
void holdPointerOn(HWND toolbar, int index) {
    const int width = LOWORD(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    RECT item{}, window{};
    SendMessageW(toolbar, TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    GetWindowRect(toolbar, &window);
    POINT left{item.left, 0}, right{item.left + width, 0};
    ClientToScreen(toolbar, &left);
    ClientToScreen(toolbar, &right);
    const RECT clip{left.x, window.top, right.x, window.bottom - 4};
    ClipCursor(&clip);
}

// Only a button that is enabled and nothing else (not pressed, not checked) repeats.
bool exactlyEnabled(HWND toolbar, int command) {
    return SendMessageW(toolbar, TB_GETSTATE, WPARAM(command), 0) == TBSTATE_ENABLED;
}

// The edit window must lose the focus to the toolbar for the timer to start.
void focusToolbar(EditWindow& w, HWND toolbar) {
    if (GetFocus() == toolbar) SetFocus(w.hwnd);
    SetFocus(toolbar);
}

void toolsPressed(EditWindow& w, HWND toolbar, POINT p) {
    const int32_t index = w.doc->view.editFramePresent ? buttonAt(toolbar, p, kToolSlots) : -1;
    pressToolButton(w.session, *w.doc, index);
    if (w.session.pressedButtonIndex < 0 || !exactlyEnabled(toolbar, kCmdStepBack + index)) return;
    holdPointerOn(toolbar, index);
    focusToolbar(w, toolbar);
}

void shiftPressed(EditWindow& w, HWND toolbar, POINT p) {
    Document& doc = *w.doc;
    // Every press resets the slide's press, so a later block shift is one.
    const bool slides = doc.view.page == 5 && exactlyEnabled(toolbar, kCmdLeft);
    pressSlideButton(w.session, doc, slides ? buttonAt(toolbar, p, kShiftSlots) : -1);
    const int32_t index = w.session.pressedButtonIndex;
    if (index < 0) return;
    ViewEvents events;
    beginSlideGain(doc, events);
    act(w, events);
    holdPointerOn(toolbar, index);
    focusToolbar(w, toolbar);
}

// A second quick press arrives as a double click: it is a press all the same.
bool isPress(UINT msg) { return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK; }

LRESULT CALLBACK repeatButtonsProc(HWND toolbar, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    EditWindow& w = *reinterpret_cast<EditWindow*>(data);
    if (isPress(msg)) {
        const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (GetDlgCtrlID(toolbar) == kCtlToolbarTools)
            toolsPressed(w, toolbar, p);
        else
            shiftPressed(w, toolbar, p);
    } else if (msg == WM_SETCURSOR && w.children.refusing) {
        SetCursor(LoadCursorW(nullptr, IDC_NO));  // held while the tool refuses
        return TRUE;
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(toolbar, repeatButtonsProc, kSubclassId);
    }
    return DefSubclassProc(toolbar, msg, wp, lp);
}

}  // namespace

bool subclassRepeatButtons(EditWindow& w) {
    const DWORD_PTR data = reinterpret_cast<DWORD_PTR>(&w);
    for (int id : {kCtlToolbarShift, kCtlToolbarTools}) {
        HWND toolbar = toolbarById(w.children.bar, id);
        if (!toolbar || !SetWindowSubclass(toolbar, repeatButtonsProc, kSubclassId, data)) return false;
    }
    return true;
}
