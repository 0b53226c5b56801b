// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QTemporaryDir>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include "Card.h"
#include "CardTestUtil.h"
#include "JpegCodec.h"

using namespace testutil;

namespace {

// Writes a GIF whose left half uses palette entry 1 and right half entry 2,
// optionally interlaced, with a second picture after it that must be ignored.
bool writeGif(const QString &file, int w, int h, bool interlaced)
{
    int error = 0;
    GifFileType *gif = EGifOpenFileName(file.toLocal8Bit().constData(), false, &error);
    if (!gif)
        return false;
    GifColorType colours[4] = {{0, 0, 0}, {250, 10, 10}, {10, 10, 240}, {0, 255, 0}};
    ColorMapObject *map = GifMakeMapObject(4, colours);
    bool ok = EGifPutScreenDesc(gif, w, h, 2, 0, map) != GIF_ERROR;
    std::vector<GifPixelType> line(size_t(w), 0);
    for (int x = 0; x < w; ++x)
        line[size_t(x)] = x < w / 2 ? 1 : 2;
    ok = ok && EGifPutImageDesc(gif, 0, 0, w, h, interlaced, nullptr) != GIF_ERROR;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, line.data(), w) != GIF_ERROR;
    std::vector<GifPixelType> green(size_t(w), 3);
    ok = ok && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) != GIF_ERROR;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, green.data(), w) != GIF_ERROR;
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) != GIF_ERROR && ok;
}

TEST(Picture, GifFirstImage)
{
    QTemporaryDir dir;
    for (bool interlaced : {false, true}) {
        const QString file = dir.filePath(interlaced ? "i.gif" : "p.gif");
        ASSERT_TRUE(writeGif(file, 16, 21, interlaced));
        Card card;
        ASSERT_TRUE(card.LoadImage(file));
        EXPECT_EQ(card.GetSource().kind(), Picture::Kind::Gif);
        const QImage &bmp = card.GetBitmap();
        ASSERT_EQ(bmp.size(), QSize(16, 21));
        EXPECT_EQ(bmp.format(), QImage::Format_RGB32);
        for (int y = 0; y < 21; ++y) {
            EXPECT_EQ(bmp.pixel(0, y), qRgb(250, 10, 10));
            EXPECT_EQ(bmp.pixel(15, y), qRgb(10, 10, 240));
        }
        EXPECT_EQ(card.GetScaledBitmap(), bmp);
    }
}

TEST(Picture, DamagedGifIsRefused)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("p.gif");
    ASSERT_TRUE(writeGif(file, 16, 21, false));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    f.close();

    Card card;
    setPicture(card, solid(3, 3, qRgb(9, 9, 9)));
    // Cut inside the first picture's data, and before any picture at all.
    for (int length : {0, 6, 13, 20, 40, 60}) {
        QFile cut(dir.filePath("cut.gif"));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly | QIODevice::Truncate));
        cut.write(whole.left(length));
        cut.close();
        QString error;
        EXPECT_FALSE(card.LoadImage(cut.fileName(), &error)) << length;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(card.GetScaledBitmap().size(), QSize(3, 3));
    }
}

TEST(Picture, BmpPngAndJpegSources)
{
    QTemporaryDir dir;
    const QImage picture = makePicture(30, 40);

    ASSERT_TRUE(picture.save(dir.filePath("p.bmp")));
    ASSERT_TRUE(picture.save(dir.filePath("p.png")));
    QByteArray jpeg;
    ASSERT_TRUE(VekJpeg::Encode(picture, jpeg));
    QFile jf(dir.filePath("p.JPG")); // the extension decides, in any case
    ASSERT_TRUE(jf.open(QIODevice::WriteOnly));
    jf.write(jpeg);
    jf.close();

    Card bmp, png, jpg;
    ASSERT_TRUE(bmp.LoadImage(dir.filePath("p.bmp")));
    ASSERT_TRUE(png.LoadImage(dir.filePath("p.png")));
    ASSERT_TRUE(jpg.LoadImage(dir.filePath("p.JPG")));
    EXPECT_EQ(bmp.GetBitmap(), picture);
    EXPECT_EQ(png.GetBitmap(), picture);
    EXPECT_EQ(jpg.GetSource().kind(), Picture::Kind::Jpeg);
    EXPECT_EQ(jpg.GetBitmap().format(), QImage::Format_RGB32);
    EXPECT_LT(meanDifference(jpg.GetBitmap(), picture), 6.0);
    EXPECT_EQ(jpg.GetScaledBitmap().size(), QSize(30, 40));
}

TEST(Picture, WrongContentOrUnknownExtensionIsRefused)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("notes.jpg"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a picture");
    f.close();
    QFile::copy(f.fileName(), dir.filePath("notes.xyz"));
    Card card;
    EXPECT_FALSE(card.LoadImage(dir.filePath("notes.jpg")));
    EXPECT_FALSE(card.LoadImage(dir.filePath("notes.xyz")));
    EXPECT_TRUE(card.GetScaledBitmap().isNull());
    EXPECT_TRUE(card.GetSource().isEmpty());
}

TEST(Picture, OversizedJpegIsRefusedBeforeDecoding)
{
    // A JPEG header claiming 60000 x 60000 pixels: refused without allocating.
    QByteArray jpeg;
    ASSERT_TRUE(VekJpeg::Encode(solid(8, 8, qRgb(1, 2, 3)), jpeg));
    const int sof = jpeg.indexOf(QByteArray::fromHex("FFC0"));
    ASSERT_GT(sof, 0);
    jpeg[sof + 5] = char(0xEA);
    jpeg[sof + 6] = char(0x60);
    jpeg[sof + 7] = char(0xEA);
    jpeg[sof + 8] = char(0x60);
    QImage out;
    QString error;
    EXPECT_FALSE(VekJpeg::Decode(reinterpret_cast<const uchar *>(jpeg.constData()), jpeg.size(),
                                 VekJpeg::DecodeMode::Fast, out, &error));
    EXPECT_TRUE(out.isNull());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace

TEST(Picture, JpegWithDamagedOrMissingPictureDataIsRefused)
{
    QTemporaryDir dir;
    QByteArray jpeg;
    ASSERT_TRUE(VekJpeg::Encode(makePicture(64, 48), jpeg));
    const int scan = int(jpeg.indexOf(QByteArray::fromHex("FFDA")));
    const int data = scan + 2 + (uint8_t(jpeg[scan + 2]) << 8 | uint8_t(jpeg[scan + 3]));
    ASSERT_LT(data + 40, jpeg.size());
    QByteArray overwritten = jpeg;
    for (int i = data; i < data + 40; ++i)
        overwritten[i] = char((i - data) % 2 ? 0x00 : 0xff); // all-ones codes
    for (const QByteArray &bytes : {jpeg.left(data + 20), overwritten}) {
        QFile f(dir.filePath(QStringLiteral("damaged.jpg")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        Picture picture;
        QString error;
        EXPECT_FALSE(picture.Load(f.fileName(), &error));
        EXPECT_TRUE(error.contains(QStringLiteral("damaged"))) << error.toStdString();
    }
}
