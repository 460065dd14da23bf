#pragma once
// Placing the zoom frame (pages 1-4) and marking the edit frame (pages 2-5).
#include <cstdint>

#include "document/document.h"
#include "document/edit_frame.h"
#include "document/view_events.h"

// A click at column x on pages 1-4 moves the page's zoom frame there, clamped.
void placeZoomFrame(Document& doc, int32_t x, ViewEvents& events);
// Pulls page p's zoom frame back to the data before it is drawn.
void clampZoomFrameToData(Document& doc, int p);

// Mouse in the waveform area. A press the program sends itself, and every
// press on page 1, is released at once. Times in ms of one clock.
void pressWaveform(Document& doc, int32_t x, uint32_t nowMs, bool programSent, ViewEvents& events);
void dragWaveform(Document& doc, int32_t x);
void releaseWaveform(Document& doc, uint32_t nowMs, ViewEvents& events);
// A drag whose release will never come (the mouse was taken away): void, a
// present frame keeps its columns.
void cancelDrag(Document& doc, ViewEvents& events);
// A click the program makes itself (block shift, first position, restore).
void programClick(Document& doc, int32_t x, ViewEvents& events);

// Block shift and first position on pages 1-4 (1051, 1053, 1052).
void blockShiftLeft(Document& doc, ViewEvents& events);
void blockShiftRight(Document& doc, ViewEvents& events);
void firstPosition(Document& doc, ViewEvents& events);
