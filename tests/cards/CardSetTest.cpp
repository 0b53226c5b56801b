// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
// Card sets of the two older formats, written byte by byte here.
#include <functional>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Deck.h"

namespace {

void le16(QByteArray &b, int v)
{
    b.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

void be16(QByteArray &b, int v)
{
    b.append(char((v >> 8) & 0xff)).append(char(v & 0xff));
}

void be32(QByteArray &b, uint32_t v)
{
    be16(b, int(v >> 16));
    be16(b, int(v & 0xffff));
}

int widen(int c)
{
    return (c << 3) | (c >> 2);
}

// Picture k of a PC set in 15-bit colour: every pixel has red k mod 32 and
// green k div 32, but pixel (1, 0) is pure blue 31.
QByteArray rkpDirect(int w, int h, int count, int pictures)
{
    QByteArray b("PCREKO");
    b.append(10, '\0');
    le16(b, w);
    le16(b, h);
    b.append(char(16)).append(char(count));
    for (int k = 0; k < pictures; ++k) {
        b.append(4, '\x7f');
        for (int i = 0; i < w * h; ++i)
            le16(b, i == 1 ? 31 : (k % 32) << 10 | (k / 32) << 5);
    }
    return b;
}

QRgb rkpColour(int k)
{
    return qRgb(widen(k % 32), widen(k / 32), 0);
}

// An Amiga set whose pixel (x, y) of picture k has the value value(k, x, y).
QByteArray reko(int w, int h, int planes, uint32_t mode, int count, int pictures, const QByteArray &palette,
                const std::function<int(int k, int x, int y)> &value)
{
    QByteArray b("REKO");
    be32(b, 0);
    be32(b, 0);
    be16(b, h);
    be16(b, w);
    be32(b, mode);
    b.append(char(planes)).append(char(count)).append(palette);
    const int rowBytes = (w + 7) / 8;
    for (int k = 0; k < pictures; ++k)
        for (int y = 0; y < h; ++y)
            for (int plane = 0; plane < planes; ++plane)
                for (int byte = 0; byte < rowBytes; ++byte) {
                    int bits = 0;
                    for (int x = byte * 8; x < qMin(w, byte * 8 + 8); ++x)
                        if (value(k, x, y) >> plane & 1)
                            bits |= 0x80 >> (x & 7);
                    b.append(char(bits));
                }
    return b;
}

class CardSetTest : public ::testing::Test {
protected:
    bool load(const QByteArray &bytes)
    {
        QFile file(dir.filePath(QStringLiteral("set")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        return deck.Load(file.fileName());
    }
    QRgb pixel(Card *card, int x = 0, int y = 0) { return card->GetBitmap().pixel(x, y) | 0xff000000; }
    // The card of that rank and suit, wherever it is.
    Card *find(int rank, CardSuit suit)
    {
        for (int i = 0; i < 52; ++i)
            if (deck.GetCard(i)->GetValue() == rank && deck.GetCard(i)->GetSuit() == suit)
                return deck.GetCard(i);
        return nullptr;
    }
    QTemporaryDir dir;
    Deck deck;
};

} // namespace

TEST_F(CardSetTest, PcSetsInBothColourModesAndThePlaceholderRule)
{
    ASSERT_TRUE(load(rkpDirect(3, 2, 52, 57))) << deck.LastError().toStdString();
    EXPECT_EQ(deck.GetWidth(), 3);
    EXPECT_EQ(deck.GetHeight(), 2);
    EXPECT_EQ(pixel(deck.GetBack()), rkpColour(0));
    EXPECT_EQ(pixel(deck.GetBack(), 1, 0), qRgb(0, 0, 255));
    // Rank by rank, clubs to spades within each.
    EXPECT_EQ(pixel(find(1, Clubs)), rkpColour(1));
    EXPECT_EQ(pixel(find(1, Spades)), rkpColour(4));
    EXPECT_EQ(pixel(find(13, Spades), 2, 1), rkpColour(52));
    // 52 pictures counted: the placeholders that follow are not read.
    EXPECT_TRUE(deck.GetPlaceholder(0)->GetBitmap().isNull());

    ASSERT_TRUE(load(rkpDirect(3, 2, 53, 57)));
    EXPECT_EQ(pixel(deck.GetPlaceholder(3)), rkpColour(56));
    EXPECT_FALSE(deck.GetPlaceholder(0)->HasImage());
    // A set that ends where its placeholders would start is whole.
    EXPECT_TRUE(load(rkpDirect(3, 2, 53, 53)));

    // Palette pictures at any other depth: indices into 256 5-5-5 colours.
    for (int bpp : {8, 15}) {
        QByteArray b("PCREKO");
        b.append(10, '\0');
        le16(b, 2);
        le16(b, 1);
        b.append(char(bpp)).append(char(52));
        for (int k = 0; k < 53; ++k) {
            b.append(4, '\0');
            for (int i = 0; i < 256; ++i)
                le16(b, i == 7 ? (31 << 10) | k : i);
            b.append(char(7)).append(char(1));
        }
        ASSERT_TRUE(load(b)) << deck.LastError().toStdString();
        EXPECT_EQ(pixel(find(2, Diamonds)), qRgb(255, 0, widen(6)));
        EXPECT_EQ(pixel(find(2, Diamonds), 1, 0), qRgb(0, 0, widen(1)));
    }
}

TEST_F(CardSetTest, AmigaSetsPlanarAndHoldAndModify)
{
    // One plane, nine pixels wide (two bytes a row), three rows; a set bit is
    // palette entry 1. The two pictures nobody shows are all set.
    const QByteArray twoColours("\x00\x00\x00\xff\xff\xff", 6);
    auto bit = [](int k, int x, int y) { return k < 2 ? 1 : (x == 8 && y == 2) || (k == 2 && x == 0); };
    ASSERT_TRUE(load(reko(9, 3, 1, 0, 55, 59, twoColours, bit))) << deck.LastError().toStdString();
    EXPECT_EQ(deck.GetWidth(), 9);
    EXPECT_EQ(deck.GetHeight(), 3);
    EXPECT_EQ(pixel(deck.GetBack()), qRgb(255, 255, 255));
    EXPECT_EQ(pixel(deck.GetBack(), 1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(find(1, Clubs)), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(find(1, Clubs), 8, 2), qRgb(255, 255, 255));
    EXPECT_TRUE(deck.GetPlaceholder(0)->GetBitmap().isNull());
    ASSERT_TRUE(load(reko(9, 3, 1, 0, 56, 59, twoColours, bit)));
    EXPECT_EQ(pixel(deck.GetPlaceholder(3), 8, 2), qRgb(255, 255, 255));
    for (int i = 0; i < 52; ++i)
        EXPECT_NE(pixel(deck.GetCard(i), 0, 0), qRgb(255, 255, 255)) << "a discarded picture shows";

    // HAM8: 64 palette entries; entry 0 is (10, 20, 30). Row 0 ends on a
    // green change; row 1 starts with a blue change, which applies to entry 0.
    QByteArray palette(3 * 64, '\0');
    palette[0] = 10, palette[1] = 20, palette[2] = 30;
    palette[3 * 5] = char(200);
    auto ham = [](int, int x, int y) {
        if (y == 0)
            return x == 0 ? 5 : 0xC0 | 0x3f; // entry 5, then green = 0xfc
        return x == 0 ? 0x40 | 0x01 : 0x80 | 0x02; // blue = 4, then red = 8
    };
    ASSERT_TRUE(load(reko(2, 2, 8, 0x800, 55, 55, palette, ham))) << deck.LastError().toStdString();
    Card *back = deck.GetBack();
    EXPECT_EQ(pixel(back, 0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(pixel(back, 1, 0), qRgb(200, 0xfc, 0));
    EXPECT_EQ(pixel(back, 0, 1), qRgb(10, 20, 4));
    EXPECT_EQ(pixel(back, 1, 1), qRgb(8, 20, 4));
    // Six planes spread their four data bits over the channel (times 17).
    ASSERT_TRUE(load(reko(1, 1, 6, 0x800, 55, 55, QByteArray(48, '\0'), [](int, int, int) { return 0x30 | 0x0a; })));
    EXPECT_EQ(pixel(deck.GetBack()), qRgb(0, 0xaa, 0));
}

TEST_F(CardSetTest, LoadingOverANativeDeckKeepsCardObjectsInPlace)
{
    // A native deck with its cards in a scrambled order and no pictures.
    for (int i = 0; i < 52; ++i)
        deck.GetCard(i)->SetValue(uint8_t((i * 7) % 13 + 1), CardSuit((i * 7 / 13) % 4));
    const QString native = dir.filePath(QStringLiteral("native.deck"));
    ASSERT_TRUE(deck.Save(native));
    Deck other;
    ASSERT_TRUE(other.Load(native));
    std::vector<std::pair<int, CardSuit>> before;
    for (int i = 0; i < 52; ++i)
        before.emplace_back(other.GetCard(i)->GetValue(), other.GetCard(i)->GetSuit());
    Card *first = other.GetCard(0);
    QFile file(dir.filePath(QStringLiteral("set.rkp")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rkpDirect(2, 2, 52, 53));
    file.close();
    ASSERT_TRUE(other.Load(file.fileName())) << other.LastError().toStdString();
    EXPECT_EQ(other.GetCard(0), first);
    for (int i = 0; i < 52; ++i) {
        Card *card = other.GetCard(i);
        ASSERT_EQ(std::make_pair(int(card->GetValue()), card->GetSuit()), before[size_t(i)]);
        EXPECT_EQ(card->GetBitmap().pixel(0, 0) | 0xff000000, rkpColour((card->GetValue() - 1) * 4 + card->GetSuit() + 1));
    }
}

TEST_F(CardSetTest, DamagedSetsAreRefusedAndChangeNothing)
{
    ASSERT_TRUE(load(rkpDirect(2, 1, 52, 53)));
    const QImage back = deck.GetBack()->GetBitmap();
    auto unchanged = [&] { return deck.GetBack()->GetBitmap() == back && deck.GetWidth() == 2; };

    // Every length of a PC set: whole from the end of the 52nd card on.
    const QByteArray pc = rkpDirect(1, 1, 53, 57);
    for (int n = 0; n < pc.size(); ++n) {
        const bool whole = n == 22 + 53 * 6;
        ASSERT_EQ(load(pc.left(n)), whole) << n;
        if (!whole)
            ASSERT_TRUE(unchanged()) << n;
        else
            ASSERT_TRUE(load(rkpDirect(2, 1, 52, 53)));
    }
    // Every length of an Amiga set with placeholders.
    const QByteArray amiga = reko(1, 1, 1, 0, 56, 59, QByteArray(6, '\x40'), [](int k, int, int) { return k & 1; });
    for (int n = 0; n < amiga.size(); ++n) {
        const bool whole = n == 28 + 55;
        ASSERT_EQ(load(amiga.left(n)), whole) << n;
        if (!whole)
            ASSERT_TRUE(unchanged()) << n;
        else
            ASSERT_TRUE(load(rkpDirect(2, 1, 52, 53)));
    }

    // Headers that cannot be right, refused before any picture is read.
    const auto none = [](int, int, int) { return 0; };
    for (const QByteArray &bad :
         {rkpDirect(0, 5, 52, 53), rkpDirect(4097, 1, 52, 53), rkpDirect(1, 1, 51, 53),
          reko(1, 1, 0, 0, 55, 55, QByteArray(), none), reko(1, 1, 9, 0, 55, 55, QByteArray(3 * 512, '\0'), none),
          reko(1, 1, 2, 0x800, 55, 55, QByteArray(3, '\0'), none), reko(1, 1, 1, 0, 54, 55, QByteArray(6, '\0'), none),
          reko(4096, 4096, 1, 0, 55, 0, QByteArray(6, '\0'), none)}) {
        EXPECT_FALSE(load(bad));
        EXPECT_FALSE(deck.LastError().isEmpty());
        EXPECT_TRUE(unchanged());
    }
}

TEST(NativeDeck, ACardTwiceIsRefused)
{
    QTemporaryDir dir;
    Deck deck;
    for (int i = 0; i < 52; ++i)
        deck.GetCard(i)->SetValue(uint8_t(i % 13 + 1), CardSuit(i / 13));
    deck.GetCard(51)->SetValue(1, Clubs);
    const QString name = dir.filePath(QStringLiteral("twice.deck"));
    ASSERT_TRUE(deck.Save(name));
    Deck loaded;
    EXPECT_FALSE(loaded.Load(name));
    EXPECT_TRUE(loaded.LastError().contains(QStringLiteral("twice")));
}
