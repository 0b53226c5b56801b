// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A deal counts at most once as played and once as won, also across saving
// and resuming, and a saved position's counters must agree with its cards.
#include <functional>

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include "BlackHole.h"
#include "Golf.h"
#include "PairGamesSupport.h"
#include "SavedGame.h"

using namespace PairsTest;

// Won, "play again?" answered No, saved: a press afterwards, in the game or
// in the game resumed from the file, counts nothing more.
TEST(Counting, AWonDealCountsOnceAcrossSavingAndResuming)
{
    for (const int32_t id : {20, 22}) { // Golf, Black Hole
        SCOPED_TRACE(id);
        Board b(id, 4);
        const bool golf = id == 20;
        // Every card but one played by hand, the last one fitting.
        const int first = golf ? int(Golf::FirstColumn) : int(BlackHole::FirstFan);
        const int last = golf ? int(Golf::LastColumn) : int(BlackHole::LastFan);
        const int pile = golf ? int(Golf::Pile) : int(BlackHole::Hole);
        for (int c = first; c <= last; ++c) {
            while (b.Cell(c)->GetCount() > (c == last ? 1 : 0))
                b.Cell(pile)->Add(b.Cell(c)->GetWrapper(-1), true);
        }
        b.Place(pile, -1, 5, Clubs);
        b.Place(last, -1, 6, Diamonds);
        b.Game->SetScore(golf ? 34 : 50);
        const int32_t played = b.Game->GetPlayed(), won = b.Game->GetWon();

        EngineTest::DoubleClick(b.Table.get(), b.CentreOf(last));
        ASSERT_EQ(b.Answers.Captions, QStringList{QStringLiteral("Congratulations - Vek Solitaire")});
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("won.veksol"));
        ASSERT_TRUE(GameFactory::SaveGameFile(*b.Game, file));
        EngineTest::Click(b.Table.get(), b.CentreOf(golf ? int(Golf::Stock) : pile));
        EXPECT_FALSE(b.Host.PlayTimerEnabled);

        std::unique_ptr<CardGame> resumed = GameFactory::ResumeGame(file, &b.TheDeck, b.Table.get(), W, H);
        ASSERT_NE(resumed, nullptr);
        b.Game = std::move(resumed);
        EngineTest::Click(b.Table.get(), b.CentreOf(pile));
        EXPECT_EQ(b.Game->GetPlayed(), played + 1);
        EXPECT_EQ(b.Game->GetWon(), won + 1);
        EXPECT_EQ(b.Answers.Captions.size(), 1);
    }
}

// A save that fails leaves the deal counted: the next press counts nothing.
TEST(Counting, AFailedSaveLeavesTheDealCounted)
{
    Board b(0, 2); // Klondike; cell 7 is its stock
    EngineTest::Click(b.Table.get(), b.CentreOf(7));
    QTemporaryDir dir;
    EXPECT_FALSE(GameFactory::SaveGameFile(*b.Game, dir.filePath(QStringLiteral("gone/game.veksol"))));
    EXPECT_TRUE(b.Game->IsStarted());
    EngineTest::Click(b.Table.get(), b.CentreOf(7));
    EXPECT_EQ(b.Game->GetPlayed(), 1);
}

// A file that would win at the next click, or add a negative play time, is
// refused as damaged: stored counters must agree with the cards.
TEST(Counting, StoredCountersMustAgreeWithThePosition)
{
    const auto last16 = [](uint16_t v) { return [v](QByteArray &b) { qToLittleEndian(v, b.data() + b.size() - 2); }; };
    const auto word = [](int at, uint32_t v) { return [at, v](QByteArray &b) { qToLittleEndian(v, b.data() + at); }; };
    const std::pair<int32_t, std::function<void(QByteArray &)>> cases[] = {
        {4, last16(60)},           // Pyramid: 60 cards removed
        {3, last16(30)},           // Monte Carlo: 30 pairs
        {1, last16(0)},            // Free Cell: no card left to move
        {20, word(35, 35)},        // Golf: a score of 35
        {22, word(35, 51)},        // Black Hole: a score of 51
        {0, word(31, 0x80000000)}, // Klondike: a negative play time
    };
    for (const auto &[id, damage] : cases) {
        SCOPED_TRACE(id);
        Board b(id, 6);
        QByteArray bytes = GameFactory::SaveGameData(*b.Game);
        {
            GameTable other(nullptr, &b.TheDeck);
            EXPECT_NE(GameFactory::ResumeGameData(bytes, &b.TheDeck, &other, W, H), nullptr);
            other.SetGame(nullptr);
        }
        damage(bytes);
        QString error;
        EXPECT_EQ(GameFactory::ResumeGameData(bytes, &b.TheDeck, b.Table.get(), W, H, &error), nullptr);
        EXPECT_EQ(error, GameFactory::CannotResumeMessage());
        EXPECT_EQ(b.Table->GetGame(), b.Game.get());
    }
}
