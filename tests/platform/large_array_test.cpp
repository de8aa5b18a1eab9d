// Large arrays: values survive growth across the size where blocks move to huge pages, copies
// and moves keep them, large blocks are aligned to a huge page, and a size that cannot be
// rounded fails as memory running out does.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <utility>

#include "platform/large_array.h"

namespace {

TEST(LargeArray, ValuesSurviveGrowthCopiesAndMoves) {
    LargeVector<double> values;
    for (int i = 0; i < 3000000; ++i) {
        values.push_back(i * 0.5);  // crosses the 4 MiB boundary on the way
        if (i == 100 || i == 600000) {
            const auto address = reinterpret_cast<uintptr_t>(values.data());
            EXPECT_EQ(address % 16, 0u);
        }
    }
    LargeVector<double> copy = values;
    LargeVector<double> moved = std::move(values);
    ASSERT_EQ(copy.size(), 3000000u);
    ASSERT_EQ(moved.size(), 3000000u);
    for (size_t i = 0; i < copy.size(); i += 9973) {
        EXPECT_EQ(copy[i], static_cast<double>(i) * 0.5);
        EXPECT_EQ(moved[i], static_cast<double>(i) * 0.5);
    }
    copy.resize(10);
    copy.shrink_to_fit();  // back to a small block
    EXPECT_EQ(copy[9], 4.5);
}

TEST(LargeArray, LargeBlocksStartOnAHugePage) {
    for (size_t bytes : {size_t(4) << 20, (size_t(4) << 20) + 1, size_t(100) << 20}) {
        void* block = Large_Allocate(bytes);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % (size_t(2) << 20), 0u) << bytes;
        static_cast<char*>(block)[bytes - 1] = 1;  // the whole size is usable
        Large_Free(block, bytes);
    }
}

// (Sizes the allocator could try are left out: under the address sanitizer a request that
// large stops the program instead of failing.)
TEST(LargeArray, ASizeThatCannotBeRoundedThrowsBadAlloc) {
    EXPECT_THROW(Large_Allocate(static_cast<size_t>(-1) - 5), std::bad_alloc);
    LargeArrayAllocator<double> allocator;
    EXPECT_THROW(allocator.allocate(static_cast<size_t>(-1) / 4), std::bad_alloc);
}

}  // namespace
