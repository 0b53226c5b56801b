// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Card.h"

namespace testutil {

// A picture with distinct red, green and blue regions and a gradient, so that
// swapped channels or shifted rows show up as large differences.
inline QImage makePicture(int w, int h, int seed = 0)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int band = (x * 3) / w;
            const int v = (x * 255 / qMax(1, w - 1) + y * 7 + seed * 31) & 0xff;
            row[x] = band == 0 ? qRgb(200, v / 4, 20) : band == 1 ? qRgb(v / 4, 190, 30) : qRgb(10, v / 3, 220);
        }
    }
    return img;
}

inline QImage solid(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// Gives a card a picture the way a user would: through a picture file.
inline void setPicture(Card &card, const QImage &picture)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("picture.png"));
    ASSERT_TRUE(picture.save(file));
    ASSERT_TRUE(card.LoadImage(file));
}

// Mean absolute difference over all channels of two pictures of one size.
inline double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return 1e9;
    double sum = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, r), q = y.pixel(c, r);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

// Little-endian byte writers for files built by hand.
inline void le32(QByteArray &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

// A card record without picture: 18 bytes.
inline QByteArray emptyRecord(uint8_t value, uint8_t suit)
{
    QByteArray r;
    le32(r, 0);
    le32(r, 0);
    le32(r, 0);
    r.append(char(value));
    r.append(char(suit));
    le32(r, 0);
    return r;
}

inline QByteArray saveRecord(Card &card)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(card.Save(buffer));
    return bytes;
}

inline uint32_t readLE32(const QByteArray &b, int at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16
        | uint32_t(uint8_t(b[at + 3])) << 24;
}

// Rewrites the frame size in a JPEG stream's first baseline frame header, so
// that a few bytes declare a picture of any size.
inline void declareJpegSize(QByteArray &jpeg, int from, int width, int height)
{
    const int sof = int(jpeg.indexOf(QByteArray::fromHex("FFC0"), from));
    ASSERT_GT(sof, 0);
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xff);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xff);
}

} // namespace testutil
