#pragma once
// The edit window (pages 1-5). For now a plain window: it opens from the
// overview, carries its title and, when closed, ends the program through
// the main window.
#include <windows.h>

#include <string>

#include "view/overview.h"

struct Document;
struct Settings;

struct EditWindow {
    HWND hwnd = nullptr;
    HWND main = nullptr;
    Document* doc = nullptr;
    OverviewBitmaps* overview = nullptr;
    Settings* settings = nullptr;  // the exit dialog's two settings
    std::string helpPath;          // Velkor.chm beside the program
};

LRESULT CALLBACK editWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Hidden, no parent; false when it cannot be made.
bool createEditWindow(HINSTANCE instance, EditWindow& w);
void destroyEditWindow(EditWindow& w);
// Places it at `topLeft` with `size`, titled for the edited channel, and shows it.
void showEditWindow(EditWindow& w, POINT topLeft, SIZE size);
