// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "Bilinear.h"
#include "Card.h"
#include "Deck.h"
#include "Deckproject.h"
#include "EditorTestSupport.h"

using namespace EditorTest;

namespace {

QByteArray LE32(uint32_t v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char(v >> (8 * i));
    return b;
}

// One entry record written out by hand.
QByteArray Record(int32_t top, int32_t left, int32_t w, int32_t h, const QByteArray &path)
{
    return LE32(0) + LE32(uint32_t(top)) + LE32(uint32_t(left)) + LE32(uint32_t(w)) + LE32(uint32_t(h))
        + LE32(uint32_t(path.size() + 1)) + path + QByteArray(1, '\0');
}

QByteArray Header(uint32_t version, uint32_t flags)
{
    return QByteArray("VekSolitaireProj") + LE32(version) + (version ? LE32(flags) : QByteArray());
}

class DeckProjectTest : public ::testing::Test {
protected:
    QString Write(const QByteArray &bytes, const QString &name = QStringLiteral("p.vdp"))
    {
        QFile f(Dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QTemporaryDir Dir;
    RankSymbolList Symbols = MakeSymbols();
    DeckProject Project{Symbols};
};

} // namespace

TEST_F(DeckProjectTest, FreshProjectIsWrittenByteForByte)
{
    QByteArray expected = Header(1, 1);
    for (int i = 0; i < 57; ++i)
        expected += Record(0, 0, 0, 0, QByteArray());
    ASSERT_EQ(expected.size(), 1449);
    const QString path = Dir.filePath(QStringLiteral("fresh.vdp"));
    ASSERT_TRUE(Project.Save(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), expected);

    // A five-character path is stored with n = 6; flags follow the option.
    Project.GetCardInfo(7)->ImageFile = "a.jpg";
    *Project.GetCardInfo(8) = CardInfo{"\xff\xfe.png", -1, 2, 3, 4};
    Project.SetRankSymbols(false);
    ASSERT_TRUE(Project.Save(path));
    f.close(); // the save put a new file in its place
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    expected = Header(1, 0);
    for (int i = 0; i < 57; ++i)
        expected += i == 7 ? Record(0, 0, 0, 0, "a.jpg") : i == 8 ? Record(-1, 2, 3, 4, "\xff\xfe.png") : Record(0, 0, 0, 0, {});
    EXPECT_EQ(f.readAll(), expected);
    EXPECT_EQ(expected.mid(24 + 7 * 25 + 20, 4), LE32(6));
}

TEST_F(DeckProjectTest, ReadsVersionZeroAndVersionOne)
{
    QByteArray bytes = Header(0, 0);
    for (int i = 0; i < 57; ++i)
        bytes += Record(i, 2 * i, 3 * i, -i, i == 56 ? QByteArray("/x/King.png") : QByteArray());
    Project.SetRankSymbols(false);
    ASSERT_TRUE(Project.Load(Write(bytes)));
    EXPECT_TRUE(Project.GetRankSymbols()); // no flags word: symbols on
    const CardInfo &king = *Project.GetCardInfo(56);
    EXPECT_EQ(king.FileName(), QStringLiteral("/x/King.png"));
    EXPECT_EQ(king.Top, 56);
    EXPECT_EQ(king.Left, 112);
    EXPECT_EQ(king.Width, 168);
    EXPECT_EQ(king.Height, -56);

    // n = 0 is an empty path; the text ends at its first zero byte.
    bytes = Header(1, 0) + LE32(0) + LE32(1) + LE32(2) + LE32(3) + LE32(4) + LE32(0);
    bytes += LE32(0) + LE32(0) + LE32(0) + LE32(0) + LE32(0) + LE32(4) + QByteArray("ab\0c", 4);
    for (int i = 2; i < 57; ++i)
        bytes += Record(0, 0, 0, 0, {});
    ASSERT_TRUE(Project.Load(Write(bytes)));
    EXPECT_FALSE(Project.GetRankSymbols());
    EXPECT_TRUE(Project.GetCardInfo(0)->ImageFile.isEmpty());
    EXPECT_EQ(Project.GetCardInfo(1)->ImageFile, QByteArray("ab"));
}

TEST_F(DeckProjectTest, DamagedFilesChangeNothing)
{
    QByteArray good = Header(1, 0);
    for (int i = 0; i < 57; ++i)
        good += Record(1, 1, 1, 1, "p" + QByteArray::number(i));
    auto untouched = [this] {
        return Project.GetRankSymbols() && Project.GetCardInfo(3)->ImageFile == "keep" && Project.GetCardInfo(56)->Top == 9;
    };
    Project.GetCardInfo(3)->ImageFile = "keep";
    Project.GetCardInfo(56)->Top = 9;
    for (int length = 0; length < good.size(); ++length) {
        QBuffer cut;
        cut.setData(good.left(length));
        cut.open(QIODevice::ReadOnly);
        ASSERT_FALSE(Project.Read(cut)) << length;
        ASSERT_TRUE(untouched()) << length;
    }
    QByteArray wrongMagic = good;
    wrongMagic[3] = 'x';
    QByteArray hugeCount = good;
    hugeCount.replace(24 + 20, 4, LE32(0xFFFFFFF0u));
    QByteArray pastEnd = good;
    pastEnd.replace(good.size() - 8, 4, LE32(5)); // the last path, "p56" and its zero, claims 5 bytes
    for (const QByteArray &bad : {wrongMagic, hugeCount, pastEnd}) {
        EXPECT_FALSE(Project.Load(Write(bad)));
        EXPECT_FALSE(Project.LastError().isEmpty());
        EXPECT_TRUE(untouched());
    }
    EXPECT_FALSE(Project.Load(Dir.filePath(QStringLiteral("missing.vdp"))));
    // A pipe (whose open() would wait for a writer), a device and a folder
    // are refused before they are opened.
    const QString pipe = Dir.filePath(QStringLiteral("pipe.vdp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString &path : {pipe, QStringLiteral("/dev/zero"), Dir.path()}) {
        EXPECT_FALSE(Project.Load(path));
        EXPECT_EQ(Project.LastError(), path + QStringLiteral(" is not a file"));
        EXPECT_TRUE(untouched());
    }
    EXPECT_TRUE(Project.Load(Write(good)));
    EXPECT_EQ(Project.GetCardInfo(56)->ImageFile, QByteArray("p56"));
}

TEST(DeckProjectLabels, FollowSuitAndRank)
{
    EXPECT_EQ(DeckProject::Label(0), QStringLiteral("Back side"));
    EXPECT_EQ(DeckProject::Label(1), QStringLiteral("Placeholder 1"));
    EXPECT_EQ(DeckProject::Label(4), QStringLiteral("Placeholder 4"));
    EXPECT_EQ(DeckProject::Label(5), QStringLiteral("Ace of Clubs"));
    EXPECT_EQ(DeckProject::Label(17), QStringLiteral("King of Clubs"));
    EXPECT_EQ(DeckProject::Label(30), QStringLiteral("King of Diamonds"));
    EXPECT_EQ(DeckProject::Label(31), QStringLiteral("Ace of Hearts"));
    EXPECT_EQ(DeckProject::Label(54), QStringLiteral("Jack of Spades"));
    EXPECT_EQ(DeckProject::Label(56), QStringLiteral("King of Spades"));
}

TEST(CardInfoCrop, NeverLeavesThePicture)
{
    const QSize picture(100, 80);
    EXPECT_TRUE((CardInfo{"a", 0, 0, 0, 5}).CropIn(picture).isNull()); // width 0: whole picture
    EXPECT_EQ((CardInfo{"a", -10, -20, 50, 50}).CropIn(picture), QRect(0, 0, 30, 40));
    EXPECT_EQ((CardInfo{"a", 70, 90, 50, 50}).CropIn(picture), QRect(90, 70, 10, 10));
    EXPECT_TRUE((CardInfo{"a", 0, INT32_MAX, INT32_MAX, 5}).CropIn(picture).isNull());
    CardInfo shifted{"a", 60, 70, 50, 30};
    shifted.FitCrop(picture);
    EXPECT_EQ(QRect(shifted.Left, shifted.Top, shifted.Width, shifted.Height), QRect(50, 50, 50, 30));
    CardInfo clipped{"a", 10, -5, 120, 20};
    clipped.FitCrop(picture);
    EXPECT_EQ(QRect(clipped.Left, clipped.Top, clipped.Width, clipped.Height), QRect(0, 10, 100, 20));
}

TEST_F(DeckProjectTest, CardsAreCroppedScaledAndStamped)
{
    const QImage picture = TestPicture(300, 400, 1);
    const QString file = SavePicture(Dir, QStringLiteral("card.png"), picture);
    CardInfo entry;
    entry.SetFileName(file);
    entry.Left = 20;
    entry.Top = 30;
    entry.Width = 100;
    entry.Height = 147;
    QImage expected;
    BilinearFilter(picture.copy(20, 30, 100, 147), expected, 176, 260);
    Card plain;
    ASSERT_TRUE(Project.MakeCard(plain, entry, false));
    EXPECT_EQ(plain.GetBitmap(), expected);

    // A crop of exactly the native size is copied, not resampled.
    entry.Width = 176;
    entry.Height = 260;
    Card exact;
    ASSERT_TRUE(Project.MakeCard(exact, entry, false));
    EXPECT_EQ(exact.GetBitmap(), picture.copy(20, 30, 176, 260));

    // The Three of Hearts carries symbol 2 + 26 = 28 enlarged in two corners;
    // elsewhere the picture is untouched.
    Card stamped;
    stamped.SetValue(3, Hearts);
    ASSERT_TRUE(Project.MakeCard(stamped, entry, true));
    QImage symbol;
    BilinearFilter(Symbols[28], symbol, 26, 46);
    const QImage &result = stamped.GetBitmap();
    int inked = 0;
    for (int y = 0; y < 46; ++y)
        for (int x = 0; x < 26; ++x) {
            const QRgb s = symbol.pixel(x, y) | 0xFF000000;
            const bool ink = s != (symbol.pixel(0, 0) | 0xFF000000);
            inked += ink;
            EXPECT_EQ(result.pixel(150 + x, y), ink ? s : picture.pixel(170 + x, 30 + y));
            EXPECT_EQ(result.pixel(x, 214 + y), ink ? s : picture.pixel(20 + x, 244 + y));
        }
    EXPECT_GT(inked, 50);
    EXPECT_EQ(result.pixel(88, 130), picture.pixel(108, 160));
}

TEST_F(DeckProjectTest, MakeWritesAFreshDeckOrNothing)
{
    // Plain colours, which JPEG keeps.
    auto color = [](int i) { return qRgb(4 * i, 255 - 4 * i, 128); };
    for (int i = 0; i < 57; ++i) {
        QImage plain(200, 300, QImage::Format_RGB32);
        plain.fill(color(i));
        Project.GetCardInfo(i)->SetFileName(SavePicture(Dir, QStringLiteral("%1.png").arg(i), plain));
    }
    const QString deckFile = Dir.filePath(QStringLiteral("made.deck"));
    ASSERT_TRUE(Project.Make(deckFile));
    Deck deck;
    ASSERT_TRUE(deck.Load(deckFile)) << deck.LastError().toStdString();
    for (int j = 0; j < 52; ++j) {
        EXPECT_EQ(deck.GetCard(j)->GetValue(), j % 13 + 1);
        EXPECT_EQ(deck.GetCard(j)->GetSuit(), CardSuit(j / 13));
        const QRgb middle = deck.GetCard(j)->GetBitmap().pixel(88, 130);
        EXPECT_NEAR(qRed(middle), qRed(color(j + 5)), 3);
        EXPECT_NEAR(qGreen(middle), qGreen(color(j + 5)), 3);
    }
    EXPECT_TRUE(deck.GetPlaceholder(1)->HasImage());

    // A cleared placeholder is empty in the next deck, not the last one's.
    Project.GetCardInfo(2)->Reset();
    ASSERT_TRUE(Project.Make(deckFile));
    ASSERT_TRUE(deck.Load(deckFile));
    EXPECT_FALSE(deck.GetPlaceholder(1)->HasImage());

    QString error;
    EXPECT_FALSE(Project.Make(Dir.filePath(QStringLiteral("no/such/folder.deck")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("folder.deck"))) << error.toStdString();

    // A picture that cannot be read names the entry and the file; no deck.
    QFile::remove(Project.GetCardInfo(31)->FileName());
    const QString other = Dir.filePath(QStringLiteral("other.deck"));
    EXPECT_FALSE(Project.Make(other, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Ace of Hearts")) && error.contains(QStringLiteral("31.png"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(other));
}

TEST_F(DeckProjectTest, PicturesAreFoundWhereTheyMoved)
{
    QTemporaryDir moved;
    QImage solid(20, 30, QImage::Format_RGB32);
    solid.fill(0xFF336699);
    const QString picture = SavePicture(moved, QStringLiteral("Back.png"), solid);
    CardInfo &back = *Project.GetCardInfo(0);
    back.ImageFile = QFile::encodeName(picture).replace('/', '\\');
    EXPECT_EQ(Project.ImagePath(back), picture);
    back.ImageFile = "C:\\Pictures\\Back.png";
    ASSERT_TRUE(Project.Save(moved.filePath(QStringLiteral("p.vdp"))));
    EXPECT_EQ(Project.ImagePath(back), picture);
    EXPECT_EQ(Project.MakeThumbnail(back, 0, 88, 130).pixel(44, 65), 0xFF336699);
}
