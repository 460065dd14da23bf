#pragma once
// The edit window (pages 1-5): the command bar, the status bar, the page
// drawn from the core's pixels, the mouse, the tool auto-repeat and the
// dispatch of every command. Each message becomes core calls; what they
// report (ViewEvents) and the bar's look decide what the windows show.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/unique_win.h"
#include "shortening/button_move.h"
#include "shortening/hover.h"
#include "shortening/placement.h"
#include "ui/command_bar_win.h"
#include "ui/view_look.h"
#include "view/edit_session.h"
#include "view/overview.h"
#include "view/page_render.h"

struct Document;
struct PlaybackDialog;
struct Settings;
struct SpectrumWindow;

// Everything made with the window and released with it.
struct EditChildren {
    CommandBar bar;
    HWND status = nullptr;            // 112
    HWND picture = nullptr;           // 113, the ruler under the rebar
    HWND shorteningButton = nullptr;  // 344
    HWND tooltips = nullptr;          // the tooltips of 114-119 and 124
    UniqueGdiObject ruler;            // bitmap 140, shown by 113
    UniqueGdiObject shorteningCells;  // bitmap 139, five cells of 75 x 21
    std::vector<uint32_t> miniature;  // bitmap 141 as pixels, top row first
    int32_t miniatureWidth = 0;
    int32_t miniatureHeight = 0;
    std::vector<uint32_t> controlPixels;  // display windows, drawn by the core

    PageCache cache;      // what the paint keeps of pages 1 and 2
    PagePixels page;      // the page as the core renders it
    UniqueGdiObject dib;  // the same pixels as a bitmap GDI can copy from
    uint32_t* dibBits = nullptr;
    SIZE dibSize{};

    int32_t actedPage = 0;  // the page and channel the last core call left
    int32_t actedChannel = 0;
    ViewLook shown;              // the bar as it is on screen
    bool lookKnown = false;      // false: the next update sends everything
    bool repeatWaiting = false;  // timer 401 still in its first 400 ms
    bool refusing = false;       // the last tick was refused: the "no" cursor
    int swallowPopup = 0;        // the popup whose next request only closes it
    DWORD swallowSince = 0;
    bool playResetArmed = false;  // the mouse hook shows 1023-1026 again
    std::wstring tipText;         // the text a tooltip asked for
    bool popupOpen = false;       // a menu of the bar is being tracked: no tooltips
    Hover hover;                  // the attenuate half of 344 under the pointer
    bool hoverRefusing = false;   // its last application was refused or forced: the "no" cursor
    ButtonGrab grab;              // 344 being moved; the mouse hook moves it with the pointer
};

struct EditWindow {
    // Given by the main window before creation.
    HINSTANCE instance = nullptr;
    HWND main = nullptr;
    Document* doc = nullptr;
    PlaybackDialog* playback = nullptr;  // owned by the main window
    SpectrumWindow* spectrum = nullptr;  // owned by the main window
    OverviewBitmaps* overview = nullptr;
    Settings* settings = nullptr;   // the exit dialog's two settings
    std::string helpPath;           // Velkor.chm beside the program
    HFONT font = nullptr;           // the shared UI font, owned by the main window
    std::array<HMENU, 4> popups{};  // 5003..5006, owned by the main window
    SIZE size{};                    // both windows' outer size
    RECT desktop{};

    HWND hwnd = nullptr;
    EditSession session;                // kept over a rebuild: the band choice, the notice
    bool darkBackground = false;        // F4; the class brush keeps it too
    AutomaticPlacement automaticPlace;  // where dialog 204 was when it last ended
    HWND automaticDialog = nullptr;     // dialog 204 while it runs
    EditChildren children;
};

LRESULT CALLBACK editWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Hidden, no parent, with every child; false when any cannot be made.
bool createEditWindow(HINSTANCE instance, EditWindow& w);
void destroyEditWindow(EditWindow& w);
// "編集ウインドへ": page 1 (or the resumed page) placed at `topLeft`, then shown.
void openEditWindow(EditWindow& w, POINT topLeft, int32_t resumedPage);
// A press ended the restore's life (the mouse hook). With `restoreFollows`
// the press was on 1050: the posted command still finds the restore armed
// and ends it itself, so only the button goes grey now.
void endRestoreByPress(EditWindow& w, bool restoreFollows);
// A move of 344 ends where the pointer is now, as its release ends it: also
// the way out when the release went to another program.
void dropShorteningButton(EditWindow& w);
