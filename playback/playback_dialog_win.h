#pragma once
// The playback dialog (201): opens the wave-out device, drives the streaming
// machine with the device's reports, and moves the position line. One
// playback at a time; its record is owned by the main window so that both
// windows and the mouse hook reach it.
#include <windows.h>

#include <mmsystem.h>

#include <array>

#include "common/unique_win.h"
#include "document/document.h"
#include "playback/position_line.h"

// The windows a line can run in; the prepared range picks one.
struct LineWindows {
    HWND main = nullptr;
    HWND edit = nullptr;
    HWND indicator = nullptr;  // display window 2
};

struct PlaybackDialog {
    // Given by the main window.
    HINSTANCE instance = nullptr;
    Document* doc = nullptr;
    RECT desktop{};

    HWND hwnd = nullptr;       // while the dialog exists
    bool initialised = false;  // WM_INITDIALOG ran: the dialog was made
    bool playing = false;      // from WM_INITDIALOG to the End
    // From the start to the End.
    LineWindows windows;
    HWND target = nullptr;  // where the line is drawn
    PositionLine line;
    UniqueWaveOut device;
    std::array<WAVEHDR, 2> headers{};  // playBufferA, playBufferB
    UniqueWindowDc dc;
    UniqueTimer timer;
    bool lineDrawn = false;
    bool stopAsked = false;
};

// After preparePlayback: the modeless dialog, owned by `owner`, plays the
// range. False when the dialog cannot be made (the command returns -1).
bool openPlaybackDialog(PlaybackDialog& p, HWND owner, const LineWindows& windows);
// A playback runs: every starter does nothing.
bool playbackShown(const PlaybackDialog& p);
// The stop a click asks for: WM_CLOSE to the dialog.
void stopPlaybackDialog(PlaybackDialog& p);
// Before an owner or the buffers go: the device stopped and closed, the line
// erased and the dialog destroyed, now.
void endPlaybackNow(PlaybackDialog& p);
// After `window` painted on `dc`: the line it holds drawn again.
void redrawPlaybackLine(const PlaybackDialog& p, HWND window, HDC dc);
