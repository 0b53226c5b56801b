// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "EagleWing.h"
#include "LevelGamesSupport.h"

namespace {

using namespace LevelGamesTest;
using E = EagleWing;

struct EagleTable : LevelTable {
    EagleTable()
        : LevelTable(11, 0)
    {
        Decks = 1;
    }
    EagleWing &Game() const { return static_cast<EagleWing &>(*LevelTable::Game); }
    void Set(Layout cells, int base = 1, int rest = E::Stock)
    {
        // Columns not listed hold one card each, 2 to 9, clubs and hearts
        // in turn: none goes on another.
        for (int c = E::FirstColumn; c <= E::LastColumn; ++c) {
            if (std::none_of(cells.begin(), cells.end(), [c](const auto &cell) { return cell.first == c; }))
                cells.push_back({c, {{c - 5, c % 2 ? Clubs : Hearts}}});
        }
        ASSERT_TRUE(Load(PositionBytes(cells, rest, Words({0, base, 0}))));
    }
};

TEST(EagleWing, ColumnsHoldThreeCardsBuiltDownInSuitRoundFromAce)
{
    EagleTable t;
    t.Set({{7, {{1, Hearts}}}, {8, {{10, Spades}, {9, Spades}}}, {9, {{7, Diamonds}, {6, Diamonds}, {5, Diamonds}}},
           {E::FirstFoundation, {{12, Diamonds}, {13, Diamonds}}}},
          12);
    const EagleWing &g = t.Game();
    EXPECT_TRUE(g.Accepts(t.CardOf(13, Hearts), 7));
    EXPECT_TRUE(g.Accepts(t.CardOf(8, Spades), 8));
    EXPECT_FALSE(g.Accepts(t.CardOf(4, Diamonds), 9)); // three cards already
    EXPECT_TRUE(g.Accepts(t.CardOf(1, Diamonds), E::FirstFoundation));
    EXPECT_TRUE(g.Accepts(t.CardOf(12, Spades), E::FirstFoundation + 1));
}

TEST(EagleWing, EmptiedColumnsTakeTheReserveTurnedUpInOneStep)
{
    EagleTable t;
    // Three columns empty and a reserve whose lower cards are face down (a
    // saved position): every refilled card is turned up, and the reserve's
    // next card too.
    t.Set({{7, {{2, Hearts}}}, {13, {}}, {14, {}}, {E::FirstFoundation, {{1, Hearts}}},
           {E::Reserve, {{9, Diamonds, false}, {10, Diamonds, false}, {11, Diamonds, false}, {8, Diamonds}}}});
    const Snapshot start = t.Cells();
    t.DragOnto(7, 0, E::FirstFoundation);
    EXPECT_EQ(t.CellOf(7)->GetCard(-1), t.CardOf(8, Diamonds));
    for (int c = 13; c <= 14; ++c)
        EXPECT_TRUE(t.CellOf(c)->GetWrapper(0)->GetFrontUp()) << c;
    EXPECT_TRUE(t.CellOf(E::Reserve)->GetWrapper(-1)->GetFrontUp());
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), start);

    // With the reserve gone, an empty column takes any card.
    t.Set({{7, {}}, {E::Waste, {{9, Spades}}}});
    t.DragOnto(E::Waste, 0, 7);
    EXPECT_EQ(t.CellOf(7)->GetCard(-1), t.CardOf(9, Spades));
}

TEST(EagleWing, TheStockGoesRoundThreeTimesAndUndoKeepsTheCount)
{
    EagleTable t;
    t.Set({}, 1, E::Waste);
    const int cards = t.Count(E::Waste);
    // The only move is the stock; looking for it uses no turn.
    t.Game().SuggestMove();
    EXPECT_EQ(t.Game().GetRedealCount(), 0);
    t.ClickCell(E::Stock); // first turn over
    EXPECT_EQ(t.Count(E::Waste), 1);
    t.Game().Undo();
    EXPECT_EQ(t.Count(E::Waste), cards);
    EXPECT_EQ(t.Game().GetRedealCount(), 1);
    for (int i = 0; i < cards; ++i) // second turn over, then through
        t.ClickCell(E::Stock);
    const Snapshot spent = t.Cells();
    t.ClickCell(E::Stock); // third: nothing
    EXPECT_EQ(t.Game().GetRedealCount(), 3);
    EXPECT_EQ(t.Cells(), spent);
}

TEST(EagleWing, TheLastCardWinsAndSavedFieldsAreChecked)
{
    EagleTable t;
    Layout layout = NearlyWon(E::FirstFoundation, 4);
    layout.push_back({E::FirstColumn, {{13, Spades}}});
    ASSERT_TRUE(t.Load(t.PositionBytes(layout, E::Stock, Words({0, 1, 2}))));
    const QByteArray saved = t.Save();
    EXPECT_EQ(saved.right(12), Words({0, 1, 2}));
    t.DragOnto(E::FirstColumn, 0, E::LastFoundation);
    EXPECT_EQ(t.Game().GetWon(), 1);
    for (const auto &[base, redeals] : {std::pair{0, 0}, {14, 0}, {1, -1}}) {
        QByteArray bad = saved;
        bad.replace(bad.size() - 12, 12, Words({0, base, redeals}));
        EXPECT_FALSE(t.Load(bad)) << base << " " << redeals;
    }
    ASSERT_TRUE(t.Load(saved));
    // The same position; the first word now also says the deal was counted.
    EXPECT_EQ(t.Save().mid(4), saved.mid(4));
}

} // namespace
