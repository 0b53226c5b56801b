// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QBuffer>

#include <gtest/gtest.h>

#include "EagleWing.h"
#include "LevelGamesSupport.h"
#include "Utils.h"

namespace {

using namespace LevelGamesTest;
using E = EagleWing;

constexpr int EagleWingId = 11;

// What Eagle Wing appends to the position: a 32-bit 0, the base rank and
// the redeal count.
QByteArray Extension(int base, int redeals)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    VekIO::WriteLE32(out, int32_t(0));
    VekIO::WriteLE32(out, int32_t(base));
    VekIO::WriteLE32(out, int32_t(redeals));
    return bytes;
}

struct EagleTable : LevelTable {
    EagleTable()
        : LevelTable(EagleWingId, 0)
    {
        Decks = 1;
    }
    EagleWing &Game() const { return static_cast<EagleWing &>(*LevelTable::Game); }
    void Set(const Layout &cells, int base = 1, int rest = E::Stock, int redeals = 0)
    {
        ASSERT_TRUE(Load(PositionBytes(cells, rest, Extension(base, redeals))));
    }
};

// Columns 7-14 each holding one of these cards, face up.
Layout Columns(std::vector<Spot> cards)
{
    Layout layout;
    for (int i = 0; i < int(cards.size()); ++i)
        layout.push_back({E::FirstColumn + i, {cards[size_t(i)]}});
    return layout;
}

TEST(EagleWing, ColumnsHoldThreeCardsBuiltDownInSuitRoundFromAce)
{
    EagleTable t;
    EXPECT_EQ(t.Count(E::Stock), 30);
    EXPECT_EQ(t.Count(E::Reserve), 13);
    EXPECT_EQ(t.Game().GetBaseValue(), t.CellOf(E::FirstFoundation)->GetCard(0)->GetValue());

    Layout layout = Columns({{1, Hearts}, {9, Spades}, {5, Clubs}, {2, Diamonds}, {3, Diamonds}, {4, Diamonds}, {6, Diamonds}, {7, Diamonds}});
    layout[1].second = {{10, Spades}, {9, Spades}};
    layout[2].second = {{7, Clubs}, {6, Clubs}, {5, Clubs}};
    layout.push_back({E::FirstFoundation, {{12, Diamonds}, {13, Diamonds}}});
    t.Set(layout, 12);
    const EagleWing &g = t.Game();
    EXPECT_TRUE(g.Accepts(t.CardOf(13, Hearts), 7));
    EXPECT_FALSE(g.Accepts(t.CardOf(13, Spades), 7));
    EXPECT_TRUE(g.Accepts(t.CardOf(8, Spades), 8));
    EXPECT_FALSE(g.Accepts(t.CardOf(4, Clubs), 9)); // three cards already
    EXPECT_TRUE(g.Accepts(t.CardOf(1, Diamonds), E::FirstFoundation));
    EXPECT_TRUE(g.Accepts(t.CardOf(12, Spades), E::FirstFoundation + 1));
    EXPECT_FALSE(g.Accepts(t.CardOf(1, Spades), E::FirstFoundation + 1));
}

TEST(EagleWing, AnEmptiedColumnTakesTheReserveCardAndTheNextTurnsUpInOneStep)
{
    EagleTable t;
    Layout layout = Columns({{2, Hearts}, {9, Spades}, {5, Clubs}, {2, Clubs}, {3, Clubs}, {4, Clubs}, {6, Clubs}, {7, Clubs}});
    layout.push_back({E::FirstFoundation, {{1, Hearts}}});
    layout.push_back({E::Reserve, {{10, Diamonds, false}, {8, Diamonds}}});
    t.Set(layout);
    const Snapshot start = t.Cells();
    t.DragOnto(7, 0, E::FirstFoundation);
    EXPECT_EQ(t.CellOf(7)->GetCard(-1), t.CardOf(8, Diamonds));
    EXPECT_TRUE(t.CellOf(E::Reserve)->GetWrapper(-1)->GetFrontUp());
    EXPECT_EQ(t.Game().GetUndoCount(), 1);
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), start);

    // With the reserve gone, an empty column takes any card.
    t.Set({{E::FirstColumn, {{2, Hearts}}}, {E::FirstFoundation, {{1, Hearts}}}, {E::Waste, {{9, Clubs}}}});
    t.DragOnto(E::FirstColumn, 0, E::FirstFoundation);
    ASSERT_EQ(t.Count(E::FirstColumn), 0);
    t.DragOnto(E::Waste, 0, E::FirstColumn);
    EXPECT_EQ(t.CellOf(E::FirstColumn)->GetCard(-1), t.CardOf(9, Clubs));
}

