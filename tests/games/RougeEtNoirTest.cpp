// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ColumnGamesSupport.h"
#include "RougeEtNoir.h"

namespace {

using namespace ColumnGamesTest;
using R = RougeEtNoir;

constexpr int RougeEtNoirId = 13;

// King down to Ace in alternating colours, the King of suit `king` first.
std::vector<Spot> KingToAce(CardSuit king, CardSuit other, int downTo = 1)
{
    std::vector<Spot> cards;
    for (int v = 13; v >= downTo; --v)
        cards.push_back({v, (13 - v) % 2 ? other : king});
    return cards;
}

TEST(RougeEtNoir, DealsAndResumes)
{
    ColumnTable t(RougeEtNoirId);
    const int counts[] = {8, 7, 6, 5, 4, 3, 2, 1, 1, 0};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(t.Count(R::FirstColumn + i), counts[i]);
        EXPECT_EQ(t.FaceDown(R::FirstColumn + i), std::max(0, counts[i] - 1));
    }
    EXPECT_EQ(t.Count(R::Stock), 67);
    t.ExpectSaveRoundTrip();
}

TEST(RougeEtNoir, FoundationsGoByColourTwoToAColourOneCardAtATime)
{
    ColumnTable t(RougeEtNoirId);
    t.Set({{1, {{1, Hearts}}}, {2, {{1, Diamonds}, {2, Hearts}, {3, Diamonds}, {4, Hearts}}},
          {9, {{1, Hearts}}}, {10, {{5, Diamonds}, {4, Spades}}}, {11, {{5, Diamonds}}}}, R::Stock);
    t.DragOnto(9, 0, 3);
    EXPECT_EQ(t.Count(3), 0) << "a third red Ace";
    t.DragOnto(10, 0, 2);
    EXPECT_EQ(t.Count(2), 4) << "a run onto a foundation";
    t.DragOnto(11, 0, 2);
    EXPECT_EQ(t.Count(2), 5) << "5 of Diamonds on 4 of Hearts";
}

TEST(RougeEtNoir, RunsClearedByADropOrInTheMiddleOfADealAreUndoneExactly)
{
    ColumnTable t(RougeEtNoirId);
    std::vector<Spot> column = KingToAce(Spades, Hearts, 2);
    column.insert(column.begin(), {7, Diamonds, false});
    t.Set({{12, column}, {14, {{1, Clubs}}},
          {0, {{1, Clubs, false}, {9, Diamonds, false}, {9, Clubs, false}, {8, Hearts, false}}}}, R::Stock);
    const Snapshot before = t.Cells();
    t.ClickCell(R::Stock);
    EXPECT_EQ(t.Count(R::FirstRunPile), 13);
    EXPECT_EQ(t.CellOf(R::FirstRunPile)->GetCard(-1), t.CardOf(1, Clubs));
    EXPECT_EQ(t.Count(12), 1);
    EXPECT_EQ(t.Count(18), 1) << "the deal went on";
    t.Game->Undo();
    EXPECT_EQ(t.Cells(), before);

    t.DragOnto(14, 0, 12);
    EXPECT_EQ(t.Count(R::FirstRunPile), 13);
    t.Game->Undo();
    EXPECT_EQ(t.Cells(), before);
}

TEST(RougeEtNoir, LostRightAfterTheMoveThatLeavesNoneAndWonWithEightPiles)
{
    ColumnTable t(RougeEtNoirId);
    t.Set({{9, {{8, Spades}}}, {10, {{12, Diamonds, false}, {7, Hearts}}}, {11, {{5, Hearts}}}, {12, {{13, Diamonds}}},
          {13, {{11, Hearts}}}, {14, {{3, Diamonds}}}, {15, {{6, Diamonds}}}, {16, {{10, Hearts}}},
          {17, {{2, Diamonds}}}, {18, {{4, Hearts}}}}, 18);
    t.DragOnto(10, 1, 9);
    EXPECT_EQ(t.Answers.Texts, QStringList{LostText});

    ColumnTable w(RougeEtNoirId);
    std::vector<Spot> last = KingToAce(Diamonds, Clubs);
    const Spot ace = last.back();
    last.pop_back();
    w.Set({{1, Built(Hearts, 13)}, {2, Built(Diamonds, 13)}, {3, Built(Clubs, 13)}, {4, Built(Spades, 13)},
          {5, KingToAce(Spades, Hearts)}, {6, KingToAce(Hearts, Spades)}, {7, KingToAce(Clubs, Diamonds)}, {9, last}, {10, {ace}}},
          R::Stock);
    w.DragOnto(10, 0, 9);
    EXPECT_EQ(w.Game->GetWon(), 1);
}

} // namespace
