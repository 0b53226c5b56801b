// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <map>
#include <memory>
#include <set>
#include <vector>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Deck.h"

namespace {

// Runs the built deckgen; its exit code, or -1 when it did not finish.
int runDeckgen(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(VEK_DECKGEN), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

bool isRed(QRgb p) { return qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90; }
bool isDark(QRgb p) { return qRed(p) < 90 && qGreen(p) < 90 && qBlue(p) < 90; }
bool isInk(QRgb p) { return qMin(qRed(p), qMin(qGreen(p), qBlue(p))) < 128; }

// Pixels of the rectangle that pass the test.
int count(const QImage &image, const QRect &area, bool (*test)(QRgb))
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixel(x, y));
    return n;
}

// Separate blots of ink in the rectangle, ignoring specks of JPEG noise.
int blots(const QImage &image, const QRect &area)
{
    std::vector<char> seen(size_t(area.width() * area.height()));
    auto index = [&](int x, int y) { return size_t((y - area.top()) * area.width() + x - area.left()); };
    int found = 0;
    for (int y0 = area.top(); y0 <= area.bottom(); ++y0)
        for (int x0 = area.left(); x0 <= area.right(); ++x0) {
            if (seen[index(x0, y0)] || !isInk(image.pixel(x0, y0)))
                continue;
            int size = 0;
            std::vector<QPoint> stack{{x0, y0}};
            seen[index(x0, y0)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++size;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (area.contains(q) && !seen[index(q.x(), q.y())] && isInk(image.pixel(q))) {
                        seen[index(q.x(), q.y())] = 1;
                        stack.push_back(q);
                    }
                }
            }
            found += size >= 20;
        }
    return found;
}

QByteArray digest(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    return QCryptographicHash::hash(QByteArrayView(rgb.constBits(), rgb.sizeInBytes()), QCryptographicHash::Md5);
}

// Every file under the folder with its contents, by relative name.
std::map<QString, QByteArray> filesUnder(const QString &folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        files[QDir(folder).relativeFilePath(f.fileName())] = f.readAll();
    }
    return files;
}

class DeckgenTest : public ::testing::Test {
protected:
    // deckgen runs once for the whole suite; the tests only read its output.
    static void SetUpTestSuite()
    {
        Out = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(Out->isValid());
        ASSERT_EQ(runDeckgen({QStringLiteral("--out"), Out->path()}), 0);
    }
    static void TearDownTestSuite() { Out.reset(); }

    static QString file(const QString &name) { return Out->filePath(name); }

    void loadDeck(Deck &deck)
    {
        ASSERT_TRUE(deck.Load(file(QStringLiteral("Decks/Standard.deck")))) << qPrintable(deck.LastError());
    }

    static std::unique_ptr<QTemporaryDir> Out;
};

std::unique_ptr<QTemporaryDir> DeckgenTest::Out;

TEST_F(DeckgenTest, DeckHoldsEveryCardOnceBySuitAceToKing)
{
    Deck deck;
    loadDeck(deck);
    std::set<std::pair<int, int>> cards;
    for (int i = 0; i < Deck::CardCount; ++i) {
        Card *card = deck.GetCard(i);
        cards.insert({card->GetSuit(), card->GetValue()});
        EXPECT_EQ(card->GetValue(), i % 13 + 1) << "record " << i;
        EXPECT_EQ(card->GetSuit(), CardSuit(i / 13)) << "record " << i;
        EXPECT_EQ(card->GetBitmap().size(), QSize(176, 260)) << "record " << i;
    }
    EXPECT_EQ(cards.size(), 52u);
    EXPECT_EQ(deck.GetBack()->GetBitmap().size(), QSize(176, 260));
    for (int i = 0; i < Deck::PlaceholderCount; ++i) {
        EXPECT_TRUE(deck.GetPlaceholder(i)->HasImage()) << "placeholder " << i;
        EXPECT_EQ(deck.GetPlaceholder(i)->GetBitmap().size(), QSize(176, 260));
    }
}

TEST_F(DeckgenTest, EveryPictureIsItsOwn)
{
    Deck deck;
    loadDeck(deck);
    std::set<QByteArray> seen;
    for (int i = 0; i < Deck::CardCount; ++i)
        seen.insert(digest(deck.GetCard(i)->GetBitmap()));
    seen.insert(digest(deck.GetBack()->GetBitmap()));
    for (int i = 0; i < Deck::PlaceholderCount; ++i)
        seen.insert(digest(deck.GetPlaceholder(i)->GetBitmap()));
    EXPECT_EQ(seen.size(), 57u);
}

TEST_F(DeckgenTest, NumberCardsShowAsManyPipsAsTheirRank)
{
    Deck deck;
    loadDeck(deck);
    // Between the two corner indices: only the pips are ink there.
    const QRect field(20, 32, 136, 196);
    for (int s = 0; s < 4; ++s)
        for (int rank = 1; rank <= 10; ++rank) {
            if (s == Spades && rank == 1)
                continue; // the decorated ace
            EXPECT_EQ(blots(deck.GetCard(s * 13 + rank - 1)->GetBitmap(), field), rank)
                << "rank " << rank << " of suit " << s;
        }
}

