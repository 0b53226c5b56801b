// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "BakersDozen.h"
#include "LevelGamesSupport.h"

namespace {

using namespace LevelGamesTest;
using BD = BakersDozen;

struct BakersTable : LevelTable {
    BakersTable()
        : LevelTable(10, 0)
    {
        Decks = 1;
    }
    BakersDozen &Game() const { return static_cast<BakersDozen &>(*LevelTable::Game); }
    void Set(const Layout &cells, int rest) { ASSERT_TRUE(Load(PositionBytes(cells, rest, {}))); }
};

// Deals a pile in a chosen order.
struct StackedDozen : BakersDozen {
    using BakersDozen::BakersDozen;
    void DealFrom(const std::vector<Card *> &pile)
    {
        DealPile = pile;
        NewGame(false);
    }
};

TEST(BakersDozen, KingsGoToTheBottomOfTheirColumn)
{
    BakersTable t;
    StackedDozen game(&t.TheDeck, t.Table.get(), W, H);
    t.Table->SetGame(&game);
    std::vector<Card *> pile = {t.CardOf(13, Spades), t.CardOf(5, Hearts), t.CardOf(13, Hearts), t.CardOf(9, Clubs)};
    for (int i = 0; i < Deck::CardCount; ++i) {
        if (std::find(pile.begin(), pile.end(), t.TheDeck.GetCard(i)) == pile.end())
            pile.push_back(t.TheDeck.GetCard(i));
    }
    game.DealFrom(pile);
    const uint32_t up = CardWrapper::FrontUp;
    EXPECT_EQ(t.Cells()[BD::FirstColumn], (Snapshot::value_type{{t.CardOf(13, Hearts), up}, {t.CardOf(13, Spades), up},
                                                                 {t.CardOf(5, Hearts), up}, {t.CardOf(9, Clubs), up}}));
    t.Table->SetGame(t.LevelTable::Game.get());
}

TEST(BakersDozen, ColumnsBuildDownWhateverTheSuitAndEmptyOnesTakeNothing)
{
    BakersTable t;
    t.Set({{4, {{5, Hearts}}}, {5, {{4, Spades}}}, {6, {{1, Spades}}}, {7, {}}}, 8);
    const Snapshot start = t.Cells();
    t.DragOnto(6, 0, 7);
    EXPECT_EQ(t.Cells(), start);
    t.DragOnto(5, 0, 4);
    EXPECT_EQ(t.CellOf(4)->GetCard(-1), t.CardOf(4, Spades));
}

TEST(BakersDozen, OnlyAcceptedMovesCountFullFoundationsAndTheFourthWins)
{
    BakersTable t;
    t.Set(NearlyWon(BD::FirstFoundation, 4), BD::FirstColumn);
    EXPECT_EQ(t.Game().GetCompleted(), 3);
    for (int i = 0; i < 3; ++i)
        t.DragOnto(BD::FirstColumn, 0, 0);
    EXPECT_EQ(t.Game().GetCompleted(), 3);
    EXPECT_EQ(t.Game().GetWon(), 0);
    t.DragOnto(BD::FirstColumn, 0, BD::LastFoundation);
    EXPECT_EQ(t.Game().GetCompleted(), 4);
    EXPECT_EQ(t.Game().GetWon(), 1);
}

} // namespace
