#include "view/edit_window_win.h"

#include "app/document.h"
#include "app/exit_dialog_win.h"
#include "app/help_win.h"
#include "resources/ids.h"
#include "view/pages.h"
#include "common/text_format.h"
#include "common/utf16_win.h"

namespace {

constexpr wchar_t kEditClass[] = L"EditWndClass";

std::string editTitle(const Document& doc) {
    const SampleFormat& f = doc.edit.format;
    const char* channel = !doc.stereo()           ? "編集(F1)：　  "
                          : doc.view.channel == 1 ? "編集(F1)：右CH"
                                                  : "編集(F1)：左CH";
    return channel + formatText("    PCM %uCH %uBIT %uSAMPLE", unsigned(f.channels), unsigned(f.bitsPerSample),
                                unsigned(f.samplesPerSecond));
}

// Leaving the edit window ends the program: the main window takes over
// and runs its close.
void onClose(EditWindow& w) {
    if (w.settings && askExit(w.hwnd, w.doc->editPath, *w.settings) != 1) return;
    ViewEvents events;
    leaveEditView(*w.doc, events);
    if (w.overview && w.doc && w.doc->image.allocated())
        refreshOverviewChannel(*w.overview, w.doc->image.bytes(), w.doc->edit, w.doc->view, w.doc->view.channel);
    PostMessageW(w.main, WM_CLOSE, 0, 0);
    ShowWindow(w.main, SW_SHOW);
    ShowWindow(w.hwnd, SW_HIDE);
}

}  // namespace

LRESULT CALLBACK editWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* w = reinterpret_cast<EditWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!w || !w->hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
    switch (msg) {
        case WM_CLOSE: onClose(*w); return 0;
        case WM_COMMAND:
        switch (LOWORD(wp)) {
            case IDM_HELP_FILE: openHelp(hwnd, w->helpPath); return 0;
            case IDM_VERSION: showVersion(hwnd); return 0;
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool createEditWindow(HINSTANCE instance, EditWindow& w) {
    w.hwnd = CreateWindowExW(0, kEditClass, L"", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 0, 0, 0, 0,
                             nullptr, nullptr, instance, &w);
    return w.hwnd != nullptr;
}

void destroyEditWindow(EditWindow& w) {
    if (w.hwnd) DestroyWindow(w.hwnd);
    w.hwnd = nullptr;
}

void showEditWindow(EditWindow& w, POINT topLeft, SIZE size) {
    SetWindowPos(w.hwnd, nullptr, topLeft.x, topLeft.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(w.hwnd, widen(editTitle(*w.doc)).c_str());
    ShowWindow(w.hwnd, SW_SHOW);
}
