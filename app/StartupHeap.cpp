// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupHeap.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23 // Linux 5.14; older kernels refuse it
#endif

namespace StartupHeap {

namespace {

constexpr int LargeBlock = 16 * 1024 * 1024; // the most malloc accepts as a threshold
constexpr int KeptTop = 64 * 1024 * 1024;
constexpr int UsualLimit = 128 * 1024; // malloc's own starting thresholds

// What Ready made present, for the thread that touches it ahead.
std::atomic<const char *> ReadyBegin{nullptr};
std::atomic<size_t> ReadySize{0};
volatile unsigned TouchSink; // keeps the reads

} // namespace

bool Ready(size_t bytes)
{
    if (bytes == 0)
        return false;
    if (!mallopt(M_MMAP_THRESHOLD, LargeBlock) || !mallopt(M_TRIM_THRESHOLD, KeptTop))
        return false;
    // A block this size now comes from the heap, growing it if need be; once
    // freed it stays there, at the top, for the allocations that follow.
    void *block = malloc(bytes);
    if (!block)
        return false;
    const auto begin = reinterpret_cast<uintptr_t>(block);
    free(block);
    // Only memory that is still the heap's: below the break.
    const auto end = reinterpret_cast<uintptr_t>(sbrk(0));
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t first = begin & ~(page - 1);
    if (end == uintptr_t(-1) || first + bytes > end)
        return false;
    if (madvise(reinterpret_cast<void *>(first), bytes, MADV_POPULATE_WRITE) != 0)
        return false;
    ReadySize.store(bytes, std::memory_order_relaxed);
    ReadyBegin.store(reinterpret_cast<const char *>(first), std::memory_order_release);
    return true;
}

void TouchAhead(size_t bytes)
{
    const char *begin = ReadyBegin.load(std::memory_order_acquire);
    if (!begin)
        return;
    const size_t size = ReadySize.load(std::memory_order_relaxed);
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const size_t from = bytes < size ? size - bytes : 0;
    // The main thread may be writing these pages meanwhile: the reads are
    // atomic, and what they see does not matter.
    unsigned sum = 0;
    for (size_t at = from; at < size; at += page)
        sum += static_cast<unsigned char>(__atomic_load_n(begin + at, __ATOMIC_RELAXED));
    TouchSink = sum;
}

void Settle()
{
    ReadyBegin.store(nullptr, std::memory_order_relaxed);
    ReadySize.store(0, std::memory_order_relaxed);
    mallopt(M_MMAP_THRESHOLD, UsualLimit);
    mallopt(M_TRIM_THRESHOLD, UsualLimit);
}

} // namespace StartupHeap
