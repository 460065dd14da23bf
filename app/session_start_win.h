#pragma once
#include <windows.h>

struct Document;
struct StartChoice;

// The settings part of the file selection dialog's OK, run with both files
// fixed: the settings file is made when missing and its time taken, the exit
// settings are read and the resume of the last view is offered. False keeps
// the dialog open.
bool startSession(HWND dialog, Document& doc, StartChoice& start);
