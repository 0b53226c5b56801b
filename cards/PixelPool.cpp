// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PixelPool.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

#include <sys/mman.h>

namespace VekPixels {

namespace {

// Pictures of this size and more are carved out of slabs: large mappings
// asking the kernel for 2 MiB pages, each made present in one call as it
// comes into use. On this kind of machine a 4 KiB page costs several
// microseconds to hand out, so the 10 MiB of a deck's pictures came to some
// 20 ms in small pages and about 5 ms in large ones. Smaller pictures come
// from malloc.
constexpr size_t SlabThreshold = 32 * 1024;
constexpr size_t LargePage = 2 * 1024 * 1024;
constexpr size_t SlabSize = 2 * LargePage;
constexpr size_t SmallPage = 4096;

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23 // Linux 5.14; older kernels refuse it and fault pages in as used
#endif

// A slab lives until the last picture carved from it is released.
struct Slab {
    uchar *base;
    size_t size;
    size_t used;
    size_t pieces;
};

struct PixelBuffer {
    size_t size;
    uchar *data;
    Slab *slab; // null for a malloc'd buffer
};

size_t roundUp(size_t value, size_t unit)
{
    return (value + unit - 1) / unit * unit;
}

size_t roundDown(size_t value, size_t unit)
{
    return value / unit * unit;
}

// Makes the large pages under [from, from + size) of the slab present.
void makePresent(const Slab *slab, size_t from, size_t size)
{
    const size_t first = roundDown(from, LargePage);
    const size_t end = std::min(roundUp(from + size, LargePage), slab->size);
    if (end > first)
        madvise(slab->base + first, end - first, MADV_POPULATE_WRITE);
}

// Maps a slab of size bytes. Only the large pages its first piece (of
// needed bytes) takes are made present now: the others become present a
// large page at a time when first written, which at the standard card size
// is never before the first frame.
Slab *mapSlab(size_t size, size_t needed)
{
    // Map one large page more than needed so the slab can start on a large
    // page boundary; the unaligned ends are given back at once.
    const size_t mapped = size + LargePage;
    void *raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    auto *start = static_cast<uchar *>(raw);
    auto *base = reinterpret_cast<uchar *>(roundUp(reinterpret_cast<uintptr_t>(start), LargePage));
    if (base > start)
        munmap(start, size_t(base - start));
    if (const size_t tail = size_t(start + mapped - (base + size)))
        munmap(base + size, tail);
    madvise(base, size, MADV_HUGEPAGE);
    auto *slab = new Slab{base, size, 0, 0};
    makePresent(slab, 0, needed);
    return slab;
}

// Slabs are handed out from under the pool's lock.
class SlabCarver {
public:
    PixelBuffer *carve(size_t size)
    {
        const size_t piece = roundUp(size, 64);
        if (!makeRoom(piece))
            return nullptr;
        auto *buffer = new PixelBuffer{size, current->base + current->used, current};
        current->used += piece;
        ++current->pieces;
        return buffer;
    }

    // Makes room for a piece of size in the current slab, makes it present
    // and reads one byte of each page of that room.
    void reserve(size_t size)
    {
        const size_t piece = roundUp(size, 64);
        if (!makeRoom(piece))
            return;
        makePresent(current, current->used, piece);
        unsigned sum = 0;
        for (size_t at = current->used; at < current->used + piece; at += SmallPage)
            sum += current->base[at];
        Touched = sum;
    }

    void release(Slab *slab)
    {
        if (--slab->pieces == 0 && slab != current)
            unmap(slab);
    }

private:
    // Maps a new current slab if the current one has less than piece left.
    bool makeRoom(size_t piece)
    {
        if (current && current->size - current->used >= piece)
            return true;
        Slab *slab = mapSlab(std::max(SlabSize, roundUp(piece, LargePage)), piece);
        if (!slab)
            return false;
        if (current && current->pieces == 0)
            unmap(current);
        current = slab;
        return true;
    }

    static void unmap(Slab *slab)
    {
        munmap(slab->base, slab->size);
        delete slab;
    }

    Slab *current = nullptr;
    volatile unsigned Touched = 0; // keeps the reads
};

class BufferPool {
public:
    static constexpr size_t MaxKeptBytes = 64 * 1024 * 1024;

    static BufferPool &instance()
    {
        static BufferPool *pool = new BufferPool; // never destroyed: images may outlive statics
        return *pool;
    }

    PixelBuffer *take(size_t size)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            for (size_t i = 0; i < kept.size(); ++i) {
                if (kept[i]->size == size) {
                    PixelBuffer *buffer = kept[i];
                    kept[i] = kept.back();
                    kept.pop_back();
                    keptBytes -= size;
                    return buffer;
                }
            }
        }
        if (size >= SlabThreshold) {
            std::lock_guard<std::mutex> lock(mutex);
            if (PixelBuffer *buffer = slabs.carve(size))
                return buffer;
        }
        auto *data = static_cast<uchar *>(malloc(size));
        return data ? new PixelBuffer{size, data, nullptr} : nullptr;
    }

    void reserve(size_t size)
    {
        if (size < SlabThreshold)
            return;
        std::lock_guard<std::mutex> lock(mutex);
        slabs.reserve(size);
    }

    void give(PixelBuffer *buffer)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (keptBytes + buffer->size <= MaxKeptBytes) {
                kept.push_back(buffer);
                keptBytes += buffer->size;
                return;
            }
            if (buffer->slab) {
                slabs.release(buffer->slab);
                delete buffer;
                return;
            }
        }
        free(buffer->data);
        delete buffer;
    }

private:
    std::mutex mutex;
    std::vector<PixelBuffer *> kept;
    size_t keptBytes = 0;
    SlabCarver slabs;
};

void releasePixels(void *info)
{
    BufferPool::instance().give(static_cast<PixelBuffer *>(info));
}

} // namespace

void Reserve(size_t bytes)
{
    BufferPool::instance().reserve(bytes);
}

QImage NewImage32(int w, int h)
{
    if (w <= 0 || h <= 0)
        return QImage();
    const qsizetype bytesPerLine = qsizetype(w) * 4;
    PixelBuffer *buffer = BufferPool::instance().take(size_t(bytesPerLine) * size_t(h));
    if (!buffer)
        return QImage();
    return QImage(buffer->data, w, h, bytesPerLine, QImage::Format_RGB32, releasePixels, buffer);
}

} // namespace VekPixels
