#include "app/close_sequence_win.h"

#include "app/file_dialog_win.h"
#include "app/settings_win.h"
#include "common/message_box_win.h"
#include "common/utf16_win.h"

Answer WinCloseShell::ask(const Message& question) { return showMessage(owner_, question); }

void WinCloseShell::show(const Message& message) { showMessage(owner_, message); }

bool WinCloseShell::chooseSaveName(std::string& path) { return runSaveAsDialog(owner_, path); }

CloseResult runCloseSequenceWin(HWND mainWindow, const WaveInfo& edit, FileImage& image, ExitFiles& files,
                                Settings& settings, const std::string& iniPath) {
    WinCloseShell shell(mainWindow);
    ProfileIniStore ini(iniPath);
    return runCloseSequence(edit, image, files, settings, platformFileSystem(), ini, shell);
}
