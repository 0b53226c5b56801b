// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Mask.h"

namespace {

bool isWhite(const QImage &img, int x, int y)
{
    return img.pixel(x, y) == qRgb(255, 255, 255);
}

bool isBlack(const QImage &img, int x, int y)
{
    return img.pixel(x, y) == qRgb(0, 0, 0);
}

TEST(Mask, FirstRenderKeepsTheCornerFrameBlackLaterRendersDoNot)
{
    VekSolitaire::Mask mask;
    EXPECT_TRUE(mask.GetBitmap().isNull());

    mask.Render(176, 260);
    const QImage first = mask.GetBitmap();
    ASSERT_EQ(first.size(), QSize(176, 260));
    EXPECT_TRUE(isBlack(first, 88, 130));
    // The outermost frame outside the corner curves still carries the black
    // pen of the first drawing.
    EXPECT_TRUE(isBlack(first, 0, 0));
    EXPECT_TRUE(isBlack(first, 175, 259));
    EXPECT_TRUE(isBlack(first, 3, 0));
    // Inside the corner but off the frame: outside the card, white.
    EXPECT_TRUE(isWhite(first, 2, 2));
    // The outline along the straight edges is white.
    EXPECT_TRUE(isWhite(first, 88, 0));
    EXPECT_TRUE(isWhite(first, 0, 130));
    EXPECT_TRUE(isBlack(first, 1, 130));

    mask.Render(176, 260);
    const QImage second = mask.GetBitmap();
    EXPECT_TRUE(isWhite(second, 0, 0));
    EXPECT_TRUE(isWhite(second, 3, 0));
    EXPECT_TRUE(isWhite(second, 175, 259));
    EXPECT_TRUE(isBlack(second, 88, 130));
}

TEST(Mask, CornerSizeIsAFifthOfTheWidth)
{
    // On the left edge, 8 pixels down: outside a 35-pixel corner curve, but
    // already on the straight outline of a 17-pixel one.
    VekSolitaire::Mask big, small;
    big.Render(176, 260);
    big.Render(176, 260);
    small.Render(88, 130);
    small.Render(88, 130);
    EXPECT_TRUE(isWhite(big.GetBitmap(), 0, 8));
    EXPECT_TRUE(isWhite(big.GetBitmap(), 3, 3));
    EXPECT_TRUE(isBlack(big.GetBitmap(), 6, 6));
    EXPECT_TRUE(isBlack(small.GetBitmap(), 5, 5));
    EXPECT_TRUE(isBlack(small.GetBitmap(), 1, 8));

    // Every row of the mask is symmetric: the four corners are alike.
    const QImage m = big.GetBitmap();
    for (int y = 0; y < 260; ++y)
        for (int x = 0; x < 88; ++x)
            ASSERT_EQ(m.pixel(x, y), m.pixel(175 - x, y)) << x << "," << y;
}

} // namespace
