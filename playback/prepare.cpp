#include "playback/prepare.h"

#include <algorithm>
#include <cstdint>

#include "edit/page_io.h"
#include "playback/compose.h"

namespace {

bool pageIn(const Document& doc, int from, int to) { return doc.view.page >= from && doc.view.page <= to; }

// Streamed kinds read the image only inside the data.
bool streamable(const Document& doc, const PlaybackRange& r) {
    const WaveInfo& f = doc.edit;
    return doc.image.allocated() && doc.image.playBufferA && doc.image.playBufferB && f.frameBytes > 0 &&
           r.startOffset >= f.dataOffset && r.startOffset < f.dataEnd && r.length > 0 &&
           r.length <= f.dataEnd - r.startOffset;
}

// From column x of page p, at most maxBytes, cut at the data end.
PlaybackRange streamedRange(const Document& doc, int p, int32_t x, uint64_t maxBytes) {
    const WaveInfo& f = doc.edit;
    PlaybackRange r;
    r.startColumn = x;
    r.startOffset = columnOffset(doc.view, f, x, p);
    r.bytesPerPixel = doc.view.framesPerPixel[p] * f.frameBytes;
    const uint64_t left = r.startOffset < f.dataEnd ? f.dataEnd - r.startOffset : 0;
    r.length = uint32_t(std::min(maxBytes, left));
    return r;
}

}  // namespace

bool preparePlayback(Document& doc, int kind) {
    if (doc.playback.stream.running || kind < 0 || kind > 6) return false;  // the device reads the buffers
    const ViewState& v = doc.view;
    const WaveInfo& f = doc.edit;
    const int32_t w = v.screenWidth;
    const int p = v.page;
    PlaybackRange r;
    if (kind == 0 || (kind == 1 && p == 1) || kind == 2) {
        if (p != (kind == 0 ? 0 : 1)) return false;
        const int32_t x = kind == 0 ? v.zoomFrameLeft[0] : kind == 2 ? v.zoomFrameLeft[1] : 0;
        if (x < 0 || x >= w) return false;
        // The overview plays to the data end, page 1 to its last column at most.
        const uint64_t pageRest = uint64_t(v.framesPerPixel[1]) * f.frameBytes * uint32_t(w - x);
        r = streamedRange(doc, p, x, kind == 0 ? UINT64_MAX : pageRest);
        if (!streamable(doc, r)) return false;
        doc.playback.range = r;
        doc.playback.indicatorMode = false;
        return true;
    }

    const bool fits = (kind == 1 && pageIn(doc, 2, 3)) || (kind == 3 && p == 2) || (kind == 4 && p == 3) ||
                      (kind >= 5 && pageIn(doc, 4, 5));
    if (!fits) return false;
    const int shown = kind == 1 || kind == 3 ? p : 3;  // from page 3 on, page 3 is played
    r.composed = true;
    r.bytesPerPixel = v.framesPerPixel[shown] * f.frameBytes;
    r.startOffset = columnOffset(v, f, 0, shown);
    r.length = r.bytesPerPixel * uint32_t(w);
    if (kind == 3) {
        const uint32_t h = channelOffset(v, f);
        r.startColumn = v.editFramePresent ? v.editFrameLeft : v.zoomFrameLeft[2];
        r.startOffset = v.editFramePresent ? v.editFrameStart - h : columnOffset(v, f, v.zoomFrameLeft[2], 2);
        const uint32_t stretchEnd = doc.pages.workOrigin + stretchFrames(doc) * f.frameBytes;
        r.length = r.startOffset < stretchEnd ? stretchEnd - r.startOffset : 0;
    }
    // The played bytes must lie inside the composed stretch.
    const uint32_t origin = doc.pages.workOrigin;
    const uint64_t stretchBytes = uint64_t(stretchFrames(doc)) * f.frameBytes;
    if (r.length == 0 || r.startOffset < origin || uint64_t(r.startOffset - origin) + r.length > stretchBytes)
        return false;
    if (!composePlayBuffer(doc, kind == 4 || kind == 6)) return false;
    r.startOffset -= origin;
    doc.playback.range = r;
    doc.playback.indicatorMode = kind >= 5;
    return true;
}

bool playPage(Document& doc) {
    const int p = doc.view.page;
    if (p < 1 || p > 5) return false;
    return preparePlayback(doc, p <= 3 ? 1 : 5);
}

bool playFromFrame(Document& doc) {
    const int p = doc.view.page;
    if (p < 1 || p > 5) return false;
    return preparePlayback(doc, p == 1 ? 2 : p == 2 ? 3 : p == 3 ? 4 : 6);
}
