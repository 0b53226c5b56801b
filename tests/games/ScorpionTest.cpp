// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ColumnGamesSupport.h"
#include "Scorpion.h"

namespace {

using namespace ColumnGamesTest;

constexpr int ScorpionId = 14;
constexpr int WaspId = 19;

TEST(Scorpion, DealShapesOfBothGamesAndResuming)
{
    for (const int id : {ScorpionId, WaspId}) {
        ColumnTable t(id);
        const int closed = id == ScorpionId ? 4 : 3;
        for (int i = 1; i <= 7; ++i) {
            EXPECT_EQ(t.Count(i), 7);
            EXPECT_EQ(t.FaceDown(i), i <= closed ? 3 : 0) << id << " column " << i;
        }
        EXPECT_EQ(t.Count(Scorpion::Stock), 3);
        EXPECT_EQ(t.FaceDown(Scorpion::Stock), 3);
        EXPECT_EQ(t.Game->GetName(), id == ScorpionId ? "Scorpion" : "Wasp");
        t.ExpectSaveRoundTrip();
    }
    // The stock's three cards go to columns 1 to 3, once; undone at once.
    ColumnTable t(ScorpionId);
    const Snapshot before = t.Cells();
    t.ClickCell(Scorpion::Stock);
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(t.Count(i), i <= 3 ? 8 : 7);
    EXPECT_EQ(t.FaceDown(1), 3);
    t.ClickCell(Scorpion::Stock);
    EXPECT_EQ(t.Game->GetUndoCount(), 1);
    t.Game->Undo();
    EXPECT_EQ(t.Cells(), before);
}

TEST(Scorpion, BuildsBySuitDragsWholePilesAndFillsEmptyColumnsByGame)
{
    for (const int id : {ScorpionId, WaspId}) {
        SCOPED_TRACE(id);
        ColumnTable t(id);
        t.Set({{1, {{12, Hearts}}}, {2, {{13, Diamonds}}}, {3, {{13, Hearts}}},
              {4, {{3, Clubs, false}, {8, Clubs}, {2, Hearts}, {11, Diamonds}}}, {5, {{9, Clubs}}}, {6, {}},
              {7, {{5, Spades}, {4, Diamonds}, {1, Clubs}, {10, Hearts}, {7, Spades}}}}, Scorpion::Stock);
        t.DragOnto(1, 0, 2);
        EXPECT_EQ(t.Count(1), 1) << "Q of Hearts on K of Diamonds";
        t.DragOnto(1, 0, 3);
        EXPECT_EQ(t.Count(3), 2);

        const Snapshot before = t.Cells();
        t.DragOnto(4, 1, 5);
        ASSERT_EQ(t.Count(5), 4);
        EXPECT_EQ(t.CellOf(5)->GetCard(-1), t.CardOf(11, Diamonds));
        EXPECT_TRUE(t.CellOf(4)->GetWrapper(0)->GetFrontUp());
        t.Game->Undo();
        EXPECT_EQ(t.Cells(), before);

        // A Five with four cards on it: only Wasp puts it in an empty column.
        t.DragOnto(7, 0, 6);
        EXPECT_EQ(t.Count(6), id == WaspId ? 5 : 0);
    }
}

TEST(Scorpion, NoMoveLeftAsksForTheDealWhileTheStockHoldsCardsElseLoses)
{
    for (const int rest : {int(Scorpion::Stock), 7}) {
        SCOPED_TRACE(rest);
        ColumnTable t(ScorpionId);
        t.Set({{1, {{12, Hearts}}}, {2, {{13, Hearts}}}, {3, {{5, Clubs}}}, {4, {{9, Diamonds}}},
              {5, {{2, Spades}}}, {6, {{7, Hearts}}}, {7, {{11, Clubs}}}}, rest);
        t.DragOnto(1, 0, 2);
        ASSERT_EQ(t.Count(2), 2);
        // The King alone at the bottom is not offered for the empty column.
        EXPECT_EQ(t.Game->GetPossibleMoveCount(), 0);
        if (rest == Scorpion::Stock) {
            EXPECT_EQ(t.Host.StatusText, QStringLiteral("You need to deal the last three cards at this point..."));
            EXPECT_TRUE(t.Answers.Texts.isEmpty());
        } else {
            EXPECT_EQ(t.Answers.Texts, QStringList{LostText});
        }
    }
}

TEST(Scorpion, FourCompleteColumnsWinAndOnlyTrueOnesCount)
{
    ColumnTable t(ScorpionId);
    const auto down = [](CardSuit suit, int from) {
        std::vector<Spot> cards;
        for (int v = 13; v >= from; --v)
            cards.push_back({v, suit});
        return cards;
    };
    std::vector<Spot> hiddenKing = down(Clubs, 1);
    hiddenKing[0].up = false;
    std::vector<Spot> swapped = down(Diamonds, 1);
    std::swap(swapped[3], swapped[4]);
    t.Set({{1, hiddenKing}, {2, swapped}}, Scorpion::Stock);
    auto &game = static_cast<Scorpion &>(*t.Game);
    EXPECT_FALSE(game.IsComplete(1));
    EXPECT_FALSE(game.IsComplete(2));

    t.Set({{1, down(Spades, 1)}, {2, down(Hearts, 1)}, {3, down(Diamonds, 1)}, {4, down(Clubs, 2)}, {5, {{1, Clubs}}}},
          6);
    t.DragOnto(5, 0, 4);
    EXPECT_EQ(t.Game->GetWon(), 1);
}

} // namespace
