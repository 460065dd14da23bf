#pragma once
// Preparing a playback: the range to play and, on pages 2-5, the composed
// buffer. The shell then opens the device and drives playback/stream.h.
#include "document/document.h"

// Kinds of range:
//   0 main window, from the overview's zoom frame to the data end (streamed)
//   1 the page; page 1 streamed up to the data end, pages 2-3 composed
//   2 page 1 from its zoom frame to the page end or data end (streamed)
//   3 page 2 from the edit frame (or zoom frame) to the stretch end (composed)
//   4 page 3 whole, the edit frame (or page 4's stretch) silenced (composed)
//   5 page 3 whole, line in the indicator (composed)
//   6 as 4, line in the indicator
// Each kind needs its pages (0: page 0; 1: 1-3; 2: 1; 3: 2; 4: 3; 5, 6: 4-5).
// False, with the range, the buffers and the indicator mode untouched, when
// the kind does not fit the view, a playback runs or there is nothing to play.
bool preparePlayback(Document& doc, int kind);
// 1023/1025/1027 and 341: kind 1 on pages 1-3, 5 on pages 4-5.
bool playPage(Document& doc);
// 1024/1026/1028 and 342: kind 2 on page 1, 3 on 2, 4 on 3, 6 on 4-5.
bool playFromFrame(Document& doc);
