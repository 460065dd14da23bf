#pragma once
// A document on an edit page with chosen sample values in the edit frame.
#include <memory>
#include <vector>

#include "audio_file/tests/wave_builder.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/page_io.h"
#include "edit/tools.h"
#include "testing/document_fixture.h"
#include "view/frames.h"
#include "view/pages.h"

struct ToolDoc {
    std::unique_ptr<LoadedDocument> l;
    Document& d() { return **l; }
    // The slot of frame k of the edit frame (k = -1 is the frame before it).
    SampleValue& x(int64_t k) {
        Document& doc = d();
        const uint32_t q = uint32_t(int64_t(doc.view.editFrameStart) + k * doc.edit.frameBytes);
        return doc.pages.workSamples[slotOf(q, doc.pages.workOrigin, doc.edit.bytesPerSample)];
    }
    // The other channel's sample of the same frame.
    SampleValue& other(int64_t k) {
        Document& doc = d();
        const uint32_t h = doc.edit.bytesPerSample;
        const uint32_t q = uint32_t(int64_t(doc.view.editFrameStart) + k * doc.edit.frameBytes);
        return doc.pages.workSamples[slotOf(doc.view.channel == 1 ? q - h : q + h, doc.pages.workOrigin, h)];
    }
};

// Silence, `channels` x `bits`, on `page` (2-5) at gain 0, frame columns
// [left, left + n) on that page, its first frames set to `values`, the frame
// after it to b, edit opened.
inline ToolDoc toolDoc(uint16_t channels, uint16_t bits, int channel, int page, int32_t left, int32_t n,
                       const std::vector<SampleValue>& values, SampleValue b) {
    ToolDoc t{loadDocument(
        riffFile({chunk("fmt ", fmtPayload(pcmFormat(channels, bits))),
                  chunk("data", std::vector<uint8_t>(size_t(channels) * bits / 8 * 400000, bits == 8 ? 0x80 : 0))}),
        640)};
    Document& d = t.d();
    ViewEvents e;
    d.view.channel = channel;
    enterEditView(d, t.l->fs, 0, e);
    d.view.zoomFrameLeft[1] = 2;
    while (d.view.page < page) enlarge(d, t.l->fs, e);
    removeGain(d, e);
    d.view.editFrameLeft = left;
    d.view.editFrameRight = left + n;
    setEditFrameBytes(d);
    const int64_t frames = (d.view.editFrameEnd - d.view.editFrameStart) / d.edit.frameBytes;
    for (size_t k = 0; k < values.size() && int64_t(k) < frames; ++k) t.x(int64_t(k)) = values[k];
    t.x(frames) = b;
    openEdit(d, e);
    return t;
}

// One shift-up run of one tick, recorded as a step.
inline void raiseOnce(ToolDoc& t) {
    ToolRun run;
    ViewEvents e;
    ASSERT_EQ(toolTick(t.d(), Tool::shiftUp, run, ToolFlags{}), TickResult::applied);
    ASSERT_TRUE(endToolRun(t.d(), run, e));
    EXPECT_TRUE(e.historyChanged);
}
