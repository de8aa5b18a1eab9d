// Large arrays on huge pages (see the header).
#include "platform/large_array.h"

#include <cstdlib>

#include <sys/mman.h>

namespace {
// Huge pages are 2 MiB on x86-64 and most other 64-bit processors; below two of them the
// rounding would waste more than it saves.
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kLargeFrom = 2 * kHugePage;

size_t Rounded(size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }
}  // namespace

void* Large_Allocate(size_t bytes) {
    if (bytes < kLargeFrom) return ::operator new(bytes);
    if (bytes > static_cast<size_t>(-1) - kHugePage) throw std::bad_alloc();
    const size_t size = Rounded(bytes);
    void* block = std::aligned_alloc(kHugePage, size);
    if (block == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    // Only a request: without huge pages the block is ordinary memory.
    madvise(block, size, MADV_HUGEPAGE);
#endif
    return block;
}

void Large_Free(void* block, size_t bytes) noexcept {
    if (bytes < kLargeFrom) {
        ::operator delete(block);
    } else {
        std::free(block);
    }
}
