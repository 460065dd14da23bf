#pragma once
// The program's state: one edit file, one backup file, one view. Owned by
// the main window and passed explicitly to every operation.
#include <string>

#include "audio_file/file_image.h"
#include "audio_file/wave_info.h"
#include "view/view_state.h"

struct Document {
    std::string editPath;    // UTF-8, full path
    std::string backupPath;  // empty: no backup file chosen
    WaveInfo edit;
    WaveInfo backup;
    FileImage image;
    ViewState view;

    bool hasBackup() const { return !backupPath.empty(); }
    bool stereo() const { return edit.format.channels == 2; }
};
