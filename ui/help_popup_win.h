#pragma once
// The help-text popup (a few lines of help at the mouse position) and the
// full-screen catcher behind it that turns the next click anywhere into its
// closing.
#include <windows.h>

#include <string>

#include "common/unique_win.h"

struct HelpPopup {
    HWND window = nullptr;      // HelpTextWndClass
    HWND nullWindow = nullptr;  // NullBkgWndClass, the catcher
    HFONT font = nullptr;       // the shared UI font, owned by the main window
    RECT desktop{};
    RECT requested{};  // top-left at the help request, size from the caller
    std::wstring text;
    // The screen as it was when the catcher came up: it shows that, never
    // an unpainted (black) surface.
    UniqueGdiObject screen;
};

// Both popups, hidden: the help text first, then the catcher.
bool createHelpPopups(HINSTANCE instance, HelpPopup& popup);
void destroyHelpPopups(HelpPopup& popup);
// Shows `text` in a box of width x height whose top-left corner is `at`
// (screen), without taking the activation from the window that asked.
void showHelp(HelpPopup& popup, const std::string& text, POINT at, int width, int height);
void hideHelp(HelpPopup& popup);
bool catcherShown(const HelpPopup& popup);

LRESULT CALLBACK helpTextWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK catcherWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
