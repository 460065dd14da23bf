#pragma once
// The end of a session: the change check, the save question, the save-as
// loop, the save, and the settings written back.
#include <cstdint>
#include <string>

#include "app/settings.h"
#include "audio_file/file_image.h"
#include "audio_file/wave_info.h"
#include "common/file_system.h"
#include "common/message.h"
#include "common/progress.h"

// What only the shell can do; everything it shows is owned by the main window.
struct CloseShell {
    virtual ~CloseShell() = default;
    virtual Answer ask(const Message& question) = 0;
    virtual void show(const Message& message) = 0;
    // The save-as dialog on `path`; false when the user cancels it.
    virtual bool chooseSaveName(std::string& path) = 0;
    virtual Progress& progress() = 0;
};

struct ExitFiles {
    std::string editPath;
    std::string saveFileName;       // the proposed target; afterwards the one last chosen
    bool convertedFromMp3 = false;  // saveFileName is then the converted WAVE file
    std::string backupPath;         // empty: none
};

struct CloseResult {
    uint64_t changePosition = 0;
    bool saved = false;
};

// The question of the save loop for a change position.
Message saveQuestion(uint64_t changePosition, const WaveInfo& edit);

// Runs after the exit question; `settings` must hold the view as it is now
// (captureView). A failed save brings the question back; a cancelled one
// ends without saving, as the user chose.
CloseResult runCloseSequence(const WaveInfo& edit, FileImage& image, ExitFiles& files, Settings& settings,
                             FileSystem& fs, IniStore& ini, CloseShell& shell);
