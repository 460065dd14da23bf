#include "common/close_command_win.h"

void enableCloseCommand(HWND window, bool enabled) {
    EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(window);
}
