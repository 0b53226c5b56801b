// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>
#include <set>

#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "CardTestUtil.h"
#include "Deck.h"
#include "JpegCodec.h"

using namespace testutil;

namespace {

const QByteArray Magic("VekSolitaireDeck");

// A deck whose 52 cards are assigned by suit, Ace to King, with pictures of
// the given size on every card (or only on a few, to keep files small).
void fillDeck(Deck &deck, int w, int h, bool everyCard = true)
{
    int i = 0;
    for (int s = Clubs; s <= Spades; ++s)
        for (int v = 1; v <= 13; ++v, ++i) {
            Card *card = deck.GetCard(i);
            card->SetValue(uint8_t(v), CardSuit(s));
            if (everyCard || i < 2)
                setPicture(*card, makePicture(w, h, i));
        }
    setPicture(*deck.GetBack(), makePicture(w, h, 60));
    setPicture(*deck.GetPlaceholder(0), makePicture(w, h, 61));
    if (everyCard)
        for (int p = 1; p < 4; ++p)
            setPicture(*deck.GetPlaceholder(p), makePicture(w, h, 61 + p));
}

QByteArray readFile(const QString &name)
{
    QFile f(name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Everything a failed load must leave alone.
struct Snapshot {
    explicit Snapshot(Deck &deck)
    {
        for (int i = 0; i < 52; ++i)
            cards.push_back({deck.GetCard(i)->GetValue(), deck.GetCard(i)->GetSuit(),
                             deck.GetCard(i)->GetScaledBitmap(), deck.GetCard(i)->HasImage()});
        cards.push_back({0, NoSuit, deck.GetBack()->GetScaledBitmap(), deck.GetBack()->HasImage()});
        for (int i = 0; i < 4; ++i)
            cards.push_back({0, NoSuit, deck.GetPlaceholder(i)->GetScaledBitmap(), deck.GetPlaceholder(i)->HasImage()});
        width = deck.GetWidth();
    }
    bool operator==(const Snapshot &o) const
    {
        if (width != o.width || cards.size() != o.cards.size())
            return false;
        for (size_t i = 0; i < cards.size(); ++i)
            if (cards[i].value != o.cards[i].value || cards[i].suit != o.cards[i].suit
                || cards[i].image != o.cards[i].image || cards[i].flag != o.cards[i].flag)
                return false;
        return true;
    }
    struct Entry {
        uint8_t value;
        CardSuit suit;
        QImage image;
        bool flag;
    };
    std::vector<Entry> cards;
    int width;
};

// Offsets of the 57 records of a native file, in file order.
std::vector<int> recordOffsets(const QByteArray &file)
{
    std::vector<int> offsets;
    int at = 20;
    for (int i = 0; i < 53; ++i) {
        offsets.push_back(at);
        at += 18 + int(readLE32(file, at + 14));
    }
    offsets.push_back(at); // the placeholder count
    at += 4;
    for (int i = 0; i < 4; ++i) {
        offsets.push_back(at);
        at += 18 + int(readLE32(file, at + 14));
    }
    offsets.push_back(at); // end of file
    return offsets;
}

TEST(Deck, FreshDeck)
{
    Deck deck;
    EXPECT_EQ(deck.GetWidth(), 176);
    EXPECT_EQ(deck.GetHeight(), 260);
    EXPECT_EQ(deck.GetRemaining(), 0);
    EXPECT_NE(deck.GetCard(0), nullptr);
    EXPECT_NE(deck.GetCard(51), nullptr);
    EXPECT_EQ(deck.GetCard(52), nullptr);
    EXPECT_EQ(deck.GetCard(-1), nullptr);
    EXPECT_NE(deck.GetPlaceholder(3), nullptr);
    EXPECT_EQ(deck.GetPlaceholder(4), nullptr);
    EXPECT_EQ(deck.GetPlaceholder(-1), nullptr);
    EXPECT_FALSE(deck.GetCard(0)->IsAssigned());
}

TEST(Deck, SaveWritesTheNativeLayout)
{
    QTemporaryDir dir;
    Deck deck;
    fillDeck(deck, 20, 30);
    const QString file = dir.filePath("d.deck");
    ASSERT_TRUE(deck.Save(file));
    const QByteArray bytes = readFile(file);
    EXPECT_EQ(bytes.left(16), Magic);
    EXPECT_EQ(readLE32(bytes, 16), 0u);
    const std::vector<int> at = recordOffsets(bytes);
    EXPECT_EQ(readLE32(bytes, at[53]), 4u);
    EXPECT_EQ(at.back(), bytes.size());
    // Records in index order: card i of the deck is the (i + 1)-th record.
    EXPECT_EQ(uint8_t(bytes[at[1] + 12]), 1);
    EXPECT_EQ(uint8_t(bytes[at[1] + 13]), Clubs);
    EXPECT_EQ(uint8_t(bytes[at[52] + 12]), 13);
    EXPECT_EQ(uint8_t(bytes[at[52] + 13]), Spades);
}

TEST(Deck, SavedDeckReloadsWithIdenticalCards)
{
    QTemporaryDir dir;
    Deck deck;
    fillDeck(deck, 176, 260);
    const QString file = dir.filePath("d.deck");
    ASSERT_TRUE(deck.Save(file));
    const QByteArray bytes = readFile(file);
    const std::vector<int> at = recordOffsets(bytes);

    Deck loaded;
    ASSERT_TRUE(loaded.Load(file)) << loaded.LastError().toStdString();
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < 52; ++i) {
        Card *card = loaded.GetCard(i);
        EXPECT_EQ(card->GetValue(), deck.GetCard(i)->GetValue());
        EXPECT_EQ(card->GetSuit(), deck.GetCard(i)->GetSuit());
        seen.insert({card->GetValue(), card->GetSuit()});
        // The pixels are exactly those of the stored JPEG stream...
        const int n = int(readLE32(bytes, at[size_t(i) + 1] + 14));
        QImage decoded;
        ASSERT_TRUE(VekJpeg::Decode(reinterpret_cast<const uchar *>(bytes.constData()) + at[size_t(i) + 1] + 18, n,
                                    VekJpeg::DecodeMode::BestQuality, decoded));
        EXPECT_EQ(card->GetScaledBitmap(), decoded);
        // ...and close to the picture that was saved (no swapped channels).
        EXPECT_LT(meanDifference(card->GetBitmap(), deck.GetCard(i)->GetBitmap()), 8.0);
        EXPECT_TRUE(card->HasImage());
    }
    EXPECT_EQ(seen.size(), 52u);
    EXPECT_LT(meanDifference(loaded.GetBack()->GetBitmap(), deck.GetBack()->GetBitmap()), 8.0);
    for (int p = 0; p < 4; ++p)
        EXPECT_TRUE(loaded.GetPlaceholder(p)->HasImage());
}

TEST(Deck, HandWrittenFileWithoutPictures)
{
    QTemporaryDir dir;
    Deck source, deck;
    fillDeck(source, 8, 8, false);
    ASSERT_TRUE(source.Save(dir.filePath("first.deck")));
    ASSERT_TRUE(deck.Load(dir.filePath("first.deck")));
    ASSERT_TRUE(deck.GetPlaceholder(0)->HasImage());
    const QImage placeholderBefore = deck.GetPlaceholder(0)->GetScaledBitmap();
    const QImage firstBefore = deck.GetCard(0)->GetScaledBitmap();

    // Records in reverse order, and no placeholders at all.
    QByteArray bytes = Magic;
    le32(bytes, 7); // the version is read and ignored
    bytes += emptyRecord(0, 4);
    for (int s = 3; s >= 0; --s)
        for (int v = 13; v >= 1; --v)
            bytes += emptyRecord(uint8_t(v), uint8_t(s));
    le32(bytes, 0);
    const QString file = dir.filePath("hand.deck");
    writeFile(file, bytes);

    ASSERT_TRUE(deck.Load(file)) << deck.LastError().toStdString();
    EXPECT_EQ(deck.GetCard(0)->GetValue(), 13);
    EXPECT_EQ(deck.GetCard(0)->GetSuit(), Spades);
    EXPECT_EQ(deck.GetCard(51)->GetValue(), 1);
    EXPECT_EQ(deck.GetCard(51)->GetSuit(), Clubs);
    // Pictures stay, but a placeholder only shows when the file gave it one.
    EXPECT_EQ(deck.GetCard(0)->GetScaledBitmap(), firstBefore);
    EXPECT_FALSE(deck.GetPlaceholder(0)->HasImage());
    EXPECT_EQ(deck.GetPlaceholder(0)->GetScaledBitmap(), placeholderBefore);
}

TEST(Deck, PlaceholdersBeyondFourAndBlackPlaceholders)
{
    QTemporaryDir dir;
    Card black, coloured;
    setPicture(black, solid(8, 8, qRgb(0, 0, 0)));
    setPicture(coloured, solid(8, 8, qRgb(90, 90, 200)));

    QByteArray bytes = Magic;
    le32(bytes, 0);
    bytes += emptyRecord(0, 4);
    for (int s = 0; s < 4; ++s)
        for (int v = 1; v <= 13; ++v)
            bytes += emptyRecord(uint8_t(v), uint8_t(s));
    le32(bytes, 6);
    bytes += saveRecord(black);
    for (int p = 1; p < 6; ++p)
        bytes += saveRecord(coloured);
    const QString file = dir.filePath("six.deck");
    writeFile(file, bytes);

    Deck deck;
    ASSERT_TRUE(deck.Load(file)) << deck.LastError().toStdString();
    EXPECT_FALSE(deck.GetPlaceholder(0)->HasImage());
    for (int p = 1; p < 4; ++p)
        EXPECT_TRUE(deck.GetPlaceholder(p)->HasImage()) << p;
}

TEST(Deck, DamagedFilesLeaveTheDeckUntouched)
{
    QTemporaryDir dir;
    Deck source;
    fillDeck(source, 6, 6, false); // small pictures keep every cut quick
    const QString good = dir.filePath("good.deck");
    ASSERT_TRUE(source.Save(good));
    const QByteArray bytes = readFile(good);

    Deck deck;
    ASSERT_TRUE(deck.Load(good));
    deck.Resize(88, 130);
    const Snapshot before(deck);
    const QString bad = dir.filePath("bad.deck");
    auto refuse = [&](const QByteArray &content, const std::string &what) {
        writeFile(bad, content);
        EXPECT_FALSE(deck.Load(bad)) << what;
        EXPECT_FALSE(deck.LastError().isEmpty()) << what;
        EXPECT_TRUE(Snapshot(deck) == before) << what;
    };

    for (int length = 0; length < bytes.size(); ++length)
        refuse(bytes.left(length), "cut at " + std::to_string(length));

    const std::vector<int> at = recordOffsets(bytes);
    QByteArray corrupt = bytes;
    corrupt[at[1] + 18] = 0x00; // the first card's JPEG loses its start marker
    refuse(corrupt, "corrupt JPEG");

    // Headers intact, picture data damaged: libjpeg only warns about it.
    const int scan = int(bytes.indexOf("\xff\xda", at[1] + 18));
    ASSERT_GT(scan, 0);
    const int data = scan + 2 + (uint8_t(bytes[scan + 2]) << 8 | uint8_t(bytes[scan + 3]));
    QByteArray cutData = bytes;
    cutData[data] = char(0xff);
    cutData[data + 1] = char(0xd9);
    refuse(cutData, "picture data ending early");

    QByteArray longLength = bytes;
    longLength[at[2] + 14] = char(0xff);
    longLength[at[2] + 15] = char(0xff);
    longLength[at[2] + 16] = char(0xff);
    longLength[at[2] + 17] = char(0x7f);
    refuse(longLength, "length beyond the file");

    QByteArray badSuit = bytes;
    badSuit[at[3] + 13] = char(9);
    refuse(badSuit, "suit 9");

    QByteArray badRank = bytes;
    badRank[at[3] + 12] = char(14);
    refuse(badRank, "rank 14");

    refuse(QByteArray("PCREKO") + QByteArray(100, 0), "foreign card set");
    refuse(QByteArray("REKO") + QByteArray(100, 0), "foreign card set");
    refuse(QByteArray("NotADeckFile at all"), "unknown magic");
    EXPECT_FALSE(deck.Load(dir.filePath("missing.deck")));
    EXPECT_TRUE(Snapshot(deck) == before);
}

TEST(Deck, MagicDetection)
{
    QByteArray bytes("PCREKO and REKO");
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    EXPECT_TRUE(Deck::IsRkp(in));
    EXPECT_FALSE(Deck::IsReko(in));
    EXPECT_FALSE(Deck::IsVek(in));
    QByteArray reko("REKO....");
    QBuffer in2(&reko);
    in2.open(QIODevice::ReadOnly);
    EXPECT_TRUE(Deck::IsReko(in2));
    EXPECT_FALSE(Deck::IsRkp(in2));
}

TEST(Deck, SaveFailureIsReportedAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    Deck deck;
    EXPECT_FALSE(deck.Save(dir.filePath("no/such/folder/d.deck")));
    EXPECT_FALSE(deck.LastError().isEmpty());

    // A folder in the way of the target: the save fails and the folder stays.
    const QString target = dir.filePath("taken.deck");
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.deck"));
    EXPECT_FALSE(deck.Save(target));
    EXPECT_TRUE(QFileInfo(target).isDir());
}

TEST(Deck, ResizeRules)
{
    QTemporaryDir dir;
    Deck source;
    fillDeck(source, 176, 260);
    const QString file = dir.filePath("d.deck");
    ASSERT_TRUE(source.Save(file));

    Deck deck;
    ASSERT_TRUE(deck.Load(file));
    const QImage stored = deck.GetCard(5)->GetScaledBitmap();
    deck.Resize(176, 260); // the loaded size: nothing happens
    EXPECT_EQ(deck.GetCard(5)->GetScaledBitmap().format(), QImage::Format_RGB32);
    EXPECT_EQ(deck.GetCard(5)->GetScaledBitmap().cacheKey(), stored.cacheKey());

    deck.Resize(88, 130);
    EXPECT_EQ(deck.GetWidth(), 88);
    EXPECT_EQ(deck.GetBack()->GetScaledBitmap().size(), QSize(88, 130));
    for (int i = 0; i < 52; ++i)
        ASSERT_EQ(deck.GetCard(i)->GetScaledBitmap().size(), QSize(88, 130));
    for (int p = 0; p < 4; ++p)
        ASSERT_EQ(deck.GetPlaceholder(p)->GetScaledBitmap().size(), QSize(88, 130));
    deck.Resize(176, 260);
    EXPECT_EQ(deck.GetCard(5)->GetScaledBitmap(), stored);

    // A deck of smaller pictures counts as 176 x 260 after loading.
    Deck small;
    fillDeck(small, 40, 60);
    const QString smallFile = dir.filePath("small.deck");
    ASSERT_TRUE(small.Save(smallFile));
    Deck other;
    ASSERT_TRUE(other.Load(smallFile));
    other.Resize(176, 260);
    EXPECT_EQ(other.GetCard(0)->GetScaledBitmap().size(), QSize(40, 60));
}

TEST(Deck, PickHandsOutEveryCardOncePerCycle)
{
    Deck deck;
    srand(1234);
    std::set<Card *> picked;
    for (int i = 0; i < 52; ++i) {
        Card *card = deck.Pick();
        ASSERT_NE(card, nullptr);
        EXPECT_TRUE(card->HasBeenUsed());
        picked.insert(card);
        EXPECT_EQ(deck.GetRemaining(), 51 - i);
    }
    EXPECT_EQ(picked.size(), 52u);
    Card *next = deck.Pick(); // a new cycle starts
    EXPECT_NE(next, nullptr);
    EXPECT_EQ(deck.GetRemaining(), 51);
    deck.Shuffle();
    EXPECT_EQ(deck.GetRemaining(), 52);
    for (int i = 0; i < 52; ++i)
        EXPECT_FALSE(deck.GetCard(i)->HasBeenUsed());

    // The same seed gives the same order.
    auto order = [](unsigned seed) {
        Deck d;
        srand(seed);
        std::vector<int> indices;
        for (int i = 0; i < 52; ++i) {
            Card *card = d.Pick();
            for (int j = 0; j < 52; ++j)
                if (d.GetCard(j) == card)
                    indices.push_back(j);
        }
        return indices;
    };
    EXPECT_EQ(order(99), order(99));
    EXPECT_NE(order(99), order(100));
}

TEST(Deck, GetCardByValueAssignsInOrder)
{
    Deck deck;
    EXPECT_EQ(deck.GetCardByValue(1, Spades), deck.GetCard(0));
    EXPECT_EQ(deck.GetCardByValue(1, Spades), deck.GetCard(0));
    EXPECT_EQ(deck.GetCardByValue(2, Spades), deck.GetCard(1));
    EXPECT_EQ(deck.GetCard(1)->GetValue(), 2);
    // Every other rank and suit takes the next free card; then none is left.
    for (int suit = Clubs; suit <= Spades; ++suit)
        for (int v = 1; v <= 13; ++v)
            ASSERT_NE(deck.GetCardByValue(v, CardSuit(suit)), nullptr);
    EXPECT_EQ(deck.GetCard(2)->GetValue(), 1);
    EXPECT_EQ(deck.GetCard(2)->GetSuit(), Clubs);
    EXPECT_EQ(deck.GetCardByValue(13, Hearts)->GetSuit(), Hearts);
    EXPECT_EQ(deck.GetCardByValue(14, Hearts), nullptr);
}

// Budgets, checked from the records' headers: a record above 4096 x 4096, or
// a deck whose pictures would take more than 256 MiB decoded, is refused at
// once without decoding anything, and the deck stays as it was.
TEST(Deck, PicturesDeclaredTooLargeAreRefusedFromTheirHeaders)
{
    QTemporaryDir dir;
    Deck source;
    fillDeck(source, 8, 8);
    const QString good = dir.filePath("good.deck");
    ASSERT_TRUE(source.Save(good));
    const QByteArray bytes = readFile(good);
    const std::vector<int> at = recordOffsets(bytes);

    Deck deck;
    ASSERT_TRUE(deck.Load(good));
    const Snapshot before(deck);
    const QString bad = dir.filePath("bad.deck");

    QByteArray wide = bytes;
    declareJpegSize(wide, at[1], 4097, 8);
    writeFile(bad, wide);
    EXPECT_FALSE(deck.Load(bad));
    EXPECT_TRUE(deck.LastError().contains("larger than 4096 x 4096")) << deck.LastError().toStdString();

    // Five records of 4096 x 4096: 320 MiB in all, each within its own
    // limit. The back's data is cut short after its header: the total is
    // refused before any picture's data is read through.
    QByteArray big;
    ASSERT_TRUE(VekJpeg::Encode(solid(4096, 4096, qRgb(9, 9, 9)), big));
    QByteArray heavy = bytes.left(at[0]);
    for (size_t record = 0; record < 5; ++record) {
        const QByteArray data = record == 0 ? big.left(big.size() / 2) : big;
        heavy += bytes.mid(at[record], 14);
        for (int shift = 0; shift < 32; shift += 8)
            heavy += char((data.size() >> shift) & 0xff);
        heavy += data;
    }
    heavy += bytes.mid(at[5]);
    writeFile(bad, heavy);
    // Nothing is decoded: the peak stays where making the file put it.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long peakBefore = usage.ru_maxrss;
    EXPECT_FALSE(deck.Load(bad));
    EXPECT_TRUE(deck.LastError().contains("more than 256 MB")) << deck.LastError().toStdString();

    EXPECT_TRUE(Snapshot(deck) == before);
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss - peakBefore, 32 * 1024) << "KiB more at the peak";
}

// Only regular files are read: a named pipe is refused without waiting in
// open() for a writer, a device without reading it forever, and a folder.
TEST(Deck, PathsThatAreNotFilesAreRefusedAtOnce)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe.deck");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    Deck deck;
    fillDeck(deck, 8, 8, false);
    const Snapshot before(deck);
    Card card;
    for (const QString &path : {pipe, QStringLiteral("/dev/zero"), dir.path()}) {
        EXPECT_FALSE(deck.Load(path));
        EXPECT_EQ(deck.LastError(), path + " is not a file");
        QString error;
        EXPECT_FALSE(card.LoadImage(path, &error));
        EXPECT_EQ(error, path + " is not a file");
    }
    const QString pipedPicture = dir.filePath("pipe.jpg");
    ASSERT_EQ(mkfifo(pipedPicture.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(card.LoadImage(pipedPicture));
    EXPECT_TRUE(card.GetSource().isEmpty());
    EXPECT_TRUE(Snapshot(deck) == before);
}

} // namespace
