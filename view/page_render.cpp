#include "view/page_render.h"

#include <algorithm>
#include <cstdlib>

#include "document/page_buffers.h"
#include "view/frames.h"
#include "view/white_waveform.h"

void PagePixels::resize(int32_t w, int32_t h) {
    if (w == width && h == height) return;
    width = w;
    height = std::max(h, 0);
    pixels.assign(size_t(width) * size_t(height), 0);
}

PageCache::PageCache() : rows(kMaxColumns), white(kMaxColumns), scratch(kMaxColumns) {}

namespace {

int32_t rowOf(int32_t screenValue) { return 128 - screenValue; }
int32_t clampRow(int32_t r) { return r < 0 ? 0 : (r > 256 ? 256 : r); }

class Canvas {
public:
    Canvas(PagePixels& p) : p_(p) {}
    void set(int32_t x, int32_t clientRow, uint32_t c) {
        if (inside(x, clientRow)) p_.pixels[index(x, clientRow)] = c;
    }
    void invert(int32_t x, int32_t clientRow) {
        if (inside(x, clientRow)) p_.pixels[index(x, clientRow)] ^= 0xFFFFFF;
    }
    // R2_NOT line from (x, y0) down to, not including, (x, y1).
    void invertColumn(int32_t x, int32_t y0, int32_t y1) {
        if (x < 0 || x >= p_.width) return;
        y0 = std::max(y0, kWaveTop);
        y1 = std::min(y1, kWaveTop + p_.height);
        for (int32_t y = y0; y < y1; ++y) p_.pixels[index(x, y)] ^= 0xFFFFFF;
    }
    void invertRow(int32_t y, int32_t x0, int32_t x1) {
        if (y < kWaveTop || y >= kWaveTop + p_.height) return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, p_.width);
        uint32_t* row = p_.pixels.data() + index(0, y);
        for (int32_t x = x0; x < x1; ++x) row[x] ^= 0xFFFFFF;
    }

private:
    bool inside(int32_t x, int32_t y) const {
        return x >= 0 && x < p_.width && y >= kWaveTop && y < kWaveTop + p_.height;
    }
    size_t index(int32_t x, int32_t y) const { return size_t(y - kWaveTop) * size_t(p_.width) + size_t(x); }
    PagePixels& p_;
};

// The largest jump between neighbours, either way; a loop the compiler
// turns into vector operations.
int32_t largestJump(const int8_t* values, int32_t count) {
    int16_t up = 0, down = 0;
    for (int32_t k = 0; k + 1 < count; ++k) {
        const int16_t d = int16_t(int16_t(values[k]) - int16_t(values[k + 1]));
        up = d > up ? d : up;
        down = d < down ? d : down;
    }
    return up > -down ? up : -down;
}

// Page 1 reads the image itself: only the high byte of each sample counts.
// Every byte is read once: a column's rows are gathered as bytes (stores
// that do not wait on each other) and its values kept for the white jumps,
// which are then found all at once.
template <bool kEightBit>
void pageOneColumnsOf(const Document& doc, PageCache& cache) {
    const WaveInfo& f = doc.edit;
    const uint32_t ba = f.frameBytes, fpp = std::min(doc.view.framesPerPixel[1], kFramesPerPixel[1]);
    const uint8_t* image = doc.image.bytes();
    uint32_t q = columnOffset(doc.view, f, 0, 1) + channelOffset(doc.view, f) + (f.bytesPerSample - 1);
    const uint32_t end = f.dataEnd;
    auto screen = [](uint8_t high) {
        if constexpr (kEightBit)
            return int32_t(high) - 128;
        else
            return int32_t(int8_t(high));
    };
    const int32_t width = doc.view.screenWidth;
    cache.whiteDone = width - 1;
    uint8_t seen[257] = {};  // row value 128 - v, 1 ... 256 on page 1
    int8_t values[kFramesPerPixel[1] + 1];
    for (int32_t i = 0; i < width; ++i) {
        ColumnRows& rows = cache.rows[size_t(i)];
        rows = ColumnRows{};
        cache.white[size_t(i)] = 0;
        if (q >= end) continue;  // past the data: nothing drawn
        const uint32_t frames = std::min(fpp, (end - q + ba - 1) / ba);
        const uint8_t* at = image + q;
        uint32_t j = 0;
        // Four bytes read before their stores: a store may not pass a read it could alias.
        for (; j + 4 <= frames; j += 4, at += 4 * ba) {
            const int32_t v0 = screen(at[0]), v1 = screen(at[ba]), v2 = screen(at[2 * ba]), v3 = screen(at[3 * ba]);
            values[j] = int8_t(v0);
            values[j + 1] = int8_t(v1);
            values[j + 2] = int8_t(v2);
            values[j + 3] = int8_t(v3);
            seen[128 - v0] = 1;
            seen[128 - v1] = 1;
            seen[128 - v2] = 1;
            seen[128 - v3] = 1;
        }
        for (; j < frames; ++j, at += ba) {
            const int32_t v = screen(*at);
            values[j] = int8_t(v);
            seen[128 - v] = 1;
        }
        q += frames * ba;
        int32_t count = int32_t(frames);
        if (frames == fpp && q < end)
            values[count++] = int8_t(screen(image[q]));  // the jump into the next column
        else if (i < cache.whiteDone)
            cache.whiteDone = i;  // the white pass ends with the data
        for (int32_t r = 0; r <= 256; ++r)
            if (seen[r]) {
                rows.set(r);
                seen[r] = 0;
            }
        if (i < cache.whiteDone) cache.white[size_t(i)] = largestJump(values, count);
    }
    cache.recomputed = width;
}

