// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QBuffer>
#include <QPainter>

#include <gtest/gtest.h>

#include "Bilinear.h"
#include "Card.h"
#include "CardTestUtil.h"
#include "JpegCodec.h"

using namespace testutil;

namespace {

TEST(Card, IdentityAndColour)
{
    Card card;
    EXPECT_FALSE(card.IsAssigned());
    EXPECT_FALSE(card.HasBeenUsed());
    EXPECT_FALSE(card.HasImage());
    card.SetValue(1, Clubs);
    EXPECT_TRUE(card.IsAssigned());
    EXPECT_EQ(card.GetColor(), Black);
    const struct {
        CardSuit suit;
        CardColor colour;
    } colours[] = {{Clubs, Black}, {Diamonds, Red}, {Hearts, Red}, {Spades, Black}};
    for (const auto &c : colours) {
        card.SetValue(12, c.suit);
        EXPECT_EQ(card.GetColor(), c.colour) << int(c.suit);
        EXPECT_EQ(card.GetValue(), 12);
    }
}

TEST(Card, RecordOfACardWithoutPictureIs18Bytes)
{
    Card card;
    card.SetValue(11, Hearts);
    const QByteArray bytes = saveRecord(card);
    const QByteArray expected = QByteArray::fromHex("000000000000000000000000" "0B02" "00000000");
    EXPECT_EQ(bytes.toHex(), expected.toHex());
}

TEST(Card, RecordLayoutWithPicture)
{
    Card card;
    setPicture(card, makePicture(176, 260));
    card.SetValue(13, Spades);
    const QByteArray bytes = saveRecord(card);
    ASSERT_GT(bytes.size(), 18);
    EXPECT_EQ(readLE32(bytes, 0), 0u);
    EXPECT_EQ(readLE32(bytes, 4), 176u);
    EXPECT_EQ(readLE32(bytes, 8), 260u);
    EXPECT_EQ(uint8_t(bytes[12]), 13);
    EXPECT_EQ(uint8_t(bytes[13]), 3);
    EXPECT_EQ(readLE32(bytes, 14), uint32_t(bytes.size() - 18));
    // A JFIF stream, baseline (SOF0), never progressive (SOF2).
    const QByteArray jpeg = bytes.mid(18);
    EXPECT_TRUE(jpeg.startsWith(QByteArray::fromHex("FFD8")));
    EXPECT_TRUE(jpeg.endsWith(QByteArray::fromHex("FFD9")));
    EXPECT_TRUE(jpeg.contains(QByteArray::fromHex("FFC0")));
    EXPECT_FALSE(jpeg.contains(QByteArray::fromHex("FFC2")));
}

TEST(Card, RecordRoundTripKeepsColours)
{
    Card card;
    const QImage picture = makePicture(176, 260, 5);
    setPicture(card, picture);
    card.SetValue(7, Diamonds);
    QByteArray bytes = saveRecord(card);

    Card loaded;
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(loaded.Load(in));
    EXPECT_EQ(in.pos(), bytes.size());
    EXPECT_EQ(loaded.GetValue(), 7);
    EXPECT_EQ(loaded.GetSuit(), Diamonds);
    EXPECT_TRUE(loaded.HasImage());
    // The source and the display bitmap are one decoded 32-bit picture.
    EXPECT_EQ(loaded.GetScaledBitmap().format(), QImage::Format_RGB32);
    EXPECT_EQ(loaded.GetScaledBitmap().cacheKey(), loaded.GetBitmap().cacheKey());
    EXPECT_EQ(loaded.GetBitmap().format(), QImage::Format_RGB32);
    EXPECT_LT(meanDifference(loaded.GetBitmap(), picture), 8.0); // JPEG loss only
}

TEST(Card, RecordWithoutPictureKeepsThePreviousOne)
{
    Card card;
    setPicture(card, makePicture(20, 30));
    card.SetValue(5, Clubs);
    QByteArray withPicture = saveRecord(card);

    Card target;
    QBuffer first(&withPicture);
    first.open(QIODevice::ReadOnly);
    ASSERT_TRUE(target.Load(first));
    ASSERT_TRUE(target.HasImage());
    const QImage before = target.GetScaledBitmap();

    QByteArray bytes = emptyRecord(9, 1) + QByteArray("tail");
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(target.Load(in));
    EXPECT_EQ(in.pos(), 18);
    EXPECT_EQ(target.GetValue(), 9);
    EXPECT_EQ(target.GetSuit(), Diamonds);
    EXPECT_TRUE(target.HasImage());
    EXPECT_EQ(target.GetScaledBitmap(), before);
}

bool loadsWithImage(const QImage &picture)
{
    Card source;
    setPicture(source, picture);
    QByteArray bytes = saveRecord(source);
    Card card;
    card.ClearImage();
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    EXPECT_TRUE(card.Load(in));
    return card.HasImage();
}

TEST(Card, ImageFlagNeedsOneNonBlackPixel)
{
    EXPECT_FALSE(loadsWithImage(solid(32, 32, qRgb(0, 0, 0))));
    EXPECT_FALSE(loadsWithImage(solid(1, 1, qRgb(0, 0, 0))));
    EXPECT_TRUE(loadsWithImage(solid(1, 1, qRgb(255, 255, 255))));
    QImage dot = solid(32, 32, qRgb(0, 0, 0));
    dot.setPixel(31, 31, qRgb(255, 255, 255));
    EXPECT_TRUE(loadsWithImage(dot));
}

// A record's picture is decoded on first use, so the card must hold its own
// share of the bytes, keep a size asked for meanwhile, and not let a later
// decode undo what was done to the card before it.
TEST(Card, RecordPicturesDecodeOnFirstUse)
{
    Card source;
    const QImage picture = makePicture(176, 260, 3);
    setPicture(source, picture);
    source.SetValue(4, Spades);
    const QByteArray record = saveRecord(source);

    auto load = [&](Card &card) {
        QByteArray bytes = record;
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        ASSERT_TRUE(card.Load(in));
        in.close();
        bytes.fill('\0'); // the file's bytes in memory go before the picture is used
    };

    Card plain;
    load(plain);
    EXPECT_LT(meanDifference(plain.GetBitmap(), picture), 8.0);
    EXPECT_TRUE(plain.HasImage());

    Card resized;
    load(resized);
    resized.ScaleImage(88, 130);
    ASSERT_EQ(resized.GetScaledBitmap().size(), QSize(88, 130));
    QImage expected;
    BilinearFilter(plain.GetBitmap(), expected, 88, 130);
    EXPECT_EQ(resized.GetScaledBitmap(), expected);
    EXPECT_EQ(resized.GetBitmap(), plain.GetBitmap());

    Card cleared;
    load(cleared);
    cleared.ClearImage();
    EXPECT_FALSE(cleared.HasImage());
    EXPECT_FALSE(cleared.GetScaledBitmap().isNull());

    // Copies share the undecoded picture and decode it each for itself.
    Card original;
    load(original);
    Card copy = original;
    copy.ScaleImage(54, 80);
    EXPECT_EQ(original.GetScaledBitmap().size(), QSize(176, 260));
    EXPECT_EQ(copy.GetScaledBitmap().size(), QSize(54, 80));
}

// A card at a size other than its picture's makes its display bitmap without
// holding the source decoded; every way there must give the same pixels as
// scaling the decoded source, whatever was decoded on the thread before.
TEST(Card, DisplayBitmapsFromUndecodedSourcesMatchTheSource)
{
    auto recordOf = [](const QImage &picture) {
        Card source;
        setPicture(source, picture);
        return saveRecord(source);
    };
    auto load = [](Card &card, QByteArray bytes) {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        ASSERT_TRUE(card.Load(in));
    };
    auto scaled = [](const QImage &source, int w, int h) {
        QImage out;
        BilinearFilter(source, out, w, h);
        return out;
    };

    const QByteArray first = recordOf(makePicture(176, 260, 1));
    const QByteArray second = recordOf(makePicture(176, 260, 2));
    const QByteArray other = recordOf(makePicture(100, 60, 3));
    Card plain;
    load(plain, second);
    const QImage source = plain.GetBitmap();

    // The same thread decodes another picture of the size first, and one of
    // another size, so nothing of theirs may show through.
    for (const QByteArray &before : {first, other}) {
        Card earlier;
        load(earlier, before);
        earlier.ScaleImage(88, 130);
        ASSERT_FALSE(earlier.GetScaledBitmap().isNull());

        Card card;
        load(card, second);
        card.ScaleImage(88, 130);
        EXPECT_EQ(card.GetScaledBitmap(), scaled(source, 88, 130));
        EXPECT_TRUE(card.HasImage());
        // Sizes changed while the source is still undecoded, back to its own.
        card.ScaleImage(54, 80);
        EXPECT_EQ(card.GetScaledBitmap(), scaled(source, 54, 80));
        card.ScaleImage(176, 260);
        EXPECT_EQ(card.GetScaledBitmap(), source);
        card.ScaleImage(101, 150);
        EXPECT_EQ(card.GetScaledBitmap(), scaled(source, 101, 150));
        // Asked for at last, the source is the picture and the display bitmap
        // stays as it was made.
        EXPECT_EQ(card.GetBitmap(), source);
        EXPECT_EQ(card.GetScaledBitmap(), scaled(source, 101, 150));
        card.ScaleImage(88, 130);
        EXPECT_EQ(card.GetScaledBitmap(), scaled(source, 88, 130));
    }

    // The image flag comes from the source's pixels, not the scaled ones: at
    // 1 x 1 the display bitmap is the black top-left pixel alone, and the
    // white corner far from it still counts.
    QImage corner = solid(176, 260, qRgb(0, 0, 0));
    for (int y = 240; y < 260; ++y)
        for (int x = 160; x < 176; ++x)
            corner.setPixel(x, y, qRgb(255, 255, 255));
    for (const auto &[picture, present] : {std::pair{solid(176, 260, qRgb(0, 0, 0)), false}, std::pair{corner, true}}) {
        Card card;
        load(card, recordOf(picture));
        card.ScaleImage(1, 1);
        EXPECT_EQ(card.GetScaledBitmap().pixel(0, 0) & 0xffffff, 0u);
        EXPECT_EQ(card.HasImage(), present);
        card.ClearImage();
        EXPECT_FALSE(card.HasImage());
        EXPECT_EQ(card.GetBitmap().size(), QSize(176, 260));
        EXPECT_FALSE(card.HasImage()); // decoding the source does not bring it back
    }
}

// A picture whose header reads but whose data stops short loads; its first
// use decodes what there is instead of failing or crashing.
TEST(Card, DamagedRecordsLeaveTheCardAlone)
{
    Card source;
    setPicture(source, makePicture(24, 36));
    source.SetValue(3, Hearts);
    const QByteArray good = saveRecord(source);

    Card card;
    setPicture(card, solid(10, 10, qRgb(1, 2, 3)));
    card.SetValue(1, Spades);
    const QImage before = card.GetScaledBitmap();
    auto expectUnchanged = [&](QByteArray bytes, const char *what) {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        QString error;
        EXPECT_FALSE(card.Load(in, &error)) << what;
        EXPECT_FALSE(error.isEmpty()) << what;
        EXPECT_EQ(card.GetValue(), 1) << what;
        EXPECT_EQ(card.GetSuit(), Spades) << what;
        EXPECT_EQ(card.GetScaledBitmap(), before) << what;
    };

    for (int length = 0; length < good.size(); ++length)
        expectUnchanged(good.left(length), "truncated");

    QByteArray badStart = good;
    badStart[18] = 0; // no start-of-image marker
    expectUnchanged(badStart, "bad marker");

    QByteArray huge = good.left(14);
    le32(huge, 0x7fffffff); // far more data than the stream holds
    expectUnchanged(huge, "huge length");

    // Headers intact, the picture data damaged: the record length fits, but
    // the data ends early, or a second frame header follows it.
    const auto withLength = [](QByteArray record) {
        QByteArray length;
        le32(length, uint32_t(record.size() - 18));
        return record.replace(14, 4, length);
    };
    const int scan = good.indexOf(QByteArray::fromHex("FFDA"));
    ASSERT_GT(scan, 18);
    expectUnchanged(withLength(good.left(scan + 40)), "data cut short");
    const int frame = good.indexOf(QByteArray::fromHex("FFC0"));
    const int end = good.lastIndexOf(QByteArray::fromHex("FFD9"));
    const int frameLength = (uint8_t(good[frame + 2]) << 8) | uint8_t(good[frame + 3]);
    expectUnchanged(withLength(QByteArray(good).insert(end, good.mid(frame, 2 + frameLength))), "second frame");
}

TEST(Card, ScalingFromTheSource)
{
    Card card;
    const QImage picture = makePicture(176, 260);
    setPicture(card, picture);
    card.ScaleImage(176, 260);
    EXPECT_EQ(card.GetScaledBitmap(), picture);

    card.ScaleImage(88, 130);
    EXPECT_EQ(card.GetScaledBitmap().size(), QSize(88, 130));
    card.ScaleImage(176, 260);
    EXPECT_EQ(card.GetScaledBitmap(), picture);
}

TEST(Card, CropImage)
{
    Card card;
    const QImage picture = makePicture(40, 50);
    setPicture(card, picture);
    card.CropImage(0, 0, 40, 50);
    EXPECT_EQ(card.GetScaledBitmap(), picture);
    EXPECT_EQ(card.GetBitmap(), card.GetScaledBitmap());

    card.CropImage(10, 5, 20, 30);
    EXPECT_EQ(card.GetScaledBitmap(), picture.copy(10, 5, 20, 30));
    EXPECT_EQ(card.GetBitmap(), picture.copy(10, 5, 20, 30));
}

TEST(Card, LoadImageFailureKeepsPictures)
{
    Card card;
    const QImage picture = makePicture(12, 12);
    setPicture(card, picture);
    QString error;
    EXPECT_FALSE(card.LoadImage(QStringLiteral("/nonexistent/picture.bmp"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(card.GetScaledBitmap(), picture);
    EXPECT_EQ(card.GetBitmap(), picture);
}

TEST(Card, PaintToDrawsTheDisplayBitmapUnscaled)
{
    Card source;
    setPicture(source, solid(8, 8, qRgb(200, 10, 10)));
    QByteArray bytes = saveRecord(source);
    Card card;
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(card.Load(in));

    QImage canvas(20, 20, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    card.PaintTo(p, 5, 6);
    p.end();
    EXPECT_EQ(canvas.pixel(4, 6), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(13, 6), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(5, 14), qRgb(255, 255, 255));
    const QRgb inside = canvas.pixel(9, 10);
    EXPECT_GT(qRed(inside), 180);
    EXPECT_LT(qGreen(inside), 40);
}

} // namespace
