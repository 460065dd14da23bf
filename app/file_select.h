#pragma once
// The rules of the file selection dialog, apart from its window: setting a
// file for a role, the information boxes, the drop targets, the checks at
// OK and the help texts.
#include <string>
#include <vector>

#include "audio_file/mp3_import.h"
#include "audio_file/wave_info.h"
#include "common/file_system.h"
#include "common/message.h"
#include "common/progress.h"

struct FileChoice {
    std::string editPath;  // UTF-8 full paths; empty: not chosen
    std::string backupPath;
    WaveInfo edit;
    WaveInfo backup;
    // The edit file's origin when it was converted from MP3 (label set).
    Mp3Origin editOrigin;
    // This run's converted file, kept until a later one is accepted, OK or Cancel.
    std::string convertedWave;
    bool editIsConverted() const { return editOrigin.label != Mp3Label::none && editPath == convertedWave; }
};

// The platform's codec and the desktop for an MP3 chosen as the edit file;
// without a codec no MP3 is converted.
struct Mp3Target {
    Mp3Codec* codec = nullptr;
    std::string desktop;  // empty: the desktop path could not be had
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
// An MP3 as the edit file is converted first and its converted file
// validated; a refused one is deleted, and the earlier converted file only
// once the new one is accepted.
SetFileResult setChoiceFile(FileSystem& fs, FileChoice& choice, const std::string& path, FileRole role,
                            Progress& progress, const Mp3Target& mp3 = {});

// The save name OK proposes: the converted file itself when it is the edit
// file, else "_N" after the edit file's name, the converted file of an
// earlier pick then deleted and forgotten.
struct OkNames {
    std::string saveFileName;
    bool convertedFromMp3 = false;
};
OkNames okNames(FileSystem& fs, FileChoice& choice);

// Cancel: the converted file of this run is deleted.
void cancelChoice(FileSystem& fs, FileChoice& choice);

// The boxes shown by a click on a chosen file's name.
Message editFileInfo(const std::string& path, const WaveInfo& info);
Message editFileInfo(const FileChoice& choice);                         // the MP3's text for a converted file
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
FileFilter fileFilter(bool mp3);  // mp3: while the edit file comes from an MP3
