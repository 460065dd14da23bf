// Any bytes as an edit file and as a backup file: validation never reads
// outside the input, and what it accepts loads and keeps its invariants.
#include <cstdint>
#include <cstdlib>

#include "audio_file/file_image.h"
#include "audio_file/tests/memory_file_system.h"
#include "audio_file/wave_reader.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// Kept for the whole run: the file image and its side buffers (about 30 MB)
// are allocated again only for an input that needs more than any before, not
// for every accepted one.
MemoryFileSystem& files() {
    static MemoryFileSystem fs;
    return fs;
}
FileImage& image() {
    static FileImage i;
    return i;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFileSystem& fs = files();
    fs.files["f.wav"].assign(data, data + size);
    for (FileRole role : {FileRole::edit, FileRole::backup}) {
        WaveInfo info;
        const Status s = validateWave(fs, "f.wav", role, info);
        if (!s.ok()) {
            check(!s.message.text.empty());
            continue;
        }
        check(info.format.formatTag == 1 || info.format.formatTag == 0xFFFE);
        check(info.frameBytes == 1 || info.frameBytes == 2 || info.frameBytes == 3 || info.frameBytes == 4 ||
              info.frameBytes == 6);
        check(info.dataOffset < info.dataEnd && info.dataEnd <= info.imageSize && info.imageSize <= size);
        check((info.dataEnd - info.dataOffset) % info.frameBytes == 0);
        check(info.headerRepaired == (role == FileRole::edit && !s.message.empty()));
        if (role == FileRole::edit) {
            SilentProgress progress;
            check(loadFileImage(fs, "f.wav", info, 1ull << 40, image(), progress).ok());
            check(image().imageSize == info.imageSize);
        }
    }
    return 0;
}