void pageOneColumns(const Document& doc, PageCache& cache) {
    if (doc.edit.bytesPerSample == 1)
        pageOneColumnsOf<true>(doc, cache);
    else
        pageOneColumnsOf<false>(doc, cache);
}

// Page 2 from the working copy, columns [from, to).
void pageTwoColumns(const Document& doc, PageCache& cache, int32_t from, int32_t to) {
    const WaveInfo& f = doc.edit;
    const size_t step = f.frameBytes / f.bytesPerSample;
    const uint32_t fpp = doc.view.framesPerPixel[2];
    const SampleValue* slots = doc.pages.workSamples.get();
    const size_t first =
        slotOf(columnOffset(doc.view, f, 0, 2) + channelOffset(doc.view, f), doc.pages.workOrigin, f.bytesPerSample);
    const int32_t lastWhite = doc.view.screenWidth - 1;
    for (int32_t i = from; i < to; ++i) {
        ColumnRows& rows = cache.rows[size_t(i)];
        rows = ColumnRows{};
        int32_t b = 0;
        size_t s = first + size_t(i) * fpp * step;
        for (uint32_t j = 0; j < fpp; ++j, s += step) {
            const int32_t v = slots[s] >> 16;
            rows.set(clampRow(rowOf(v)));
            const int32_t d = std::abs(v - (slots[s + step] >> 16));
            if (d > b) b = d;
        }
        cache.white[size_t(i)] = i < lastWhite ? b : 0;
    }
    cache.whiteDone = lastWhite;
    cache.recomputed += to - from;
}

const int32_t* keptColumns(Document& doc, PageCache& cache) {
    const ViewState& v = doc.view;
    PageCache::Key key;
    key.page = v.page;
    key.channel = v.channel;
    key.gainShift = v.gainShift;
    key.width = v.screenWidth;
    key.origin = v.page == 1 ? columnOffset(v, doc.edit, 0, 1) : columnOffset(v, doc.edit, 0, 2);
    key.generation = v.page == 1 ? doc.imageGeneration : doc.workGeneration;
    cache.recomputed = 0;
    if (!(key == cache.key)) {
        cache.key = key;
        if (v.page == 1)
            pageOneColumns(doc, cache);
        else
            pageTwoColumns(doc, cache, 0, v.screenWidth);
        doc.damage = {};
    } else if (v.page == 2 && !doc.damage.empty()) {
        pageTwoColumns(doc, cache, std::max(doc.damage.left, 0), std::min(doc.damage.right + 1, v.screenWidth));
        doc.damage = {};
    }
    return cache.white.data();
}

// Row by row: a row's pixels are written in order. Column by column the
// writes would stride a whole row apart and keep evicting each other.
void drawOccupancy(PagePixels& out, const PageCache& cache, int32_t width) {
    const int32_t rows = std::min(out.height, 257);
    const ColumnRows* columns = cache.rows.data();
    for (int32_t r = 0; r < rows; ++r) {
        uint32_t* row = out.pixels.data() + size_t(r) * size_t(out.width);
        const size_t word = size_t(r) >> 6;
        const int shift = r & 63;
        for (int32_t i = 0; i < width; ++i)
            if ((columns[i].bits[word] >> shift) & 1) row[i] = kTraceGreen;
    }
}

