// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "BakersDozen.h"
#include "LevelGamesSupport.h"

namespace {

using namespace LevelGamesTest;
using BD = BakersDozen;

constexpr int BakersDozenId = 10;

struct BakersTable : LevelTable {
    BakersTable()
        : LevelTable(BakersDozenId, 0)
    {
        Decks = 1;
    }
    BakersDozen &Game() const { return static_cast<BakersDozen &>(*LevelTable::Game); }
    void Set(const Layout &cells, int rest) { ASSERT_TRUE(Load(PositionBytes(cells, rest, {}))); }
};

// Deals a pile in a chosen order.
class StackedDozen : public BakersDozen {
public:
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
    auto game = std::make_unique<StackedDozen>(&t.TheDeck, t.Table.get(), W, H);
    t.Table->SetGame(game.get());
    t.LevelTable::Game = std::move(game);
    std::vector<Card *> pile = {t.CardOf(13, Spades), t.CardOf(5, Hearts), t.CardOf(13, Hearts), t.CardOf(9, Clubs)};
    for (int i = 0; i < Deck::CardCount; ++i) {
        if (std::find(pile.begin(), pile.end(), t.TheDeck.GetCard(i)) == pile.end())
            pile.push_back(t.TheDeck.GetCard(i));
    }
    static_cast<StackedDozen &>(t.Game()).DealFrom(pile);
    const TableCell *first = t.CellOf(BD::FirstColumn);
    ASSERT_EQ(first->GetCount(), 4);
    EXPECT_EQ(first->GetCard(0), t.CardOf(13, Hearts));
    EXPECT_EQ(first->GetCard(1), t.CardOf(13, Spades));
    EXPECT_EQ(first->GetCard(2), t.CardOf(5, Hearts));
    EXPECT_EQ(first->GetCard(3), t.CardOf(9, Clubs));
    EXPECT_EQ(t.Count(BD::LastColumn), 4);
}

TEST(BakersDozen, ColumnsBuildDownWhateverTheSuitAndEmptyOnesStayEmpty)
{
    BakersTable t;
    t.Set({{4, {{5, Hearts}}}, {5, {{4, Spades}}}, {6, {{1, Spades}}}, {7, {}}}, 8);
    const Snapshot start = t.Cells();
    t.DragOnto(6, 0, 7);
    // A drop that covers no cell goes nowhere, not to the first foundation.
    const QPoint from = t.PressPoint(6, 0);
    const QPoint by = QPoint(6 * W + 67, 3 * H + 30) - t.CellOf(6)->GetWrapper(0)->Position();
    EngineTest::Press(t.Table.get(), from);
    EngineTest::MoveTo(t.Table.get(), from + by);
    EngineTest::Release(t.Table.get(), from + by);
    EXPECT_EQ(t.Cells(), start);
    t.DragOnto(5, 0, 4);
    EXPECT_EQ(t.CellOf(4)->GetCard(-1), t.CardOf(4, Spades));
}

TEST(BakersDozen, OnlyAcceptedMovesCountFullFoundationsAndTheFourthWins)
{
    BakersTable t;
    Layout layout;
    const CardSuit suits[] = {Clubs, Diamonds, Hearts, Spades};
    for (int f = 0; f < 4; ++f) {
        std::vector<Spot> run;
        for (int v = 1; v <= (f == 3 ? 12 : 13); ++v)
            run.push_back({v, suits[f]});
        layout.push_back({f, run});
    }
    t.Set(layout, 4);
    EXPECT_EQ(t.Game().GetCompleted(), 3);
    for (int i = 0; i < 3; ++i)
        t.DragOnto(4, 0, 0);
    EXPECT_EQ(t.Game().GetCompleted(), 3);
    EXPECT_EQ(t.Game().GetWon(), 0);
    t.DragOnto(4, 0, 3);
    EXPECT_EQ(t.Game().GetCompleted(), 4);
    EXPECT_EQ(t.Game().GetWon(), 1);
}

} // namespace
