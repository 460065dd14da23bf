#pragma once
#include <windows.h>

#include <string>

#include "app/close_sequence.h"
#include "audio_file/progress_dialog_win.h"

// Message boxes, the save-as dialog and the progress dialog, all owned by the main window.
class WinCloseShell final : public CloseShell {
public:
    explicit WinCloseShell(HWND mainWindow) : owner_(mainWindow), progress_(mainWindow) {}
    Answer ask(const Message& question) override;
    void show(const Message& message) override;
    bool chooseSaveName(std::string& path) override;
    Progress& progress() override { return progress_; }

private:
    HWND owner_;
    ProgressDialog progress_;
};

// The close sequence for the main window's close handler, after the exit
// question, with the main window hidden: Velkor.ini at iniPath, the files of
// the platform.
CloseResult runCloseSequenceWin(HWND mainWindow, const WaveInfo& edit, FileImage& image, ExitFiles& files,
                                Settings& settings, const std::string& iniPath);
