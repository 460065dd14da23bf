#pragma once
// An array of T that reads as zeros, in memory the system hands out already
// cleared: its pages cost nothing until first written, where new T[n]()
// would write every one of them at once.
#include <cstddef>
#include <utility>

#include "common/large_block.h"

template <typename T>
class ZeroArray {
public:
    // False (and empty) when the system cannot give the memory.
    bool allocate(size_t count) { return block_.allocate(count * sizeof(T)); }
    void reset() { block_.release(); }
    T* get() const { return reinterpret_cast<T*>(block_.data()); }
    T& operator[](size_t i) const { return get()[i]; }
    explicit operator bool() const { return static_cast<bool>(block_); }

private:
    LargeBlock block_;
};
