#include <windows.h>

#include <algorithm>
#include <utility>

#include "common/large_block.h"

LargeBlock::~LargeBlock() { release(); }

LargeBlock::LargeBlock(LargeBlock&& o) noexcept
    : data_(std::exchange(o.data_, nullptr)), size_(std::exchange(o.size_, 0)) {}

LargeBlock& LargeBlock::operator=(LargeBlock&& o) noexcept {
    release();
    data_ = std::exchange(o.data_, nullptr);
    size_ = std::exchange(o.size_, 0);
    return *this;
}

bool LargeBlock::allocate(size_t bytes) {
    release();
    if (bytes == 0) return false;
    void* p = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);  // zero-filled
    if (!p) return false;
    data_ = static_cast<uint8_t*>(p);
    size_ = bytes;
    return true;
}

void LargeBlock::prepare(size_t offset, size_t bytes) {
    if (!data_ || offset >= size_ || bytes == 0) return;
    bytes = std::min(bytes, size_ - offset);
    // Locking brings the pages in; they need not stay locked. Beyond the
    // process's lock quota it fails, and the pages come in as they are written.
    if (VirtualLock(data_ + offset, bytes)) VirtualUnlock(data_ + offset, bytes);
}

void LargeBlock::release() {
    if (data_) VirtualFree(data_, 0, MEM_RELEASE);
    data_ = nullptr;
    size_ = 0;
}
