#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "audio_file/sample_value.h"
#include "audio_file/wave_info.h"
#include "common/file_system.h"
#include "common/large_block.h"
#include "common/message.h"
#include "common/progress.h"
#include "common/zero_array.h"

// The widths of the edit view, in columns; the buffers are sized for the widest.
constexpr std::array<int32_t, 3> kScreenWidths = {640, 960, 1280};
// Frames of the largest page-2 stretch (1280 columns x 512) plus 2560.
constexpr uint32_t kPageBufferFrames = 657920;
constexpr int kUndoSlotCount = 6;

// The edit file held whole in memory, followed by tail room that reads as
// silence, and the fixed side buffers allocated with it. Everything lives
// until the program ends.
struct FileImage {
    LargeBlock block;  // memoryBudget bytes; the file's bytes first
    uint32_t memoryBudget = 0;
    uint32_t imageSize = 0;
    ZeroArray<uint8_t> playBufferA;  // kPageBufferFrames x frameBytes
    ZeroArray<uint8_t> playBufferB;
    ZeroArray<uint8_t> filePageBuffer;
    size_t pageBufferBytes = 0;
    std::array<ZeroArray<SampleValue>, kUndoSlotCount> undoSlots;  // kPageBufferFrames each

    uint8_t* bytes() const { return block.data(); }
    bool allocated() const { return static_cast<bool>(block); }
    void release();
};

// ImageSize + the page-2 tail room + the working buffer's margin, in 64 bits
// so the caller can refuse what does not fit 32-bit offsets.
inline uint64_t memoryBudget(const WaveInfo& edit) {
    return uint64_t(edit.imageSize) + 8192ull * 80 * edit.frameBytes + 2048ull * edit.bytesPerSample;
}

// Reads the edit file into `image` in 100 steps with progress and cancel.
// freeAddressSpace: what the system reports as free for the process.
// Cancelled (answered Yes) means the program is to end.
Status loadFileImage(FileSystem& fs, const std::string& path, const WaveInfo& edit, uint64_t freeAddressSpace,
                     FileImage& image, Progress& progress);
