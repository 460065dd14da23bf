// exit_bench FILE CMP_SECONDS CP_SYNC_SECONDS OUT: the change check of an
// unchanged file and the save of its image to OUT, each the best of five
// (warm cache), against the best `cmp FILE COPY` and `cp FILE OUT; sync -f OUT`
// times the caller measured in the same run.
#include <cstdio>
#include <cstdlib>

#include "audio_file/change_check.h"
#include "audio_file/file_image.h"
#include "audio_file/save.h"
#include "audio_file/wave_reader.h"
#include "bench/bench_util.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: exit_bench FILE CMP_SECONDS CP_SYNC_SECONDS OUT\n");
        return 2;
    }
    const std::string path = argv[1], out = argv[4];
    const double cmpSeconds = std::atof(argv[2]), cpSeconds = std::atof(argv[3]);
    FileSystem& fs = platformFileSystem();
    WaveInfo info;
    FileImage image;
    SilentProgress progress;
    if (!validateWave(fs, path, FileRole::edit, info).ok() ||
        !loadFileImage(fs, path, info, 1ull << 40, image, progress).ok()) {
        std::fprintf(stderr, "exit_bench: cannot load %s\n", path.c_str());
        return 1;
    }
    const double mib = image.imageSize / 1048576.0;
    std::printf("image                      %10.1f MiB\n", mib);
    std::printf("cmp FILE COPY              %10.3f s  %8.0f MiB/s\n", cmpSeconds, mib / cmpSeconds);
    bool ok = true;
    for (int32_t width : {640, 1280}) {
        const double s = minimumSeconds(5, [&] {
            uint64_t position = 0;
            ok = ok && checkForChanges(fs, path, info, image, width, progress, position).ok() &&
                 position == noChange(image.imageSize);
        });
        std::printf("change check, width %4d   %10.3f s  %8.0f MiB/s   ratio %.2f of cmp (target >= 0.70)\n", width, s,
                    mib / s, cmpSeconds / s);
    }
    std::printf("cp FILE OUT; sync -f OUT   %10.3f s  %8.0f MiB/s\n", cpSeconds, mib / cpSeconds);
    // Temporary file, flush to the device and the replace of OUT included.
    const double saveSeconds = minimumSeconds(
        5, [&] { ok = ok && saveImage(fs, out, image.bytes(), image.imageSize, progress, {path}).ok(); });
    std::printf("save                       %10.3f s  %8.0f MiB/s   ratio %.2f of cp + sync (target >= 0.70)\n",
                saveSeconds, mib / saveSeconds, cpSeconds / saveSeconds);
    if (!ok) {
        std::fprintf(stderr, "exit_bench: a check or a save failed\n");
        return 1;
    }
    return 0;
}
