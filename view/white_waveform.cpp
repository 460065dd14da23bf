#include "view/white_waveform.h"

#include <cstdlib>

#include "view/messages.h"

#include "audio_file/sample_access.h"

namespace {

// Page 1 reads the image; it ends where the data ends.
int32_t imagePass(const Document& doc, int32_t* values) {
    const WaveInfo& f = doc.edit;
    const uint32_t bps = f.bytesPerSample, ba = f.frameBytes, fpp = doc.view.framesPerPixel[1];
    const uint8_t* image = doc.image.bytes();
    uint32_t q = columnOffset(doc.view, f, 0, 1) + channelOffset(doc.view, f);
    const uint32_t lastPair = f.dataEnd - ba;  // the next frame must still be data
    const int32_t columns = doc.view.screenWidth - 1;
    for (int32_t i = 0; i < columns; ++i) {
        int32_t b = 0;
        for (uint32_t j = 0; j < fpp; ++j, q += ba) {
            if (q >= lastPair) return i;
            const int32_t d = std::abs((readSample(image, q, bps) >> 16) - (readSample(image, q + ba, bps) >> 16));
            if (d > b) b = d;
        }
        values[i] = b;
    }
    return columns;
}

int32_t slotPass(const Document& doc, int32_t* values) {
    const WaveInfo& f = doc.edit;
    const int p = doc.view.page;
    const uint32_t fpp = doc.view.framesPerPixel[p];
    const size_t step = f.frameBytes / f.bytesPerSample;
    const SampleValue* slots = doc.pages.workSamples.get();
    size_t s =
        slotOf(columnOffset(doc.view, f, 0, p) + channelOffset(doc.view, f), doc.pages.workOrigin, f.bytesPerSample);
    const int32_t columns = doc.view.screenWidth - 1;
    for (int32_t i = 0; i < columns; ++i) {
        int32_t b = 0;
        for (uint32_t j = 0; j < fpp; ++j, s += step) {
            const int32_t d = std::abs((slots[s] >> 16) - (slots[s + step] >> 16));
            if (d > b) b = d;
        }
        values[i] = b;
    }
    return columns;
}

}  // namespace

int32_t whiteWaveformValues(const Document& doc, int32_t* values) {
    const int32_t done = doc.view.page == 1 ? imagePass(doc, values) : slotPass(doc, values);
    for (int32_t i = done; i < doc.view.screenWidth; ++i) values[i] = 0;
    return done;
}

void finishWhitePass(Document& doc, const int32_t* values, int32_t done, Message* notice, bool automaticDialogShown,
                     bool descending) {
    ViewState& v = doc.view;
    int32_t best = 0;
    for (int32_t i = 0; i < done; ++i)
        if (values[i] > best) {  // the first of equal maxima; all zero keeps the old column
            best = values[i];
            v.whiteMaxColumn = i;
        }
    if (v.centreOnMax && v.page >= 1 && v.page <= 4) {
        const int32_t width = v.zoomFrameWidth[v.page];
        int32_t left = v.whiteMaxColumn - width / 2;
        if (left < 0) left = 0;
        if (left >= v.screenWidth - width) left = v.screenWidth - width - 1;
        v.zoomFrameLeft[v.page] = left;
    }
    v.centreOnMax = false;
    if (!descending || v.shorteningStartPage == 0 || v.page != v.shorteningStartPage + 1) return;
    doc.endOfRangeCount = v.whiteMaxColumn >= v.screenWidth - 2 ? doc.endOfRangeCount + 1 : 0;
    if (doc.endOfRangeCount > 4 && !automaticDialogShown) {
        if (notice) *notice = makeMessage(kWhiteEndOfRange, kCaptionWhiteMaximum);
        doc.endOfRangeCount = 0;
    }
}

int32_t whiteWaveformPass(Document& doc, int32_t* values, Message* notice, bool automaticDialogShown) {
    const int32_t done = whiteWaveformValues(doc, values);
    finishWhitePass(doc, values, done, notice, automaticDialogShown, notice != nullptr);
    return done;
}
