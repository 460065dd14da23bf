#pragma once
// The main window: the start-up road in its creation, the overview with its
// mouse and keys, the main menu's commands, the close and the destruction.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/edit_window_win.h"
#include "app/start_choice.h"
#include "common/unique_win.h"
#include "document/document.h"
#include "playback/playback_dialog_win.h"
#include "spectrum/spectrum_view.h"
#include "ui/help_popup_win.h"
#include "ui/hooks_win.h"
#include "view/overview.h"

struct MainWindow {
    HINSTANCE instance = nullptr;
    HWND hwnd = nullptr;
    std::string programPath;
    std::string commandLineFile;
    Document doc;
    StartChoice start;

    UniqueKernel instanceMutex;
    UniqueGdiObject font;  // the shared UI font
    ThreadHooks hooks;
    HelpPopup help;
    RECT desktop{};
    std::array<UniqueMenu, 4> popupMenus;  // 5003..5006 of the edit window's toolbars
    HWND status = nullptr;                 // 111
    SIZE windowSize{};                     // kept by the view for both windows

    OverviewBitmaps overview;
    std::vector<uint32_t> pixels;             // the overview picture, made again from the maps on paint
    int32_t cursor = 0;                       // the keyboard cursor column
    bool cursorShown = false;                 // its inverted line is on screen
    std::unique_ptr<SpectrumState> spectrum;  // its tables and buffers serve the band split too
    EditWindow edit;
    PlaybackDialog playback;  // one at a time, for both windows and the mouse hook
};

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
