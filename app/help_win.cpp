#include "app/help_win.h"

#include <shellapi.h>

#include "app/about.h"
#include "app/exit_messages.h"
#include "common/message_box_win.h"
#include "common/utf16_win.h"

namespace {

HWND helpWindow() { return FindWindowW(nullptr, widen(kHelpWindowTitle).c_str()); }

}  // namespace

void showVersion(HWND owner) { showMessage(owner, versionMessage()); }

void openHelp(HWND owner, const std::string& helpPath) {
    if (HWND viewer = helpWindow()) {
        if (GetForegroundWindow() == viewer) return;
        if (IsIconic(viewer)) {
            ShowWindow(viewer, SW_RESTORE);
        } else {
            SetForegroundWindow(viewer);
        }
        return;
    }
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, nullptr, widen(helpPath).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) showMessage(owner, helpOpenFailedMessage());
}

void closeHelp() {
    // A hung viewer must not hold up the end of the program.
    if (HWND viewer = helpWindow()) SendMessageTimeoutW(viewer, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
}
