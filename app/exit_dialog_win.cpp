#include "app/exit_dialog_win.h"

#include "common/close_command_win.h"
#include "common/utf16_win.h"
#include "resources/ids.h"

namespace {

struct ExitDialog {
    std::wstring title;
    Settings* settings;
};

void checkBox(HWND dialog, int id, int32_t setting) {
    CheckDlgButton(dialog, id, setting ? BST_CHECKED : BST_UNCHECKED);
}

int32_t boxState(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

INT_PTR onInit(HWND dialog, ExitDialog& d) {
    // Only the two buttons end it.
    enableCloseCommand(dialog, false);
    SetWindowTextW(dialog, d.title.c_str());
    checkBox(dialog, IDC_EXIT_CHANGE_CHECK, d.settings->changeCheckAtExit);
    checkBox(dialog, IDC_EXIT_APPEND_N, d.settings->appendNOnSave);
    SetForegroundWindow(dialog);
    return TRUE;  // the focus to the default button
}

bool onCommand(HWND dialog, ExitDialog& d, int id) {
    switch (id) {
        case IDOK: EndDialog(dialog, 1); return true;
        case IDCANCEL: EndDialog(dialog, 0); return true;
        case IDC_EXIT_CHANGE_CHECK: d.settings->changeCheckAtExit = boxState(dialog, id); return true;
        case IDC_EXIT_APPEND_N: d.settings->appendNOnSave = boxState(dialog, id); return true;
    }
    return false;
}

INT_PTR CALLBACK exitDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        return onInit(dialog, *reinterpret_cast<ExitDialog*>(lp));
    }
    auto* d = reinterpret_cast<ExitDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!d) return FALSE;
    switch (msg) {
        case WM_COMMAND: return onCommand(dialog, *d, LOWORD(wp)) ? TRUE : FALSE;
    }
    return FALSE;
}

}  // namespace

int askExit(HWND owner, const std::string& editPath, Settings& settings) {
    ExitDialog d{widen(editPath), &settings};
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_EXIT), owner, exitDialogProc,
                                           reinterpret_cast<LPARAM>(&d));
    return result == 1 ? 1 : 0;
}
