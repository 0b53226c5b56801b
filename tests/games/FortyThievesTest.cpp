// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "FortyThieves.h"
#include "LevelGamesSupport.h"

namespace {

using namespace LevelGamesTest;
using FT = FortyThieves;

constexpr int FortyThievesId = 7;
constexpr int JosephineId = 8;
constexpr int StreetsId = 9;

struct ThievesTable : LevelTable {
    explicit ThievesTable(int id = FortyThievesId)
        : LevelTable(id, 0)
    {
    }
    FortyThieves &Game() const { return static_cast<FortyThieves &>(*LevelTable::Game); }
    void Set(const Layout &cells, int rest = FT::Stock) { ASSERT_TRUE(Load(PositionBytes(cells, rest, {}))); }
};

TEST(FortyThieves, ColumnsBuildInSuitStreetsInAlternatingColours)
{
    for (const int id : {FortyThievesId, StreetsId}) {
        ThievesTable t(id);
        t.Set({{0, {{6, Hearts}}}, {1, {{7, Diamonds}}}, {2, {{7, Hearts}}}, {3, {{7, Spades}}}, {4, {{2, Clubs}}},
               {5, {}}});
        const int taker = id == StreetsId ? 3 : 2;
        t.DragOnto(0, 0, 1); // never: same colour, other suit
        t.DragOnto(0, 0, 5 - taker);
        EXPECT_EQ(t.Count(1) + t.Count(5 - taker), 2);
        t.DragOnto(0, 0, taker);
        EXPECT_EQ(t.Count(taker), 2);
        // Any card fills an empty column.
        t.DragOnto(4, 0, 5);
        EXPECT_EQ(t.Count(5), 1);
    }
}

TEST(FortyThieves, JosephineLiftsTheSameSuitRunButNeverOntoAFoundation)
{
    ThievesTable t(JosephineId);
    t.Set({{0, {{10, Hearts}, {9, Hearts}, {8, Hearts}, {7, Hearts}}},
           {1, {{3, Clubs}, {10, Hearts}}},
           {FT::FirstFoundation, {{1, Hearts}, {2, Hearts}, {3, Hearts}, {4, Hearts}, {5, Hearts}, {6, Hearts}, {7, Hearts}}}});
    const Snapshot before = t.Cells();
    // The foundation would take the run's deepest card: it snaps back.
    t.DragOnto(0, 2, FT::FirstFoundation);
    EXPECT_EQ(t.Cells(), before);
    t.DragOnto(0, 1, 1);
    EXPECT_EQ(t.CellOf(1)->GetCard(2), t.CardOf(9, Hearts));
    EXPECT_EQ(t.CellOf(1)->GetCard(4), t.CardOf(7, Hearts));
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), before);

}

TEST(FortyThieves, OnlyAcceptedMovesCountFullFoundationsAndTheEighthWins)
{
    ThievesTable t;
    t.Set(NearlyWon(FT::FirstFoundation, 8), 0);
    EXPECT_EQ(t.Game().GetCompleted(), 7);
    // Refused drops over a full foundation change nothing.
    for (int i = 0; i < 3; ++i)
        t.DragOnto(0, 0, FT::FirstFoundation);
    EXPECT_EQ(t.Game().GetCompleted(), 7);
    EXPECT_EQ(t.Game().GetWon(), 0);
    t.DragOnto(0, 0, FT::LastFoundation);
    EXPECT_EQ(t.Game().GetCompleted(), 8);
    EXPECT_EQ(t.Game().GetWon(), 1);
}

TEST(FortyThieves, TheEmptyStockTakesTheWasteBackAndDealsAtOnce)
{
    ThievesTable t;
    t.Set({{FT::Stock, {{4, Clubs, false}}}}, FT::Waste);
    const Snapshot before = t.Cells();
    t.ClickCell(FT::Stock);
    t.ClickCell(FT::Stock);
    // The waste came back reversed, so its bottom card is dealt first.
    EXPECT_EQ(t.Count(FT::Waste), 1);
    EXPECT_EQ(t.CellOf(FT::Waste)->GetCard(-1), before[FT::Waste].front().first);
    EXPECT_TRUE(t.CellOf(FT::Waste)->GetWrapper(-1)->GetFrontUp());
    EXPECT_FALSE(t.CellOf(FT::Stock)->GetWrapper(-1)->GetFrontUp());
    t.Game().Undo();
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), before);

    // A position that does not hold the deal's cards is refused.
    QByteArray bytes = t.PositionBytes({}, FT::Stock, {});
    bytes[bytes.size() - 10] = 5; // the stock's second King of Spades made a third 5
    EXPECT_FALSE(t.Load(bytes));
}

} // namespace
