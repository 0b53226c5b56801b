// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Canfield.h"
#include "LevelGamesSupport.h"

namespace {

using namespace LevelGamesTest;
using C = Canfield;

struct CanfieldTable : LevelTable {
    CanfieldTable()
        : LevelTable(6, 0)
    {
        Decks = 1;
    }
    Canfield &Game() const { return static_cast<Canfield &>(*LevelTable::Game); }
    void Set(const Layout &cells, int base = 1, int rest = C::Stock)
    {
        ASSERT_TRUE(Load(PositionBytes(cells, rest, Words({0, base}))));
    }
};

TEST(Canfield, RanksGoRoundFromKingToAce)
{
    CanfieldTable t;
    EXPECT_EQ(t.Game().GetBaseValue(), t.CellOf(C::FirstFoundation)->GetCard(0)->GetValue());
    // Base Jack: J, Q, K, A, 2 ...; columns build down round from Ace to King.
    t.Set({{C::FirstFoundation, {{11, Hearts}, {12, Hearts}, {13, Hearts}}}, {C::FirstColumn, {{1, Diamonds}}}}, 11);
    const Canfield &g = t.Game();
    EXPECT_TRUE(g.Accepts(t.CardOf(1, Hearts), C::FirstFoundation));
    EXPECT_FALSE(g.Accepts(t.CardOf(10, Hearts), C::FirstFoundation));
    EXPECT_TRUE(g.Accepts(t.CardOf(13, Clubs), C::FirstColumn));
    EXPECT_FALSE(g.Accepts(t.CardOf(13, Hearts), C::FirstColumn));
    EXPECT_FALSE(g.Accepts(t.CardOf(5, Clubs), C::FirstColumn + 1)); // empty columns wait for a refill
}

TEST(Canfield, EmptiedColumnsRefillFromReserveThenWasteThenTheStock)
{
    CanfieldTable t;
    t.Set({{C::FirstFoundation, {{1, Hearts}}}, {C::FirstFoundation + 1, {{1, Spades}}},
           {C::Reserve, {{5, Diamonds, false}, {9, Diamonds}}}, {C::Waste, {{8, Clubs}}},
           {7, {{2, Hearts}}}, {8, {{2, Spades}}}, {9, {{3, Hearts}}}, {10, {{4, Hearts}}}});
    const Snapshot start = t.Cells();
    const int stock = t.Count(C::Stock);
    // The reserve's next card turns up in the same step.
    t.DragOnto(7, 0, C::FirstFoundation);
    EXPECT_EQ(t.CellOf(7)->GetCard(-1), t.CardOf(9, Diamonds));
    EXPECT_TRUE(t.CellOf(C::Reserve)->GetWrapper(-1)->GetFrontUp());
    t.DragOnto(9, 0, C::FirstFoundation);
    EXPECT_EQ(t.CellOf(9)->GetCard(-1), t.CardOf(5, Diamonds));
    t.DragOnto(10, 0, C::FirstFoundation);
    EXPECT_EQ(t.CellOf(10)->GetCard(-1), t.CardOf(8, Clubs));
    const Snapshot beforeDeal = t.Cells();
    t.DragOnto(8, 0, C::FirstFoundation + 1);
    // Three dealt: the third fills the column, two stay on the waste.
    EXPECT_EQ(t.Count(C::Waste), 2);
    EXPECT_EQ(t.CellOf(8)->GetCard(-1), beforeDeal[C::Stock][size_t(stock - 3)].first);
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), beforeDeal);
    for (int undo = 0; undo < 3; ++undo)
        t.Game().Undo();
    EXPECT_EQ(t.Cells(), start);
}

TEST(Canfield, ARunOverAFoundationSnapsBack)
{
    CanfieldTable t;
    t.Set({{C::FirstFoundation, {{6, Hearts}, {7, Hearts}}},
           {7, {{8, Hearts}, {7, Spades}}}, {8, {{9, Clubs}}}, {9, {{9, Spades}}}, {10, {{2, Spades}}}}, 6);
    const Snapshot start = t.Cells();
    t.DragOnto(7, 0, C::FirstFoundation);
    EXPECT_EQ(t.Cells(), start);
    // The run goes onto a column, and comes back in order.
    t.DragOnto(7, 0, 9);
    EXPECT_EQ(t.CellOf(9)->GetCard(-1), t.CardOf(7, Spades));
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), start);
}

TEST(Canfield, AStockOfOneCardTurnsTheWasteOverInTheMiddleOfADeal)
{
    CanfieldTable t;
    t.Set({{C::Stock, {{4, Clubs, false}}}, {7, {{3, Hearts}}}, {8, {{4, Hearts}}}, {9, {{6, Spades}}}, {10, {{9, Spades}}}},
          1, C::Waste);
    const Snapshot start = t.Cells();
    t.ClickCell(C::Stock);
    EXPECT_EQ(t.Count(C::Waste), 2);
    // The old waste's bottom card came round first.
    EXPECT_EQ(t.CellOf(C::Waste)->GetCard(0), start[C::Waste][0].first);
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), start);
}

TEST(Canfield, TheLastCardWinsAndTheBaseRankIsChecked)
{
    CanfieldTable t;
    Layout layout = NearlyWon(C::FirstFoundation, 4);
    layout.push_back({C::FirstColumn, {{13, Spades}}});
    t.Set(layout);
    const QByteArray saved = t.Save();
    t.DragOnto(C::FirstColumn, 0, C::LastFoundation);
    EXPECT_EQ(t.Game().GetWon(), 1);
    for (const int base : {0, 14, -3}) {
        QByteArray bad = saved;
        bad.replace(bad.size() - 4, 4, Words({base}));
        EXPECT_FALSE(t.Load(bad)) << base;
    }
    ASSERT_TRUE(t.Load(saved));
    // The same position; the first word now also says the deal was counted.
    EXPECT_EQ(t.Save().mid(4), saved.mid(4));
}

} // namespace
