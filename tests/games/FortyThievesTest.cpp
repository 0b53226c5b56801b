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

// Ace up to `top` of one suit, face up.
std::vector<Spot> SuitUpTo(CardSuit suit, int top)
{
    std::vector<Spot> cards;
    for (int v = 1; v <= top; ++v)
        cards.push_back({v, suit});
    return cards;
}

TEST(FortyThieves, ColumnsBuildInSuitStreetsInAlternatingColours)
{
    for (const int id : {FortyThievesId, StreetsId}) {
        SCOPED_TRACE(id);
        ThievesTable t(id);
        EXPECT_EQ(t.Count(FT::Stock), 64);
        t.Set({{0, {{6, Hearts}}}, {1, {{7, Diamonds}}}, {2, {{7, Hearts}}}, {3, {{7, Spades}}}, {4, {{2, Clubs}}},
               {5, {}}});
        t.DragOnto(0, 0, 1); // never: same colour, other suit
        EXPECT_EQ(t.Count(1), 1);
        t.DragOnto(0, 0, id == StreetsId ? 2 : 3);
        EXPECT_EQ(t.Count(id == StreetsId ? 2 : 3), 1);
        t.DragOnto(0, 0, id == StreetsId ? 3 : 2);
        EXPECT_EQ(t.Count(id == StreetsId ? 3 : 2), 2);
        // Any card fills an empty column.
        t.DragOnto(4, 0, 5);
        EXPECT_EQ(t.Count(5), 1);
    }
}

TEST(FortyThieves, JosephineLiftsTheSameSuitRunAndUndoesItInOrder)
{
    ThievesTable t(JosephineId);
    t.Set({{0, {{10, Hearts}, {9, Hearts}, {8, Hearts}, {7, Hearts}}},
           {1, {{3, Clubs}, {10, Hearts}}},
           {FT::FirstFoundation, SuitUpTo(Hearts, 7)}});
    const Snapshot before = t.Cells();
    // A run over a foundation that would take its deepest card snaps back.
    t.DragOnto(0, 2, FT::FirstFoundation);
    EXPECT_EQ(t.Cells(), before);
    EXPECT_EQ(t.Game().GetUndoCount(), 0);

    t.DragOnto(0, 1, 1);
    ASSERT_EQ(t.Count(1), 5);
    EXPECT_EQ(t.CellOf(1)->GetCard(2), t.CardOf(9, Hearts));
    EXPECT_EQ(t.CellOf(1)->GetCard(4), t.CardOf(7, Hearts));
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), before);

    // Forty Thieves lifts only the top card.
    ThievesTable plain;
    plain.Set({{0, {{9, Hearts}, {8, Hearts}}}});
    EngineTest::Press(plain.Table.get(), plain.PressPoint(0, 0));
    EXPECT_EQ(plain.MovingCount(), 0);
    EngineTest::Release(plain.Table.get(), plain.PressPoint(0, 0));
}

TEST(FortyThieves, OnlyAcceptedMovesCountFullFoundationsAndTheEighthWins)
{
    ThievesTable t;
    Layout layout;
    const CardSuit suits[] = {Clubs, Diamonds, Hearts, Spades};
    for (int f = 0; f < 7; ++f)
        layout.push_back({FT::FirstFoundation + f, SuitUpTo(suits[f % 4], 13)});
    layout.push_back({FT::LastFoundation, SuitUpTo(Spades, 11)});
    layout.push_back({0, {{13, Spades}, {12, Spades}}});
    t.Set(layout, 0);
    EXPECT_EQ(t.Game().GetCompleted(), 7);
    // Refused drops over a full foundation change nothing.
    for (int i = 0; i < 3; ++i)
        t.DragOnto(0, 1, FT::FirstFoundation);
    EXPECT_EQ(t.Game().GetCompleted(), 7);
    EXPECT_EQ(t.Game().GetWon(), 0);
    t.DragOnto(0, 1, FT::LastFoundation);
    EXPECT_EQ(t.Game().GetCompleted(), 7);
    t.Game().Undo();
    t.DragOnto(0, 1, FT::LastFoundation);
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
    EXPECT_EQ(t.Count(FT::Stock), 0);
    EXPECT_EQ(t.CellOf(FT::Waste)->GetCard(-1), t.CardOf(4, Clubs));
    t.ClickCell(FT::Stock);
    // The waste came back reversed, so its bottom card is dealt first.
    EXPECT_EQ(t.Count(FT::Waste), 1);
    EXPECT_EQ(t.CellOf(FT::Waste)->GetCard(-1), before[FT::Waste].front().first);
    EXPECT_TRUE(t.CellOf(FT::Waste)->GetWrapper(-1)->GetFrontUp());
    EXPECT_FALSE(t.CellOf(FT::Stock)->GetWrapper(-1)->GetFrontUp());
    t.Game().Undo();
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), before);
}

TEST(FortyThieves, APositionWithoutTheDealsCardsIsRefused)
{
    ThievesTable t;
    QByteArray bytes = t.PositionBytes({}, FT::Stock, {});
    ASSERT_TRUE(t.Load(bytes));
    // The stock's top card (the second King of Spades) made a third 5.
    bytes[bytes.size() - 10] = 5;
    EXPECT_FALSE(t.Load(bytes));
}

} // namespace
