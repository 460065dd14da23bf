#pragma once
#include <windows.h>

#include <string>

// "Velkor version 2.10", owned by the caller.
void showVersion(HWND owner);
// Brings the open help viewer forward, else opens the help file with the
// shell; "ファイルが開けません" when the shell cannot.
void openHelp(HWND owner, const std::string& helpPath);
// The help viewer ends with the program (the last step of the close).
void closeHelp();
