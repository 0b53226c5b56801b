// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <random>
#include <vector>

#include <sys/mman.h>

#include <gtest/gtest.h>

#include "PixelPool.h"

namespace {

void fill(QImage &image, uint32_t value)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<uint32_t *>(image.scanLine(y));
        std::fill(line, line + image.width(), value);
    }
}

bool holds(const QImage &image, uint32_t value)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const uint32_t *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] != value)
                return false;
    }
    return true;
}

// Pictures carved side by side out of shared slabs, small ones from the heap,
// released in any order and taken again: no two living pictures may share a
// byte, whatever came and went before.
TEST(PixelPool, LivingPicturesNeverShareMemory)
{
    std::mt19937 random(5);
    // Small, card-sized, one and more than a slab's worth of large pages.
    const QSize sizes[] = {{10, 10}, {88, 130}, {176, 260}, {54, 80}, {700, 800}, {1500, 1500}, {91, 7}};
    std::vector<std::pair<QImage, uint32_t>> living;
    uint32_t next = 1;
    for (int round = 0; round < 400; ++round) {
        if (!living.empty() && random() % 3 == 0) {
            living.erase(living.begin() + long(random() % living.size()));
            continue;
        }
        const QSize size = sizes[random() % std::size(sizes)];
        QImage image = VekPixels::NewImage32(size.width(), size.height());
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.size(), size);
        ASSERT_EQ(image.format(), QImage::Format_RGB32);
        fill(image, next);
        living.emplace_back(image, next++);
    }
    for (const auto &[image, value] : living)
        EXPECT_TRUE(holds(image, value)) << image.width() << "x" << image.height();
}

TEST(PixelPool, EmptySizesGiveNullPictures)
{
    EXPECT_TRUE(VekPixels::NewImage32(0, 10).isNull());
    EXPECT_TRUE(VekPixels::NewImage32(10, -1).isNull());
}

} // namespace

// Making room ahead maps a new slab when the current one is nearly full; the
// pictures still living in the old one keep their memory and their pixels.
TEST(PixelPool, RoomMadeAheadLeavesLivingPicturesAlone)
{
    QImage living = VekPixels::NewImage32(900, 1000); // most of a slab
    ASSERT_FALSE(living.isNull());
    fill(living, 0x11223344);
    VekPixels::Reserve(size_t(673) * 448 * 4);
    QImage next = VekPixels::NewImage32(673, 448);
    ASSERT_FALSE(next.isNull());
    fill(next, 0x55667788);
    EXPECT_TRUE(holds(living, 0x11223344));
    fill(living, 0x01020304); // still writable
    EXPECT_TRUE(holds(next, 0x55667788));
    // Small sizes and nothing at all are no reason to map anything.
    VekPixels::Reserve(0);
    VekPixels::Reserve(64);
    EXPECT_TRUE(holds(living, 0x01020304));
}

// A new slab takes memory as it is used: the pictures of a start at the
// standard card size fit in its first large page, and the second is not made
// present for them. Pictures written past the first large page are kept.
TEST(PixelPool, ASlabTakesMemoryAsItIsUsed)
{
    constexpr uintptr_t LargePage = 2 * 1024 * 1024;
    QImage first = VekPixels::NewImage32(88, 130);
    ASSERT_FALSE(first.isNull());
    const auto at = reinterpret_cast<uintptr_t>(first.constBits());
    if (at % LargePage != 0)
        GTEST_SKIP() << "needs a process whose pictures start a slab";
    auto resident = [](uintptr_t address) {
        unsigned char present = 0;
        return mincore(reinterpret_cast<void *>(address), 4096, &present) == 0 && (present & 1) != 0;
    };
    EXPECT_TRUE(resident(at));
    EXPECT_FALSE(resident(at + LargePage));

    // More pictures than the first large page holds: the rest of the slab
    // comes into use, and every picture keeps what was written to it.
    std::vector<QImage> more;
    for (int i = 0; i < 60; ++i) {
        more.push_back(VekPixels::NewImage32(88, 130));
        ASSERT_FALSE(more.back().isNull());
        fill(more.back(), 0x00100000u + uint32_t(i));
    }
    EXPECT_TRUE(resident(at + LargePage));
    for (int i = 0; i < 60; ++i)
        EXPECT_TRUE(holds(more[size_t(i)], 0x00100000u + uint32_t(i))) << i;
}
