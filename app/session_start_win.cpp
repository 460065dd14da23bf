#include "app/session_start_win.h"

#include "app/settings_win.h"
#include "app/start_choice.h"
#include "document/document.h"

bool startSession(HWND, Document& doc, StartChoice& start) {
    const ResumeResult r = startSettingsWin(start.files.iniPath, doc.editPath, doc.stereo(), start.settings);
    if (r == ResumeResult::cancel) return false;  // back to the dialog, both files still set
    start.resumePage = 0;
    if (r == ResumeResult::resumed) {
        applyResumedView(start.settings, doc.view);
        start.resumePage = start.settings.resumedPage;
    }
    return true;
}
