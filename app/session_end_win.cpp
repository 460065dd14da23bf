#include "app/session_end_win.h"

#include "app/close_sequence_win.h"
#include "app/exit_dialog_win.h"
#include "app/help_win.h"
#include "app/start_choice.h"
#include "document/document.h"

bool endSession(HWND main, HWND spectrum, Document& doc, StartChoice& start) {
    // From the edit window the question was asked there, before the write-back.
    if (doc.view.page == 0 && askExit(main, doc.editPath, start.settings) != 1) return false;
    if (spectrum) ShowWindow(spectrum, SW_HIDE);
    ShowWindow(main, SW_HIDE);
    captureView(doc.view, start.settings);
    ExitFiles files{doc.editPath, start.saveFileName, start.convertedFromMp3, doc.backupPath};
    runCloseSequenceWin(main, doc.edit, doc.image, files, start.settings, start.files.iniPath);
    closeHelp();
    return true;
}
