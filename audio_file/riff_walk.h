#pragma once
// The chunk search of RIFF files, shared by WAVE validation and MP3 detection.
#include <cstdint>
#include <string_view>

#include "audio_file/chunk_reader.h"

inline uint32_t readLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t readLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

struct RiffChunk {
    uint64_t payload = 0;  // file offset of the payload
    uint32_t size = 0;     // the chunk's size field
};

// Chunks follow one another from `from`: id, size, payload, pad byte after an
// odd size. The search runs to the end of the file rather than to the end of
// the RIFF chunk, so a damaged RIFF size does not hide the data.
bool findChunk(ChunkReader& walk, uint64_t fileSize, uint64_t from, std::string_view id, RiffChunk& found);

// The top-level RIFF chunk of form type "WAVE"; formEnd is the offset just
// after the form type, where its chunks begin.
bool findWaveForm(ChunkReader& walk, uint64_t fileSize, uint32_t& riffSize, uint64_t& formEnd);
