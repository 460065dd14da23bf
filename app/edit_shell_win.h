#pragma once
// Shared by the edit window's files: what the window does after a core call,
// its areas, and the handlers each file keeps.
#include <windows.h>

#include <string>

#include "app/edit_window_win.h"
#include "document/view_events.h"

constexpr UINT kMsgRerunInsert = WM_APP + 2;  // wParam: gain shift, lParam: the command to run again
constexpr UINT_PTR kTimerRepeat = 401;
constexpr UINT_PTR kTimerSlideUp = 403;    // zoomFrameLeft[4] increasing
constexpr UINT_PTR kTimerSlideDown = 404;  // decreasing
constexpr UINT kRepeatDelayMs = 400;
constexpr UINT kRepeatPeriodMs = 100;
constexpr UINT kSlidePeriodMs = 50;
constexpr int kStatusHeight = 20;

// After a core call: overview, titles, repaints, the main window, the bar's
// look, and last the message the operation left.
void act(EditWindow& w, ViewEvents& events);
// The bar brought to the state (only what changed; everything when unknown).
void refreshBar(EditWindow& w);

int32_t clientHeight(const EditWindow& w);
// Client rows 62 to 20 above the bottom, full width.
RECT waveformArea(const EditWindow& w);
void repaintWaveform(EditWindow& w);
// Columns editFrameLeft - 1 to editFrameRight + 1 of the waveform area.
void repaintEditFrame(EditWindow& w);
void setStatus(EditWindow& w, const std::string& text);
bool tallScreen(const EditWindow& w);

// A held repeat button let go: clip removed, timers killed, focus back.
void endButtonHold(EditWindow& w);

// edit_commands_win.cpp
// 0, or -1 when a playback dialog could not be made.
LRESULT onCommand(EditWindow& w, int id);
LRESULT onRerunInsert(EditWindow& w, WPARAM shift, LPARAM command);
// A toolbar popup at the button holding `command`: menu index 0-3 of w.popups.
void showToolbarPopup(EditWindow& w, int menuIndex, int command, bool swallowRule);

// edit_paint_win.cpp
bool loadPictures(EditWindow& w);
LRESULT onPaint(EditWindow& w);
LRESULT onDrawItem(EditWindow& w, const DRAWITEMSTRUCT& item);

// bar_notify_win.cpp
LRESULT onNotify(EditWindow& w, NMHDR& header);
LRESULT onMenuSelect(EditWindow& w, WPARAM wp, LPARAM lp);
bool addControlTooltips(EditWindow& w);

// repeat_buttons_win.cpp: the subclasses of toolbars 108 and 105.
bool subclassRepeatButtons(EditWindow& w);

// shortening_button_win.cpp: the subclass of window 344.
bool subclassShorteningButton(EditWindow& w);
// The attenuate half's hover ended (its step recorded), as the pointer's leaving does.
void leaveHover(EditWindow& w);
