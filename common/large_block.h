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
    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};
