#include "audio_file/riff_walk.h"

#include <cstring>

bool findChunk(ChunkReader& walk, uint64_t fileSize, uint64_t from, std::string_view id, RiffChunk& found) {
    uint64_t position = from;
    while (position + 8 <= fileSize) {
        const uint8_t* header = walk.at(position, 8);
        if (!header) return false;
        const uint32_t size = readLe32(header + 4);
        if (std::memcmp(header, id.data(), 4) == 0) {
            found.payload = position + 8;
            found.size = size;
            return true;
        }
        position += 8 + uint64_t(size) + (size & 1u);
    }
    return false;
}

bool findWaveForm(ChunkReader& walk, uint64_t fileSize, uint32_t& riffSize, uint64_t& formEnd) {
    uint64_t position = 0;
    while (position + 12 <= fileSize) {
        const uint8_t* header = walk.at(position, 12);
        if (!header) return false;
        const uint32_t size = readLe32(header + 4);
        if (std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0) {
            riffSize = size;
            formEnd = position + 12;
            return true;
        }
        position += 8 + uint64_t(size) + (size & 1u);
    }
    return false;
}
