#pragma once
#include <cstdint>
#include <string>

#include "audio_file/wave_info.h"
#include "common/file_system.h"

// File offset of the page-2 stretch that starts at image offset `workOrigin`,
// in the edit file or in the backup file (whose data may start elsewhere).
uint64_t pageFileOffset(uint32_t workOrigin, const WaveInfo& edit, const WaveInfo* backup);

// Fills `buffer` with silence, then reads `bytes` at `fileOffset` into it.
// A short read at the end of the file leaves the rest silent. False only
// when the file cannot be opened; `got` tells how many bytes arrived.
bool readPage(FileSystem& fs, const std::string& path, uint64_t fileOffset, size_t bytes, uint8_t* buffer,
              size_t bufferBytes, bool eightBit, size_t& got);
