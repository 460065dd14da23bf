#pragma once
// The edit window's command bar: the rebar with its eight toolbars, the play
// toolbar's pager, the two display windows and the four labels, laid out in
// two rows; and the look of the bar applied to those controls.
#include <windows.h>

#include <array>
#include <cstdint>
#include <iterator>

#include "common/unique_win.h"
#include "ui/tool_buttons.h"
#include "ui/view_look.h"

constexpr size_t kToolbarCount = std::size(kToolbars);
constexpr size_t kRebarBandCount = std::size(kRebarBands);
constexpr COLORREF kShorteningYellow = RGB(255, 255, 0);  // the page band while shortening

struct CommandBar {
    HWND rebar = nullptr;
    HWND pager = nullptr;                               // 124, holds toolbar 107
    std::array<HWND, kToolbarCount> toolbars{};         // in kToolbars order
    std::array<UniqueImageList, kToolbarCount> images;  // released with the bar
    std::array<HWND, 4> labels{};                       // 116-119
    HWND display1 = nullptr;                            // 114
    HWND display2 = nullptr;                            // 115
    HFONT font = nullptr;                               // the shared UI font
    int32_t screenWidth = 640;
    bool stereo = true;
    bool toolBandsShown = true;
    bool yellowPageBand = false;
};

// Creates the rebar and everything on it at the parent's client width.
// False when any control cannot be made (what was made goes with the parent).
bool buildCommandBar(HWND parent, HINSTANCE instance, HFONT font, bool stereo, int32_t screenWidth, CommandBar& bar);
// The toolbar with control ID `id`, and the toolbar holding `command` (null: none).
HWND toolbarById(const CommandBar& bar, int id);
HWND toolbarOf(const CommandBar& bar, int command);
bool isToolbar(const CommandBar& bar, HWND window);
// A button's rectangle in screen coordinates; false when the toolbar has no such button.
bool buttonScreenRect(const CommandBar& bar, int command, RECT& rect);

// The rebar's bottom edge in the parent's client coordinates.
int32_t rebarBottom(const CommandBar& bar);
// After the rebar moved its bands: the labels back over their headers.
void placeLabels(CommandBar& bar);
// Bands 8-11 (the tools, the spacer and both display windows).
void showToolBands(CommandBar& bar, bool shown);
// Band 0 in yellow (the shortening look) or in the menu-bar colour, with its width.
void setPageBandColour(CommandBar& bar, bool yellow);

// Sends one change of the look to its control. `shown` is the look after the
// change (labels take their text from it). The shortening look arrives as
// the images of 1020/1021 and band 0's colour.
void applyLookChange(CommandBar& bar, const LookChange& change, const ViewLook& shown);
