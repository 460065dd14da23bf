#pragma once
// Moving between pages: entering the edit view, enlarging and reducing, the
// page-5 slide, the channel switch, leaving the edit view, the size change.
#include "common/file_system.h"
#include "document/document.h"
#include "document/view_events.h"
#include "edit/band_mode.h"

// "編集ウインドへ": page 1 of the edit view, transient state cleared,
// resumedPage > 1 enlarges down to it.
void enterEditView(Document& doc, FileSystem& fs, int32_t resumedPage, ViewEvents& events);
// 1020 and 1021 outside the shortening operation.
void enlarge(Document& doc, FileSystem& fs, ViewEvents& events);
void reduce(Document& doc, ViewEvents& events);

// The page-5 slide: the gain over all of page 4 while a slide button is held.
void beginSlideGain(Document& doc, ViewEvents& events);
// One tick of timer 403 (increase) or 404 (decrease); false when it clamped.
bool slideTick(Document& doc, bool increase, ViewEvents& events);
void endSlide(Document& doc, ViewEvents& events);
void slideHome(Document& doc, ViewEvents& events);

// F1: toggles the channel. On page 0 only the channel changes.
void switchChannel(Document& doc, const BandSplit& band, ViewEvents& events);
// Closing the edit window: samples back into the image, gain removed.
void leaveEditView(Document& doc, ViewEvents& events);
// 6016-6018: the overview column rescaled to the new width, deeper frames reset.
void changeWidth(Document& doc, int32_t newWidth);
