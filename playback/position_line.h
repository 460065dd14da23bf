#pragma once
// The line that follows the played position: where it is drawn and which
// column a played byte position puts it at. Drawn with R2_NOT, so the shell
// erases it by drawing it again at the same column.
#include <cstdint>

#include "document/document.h"

enum class LineTarget : uint8_t { mainWindow, editWindow, indicator };

struct LineRows {
    int32_t top = 0, bottom = 0;
};

// Display window 2 draws page 3 at one column per 8: the indicator's scale.
constexpr int32_t kIndicatorDivisor = 8;

struct PositionLine {
    LineTarget target = LineTarget::mainWindow;
    LineRows rows;
    int32_t column = 0;  // where it is drawn now
};

// At open: the target (main window on page 0, the indicator in IndicatorMode,
// else the edit window), its rows (indicatorClient: the indicator's client
// rectangle) and the start column.
PositionLine openLine(const Document& doc, LineRows indicatorClient);
// The column of a played byte position (waveOutGetPosition, TIME_BYTES), at
// most that of the range's end; in IndicatorMode inside the W/8 columns of
// the indicator's page-3 picture.
int32_t lineColumn(const Document& doc, uint32_t position);

struct LineMove {
    bool moved = false;  // erase at `from`, draw at `to`
    int32_t from = 0, to = 0;
};
// Timer 402: the line moves only to the right, never back.
LineMove followPosition(const Document& doc, PositionLine& line, uint32_t position);
// How far past the range the device may play (its silence) before timer 402
// stops it: the last buffer's return normally ends the playback first.
constexpr uint32_t kEndGraceSeconds = 2;
// Timer 402: past the range by more than the grace, the dialog sends itself WM_CLOSE.
bool playedPastEnd(const Document& doc, uint32_t position);
