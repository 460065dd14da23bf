#pragma once
// The help-text popup (a few lines of help at the mouse position) and the
// invisible full-screen window behind it that turns the next click
// anywhere into its closing.
#include <windows.h>

#include <string>

struct HelpPopup {
    HWND window = nullptr;      // HelpTextWndClass
    HWND nullWindow = nullptr;  // NullBkgWndClass
    HFONT font = nullptr;       // the shared UI font, owned by the main window
    RECT desktop{};
    RECT requested{};  // top-left at the help request, size from the caller
    std::wstring text;
};

// Both popups, hidden: the help text first, then the transparent one.
bool createHelpPopups(HINSTANCE instance, HelpPopup& popup);
void destroyHelpPopups(HelpPopup& popup);
// Shows `text` in a box of width x height whose top-left corner is `at` (screen).
void showHelp(HelpPopup& popup, const std::string& text, POINT at, int width, int height);
void hideHelp(HelpPopup& popup);

LRESULT CALLBACK helpTextWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
