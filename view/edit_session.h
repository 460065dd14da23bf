#pragma once
// The edit window's logic, free of windows: what each command, press, tick
// and release does to the document, and what the window must then show.
#include <cstdint>
#include <string>

#include "common/file_system.h"
#include "document/document.h"
#include "document/view_events.h"
#include "edit/band_mode.h"
#include "edit/tools.h"

// The window-procedure state of the edit window.
struct EditSession {
    int32_t pressedButtonIndex = -1;  // 0-10: tools 1001-1011 (with an edit); 0-2: slide buttons (page 5)
    ToolRun run;                      // applications since the press (toolRepeatCount)
    int32_t bandIndex = 1;            // 0-7 high band f8 ... f1, 8-15 low band
    bool suppressSpectrumOnPaint = false;
    bool shorteningNoticeOff = false;
    bool automaticDialogShown = false;
    bool shorteningLook = false;  // 1020/1021 show their shortening images
    bool slidePressed = false;    // a slide button went down on page 5 and its command has not come
};

// 1051-1053: the block-shift buttons of pages 1-4, the slide buttons of page 5.
enum class ShiftButton : uint8_t { left, home, right };

// Edit window title: "編集(F1)：左CH    PCM 2CH 16BIT 44100SAMPLE".
std::string editWindowTitle(const Document& doc);
// The status text for the pointer at column x: time, then the page's hint.
std::string pointerText(const Document& doc, int32_t x);

// A press on a repeat button: which of the first eleven (or, on page 5, of
// the slide buttons) counts, or -1.
void pressToolButton(EditSession& s, const Document& doc, int32_t index);
// A press on the slide buttons 1051-1053 (index 0-2): counts only on page 5.
void pressSlideButton(EditSession& s, const Document& doc, int32_t index);

// The left button as the system reports it at a tick of a held repeat button.
struct ButtonReading {
    bool queueLeft = false;   // in the messages read so far
    bool deviceLeft = false;  // on the device now: its physical buttons
    bool deviceRight = false;
    bool swapped = false;  // the left button programs see is the device's right one
};
// Whether the held button is still down. The tick of the press goes by the
// messages (a quick click is up already); a timer tick comes once all input
// before it was read, so the device tells then whether the release went to
// another window.
bool leftButtonHeld(const ButtonReading& r, bool ofThePress);

// One tick of timer 401. `buttonStillDown`: the left button is still held;
// if not, the run ends here as on release.
struct TickOutcome {
    bool stop = false;     // the timer ends (nothing to do, or the button is up)
    bool refused = false;  // show the "no" cursor
    bool repaintFrame = false;
    bool repaintWaveform = false;
};
TickOutcome toolTimerTick(Document& doc, EditSession& s, bool buttonStillDown, ViewEvents& events);
// The button's command after the release: one step for the whole run.
void toolRelease(Document& doc, EditSession& s, ViewEvents& events);
// The command of 1051-1053 (on page 5 it arrives at the release).
void shiftButtonCommand(Document& doc, EditSession& s, ShiftButton button, ViewEvents& events);
// One tick of timer 403 (increase, "左へ") or 404 ("右へ"). A release never
// seen ends the slide as the button's own command does. True: the timer ends.
bool slideTimerTick(Document& doc, EditSession& s, bool increase, bool buttonStillDown, ViewEvents& events);

// 1020 and 1021, in their shortening forms on page 5 while shortening is active.
// The return from a descent enters band editing again with `band`.
void enlargeCommand(Document& doc, EditSession& s, FileSystem& fs, const BandSplit& band, ViewEvents& events);
void reduceCommand(Document& doc, EditSession& s, FileSystem& fs, const BandSplit& band, ViewEvents& events);
// 1032: the first-use notice (empty once turned off), then the manual descent.
Message shorteningNotice(const EditSession& s);
bool shorteningAllowed(const Document& doc, const EditSession& s);
void startManualShortening(Document& doc, EditSession& s, ViewEvents& events);
// 1022.
void confirmCommand(Document& doc, EditSession& s, ViewEvents& events);
// F1: allowed, and the question to ask first (empty: none).
bool channelSwitchAllowed(const Document& doc);
Message channelSwitchQuestion(const Document& doc);
// Close: the question before the exit dialog (empty: none).
Message closeQuestion(const Document& doc);
