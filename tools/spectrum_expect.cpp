// spectrum_expect: what the spectrum window shows for a page of a file, from
// the core run natively: the file loaded at a width, the edit view entered
// and enlarged to the page, the spectrum computed as F3 does. The end-to-end
// tests compare Velkor's window with these figures.
//   spectrum_expect FILE [--width W] [--page P] [--desktop D]
// prints
//   peak BIN LEVEL      the loudest bin (1 ... N/2 - 1) of the page's curve and its level
//   readout TITLE       the title with the pointer on that peak at zoom 1
//   widths W1 W2        the window's widest at zoom 1 and zoom 2 on a desktop D wide
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "spectrum/spectrum_view.h"
#include "testing/document_fixture.h"

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: spectrum_expect FILE [--width W] [--page P] [--desktop D]\n");
        return 2;
    }
    int32_t width = 640, desktop = 1600;
    int page = 2;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (a == "--width")
            width = value;
        else if (a == "--page")
            page = value;
        else if (a == "--desktop")
            desktop = value;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto l = loadDocument(bytes, width);
    if (!l || page < 2 || page > 5) return 1;
    enterPage(*l, page);
    const Document& d = **l;

    auto s = std::make_unique<SpectrumState>();
    buildSpectrumTables(s->tables, width);
    s->last = computeSpectrum(d, s->tables, s->buffers, s->levels);
    if (!s->last.computed) return 1;
    const int32_t n = s->tables.size;
    int32_t peak = 1;
    for (int32_t m = 2; m < n / 2; ++m)
        if (s->levels.current[size_t(m)] > s->levels.current[size_t(peak)]) peak = m;
    const int32_t level = s->levels.current[size_t(peak)];
    std::printf("peak %d %d\n", peak, level);

    const uint32_t rate = d.edit.format.samplesPerSecond;
    initSpectrumScales(s->view, rate, n);
    std::printf(
        "readout %s\n",
        spectrumReadout(s->last.title, s->view, rate, n, kSpectrumLeft + peak, kSpectrumBaseline - level).c_str());
    const int32_t widest1 = spectrumLimits(s->view, n, desktop).maxWidth;
    changeSpectrumZoom(s->view, 1);
    std::printf("widths %d %d\n", widest1, spectrumLimits(s->view, n, desktop).maxWidth);
    return 0;
}
