#pragma once
// The hand tools. Each reshapes the selected channel of the edit frame in
// workSamples; a tick that would leave the sample range changes nothing.
#include <cstdint>

#include "common/message.h"
#include "document/document.h"
#include "document/view_events.h"

enum class Tool : uint8_t {
    shiftUp,        // 1003
    shiftDown,      // 1004
    rampLeftDown,   // 1005
    rampLeftUp,     // 1006
    rampRightUp,    // 1007
    rampRightDown,  // 1008
    amplify,        // 1009
    attenuate,      // 1010
    lowPass,        // 1011
};

// What the edit window knows and a tool needs.
struct ToolFlags {
    bool automaticDialogShown = false;  // attenuate skips its flat test
    bool enlargeEnabled = true;         // button 1020 (in shortening: "短縮開始")
};

// One application run: press, ticks, release.
struct ToolRun {
    int32_t counted = 0;  // successful applications
};

enum class TickResult : uint8_t {
    applied,  // counted, repaint the frame
    refused,  // nothing changed: the "no" cursor
    forced,   // shortening: a flat frame attenuated anyway, counted once, "no" cursor
};

// One tick of a repeating tool (count m: amplify/attenuate steps of 1.1).
TickResult toolTick(Document& doc, Tool tool, ToolRun& run, const ToolFlags& flags, int count = 1);
// Amplify/attenuate factor per step: the doubles nearest to 1.1 and 1/1.1.
constexpr double kAmplifyFactor = 1.1;
constexpr double kAttenuateFactor = 0.9090909090909091;

// 7033: every sample of the frame to 0. False without an open edit.
bool silenceFrame(Document& doc);

// 1012: the reference audio into the frame at the current gain. When it
// would not fit, nothing changes and `question` asks to re-run at `lowerShift`.
struct InsertResult {
    bool applied = false;
    bool askLowerGain = false;
    int32_t lowerShift = 0;
    Message question;
};
// tallScreen: the desktop is at least 256 rows taller than the edit window.
InsertResult insertReference(Document& doc, bool tallScreen);

// 7034: moves the frame ends to nearby zero crossings; refused with a message.
Status adjustToZeroCrossings(Document& doc);

// The straight line between a range's end values, written over it (playback).
void fillLine(SampleValue* slots, uint32_t workOrigin, uint32_t start, uint32_t end, uint32_t bps, uint32_t ba);

// The end of an application run (release of the button): one step for all
// its counted applications. False when nothing was recorded.
bool endToolRun(Document& doc, ToolRun& run, ViewEvents& events);

// 1012 and 7033 as the edit window runs them: applied, then one step recorded.
InsertResult runInsert(Document& doc, bool tallScreen, ViewEvents& events);
bool runSilence(Document& doc, ViewEvents& events);
// The answer Yes to the lower-gain question: confirm, the gain lowered to
// `shift`, the edit reopened on the same columns, the insert run again.
// Ignored unless an edit is open and shift is a gain (0-4).
InsertResult rerunInsertAtLowerGain(Document& doc, int32_t shift, bool tallScreen, ViewEvents& events);
