// Validates and loads a WAVE file with the core, printing what it found.
#include <cstdio>
#include <string>

#include "audio_file/file_image.h"
#include "audio_file/wave_reader.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wave_check FILE.wav\n");
        return 2;
    }
    FileSystem& fs = platformFileSystem();
    WaveInfo info;
    const Status v = validateWave(fs, argv[1], FileRole::edit, info);
    if (!v.ok()) {
        std::printf("refused %s: %s\n", v.message.caption.c_str(), v.message.text.c_str());
        return 1;
    }
    FileImage image;
    SilentProgress progress;
    const Status l = loadFileImage(fs, argv[1], info, 1ull << 40, image, progress);
    std::printf("ok bps=%u frameBytes=%u frames=%u repaired=%d loaded=%d\n", info.bytesPerSample, info.frameBytes,
                (info.dataEnd - info.dataOffset) / info.frameBytes, info.headerRepaired ? 1 : 0, l.ok() ? 1 : 0);
    return l.ok() ? 0 : 1;
}
