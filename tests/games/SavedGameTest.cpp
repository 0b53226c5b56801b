// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "GameFactory.h"
#include "KlondikeTestSupport.h"
#include "SavedGame.h"

using namespace EngineTest;
using namespace KlondikeTest;

namespace {

uint32_t le32(const QByteArray &bytes, int at)
{
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | uint8_t(bytes[at + k]);
    return v;
}

uint16_t le16(const QByteArray &bytes, int at)
{
    return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

void putLe16(QByteArray &bytes, int at, uint16_t v)
{
    bytes[at] = char(v & 0xff);
    bytes[at + 1] = char(v >> 8);
}

QByteArray readFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Offsets of a Klondike file: 27 bytes of header, 12 of times and score,
// the 52-card deal pile, 13 cells holding the 52 cards, 8 of extension.
constexpr int MagicAt = 0;
constexpr int IdAt = 23;
constexpr int ElapsedAt = 31;
constexpr int ScoreAt = 35;
constexpr int DealCountAt = 39;
constexpr int DealPileAt = 41;
constexpr int CellCountAt = 249;
constexpr int CellsAt = 251;
constexpr int ExtensionAt = 693;
constexpr int KlondikeFileSize = 701;

// Where the record of card `index` of cell `cell` starts.
int cardRecordAt(const QByteArray &bytes, int cell, int index)
{
    int at = CellsAt;
    for (int c = 0; c < cell; ++c)
        at += 2 + 8 * le16(bytes, at);
    return at + 2 + 8 * index;
}

// What lies where, by rank, suit and flags (comparable across decks).
std::vector<std::vector<std::tuple<int, int, uint32_t>>> position(const GameTable &table)
{
    std::vector<std::vector<std::tuple<int, int, uint32_t>>> cells;
    for (int i = 0; i < table.GetCellCount(); ++i) {
        cells.emplace_back();
        for (const CardWrapper *w : table.GetCell(i)->GetCards())
            cells.back().emplace_back(w->GetCard()->GetValue(), w->GetCard()->GetSuit(), w->GetFlags());
    }
    return cells;
}

// A Klondike deal with a few moves made, saved to a file.
struct SavedKlondike {
    SavedKlondike()
        : t(5)
    {
        t.ClickStock();
        t.ClickStock();
        for (int i = 0; i < 5; ++i)
            t.Game->Tick();
        file = dir.filePath(QStringLiteral("game.veksol"));
    }
    QByteArray Save()
    {
        QString error;
        EXPECT_TRUE(GameFactory::SaveGameFile(*t.Game, file, &error)) << error.toStdString();
        return readFile(file);
    }
    // Resumes `name` on the table; the previous game is deleted after, as
    // the window does.
    bool Resume(const QString &name, QString *error = nullptr)
    {
        std::unique_ptr<CardGame> game
            = GameFactory::ResumeGame(name, &t.TheDeck, t.Table.get(), W, H, error);
        if (!game)
            return false;
        EXPECT_EQ(t.Table->GetGame(), game.get());
        t.Owned = std::move(game);
        t.Game = dynamic_cast<Klondike *>(t.Owned.get());
        return t.Game != nullptr;
    }

    KlondikeTable t;
    QTemporaryDir dir;
    QString file;
};

} // namespace

TEST(SavedGame, KlondikeFileFieldByField)
{
    SavedKlondike s;
    Klondike &game = *s.t.Game;
    ASSERT_TRUE(game.IsStarted());
    // Transient flags never reach the file, even with a suggestion showing.
    s.t.CellOf(3)->GetWrapper(-1)->AddFlags(CardWrapper::Highlight);
    s.t.CellOf(Klondike::Waste)->GetWrapper(-1)->AddFlags(CardWrapper::Moving | CardWrapper::Highlight);

    const QByteArray bytes = s.Save();
    ASSERT_EQ(bytes.size(), KlondikeFileSize);
    EXPECT_EQ(bytes.mid(MagicAt, 19), QByteArray("VekSolitaireWinGame"));
    EXPECT_EQ(le32(bytes, 19), 0u);
    EXPECT_EQ(le32(bytes, IdAt), 0u);
    // The deal's serial, and that it has been counted as played.
    EXPECT_NE(le32(bytes, 27) >> 2, 0u);
    EXPECT_EQ(le32(bytes, 27) & 3u, 1u);
    EXPECT_EQ(le32(bytes, ElapsedAt), 5u);
    EXPECT_EQ(le32(bytes, ScoreAt), 0u);
    ASSERT_EQ(le16(bytes, DealCountAt), 52);
    const auto &pile = game.GetDealPile();
    for (int k = 0; k < 52; ++k) {
        EXPECT_EQ(le16(bytes, DealPileAt + 4 * k), pile[size_t(k)]->GetValue()) << k;
        EXPECT_EQ(le16(bytes, DealPileAt + 4 * k + 2), pile[size_t(k)]->GetSuit()) << k;
    }
    ASSERT_EQ(le16(bytes, CellCountAt), 13);
    int at = CellsAt;
    for (int c = 0; c < 13; ++c) {
        const TableCell *cell = s.t.CellOf(c);
        ASSERT_EQ(le16(bytes, at), cell->GetCount()) << c;
        at += 2;
        for (const CardWrapper *w : cell->GetCards()) {
            EXPECT_EQ(le16(bytes, at), w->GetCard()->GetValue());
            EXPECT_EQ(le16(bytes, at + 2), w->GetCard()->GetSuit());
            EXPECT_EQ(le32(bytes, at + 4), w->GetFlags() & 0xAu) << c;
            EXPECT_EQ(le32(bytes, at + 4) & 5u, 0u) << c;
            at += 8;
        }
    }
    EXPECT_EQ(at, ExtensionAt);
    EXPECT_EQ(le32(bytes, ExtensionAt), 0u);
    EXPECT_EQ(le32(bytes, ExtensionAt + 4), 3u); // the draw count
    EXPECT_TRUE(game.IsStarted());
}

TEST(SavedGame, ResumedAndSavedAgainGivesTheSameBytes)
{
    SavedKlondike s;
    const QByteArray first = s.Save();
    const auto before = position(*s.t.Table);
    // Play on, so that the resumed position is visibly the saved one.
    s.t.ClickStock();
    ASSERT_NE(position(*s.t.Table), before);

    QString error = QStringLiteral("unset");
    ASSERT_TRUE(s.Resume(s.file, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(position(*s.t.Table), before);
    EXPECT_EQ(s.t.Game->GetElapsedTime(), 5u);
    EXPECT_EQ(s.t.Game->GetGameId(), 0);
    EXPECT_FALSE(s.t.Game->IsPaused());
    EXPECT_EQ(s.t.Game->GetUndoCount(), 0);
    // Only the resumed cards are on the table.
    EXPECT_EQ(s.t.Table->GetWrapperCount(), 52);

    const QString again = s.dir.filePath(QStringLiteral("again.veksol"));
    ASSERT_TRUE(GameFactory::SaveGameFile(*s.t.Game, again));
    EXPECT_EQ(readFile(again), first);

    // Time played changes only the elapsed time.
    for (int i = 0; i < 7; ++i)
        s.t.Game->Tick();
    ASSERT_TRUE(GameFactory::SaveGameFile(*s.t.Game, again));
    QByteArray later = readFile(again);
    EXPECT_EQ(le32(later, ElapsedAt), 12u);
    later.replace(ElapsedAt, 4, first.mid(ElapsedAt, 4));
    EXPECT_EQ(later, first);
}

TEST(SavedGame, ResumedGameCanBePlayedAndUndone)
{
    SavedKlondike s;
    s.Save();
    ASSERT_TRUE(s.Resume(s.file));
    const auto loaded = position(*s.t.Table);
    s.t.ClickStock();
    EXPECT_EQ(s.t.Game->GetUndoCount(), 1);
    s.t.Game->Undo();
    EXPECT_EQ(position(*s.t.Table), loaded);
}

TEST(SavedGame, ResumedDealCountedAsPlayedIsNotCountedAgain)
{
    SavedKlondike s;
    ASSERT_EQ(s.t.Game->GetPlayed(), 1);
    s.Save();
    // Saving changes nothing: the next press does not count the deal again.
    Click(s.t.Table.get(), s.t.PressPoint(0, -1));
    EXPECT_EQ(s.t.Game->GetPlayed(), 1);

    ASSERT_TRUE(s.Resume(s.file));
    // The statistics of the game replaced were kept and read again; the
    // clock waits for the first press.
    EXPECT_EQ(s.t.Game->GetPlayed(), 1);
    EXPECT_TRUE(s.t.Game->IsStarted());
    EXPECT_FALSE(s.t.Host.PlayTimerEnabled);
    EXPECT_EQ(s.t.Game->GetElapsedTime(), 5u);

    Click(s.t.Table.get(), s.t.PressPoint(0, -1));
    EXPECT_EQ(s.t.Game->GetPlayed(), 1);
    EXPECT_TRUE(s.t.Host.PlayTimerEnabled);
}

TEST(SavedGame, IdAndHeader)
{
    SavedKlondike s;
    const QByteArray good = s.Save();
    EXPECT_EQ(GameFactory::GetSavedGameId(s.file), 0);

    QBuffer in;
    in.setData(good);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(GameFactory::ReadSavedGameHeader(in));
    EXPECT_EQ(in.pos(), 27);

    QByteArray otherMagic = good;
    otherMagic[3] = 'k';
    QBuffer wrong;
    wrong.setData(otherMagic);
    wrong.open(QIODevice::ReadOnly);
    EXPECT_FALSE(GameFactory::ReadSavedGameHeader(wrong));

    QBuffer shortHeader;
    shortHeader.setData(good.left(26));
    shortHeader.open(QIODevice::ReadOnly);
    EXPECT_FALSE(GameFactory::ReadSavedGameHeader(shortHeader));

    EXPECT_EQ(GameFactory::GetSavedGameId(s.dir.filePath(QStringLiteral("missing.veksol"))), -1);
}

namespace {

// Checks that resuming the bytes is refused and leaves the table and its
// game exactly as they were.
void expectRefused(SavedKlondike &s, const QByteArray &bytes, const std::string &what)
{
    SCOPED_TRACE(what);
    const QString name = s.dir.filePath(QStringLiteral("damaged.veksol"));
    writeFile(name, bytes);
    CardGame *current = s.t.Table->GetGame();
    const Snapshot before = s.t.Cells();
    const int wrappers = s.t.Table->GetWrapperCount();
    const int undo = current->GetUndoCount();
    const int moves = current->GetPossibleMoveCount();
    const QString status = s.t.Host.StatusText;

    QString error;
    EXPECT_FALSE(s.Resume(name, &error));
    EXPECT_EQ(error, QStringLiteral("The game you selected cannot be resumed."));
    EXPECT_EQ(s.t.Table->GetGame(), current);
    EXPECT_EQ(s.t.Cells(), before);
    EXPECT_EQ(s.t.Table->GetWrapperCount(), wrappers);
    EXPECT_EQ(current->GetUndoCount(), undo);
    EXPECT_EQ(current->GetPossibleMoveCount(), moves);
    EXPECT_EQ(s.t.Host.StatusText, status);
}

} // namespace

TEST(SavedGame, ForeignFilesAreRefused)
{
    SavedKlondike s;
    const QByteArray good = s.Save();
    // An id without a catalogue entry.
    QByteArray id26 = good;
    id26[IdAt] = 26;
    writeFile(s.file, id26);
    EXPECT_EQ(GameFactory::GetSavedGameId(s.file), -1);
    expectRefused(s, id26, "id 26");
    QByteArray negative = good;
    negative.replace(IdAt, 4, QByteArray(4, char(0xff)));
    expectRefused(s, negative, "id -1");
    QByteArray magic = good;
    magic[0] = 'v';
    expectRefused(s, magic, "magic");
    expectRefused(s, QByteArray(), "empty");
    // A game of the catalogue not built yet cannot be resumed either.
    for (int p = 0; p < GameFactory::GameCount; ++p) {
        const GameFactory::GameInfo *info = GameFactory::GetGame(p);
        if (!info->creator) {
            QByteArray unbuilt = good;
            unbuilt[IdAt] = char(info->id);
            expectRefused(s, unbuilt, "unbuilt " + info->name.toStdString());
            break;
        }
    }
}

TEST(SavedGame, TruncatedFilesAreRefusedCleanly)
{
    SavedKlondike s;
    const QByteArray good = s.Save();
    for (int length = 0; length < good.size(); ++length)
        expectRefused(s, good.left(length), "length " + std::to_string(length));
    // The whole file still resumes.
    ASSERT_TRUE(s.Resume(s.file));
}

TEST(SavedGame, DamagedCountsAndCardsAreRefusedCleanly)
{
    SavedKlondike s;
    const QByteArray good = s.Save();
    const int stockCard = cardRecordAt(good, Klondike::Stock, 0);
    const int firstCard = cardRecordAt(good, 0, 0);
    struct Patch {
        const char *what;
        int at;
        uint16_t value;
    };
    for (const Patch &patch : {
             Patch{"deal pile value 0", DealPileAt, 0},
             Patch{"deal pile value 14", DealPileAt + 4 * 9, 14},
             Patch{"deal pile suit 4", DealPileAt + 2, 4},
             Patch{"deal pile of 51", DealCountAt, 51},
             Patch{"deal pile of 53", DealCountAt, 53},
             Patch{"deal pile of 65535", DealCountAt, 0xffff},
             Patch{"12 cells", CellCountAt, 12},
             Patch{"14 cells", CellCountAt, 14},
             Patch{"cell value 14", firstCard, 14},
             Patch{"cell value 0", stockCard, 0},
             Patch{"cell suit 4", stockCard + 2, 4},
             Patch{"cell suit 0xffff", firstCard + 2, 0xffff},
             Patch{"first cell one card more", CellsAt, uint16_t(le16(good, CellsAt) + 1)},
             Patch{"first cell one card less", CellsAt, uint16_t(le16(good, CellsAt) - 1)},
             Patch{"first cell of 65535", CellsAt, 0xffff},
             Patch{"stock of 0", cardRecordAt(good, Klondike::Stock, 0) - 2, 0},
         }) {
        QByteArray bad = good;
        putLe16(bad, patch.at, patch.value);
        expectRefused(s, bad, patch.what);
    }

    // A card twice in the cells (and another missing) does not add up.
    QByteArray twice = good;
    twice.replace(firstCard, 4, good.mid(stockCard, 4));
    expectRefused(s, twice, "a card twice");
    // Nor when the deal pile has it twice as well: a deal is whole decks.
    for (int k = 0; k < 52; ++k) {
        if (good.mid(DealPileAt + 4 * k, 4) == good.mid(firstCard, 4))
            twice.replace(DealPileAt + 4 * k, 4, good.mid(stockCard, 4));
    }
    expectRefused(s, twice, "a card twice in the pile and the cells");
    // Nor does a card moved from one cell to another with the counts kept.
    QByteArray extraBytes = good;
    extraBytes.append(QByteArray(8, '\0'));
    putLe16(extraBytes, CellsAt, uint16_t(le16(good, CellsAt) + 1));
    expectRefused(s, extraBytes, "a card more than the deal pile");
}

TEST(SavedGame, SavingReportsFailureAndReplacesWholeFiles)
{
    SavedKlondike s;
    QString error;
    EXPECT_FALSE(GameFactory::SaveGameFile(*s.t.Game, s.dir.filePath(QStringLiteral("no/such/folder.veksol")), &error));
    EXPECT_FALSE(error.isEmpty());

    // A longer earlier file is replaced whole, not overwritten in part.
    writeFile(s.file, QByteArray(5000, 'x'));
    EXPECT_EQ(s.Save().size(), KlondikeFileSize);
}
