#pragma once
// The rules of the file selection dialog, apart from its window: setting a
// file for a role, the information boxes, the drop targets, the checks at
// OK and the help texts.
#include <string>
#include <vector>

#include "audio_file/wave_info.h"
#include "common/file_system.h"
#include "common/message.h"
#include "common/progress.h"

struct FileChoice {
    std::string editPath;  // UTF-8 full paths; empty: not chosen
    std::string backupPath;
    WaveInfo edit;
    WaveInfo backup;
};

// Validates `path` for `role` and, when it is accepted, makes it the
// choice for that role. A refused file leaves the earlier choice in place.
// `messages` are to be shown in order (a repair report, a refusal, the
// extension warning). A long chunk walk shows `progress`; its cancel refuses
// the file like any other refusal.
struct SetFileResult {
    bool accepted = false;
    std::vector<Message> messages;
};
SetFileResult setChoiceFile(FileSystem& fs, FileChoice& choice, const std::string& path, FileRole role,
                            Progress& progress);

// The boxes shown by a click on a chosen file's name.
Message editFileInfo(const std::string& path, const WaveInfo& info);
Message backupFileInfo(const std::string& path, const WaveInfo& info);  // Yes clears the backup

// The checks of OK on the backup file; done when there is none.
Status checkBackup(const WaveInfo& edit, const WaveInfo& backup);

// Which role a file dropped at a screen point takes: the rectangles of the
// open buttons and name frames of the two rows. 0: the drop is ignored.
struct ScreenRect {
    long left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool contains(long x, long y) const { return x >= left && x < right && y >= top && y < bottom; }
};
struct DropTargets {
    ScreenRect editButton, editName, backupButton, backupName;
};
int dropRole(const DropTargets& targets, long x, long y);

// WM_HELP on a control: the text and the size of its box; empty text for none.
struct ControlHelp {
    std::string text;
    int width = 0;
    int height = 0;
};
ControlHelp controlHelp(int controlId);

// The open and save dialogs' filter pairs (label, pattern) and default extension.
struct FileFilter {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::string defaultExtension;
};
FileFilter fileFilter(bool mp3);
