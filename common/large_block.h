#pragma once
// One large zero-filled memory block (the file image). Pages are committed
// lazily by the system, so untouched tail room costs no memory.
#include <cstddef>
#include <cstdint>

class LargeBlock {
public:
    LargeBlock() = default;
    ~LargeBlock();
    LargeBlock(LargeBlock&& o) noexcept;
    LargeBlock& operator=(LargeBlock&& o) noexcept;
    LargeBlock(const LargeBlock&) = delete;
    LargeBlock& operator=(const LargeBlock&) = delete;

    // False (and empty) when the system cannot give the memory.
    bool allocate(size_t bytes);
    void release();
    // Makes the pages of [offset, offset + bytes) present before a write
    // fills them: one call instead of one fault per page, the larger part
    // of reading a file into fresh memory. Only a hint: the memory reads as
    // before whether or not the system takes it.
    void prepare(size_t offset, size_t bytes);
    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};
