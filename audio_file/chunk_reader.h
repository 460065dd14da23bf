#pragma once
// The small reads of a chunk walk (ids, sizes, the format record) through one
// buffer, so that a walk over any run of tiny chunks costs about one
// sequential read of the bytes it crosses. A walk that has read far shows the
// progress of reading the file, and its cancel button stops the walk.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "common/file_system.h"
#include "common/progress.h"

constexpr size_t kChunkReadBuffer = 64 * 1024;
// A sound header is read with one buffer; only a long run of small chunks (or
// many large ones) reads this much, and only then is the progress shown.
constexpr uint64_t kWalkQuietBytes = 4ull << 20;
// Bytes read between two looks at the bar and the cancel button.
constexpr uint64_t kWalkWatchBytes = 1ull << 20;

class ChunkReader {
public:
    ChunkReader(InputFile& file, uint64_t fileSize, Progress& progress);
    ~ChunkReader();
    ChunkReader(const ChunkReader&) = delete;
    ChunkReader& operator=(const ChunkReader&) = delete;

    // The `bytes` (at most kChunkReadBuffer) at `position`, valid until the
    // next call; null when they cannot be read. A failed read or a cancel
    // sticks: every later call fails too.
    const uint8_t* at(uint64_t position, size_t bytes) {
        const uint64_t offset = position - start_;  // wraps to a huge value before the buffer
        if (offset <= filled_ && filled_ - offset >= bytes) return buffer_.get() + offset;
        return fill(position, bytes) ? buffer_.get() : nullptr;
    }
    bool cancelled() const { return cancelled_; }

private:
    bool fill(uint64_t position, size_t needed);
    void watch(uint64_t position);

    InputFile& file_;
    uint64_t fileSize_;
    Progress& progress_;
    std::unique_ptr<uint8_t[]> buffer_;
    uint64_t start_ = 0;  // file position of buffer_[0]
    size_t filled_ = 0;   // zero after a failure, so that only fill() answers
    uint64_t bytesRead_ = 0;
    uint64_t nextWatch_ = kWalkQuietBytes;
    unsigned barSteps_ = 0;
    bool ok_ = true;
    bool shown_ = false;
    bool cancelled_ = false;
};