TEST(EagleWing, RefilledCardsFromASavedPositionAreTurnedUp)
{
    EagleTable t;
    // Three empty columns and a reserve whose lower cards are face down.
    Layout layout = Columns({{2, Hearts}, {9, Spades}, {5, Clubs}, {2, Clubs}, {3, Clubs}});
    layout.push_back({E::FirstFoundation, {{1, Hearts}}});
    layout.push_back({E::Reserve, {{10, Diamonds, false}, {11, Diamonds, false}, {12, Diamonds, false}, {8, Diamonds}}});
    t.Set(layout);
    const Snapshot start = t.Cells();
    t.DragOnto(7, 0, E::FirstFoundation);
    for (int c = 7; c <= 14; ++c) {
        ASSERT_EQ(t.Count(c), 1) << c;
        EXPECT_TRUE(t.CellOf(c)->GetWrapper(0)->GetFrontUp()) << c;
    }
    EXPECT_EQ(t.Count(E::Reserve), 0);
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), start);
}

TEST(EagleWing, TheStockGoesRoundThreeTimesAndUndoKeepsTheCount)
{
    EagleTable t;
    t.Set(Columns({{2, Hearts}, {9, Spades}, {5, Clubs}, {2, Clubs}, {3, Clubs}, {4, Clubs}, {6, Clubs}, {7, Clubs}}),
          1, E::Waste);
    const int cards = t.Count(E::Waste);
    t.ClickCell(E::Stock); // first turn over
    EXPECT_EQ(t.Count(E::Waste), 1);
    EXPECT_EQ(t.Game().GetRedealCount(), 1);
    t.Game().Undo();
    EXPECT_EQ(t.Count(E::Waste), cards);
    EXPECT_EQ(t.Game().GetRedealCount(), 1);
    t.ClickCell(E::Stock); // second
    for (int i = 1; i < cards; ++i)
        t.ClickCell(E::Stock);
    EXPECT_EQ(t.Count(E::Stock), 0);
    const Snapshot spent = t.Cells();
    const int undoSteps = t.Game().GetUndoCount();
    t.ClickCell(E::Stock); // third: nothing
    EXPECT_EQ(t.Game().GetRedealCount(), 3);
    EXPECT_EQ(t.Cells(), spent);
    EXPECT_EQ(t.Game().GetUndoCount(), undoSteps);
}

TEST(EagleWing, TheLastCardWinsAndSavedFieldsAreChecked)
{
    EagleTable t;
    Layout layout;
    const CardSuit suits[] = {Clubs, Diamonds, Hearts, Spades};
    for (int f = 0; f < 4; ++f) {
        std::vector<Spot> run;
        for (int v = 1; v <= (f == 3 ? 12 : 13); ++v)
            run.push_back({v, suits[f]});
        layout.push_back({E::FirstFoundation + f, run});
    }
    t.Set(layout, 1, E::FirstColumn, 2);
    const QByteArray saved = t.Save();
    EXPECT_EQ(saved.right(12), Extension(1, 2));
    t.DragOnto(E::FirstColumn, 0, E::LastFoundation);
    EXPECT_EQ(t.Game().GetWon(), 1);

    for (const auto &[base, redeals] : {std::pair{0, 0}, {14, 0}, {1, -1}}) {
        QByteArray bad = saved;
        bad.replace(bad.size() - 12, 12, Extension(base, redeals));
        EXPECT_FALSE(t.Load(bad)) << base << " " << redeals;
    }
    ASSERT_TRUE(t.Load(saved));
    EXPECT_EQ(t.Save(), saved);
}

} // namespace
