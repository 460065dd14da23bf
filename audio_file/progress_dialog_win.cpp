#include "audio_file/progress_dialog_win.h"

#include <commctrl.h>

#include "audio_file/progress_titles.h"
#include "common/close_command_win.h"
#include "common/message_box_win.h"
#include "common/utf16_win.h"
#include "resources/ids.h"

namespace {

// The bar draws itself on every step, which costs a millisecond or more
// under Wine; steps that come faster than a screen refresh are drawn
// together. The last ones of the bar are drawn as they come, so that what
// follows the loop (a flush, a close) shows the bar where it ended.
constexpr DWORD kRedrawMilliseconds = 15;
constexpr int kAlwaysDrawnFrom = 99;

}  // namespace

INT_PTR CALLBACK ProgressDialog::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        auto* self = reinterpret_cast<ProgressDialog*>(lp);
        enableCloseCommand(hwnd, false);
        self->bar_ = GetDlgItem(hwnd, IDC_PROGRESS_BAR);
        SendMessageW(self->bar_, PBM_SETRANGE, 0, MAKELPARAM(1, 100));
        SendMessageW(self->bar_, PBM_SETSTEP, 1, 0);
        return TRUE;
    }
    auto* self = reinterpret_cast<ProgressDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) self->cancel_ = true;  // the operation notices it after its step
            return TRUE;
        case WM_CLOSE: return TRUE;  // closed only by the operation
    }
    return FALSE;
}

void ProgressDialog::open(ProgressKind kind) {
    close();
    cancel_ = false;
    unshownSteps_ = 0;
    steps_ = 0;
    shownAt_ = GetTickCount() - kRedrawMilliseconds;
    dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), owner_, proc,
                                 reinterpret_cast<LPARAM>(this));
    if (!dialog_) return;  // the operation still runs, only without a bar
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (owner_) {
        enableCloseCommand(owner_, false);
        EnableWindow(owner_, FALSE);
    }
    HWND cancel = GetDlgItem(dialog_, IDOK);
    EnableWindow(cancel, FALSE);
    const ProgressLook look = progressLook(kind);
    if (look.cancellable) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        EnableWindow(cancel, TRUE);
    }
    SetWindowTextW(dialog_, widen(look.title).c_str());
    SetFocus(dialog_);
}

void ProgressDialog::close() {
    if (!dialog_) return;
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (owner_) {
        enableCloseCommand(owner_, true);
        EnableWindow(owner_, TRUE);
    }
    DestroyWindow(dialog_);
    dialog_ = nullptr;
    bar_ = nullptr;
}

void ProgressDialog::step() {
    ++unshownSteps_;
    if (++steps_ >= kAlwaysDrawnFrom || GetTickCount() - shownAt_ >= kRedrawMilliseconds) showSteps();
}

// Until its last steps the bar cannot pass its end, so k steps at once move
// it exactly as k step messages would, with one drawing instead of k.
void ProgressDialog::showSteps() {
    if (bar_ && unshownSteps_ > 0)
        SendMessageW(bar_, unshownSteps_ == 1 ? PBM_STEPIT : PBM_DELTAPOS, WPARAM(unshownSteps_), 0);
    unshownSteps_ = 0;
    shownAt_ = GetTickCount();
}

bool ProgressDialog::takeCancel() {
    const bool was = cancel_;
    cancel_ = false;
    return was;
}

Answer ProgressDialog::ask(const Message& question) {
    showSteps();  // the bar behind the question shows where the operation stopped
    return showMessage(dialog_ ? dialog_ : owner_, question);
}

void ProgressDialog::pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {  // keep the quit for the main loop
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (dialog_ && IsDialogMessageW(dialog_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