TEST_F(DeckgenTest, CornerIndicesKeepTheSuitColourDownToTheSmallestSize)
{
    Deck deck;
    loadDeck(deck);
    for (const QSize size : {QSize(176, 260), QSize(54, 80)}) {
        deck.Resize(size.width(), size.height());
        // The index, as a fan of a tenth of the card leaves it in view.
        const QRect corner(1, 1, size.width() * 20 / 176 - 1, size.height() * 40 / 260 - 1);
        for (int i = 0; i < Deck::CardCount; ++i) {
            const QImage &face = deck.GetCard(i)->GetScaledBitmap();
            const bool red = i / 13 == Diamonds || i / 13 == Hearts;
            const int own = count(face, corner, red ? isRed : isDark);
            const int other = count(face, corner, red ? isDark : isRed); // JPEG leaves a few
            EXPECT_GE(own, corner.width() * corner.height() / 12) << "card " << i << " at " << size.width();
            EXPECT_LT(other * 10, own) << "card " << i << " at " << size.width();
        }
    }
}

// At 88 x 130 the narrowest fan of any game leaves 10 pixels of a covered
// card in view: the whole index, rank above suit, lies within them, and
// nothing else of the card does.
TEST_F(DeckgenTest, TheCornerIndexIsWholeWithinTheNarrowestFan)
{
    Deck deck;
    loadDeck(deck);
    deck.Resize(88, 130);
    // (Row 0 is the card's edge.)
    const QRect index(1, 1, 9, 24), beside(10, 1, 4, 27);
    for (int i = 0; i < Deck::CardCount; ++i) {
        const QImage &face = deck.GetCard(i)->GetScaledBitmap();
        EXPECT_EQ(count(face, beside, isInk), 0) << "card " << i;
        // Rank and suit: two blots of ink one above the other.
        EXPECT_GE(count(face, QRect(1, 1, 9, 10), isInk), 8) << "card " << i;
        EXPECT_GE(count(face, QRect(1, 11, 9, 9), isInk), 8) << "card " << i;
        EXPECT_GE(count(face, index, isInk), 20) << "card " << i;
    }
}

TEST_F(DeckgenTest, CellSymbolsAndIconsHaveTheirSizes)
{
    Card cell;
    ASSERT_TRUE(cell.LoadImage(file(QStringLiteral("Cell.jpg"))));
    EXPECT_EQ(cell.GetBitmap().size(), QSize(176, 260));
    EXPECT_EQ(count(cell.GetBitmap(), cell.GetBitmap().rect(), isDark), 0) << "a quiet picture for a grey table";

    const QImage symbols(file(QStringLiteral("Symbols.png")));
    ASSERT_EQ(symbols.size(), QSize(52 * 13, 23));
    const QRgb background = symbols.pixel(0, 0);
    for (int i = 0; i < 52; ++i) {
        const QRect cellArea(i * 13, 0, 13, 23);
        const bool red = i / 13 == Diamonds || i / 13 == Hearts;
        EXPECT_GT(count(symbols, cellArea, red ? isRed : isDark), 12) << "symbol " << i;
        EXPECT_EQ(symbols.pixel(cellArea.topLeft()), background) << "symbol " << i;
    }

    const QImage emblem(file(QStringLiteral("Emblem.png")));
    EXPECT_EQ(emblem.size(), QSize(64, 64));
    EXPECT_TRUE(emblem.hasAlphaChannel());
    EXPECT_EQ(qAlpha(emblem.pixel(0, 0)), 0);
    EXPECT_EQ(QImage(file(QStringLiteral("VekSolitaire.png"))).size(), QSize(256, 256));
}

TEST_F(DeckgenTest, TwoRunsWriteTheSameBytes)
{
    QTemporaryDir again;
    ASSERT_EQ(runDeckgen({QStringLiteral("--out"), again.path()}), 0);
    const auto first = filesUnder(Out->path());
    EXPECT_EQ(first.size(), 5u);
    EXPECT_TRUE(first == filesUnder(again.path()));
}

TEST_F(DeckgenTest, ContactSheetAndRefusedArguments)
{
    QTemporaryDir scratch;
    const QString sheet = scratch.filePath(QStringLiteral("sheet.png"));
    ASSERT_EQ(runDeckgen({QStringLiteral("--sheet"), sheet, QStringLiteral("--size"), QStringLiteral("54x80"),
                          QStringLiteral("--from"), Out->path()}),
              0);
    // 13 columns and 5 rows of cards, 6 pixels apart, in a 10-pixel margin.
    EXPECT_EQ(QImage(sheet).size(), QSize(20 + 13 * 54 + 12 * 6, 20 + 5 * 80 + 4 * 6));

    EXPECT_EQ(runDeckgen({QStringLiteral("--sheet"), sheet, QStringLiteral("--size"), QStringLiteral("54by80")}), 2);
    EXPECT_EQ(runDeckgen({}), 2);
    const QString nowhere = scratch.filePath(QStringLiteral("out"));
    EXPECT_EQ(runDeckgen({QStringLiteral("--out"), nowhere, QStringLiteral("--fonts"),
                          scratch.filePath(QStringLiteral("none"))}),
              1);
    EXPECT_FALSE(QDir(nowhere).exists()) << "nothing is written without the fonts";
}

} // namespace
