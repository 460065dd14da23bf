#pragma once
// The composed copy of the page-2 stretch that pages 2-5 play: open edits,
// band restoration and the listening aid heard, the display gain taken off
// and put back as far as the loudest played sample allows.
#include "document/document.h"

// Builds every frame of the stretch into playBufferA, in the file's format
// and the channel mode (buffer offset = image offset - workOrigin). Uses
// scratchSamples; workSamples, complementBand and the image stay untouched.
// silenceFrame: kinds 4 and 6 (the edit frame, else the next page's stretch,
// replaced by the straight line between its ends in every channel).
// False, with nothing written, when the working copy is not in place.
bool composePlayBuffer(Document& doc, bool silenceFrame);
