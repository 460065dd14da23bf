#pragma once
// Moving the page-2 stretch between the file image and the working buffers.
#include <cstdint>

#include "document/document.h"

// Frames of the page-2 stretch: 512 per column.
inline uint32_t stretchFrames(const Document& doc) { return 512u * uint32_t(doc.view.screenWidth); }

// workSamples from the image around workOrigin, with 2048-slot margins;
// offsets past the data (or before it) read as silence.
void loadPage(Document& doc);
// workSamples back into the image, frames inside the data only.
void storePage(Document& doc);
// The selected channel of the stretch <-> a per-frame array.
void saveChannel(const Document& doc, SampleValue* frames);
void restoreChannel(Document& doc, const SampleValue* frames);
// Entries 0 ... stretch frames (one more than the stretch).
void copyFrames(const Document& doc, SampleValue* destination, const SampleValue* source);

// Largest shift s <= cap with m x 2^s in range, m the largest magnitude of the
// samples at from, from + BA, ... below to. Reads the image (page 1; stops at
// data end) or a working buffer.
int32_t headroomShiftImage(const Document& doc, uint32_t from, uint32_t to, int32_t cap);
int32_t headroomShiftSlots(const Document& doc, const SampleValue* slots, uint32_t from, uint32_t to, int32_t cap);
// The shift for a known largest magnitude.
int32_t headroomShiftOf(uint32_t magnitude, int32_t cap);
