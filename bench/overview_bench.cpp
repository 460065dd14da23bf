// overview_bench FILE: loads FILE into the file image and builds the page-0
// overview from it at 1280 columns, five times each (warm cache), and puts
// the best overview time beside the best load time of the same run; then
// the paint's share: making the overview picture from the kept maps. Last
// the same data replaced by full-scale white noise, the loudest and busiest
// sound a column can hold, against the same load time.
#include <cstdio>

#include "audio_file/file_image.h"
#include "audio_file/wave_reader.h"
#include "bench/bench_util.h"
#include "view/overview.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: overview_bench FILE\n");
        return 2;
    }
    FileSystem& fs = platformFileSystem();
    WaveInfo info;
    if (!validateWave(fs, argv[1], FileRole::edit, info).ok()) {
        std::fprintf(stderr, "overview_bench: not a usable WAVE file\n");
        return 1;
    }
    FileImage image;
    SilentProgress progress;
    bool ok = true;
    const double loadSeconds = minimumSeconds(5, [&] {
        image.release();  // a fresh image each run, as at program start
        ok = ok && loadFileImage(fs, argv[1], info, 1ull << 40, image, progress).ok();
    });
    if (!ok) {
        std::fprintf(stderr, "overview_bench: load failed\n");
        return 1;
    }
    ViewState view;
    view.screenWidth = 1280;
    buildScales(view, info);
    OverviewBitmaps maps;
    const double buildSeconds = minimumSeconds(5, [&] { buildOverview(maps, image.bytes(), info, view, progress); });
    std::vector<uint32_t> pixels;
    const bool stereo = info.format.channels == 2;
    const double paintSeconds = medianSeconds(101, [&] { renderOverview(pixels, maps, view, stereo); });
    uint32_t seed = 2463534242u;  // xorshift32: every byte of every sample uniform
    for (uint8_t* p = image.bytes() + info.dataOffset; p < image.bytes() + info.dataEnd; ++p) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        *p = uint8_t(seed >> 24);
    }
    const double noiseSeconds = minimumSeconds(5, [&] { buildOverview(maps, image.bytes(), info, view, progress); });
    std::printf("load                 %9.3f s\n", loadSeconds);
    std::printf("overview, 1280 cols  %9.3f s\n", buildSeconds);
    std::printf("ratio overview/load  %9.2f   (target <= 0.50)\n", buildSeconds / loadSeconds);
    std::printf("picture from maps    %9.3f ms  (target <= 5 ms)\n", paintSeconds * 1000);
    std::printf("overview, noise      %9.3f s\n", noiseSeconds);
    std::printf("ratio noise/load     %9.2f\n", noiseSeconds / loadSeconds);
    return 0;
}
