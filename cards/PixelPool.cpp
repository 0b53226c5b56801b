// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PixelPool.h"

#include <cstdlib>
#include <mutex>
#include <vector>

#include <sys/mman.h>

namespace VekPixels {

namespace {

struct PixelBuffer {
    size_t size;
    uchar *data;
    bool mapped;
};

// Buffers of this size and more are mapped with their pages populated in one
// call instead of faulting them in one by one as the picture is written.
constexpr size_t MapThreshold = 32 * 1024;

PixelBuffer *allocate(size_t size)
{
    if (size >= MapThreshold) {
        void *data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (data != MAP_FAILED)
            return new PixelBuffer{size, static_cast<uchar *>(data), true};
    }
    auto *data = static_cast<uchar *>(malloc(size));
    return data ? new PixelBuffer{size, data, false} : nullptr;
}

void release(PixelBuffer *buffer)
{
    if (buffer->mapped)
        munmap(buffer->data, buffer->size);
    else
        free(buffer->data);
    delete buffer;
}

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
        return allocate(size);
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
        }
        release(buffer);
    }

private:
    std::mutex mutex;
    std::vector<PixelBuffer *> kept;
    size_t keptBytes = 0;
};

void releasePixels(void *info)
{
    BufferPool::instance().give(static_cast<PixelBuffer *>(info));
}

} // namespace

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
