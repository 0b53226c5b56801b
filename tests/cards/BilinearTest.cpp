// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <random>

#include <gtest/gtest.h>

#include "Bilinear.h"

namespace {

// Raw 32-bit words, top byte included (QImage::pixel() would force it to 0xff).
uint32_t word(const QImage &img, int x, int y)
{
    return reinterpret_cast<const uint32_t *>(img.constScanLine(y))[x];
}

void setWord(QImage &img, int x, int y, uint32_t w)
{
    reinterpret_cast<uint32_t *>(img.scanLine(y))[x] = w;
}

QImage noise(int w, int h, unsigned seed)
{
    std::mt19937 gen(seed);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setWord(img, x, y, uint32_t(gen()));
    return img;
}

// A plain per-pixel reading of the resampling rules, without the lookup tables
// the library uses, to compare against.
QImage reference(const QImage &src, int w, int h)
{
    QImage dst(w, h, QImage::Format_RGB32);
    const float xr = float(static_cast<long double>(src.width()) / w);
    const float yr = float(static_cast<long double>(src.height()) / h);
    for (int y = 0; y < h; ++y) {
        const float fy = float(y) * yr;
        const int iy = int(fy);
        for (int x = 0; x < w; ++x) {
            const float fx = float(x) * xr;
            const int ix = int(fx);
            if ((fx == float(ix) && fy == float(iy)) || ix == src.width() - 1 || iy == src.height() - 1) {
                setWord(dst, x, y, word(src, ix, iy));
                continue;
            }
            const float dx = fx - float(ix), dy = fy - float(iy);
            uint32_t out = 0;
            for (int s = 0; s <= 16; s += 8) {
                const int p00 = (word(src, ix, iy) >> s) & 0xff, p10 = (word(src, ix + 1, iy) >> s) & 0xff;
                const int p01 = (word(src, ix, iy + 1) >> s) & 0xff, p11 = (word(src, ix + 1, iy + 1) >> s) & 0xff;
                const float l = float(p00 + double(p01 - p00) * dy);
                const float r = float(p10 + double(p11 - p10) * dy);
                out |= uint32_t(int(double(l) + (double(r) - l) * dx)) << s;
            }
            setWord(dst, x, y, out);
        }
    }
    return dst;
}

TEST(Bilinear, ExactHalvingCopiesEvenPixels)
{
    const QImage src = noise(176, 260, 1);
    QImage dst;
    BilinearFilter(src, dst, 88, 130);
    ASSERT_EQ(dst.size(), QSize(88, 130));
    ASSERT_EQ(dst.format(), QImage::Format_RGB32);
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 88; ++x)
            ASSERT_EQ(word(dst, x, y), word(src, 2 * x, 2 * y)) << x << "," << y;
}

TEST(Bilinear, SameSizeIsAnExactCopyIncludingTopBits)
{
    const QImage src = noise(37, 23, 2);
    QImage dst;
    BilinearFilter(src, dst, 37, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(word(dst, x, y), word(src, x, y));
}

TEST(Bilinear, TwoByTwoToFourByFour)
{
    QImage src(2, 2, QImage::Format_RGB32);
    setWord(src, 0, 0, 0xAB0A1400); // r 10, g 20, b 0
    setWord(src, 1, 0, 0xCD15FF01); // r 21, g 255, b 1
    setWord(src, 0, 1, 0xEF000003);
    setWord(src, 1, 1, 0x12FFFFFF);
    QImage dst;
    BilinearFilter(src, dst, 4, 4);

    // (0,0) lands on a source pixel: copied, top byte kept.
    EXPECT_EQ(word(dst, 0, 0), 0xAB0A1400u);
    // (1,0) is the truncated mean of (0,0) and (1,0), top byte zero.
    EXPECT_EQ(word(dst, 1, 0), 0x000F8900u); // 15.5 -> 15, 137.5 -> 137, 0.5 -> 0
    // Columns 2 and 3 fall on the last source column: copies.
    EXPECT_EQ(word(dst, 2, 0), 0xCD15FF01u);
    EXPECT_EQ(word(dst, 3, 0), 0xCD15FF01u);
    EXPECT_EQ(word(dst, 3, 1), 0xCD15FF01u);
    // Rows 2 and 3 fall on the last source row: copies of row 1.
    for (int y = 2; y < 4; ++y) {
        EXPECT_EQ(word(dst, 0, y), 0xEF000003u);
        EXPECT_EQ(word(dst, 1, y), 0xEF000003u);
        EXPECT_EQ(word(dst, 2, y), 0x12FFFFFFu);
        EXPECT_EQ(word(dst, 3, y), 0x12FFFFFFu);
    }
    // (0,1) blends vertically only: 10/2 = 5, 20/2 = 10, 3/2 = 1.5 -> 1.
    EXPECT_EQ(word(dst, 0, 1), 0x00050A01u);
}

TEST(Bilinear, MatchesPlainReadingAtEveryCardSize)
{
    const QImage src = noise(176, 260, 3);
    const QSize sizes[] = {{88, 130}, {101, 150}, {114, 169}, {128, 189}, {141, 208},
                           {154, 228}, {176, 260}, {68, 100}, {54, 80},  {300, 400}};
    for (const QSize &s : sizes) {
        QImage dst;
        BilinearFilter(src, dst, s.width(), s.height());
        const QImage ref = reference(src, s.width(), s.height());
        ASSERT_EQ(dst.size(), s);
        for (int y = 0; y < s.height(); ++y)
            ASSERT_EQ(memcmp(dst.constScanLine(y), ref.constScanLine(y), size_t(s.width()) * 4), 0)
                << s.width() << "x" << s.height() << " row " << y;
    }
}

TEST(Bilinear, EmptySourceLeavesDestinationUntouched)
{
    QImage dst(5, 7, QImage::Format_RGB16);
    dst.fill(Qt::green);
    const QImage before = dst;
    BilinearFilter(QImage(), dst, 20, 20);
    EXPECT_EQ(dst.size(), QSize(5, 7));
    EXPECT_EQ(dst.format(), QImage::Format_RGB16);
    EXPECT_EQ(dst, before);
}

TEST(Bilinear, OtherSourceFormatsAreConvertedFirst)
{
    QImage src(4, 4, QImage::Format_BGR888);
    src.fill(QColor(10, 20, 30));
    QImage dst;
    BilinearFilter(src, dst, 3, 3);
    ASSERT_EQ(dst.format(), QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(word(dst, x, y) & 0xffffff, 0x0A141Eu);
}

} // namespace
