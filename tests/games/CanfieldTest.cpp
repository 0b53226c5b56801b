// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QBuffer>

#include <gtest/gtest.h>

#include "Canfield.h"
#include "LevelGamesSupport.h"
#include "Utils.h"

namespace {

using namespace LevelGamesTest;
using C = Canfield;

constexpr int CanfieldId = 6;

// What Canfield appends to the position: a 32-bit 0 and the base rank.
QByteArray BaseBytes(int base)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    VekIO::WriteLE32(out, int32_t(0));
    VekIO::WriteLE32(out, int32_t(base));
    return bytes;
}

struct CanfieldTable : LevelTable {
    CanfieldTable()
        : LevelTable(CanfieldId, 0)
    {
        Decks = 1;
    }
    Canfield &Game() const { return static_cast<Canfield &>(*LevelTable::Game); }
    void Set(const Layout &cells, int base = 1, int rest = C::Stock)
    {
        ASSERT_TRUE(Load(PositionBytes(cells, rest, BaseBytes(base))));
    }
};

TEST(Canfield, DealsAReserveAndTheBaseRank)
{
    CanfieldTable t;
    EXPECT_EQ(t.Count(C::Reserve), 13);
    EXPECT_FALSE(t.CellOf(C::Reserve)->GetWrapper(11)->GetFrontUp());
    EXPECT_TRUE(t.CellOf(C::Reserve)->GetWrapper(-1)->GetFrontUp());
    EXPECT_EQ(t.Game().GetBaseValue(), t.CellOf(C::FirstFoundation)->GetCard(0)->GetValue());
    EXPECT_EQ(t.Count(C::Stock), 34);
}

TEST(Canfield, RanksGoRoundFromKingToAce)
{
    CanfieldTable t;
    // Base Jack: J, Q, K, A, 2 ...; columns build down round from Ace to King.
    t.Set({{C::FirstFoundation, {{11, Hearts}, {12, Hearts}, {13, Hearts}}}, {C::FirstColumn, {{1, Diamonds}}}}, 11);
    const Canfield &g = t.Game();
    EXPECT_TRUE(g.Accepts(t.CardOf(1, Hearts), C::FirstFoundation));
    EXPECT_FALSE(g.Accepts(t.CardOf(10, Hearts), C::FirstFoundation));
    EXPECT_TRUE(g.Accepts(t.CardOf(11, Spades), C::FirstFoundation + 1));
    EXPECT_FALSE(g.Accepts(t.CardOf(1, Spades), C::FirstFoundation + 1));
    EXPECT_TRUE(g.Accepts(t.CardOf(13, Clubs), C::FirstColumn));
    EXPECT_FALSE(g.Accepts(t.CardOf(13, Hearts), C::FirstColumn));
    EXPECT_FALSE(g.Accepts(t.CardOf(5, Clubs), C::FirstColumn + 1)); // empty columns wait for a refill
}

TEST(Canfield, EmptiedColumnsRefillFromReserveThenWasteThenTheStock)
{
    CanfieldTable t;
    t.Set({{C::FirstFoundation, {{1, Hearts}}}, {C::FirstFoundation + 1, {{1, Spades}}},
           {C::Reserve, {{9, Diamonds}}}, {C::Waste, {{8, Clubs}}},
           {7, {{2, Hearts}}}, {8, {{2, Spades}}}, {9, {{3, Hearts}}}, {10, {{13, Clubs}}}});
    const Snapshot start = t.Cells();
    const int stock = t.Count(C::Stock);
    t.DragOnto(7, 0, C::FirstFoundation);
    EXPECT_EQ(t.CellOf(7)->GetCard(-1), t.CardOf(9, Diamonds));
    t.DragOnto(9, 0, C::FirstFoundation);
    EXPECT_EQ(t.CellOf(9)->GetCard(-1), t.CardOf(8, Clubs));
    const Snapshot beforeDeal = t.Cells();
    t.DragOnto(8, 0, C::FirstFoundation + 1);
    // Three dealt: the third fills the column, two stay on the waste.
    EXPECT_EQ(t.Count(C::Stock), stock - 3);
    EXPECT_EQ(t.Count(C::Waste), 2);
    EXPECT_EQ(t.CellOf(8)->GetCard(-1), beforeDeal[C::Stock][size_t(stock - 3)].first);
    EXPECT_TRUE(t.CellOf(8)->GetWrapper(-1)->GetFrontUp());
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), beforeDeal);
    t.Game().Undo();
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), start);
}

TEST(Canfield, TheReserveTurnsUpItsNextCardInTheSameStep)
{
    CanfieldTable t;
    t.Set({{C::Reserve, {{5, Clubs, false}, {1, Diamonds}}}, {7, {{3, Hearts}}}, {8, {{4, Hearts}}}, {9, {{6, Spades}}},
           {10, {{9, Spades}}}});
    const Snapshot start = t.Cells();
    t.DragOnto(C::Reserve, 1, C::FirstFoundation);
    EXPECT_TRUE(t.CellOf(C::Reserve)->GetWrapper(-1)->GetFrontUp());
    EXPECT_EQ(t.Game().GetUndoCount(), 1);
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
    EXPECT_EQ(t.Game().GetUndoCount(), 0);
    // The run goes onto a column, and comes back in order.
    t.DragOnto(7, 0, 9);
    EXPECT_EQ(t.Count(9), 3);
    EXPECT_EQ(t.CellOf(9)->GetCard(-1), t.CardOf(7, Spades));
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), start);
}

TEST(Canfield, AStockOfOneCardTurnsTheWasteOverInTheMiddleOfADeal)
{
    CanfieldTable t;
    t.Set({{C::Stock, {{4, Clubs, false}}}, {7, {{3, Hearts}}}, {8, {{4, Hearts}}}, {9, {{6, Spades}}},
           {10, {{9, Spades}}}},
          1, C::Waste);
    const Snapshot start = t.Cells();
    const int waste = t.Count(C::Waste);
    t.ClickCell(C::Stock);
    EXPECT_EQ(t.Count(C::Waste), 2);
    EXPECT_EQ(t.Count(C::Stock), waste + 1 - 2);
    // The old waste's bottom card came round first.
    EXPECT_EQ(t.CellOf(C::Waste)->GetCard(0), start[C::Waste][0].first);
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), start);
}

TEST(Canfield, TheLastCardWinsAndTheBaseRankIsChecked)
{
    CanfieldTable t;
    Layout layout;
    const CardSuit suits[] = {Clubs, Diamonds, Hearts, Spades};
    for (int f = 0; f < 4; ++f) {
        std::vector<Spot> run;
        for (int v = 1; v <= (f == 3 ? 12 : 13); ++v)
            run.push_back({v, suits[f]});
        layout.push_back({C::FirstFoundation + f, run});
    }
    layout.push_back({7, {{13, Spades}}});
    t.Set(layout, 1, 7);
    const QByteArray saved = t.Save();
    t.DragOnto(7, 0, C::LastFoundation);
    EXPECT_EQ(t.Game().GetWon(), 1);

    // A base rank outside 1-13 is refused; the saved one resumes to the
    // same bytes.
    for (const int base : {0, 14, -3}) {
        QByteArray bad = saved;
        bad.replace(bad.size() - 4, 4, BaseBytes(base).right(4));
        EXPECT_FALSE(t.Load(bad)) << base;
    }
    ASSERT_TRUE(t.Load(saved));
    EXPECT_EQ(t.Save(), saved);
}

} // namespace
