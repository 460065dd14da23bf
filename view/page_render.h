#pragma once
// Pages 1-5 as pixels: scale lines, the green waveform, the white waveform,
// and the edit frame outline or the zoom frame highlight, composed from the
// state at every paint. Rows are client rows from 62 down; 0x00RRGGBB.
#include <array>
#include <cstdint>
#include <vector>

#include "common/message.h"
#include "document/document.h"

constexpr int32_t kWaveTop = 62;    // client row of the top scale line
constexpr int32_t kWhiteTop = 320;  // the white waveform hangs from here
constexpr uint32_t kLineBlue = 0x0000FF;
constexpr uint32_t kTraceGreen = 0x00FF00;
constexpr uint32_t kBackBlack = 0x000000;
constexpr uint32_t kBackDarkGrey = 0x404040;
constexpr uint32_t inverted(uint32_t c) { return c ^ 0xFFFFFF; }

struct PagePixels {
    int32_t width = 0;
    int32_t height = 0;  // rows from client row 62
    std::vector<uint32_t> pixels;
    // Allocates only when the size changes.
    void resize(int32_t w, int32_t h);
    uint32_t at(int32_t x, int32_t clientRow) const {
        return pixels[size_t(clientRow - kWaveTop) * size_t(width) + size_t(x)];
    }
};

// The rows one column of page 1 or 2 reaches (0 ... 256), as bits.
struct ColumnRows {
    std::array<uint64_t, 5> bits{};
    void set(int32_t r) { bits[size_t(r) >> 6] |= uint64_t(1) << (r & 63); }
    bool has(int32_t r) const { return (bits[size_t(r) >> 6] >> (r & 63)) & 1; }
};

// What a paint keeps: page 1's and page 2's columns and white values, valid
// while their key holds (page 2 also recomputes damaged columns).
struct PageCache {
    struct Key {
        int32_t page = -1, channel = -1, gainShift = -1, width = -1;
        uint32_t origin = 0, generation = 0;
        bool operator==(const Key& o) const {
            return page == o.page && channel == o.channel && gainShift == o.gainShift && width == o.width &&
                   origin == o.origin && generation == o.generation;
        }
    };
    Key key;
    std::vector<ColumnRows> rows;  // kMaxColumns
    std::vector<int32_t> white;    // kMaxColumns
    int32_t whiteDone = 0;
    std::vector<int32_t> scratch;  // white values of pages 3-5
    int32_t recomputed = 0;        // columns computed by the last paint (for tests and benchmarks)
    PageCache();
};

struct RenderFlags {
    bool darkBackground = false;  // F4
    bool automaticDialogShown = false;
};

// Renders the current page (1-5). The white pass of the paint updates
// whiteMaxColumn (and centres the frame when asked) but keeps no values.
void renderPage(Document& doc, PageCache& cache, PagePixels& out, const RenderFlags& flags, Message* notice = nullptr);
