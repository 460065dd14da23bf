#include "playback/position_line.h"

#include <algorithm>

namespace {

constexpr int32_t kMainWindowTop = 35;  // the overview's rows 35-290
constexpr int32_t kEditWindowTop = 62;  // the waveform area's rows 62-317
constexpr int32_t kLineHeight = 255;

}  // namespace

PositionLine openLine(const Document& doc, LineRows indicatorClient) {
    PositionLine line;
    if (doc.view.page == 0) {
        line.target = LineTarget::mainWindow;
        line.rows = {kMainWindowTop, kMainWindowTop + kLineHeight};
    } else if (doc.playback.indicatorMode) {
        line.target = LineTarget::indicator;
        line.rows = indicatorClient;
    } else {
        line.target = LineTarget::editWindow;
        line.rows = {kEditWindowTop, kEditWindowTop + kLineHeight};
    }
    line.column = lineColumn(doc, 0);
    return line;
}

int32_t lineColumn(const Document& doc, uint32_t position) {
    const PlaybackRange& r = doc.playback.range;
    // Past the end the device plays only its own silence: the line waits at the end.
    const uint32_t played = std::min(position, r.length);
    const int64_t column = int64_t(r.startColumn) + played / std::max<uint32_t>(r.bytesPerPixel, 1);
    if (!doc.playback.indicatorMode) return int32_t(std::min<int64_t>(column, INT32_MAX));
    // The indicator's picture of page 3 is W/8 columns wide.
    const int64_t last = doc.view.screenWidth / kIndicatorDivisor - 1;
    return int32_t(std::clamp<int64_t>(column / kIndicatorDivisor, 0, last));
}

LineMove followPosition(const Document& doc, PositionLine& line, uint32_t position) {
    LineMove m;
    const int32_t column = lineColumn(doc, position);
    if (column <= line.column) return m;
    m = {true, line.column, column};
    line.column = column;
    return m;
}

// The device gets exactly the range, so its last buffer coming back ends the
// playback; the device's position passes the end a little before that. A
// reset then would drop what the device still holds of the range, so the
// check waits: it is for a device whose buffers do not come back.
bool playedPastEnd(const Document& doc, uint32_t position) {
    const uint64_t grace = uint64_t(kEndGraceSeconds) * doc.edit.format.samplesPerSecond * doc.edit.frameBytes;
    return position > doc.playback.range.length + grace;
}
