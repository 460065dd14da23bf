#include "audio_file/page_read.h"

#include <algorithm>
#include <cstring>

uint64_t pageFileOffset(uint32_t workOrigin, const WaveInfo& edit, const WaveInfo* backup) {
    if (!backup) return workOrigin;
    // The same frame in both files: shift by the difference of the data offsets.
    return uint64_t(int64_t(backup->dataOffset) - int64_t(edit.dataOffset) + int64_t(workOrigin));
}

bool readPage(FileSystem& fs, const std::string& path, uint64_t fileOffset, size_t bytes, uint8_t* buffer,
              size_t bufferBytes, bool eightBit, size_t& got) {
    got = 0;
    std::memset(buffer, eightBit ? 0x80 : 0, bufferBytes);
    auto file = fs.openRead(path, false);
    if (!file) return false;
    const size_t n = std::min(bytes, bufferBytes);  // never beyond the buffer
    if (file->seek(fileOffset)) got = file->read(buffer, n);
    return true;
}
