#pragma once
// A loaded file moved to a page with chosen zoom frames, channel and gain.
#include <array>
#include <memory>
#include <vector>

#include "audio_file/tests/wave_builder.h"
#include "edit/gain.h"
#include "edit/page_io.h"
#include "testing/document_fixture.h"
#include "view/frames.h"
#include "view/pages.h"

struct PlayPlace {
    int32_t width = 640;
    int channel = 0;
    int page = 2;
    std::array<int32_t, 5> zoom{0, 3, 5, 7, 9};  // zoomFrameLeft[0..4]
    int32_t gain = 0;                            // asked for; the headroom may give less
};

inline std::unique_ptr<LoadedDocument> playDocument(const Bytes& file, const PlayPlace& at) {
    auto l = loadDocument(file, at.width);
    Document& d = **l;
    for (int p = 0; p < 5; ++p) d.view.zoomFrameLeft[size_t(p)] = at.zoom[size_t(p)];
    d.view.channel = at.channel;
    if (at.page > 0) {
        enterPage(*l, at.page);
        ViewEvents e;
        removeGain(d, e);
        applyGain(d, at.gain, at.page, e);
    }
    return l;
}

// An edit frame over columns [left, right) of the current page, as a drag leaves it.
inline void setFrame(Document& d, int32_t left, int32_t right) {
    d.view.editFrameLeft = left;
    d.view.editFrameRight = right;
    setEditFrameBytes(d);
    d.view.editFramePresent = true;
}

// The stretch's bytes in playBufferA.
inline std::vector<uint8_t> composedBytes(const Document& d) {
    const uint8_t* a = d.image.playBufferA.get();
    return std::vector<uint8_t>(a, a + size_t(stretchFrames(d)) * d.edit.frameBytes);
}
