// Storage for arrays of a million values and more (sampled points, series, their places on
// the paper). Such blocks are asked to be backed by huge pages, where the system gives them on
// request: writing a fresh 16 MB array then takes a few page faults instead of four thousand,
// which was a sixth of a large drawing's time. Small arrays are allocated as usual.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

// At least `bytes`; throws std::bad_alloc when there is no memory. Free with the same size.
void* Large_Allocate(size_t bytes);
void Large_Free(void* block, size_t bytes) noexcept;

template <class T>
struct LargeArrayAllocator {
    using value_type = T;
    LargeArrayAllocator() = default;
    template <class U>
    explicit LargeArrayAllocator(const LargeArrayAllocator<U>&) {}
    T* allocate(size_t n) {
        if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(Large_Allocate(n * sizeof(T)));
    }
    void deallocate(T* block, size_t n) noexcept { Large_Free(block, n * sizeof(T)); }
    template <class U>
    bool operator==(const LargeArrayAllocator<U>&) const {
        return true;
    }
    template <class U>
    bool operator!=(const LargeArrayAllocator<U>&) const {
        return false;
    }
};

template <class T>
using LargeVector = std::vector<T, LargeArrayAllocator<T>>;
