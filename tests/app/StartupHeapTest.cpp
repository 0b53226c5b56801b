// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "StartupHeap.h"

namespace {

// How many of the pages under [data, data + size) are present in memory.
size_t PresentPages(const void *data, size_t size)
{
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t first = reinterpret_cast<uintptr_t>(data) & ~(page - 1);
    const size_t count = (reinterpret_cast<uintptr_t>(data) + size - first + page - 1) / page;
    std::vector<unsigned char> present(count);
    if (mincore(reinterpret_cast<void *>(first), count * page, present.data()) != 0)
        return 0;
    size_t n = 0;
    for (unsigned char p : present)
        n += p & 1;
    return n;
}

bool InHeap(const void *data)
{
    return reinterpret_cast<uintptr_t>(data) < reinterpret_cast<uintptr_t>(sbrk(0));
}

} // namespace

// Blocks taken after the heap is made ready need no page faults: their
// memory is present before anything is written to it, large ones included,
// which would otherwise get fresh mappings of their own.
TEST(StartupHeapTest, WhatFollowsReadyIsAlreadyPresent)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's allocator takes no malloc options";
#endif
    constexpr size_t Ready = 2 * 1024 * 1024;
    EXPECT_FALSE(StartupHeap::Ready(0));
    ASSERT_TRUE(StartupHeap::Ready(Ready));
    // Larger than malloc's usual threshold for a mapping of its own.
    constexpr size_t Size = 1024 * 1024;
    void *block = malloc(Size);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(InHeap(block));
    const size_t pages = Size / size_t(sysconf(_SC_PAGESIZE));
    EXPECT_GE(PresentPages(block, Size), pages);
    free(block);
    StartupHeap::TouchAhead(Ready);

    // Once settled, what is freed at the heap's top goes back to the system
    // instead of being kept.
    StartupHeap::Settle();
    void *later = malloc(Size);
    ASSERT_NE(later, nullptr);
    const auto breakBefore = reinterpret_cast<uintptr_t>(sbrk(0));
    free(later);
    EXPECT_LT(reinterpret_cast<uintptr_t>(sbrk(0)), breakBefore);
    // Nothing is left to read ahead: what went back is not touched.
    StartupHeap::TouchAhead(Ready);
}