// Pages 3 and 4: a pixel per frame.
void drawFrames(Canvas& canvas, const Document& doc) {
    const WaveInfo& f = doc.edit;
    const int p = doc.view.page;
    const size_t step = f.frameBytes / f.bytesPerSample;
    const uint32_t fpp = doc.view.framesPerPixel[p];
    const SampleValue* slots = doc.pages.workSamples.get();
    size_t s =
        slotOf(columnOffset(doc.view, f, 0, p) + channelOffset(doc.view, f), doc.pages.workOrigin, f.bytesPerSample);
    for (int32_t i = 0; i < doc.view.screenWidth; ++i)
        for (uint32_t j = 0; j < fpp; ++j, s += step) {
            const int32_t r = std::min(rowOf(slots[s] >> 16), 256);
            if (r >= 0) canvas.set(i, kWaveTop + r, kTraceGreen);  // rows above the area are not drawn
        }
}

// Page 5: a polyline through one sample a column, column i showing frame i.
void drawPolyline(Canvas& canvas, const Document& doc) {
    const WaveInfo& f = doc.edit;
    const size_t step = f.frameBytes / f.bytesPerSample;
    const SampleValue* slots = doc.pages.workSamples.get();
    const size_t first =
        slotOf(columnOffset(doc.view, f, 0, 5) + channelOffset(doc.view, f), doc.pages.workOrigin, f.bytesPerSample);
    auto row = [&](int32_t i) { return kWaveTop + std::min(rowOf(slots[first + size_t(i) * step] >> 16), 256); };
    const int32_t width = doc.view.screenWidth;
    int32_t y0 = row(0);
    for (int32_t i = 1; i < width; ++i) {
        const int32_t y1 = row(i);
        // From (i - 1, y0) to (i, y1), the end excluded: the first half of
        // the rise in the left column, the rest in the right one.
        const int32_t dy = y1 - y0, steps = std::abs(dy);
        if (steps <= 1) {
            canvas.set(i - 1, y0, kTraceGreen);
        } else {
            const int32_t sign = dy > 0 ? 1 : -1;
            for (int32_t k = 0; k < steps; ++k) canvas.set(k < (steps + 1) / 2 ? i - 1 : i, y0 + sign * k, kTraceGreen);
        }
        y0 = y1;
    }
    canvas.set(width - 1, y0, kTraceGreen);
}

void drawOutline(Canvas& canvas, int32_t left, int32_t right) {
    // The four sides of an R2_NOT polyline, each pixel once.
    canvas.invertRow(63, left, right);
    canvas.invertColumn(right, 63, 318);
    for (int32_t x = right; x > left; --x) canvas.invert(x, 318);
    for (int32_t y = 318; y > 63; --y) canvas.invert(left, y);
}

}  // namespace

void renderPage(Document& doc, PageCache& cache, PagePixels& out, const RenderFlags& flags, Message* notice) {
    ViewState& v = doc.view;
    const int32_t width = v.screenWidth;
    Canvas canvas(out);
    std::fill(out.pixels.begin(), out.pixels.end(), flags.darkBackground ? kBackDarkGrey : kBackBlack);
    if (v.page < 1 || v.page > 5) return;
    for (int32_t y : {62, 190, 318})
        for (int32_t x = 0; x < width; ++x) canvas.set(x, y, kLineBlue);

    const int32_t* white = nullptr;
    int32_t whiteDone = 0;
    if (v.page <= 2) {
        white = keptColumns(doc, cache);
        whiteDone = cache.whiteDone;
        drawOccupancy(out, cache, width);
    } else {
        whiteDone = whiteWaveformValues(doc, cache.scratch.data());
        white = cache.scratch.data();
        if (v.page == 5)
            drawPolyline(canvas, doc);
        else
            drawFrames(canvas, doc);
    }
    finishWhitePass(doc, white, whiteDone, notice, flags.automaticDialogShown);
    for (int32_t i = 0; i < whiteDone; ++i) canvas.invertColumn(i, kWhiteTop, kWhiteTop + white[i]);

    if (v.editFramePresent || v.dragging) {
        drawOutline(canvas, std::min(v.editFrameLeft, v.editFrameRight), std::max(v.editFrameLeft, v.editFrameRight));
    } else if (v.page <= 4) {
        clampZoomFrameToData(doc, v.page);
        const int32_t left = v.zoomFrameLeft[v.page], right = left + v.zoomFrameWidth[v.page];
        for (int32_t y = 63; y < 318; ++y) canvas.invertRow(y, left, right);
    }
}
