#pragma once
#include <windows.h>

#include <string>

struct Document;
struct HelpPopup;
struct StartChoice;

// Dialog 202, modal over `owner`. `commandLineFile` (may be empty) is set
// as the edit file when the dialog first shows. True when the user chose
// an edit file and pressed OK; the files are then in `doc`.
bool runFileSelectDialog(HWND owner, Document& doc, StartChoice& start, HelpPopup& help,
                         const std::string& commandLineFile);
