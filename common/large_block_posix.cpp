#include <sys/mman.h>
#include <unistd.h>

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
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return false;
    // Large pages make the first touch of a long recording several times cheaper.
    ::madvise(p, bytes, MADV_HUGEPAGE);
    data_ = static_cast<uint8_t*>(p);
    size_ = bytes;
    return true;
}

void LargeBlock::prepare(size_t offset, size_t bytes) {
    if (!data_ || offset >= size_ || bytes == 0) return;
    bytes = std::min(bytes, size_ - offset);
#ifdef MADV_POPULATE_WRITE
    // madvise wants a page-aligned start.
    const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    const size_t start = offset / page * page;
    ::madvise(data_ + start, offset + bytes - start, MADV_POPULATE_WRITE);
#endif
}

void LargeBlock::release() {
    if (data_) ::munmap(data_, size_);
    data_ = nullptr;
    size_ = 0;
}
