// load_bench FILE CAT_SECONDS: loads FILE into the file image five times
// (warm cache) and compares the best time with the best `cat FILE` time
// measured by the caller in the same run; prints peak memory against the image.
// The floors beside it: the same amount of fresh memory (as the image gets
// it) written once, which cat never pays; and the file read into such memory
// with one plain read call.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/large_block.h"

#include "audio_file/file_image.h"
#include "audio_file/wave_reader.h"
#include "bench/bench_util.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: load_bench FILE CAT_SECONDS\n");
        return 2;
    }
    const double catSeconds = std::atof(argv[2]);
    FileSystem& fs = platformFileSystem();
    WaveInfo info;
    if (!validateWave(fs, argv[1], FileRole::edit, info).ok()) {
        std::fprintf(stderr, "load_bench: not a usable WAVE file\n");
        return 1;
    }
    bool ok = true;
    const double loadSeconds = minimumSeconds(5, [&] {
        FileImage image;  // a fresh image each run, as at program start
        SilentProgress progress;
        ok = ok && loadFileImage(fs, argv[1], info, 1ull << 40, image, progress).ok();
    });
    if (!ok) {
        std::fprintf(stderr, "load_bench: load failed\n");
        return 1;
    }
    const double firstWrite = minimumSeconds(5, [&] {
        LargeBlock block;
        ok = ok && block.allocate(info.imageSize);
        if (ok) std::memset(block.data(), 1, info.imageSize);
    });
    const double plainRead = minimumSeconds(5, [&] {
        LargeBlock block;
        auto file = fs.openRead(argv[1], false);
        ok = ok && file && block.allocate(info.imageSize) && file->read(block.data(), info.imageSize) == info.imageSize;
    });
    if (!ok) return 1;
    const double mib = info.imageSize / 1048576.0;
    const double peak = peakResidentMiB();
    std::printf("image            %10.1f MiB\n", mib);
    std::printf("cat > /dev/null  %10.3f s  %8.0f MiB/s\n", catSeconds, mib / catSeconds);
    std::printf("load             %10.3f s  %8.0f MiB/s\n", loadSeconds, mib / loadSeconds);
    std::printf("ratio load/cat   %10.2f   (target >= 0.80)\n", catSeconds / loadSeconds);
    std::printf("fresh memory written once %6.3f s\n", firstWrite);
    std::printf("plain read into it        %6.3f s = %.2f x the load\n", plainRead, plainRead / loadSeconds);
    std::printf("peak RSS         %10.1f MiB = image + %.1f MiB   (target <= image + 48 MiB)\n", peak, peak - mib);
    return 0;
}
