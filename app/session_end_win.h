#pragma once
#include <windows.h>

struct Document;
struct StartChoice;

// The main window's close before its destruction: the exit question while
// the overview is current, the spectrum window closed, the change check and the save question, the
// settings write-back and the closing of the help viewer. False keeps the
// program running.
bool endSession(HWND main, HWND spectrum, Document& doc, StartChoice& start);
