#pragma once
// What the file selection dialog decides besides the two files.
#include <cstdint>
#include <string>

#include "app/file_names.h"
#include "app/settings.h"

struct StartChoice {
    ProgramFiles files;             // Velkor.ini and Velkor.chm beside the program
    std::string saveFileName;       // the proposed target of the save at exit
    bool convertedFromMp3 = false;  // saveFileName is then the edit file, converted from MP3
    int32_t resumePage = 0;         // above 0: the edit window opens at once at this page
    Settings settings;              // Velkor.ini: the exit settings and the view to resume
};
