// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ChineseSolitaire.h"
#include "ColumnGamesSupport.h"

namespace {

using namespace ColumnGamesTest;
using C = ChineseSolitaire;

constexpr int ChineseId = 25;

TEST(ChineseSolitaire, DealsResumesDealsTheStockOnceAndPlacesTheFoundations)
{
    ColumnTable t(ChineseId);
    const int down[] = {0, 0, 0, 3, 4, 5, 6};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(t.Count(C::FirstColumn + i), 7);
        EXPECT_EQ(t.FaceDown(C::FirstColumn + i), down[i]);
    }
    EXPECT_EQ(t.FaceDown(C::Stock), 3);
    t.ExpectSaveRoundTrip();
    t.ClickCell(C::Stock);
    t.ClickCell(C::Stock);
    EXPECT_EQ(t.Count(1) + t.Count(2) + t.Count(3), 24);
    EXPECT_EQ(t.Game->GetUndoCount(), 1);

    t.Table->ResizeCards(114, 169);
    EXPECT_EQ(t.CellOf(C::FirstFoundation)->GetX(), 1014);
    t.Table->ResizeCards(54, 80);
    EXPECT_EQ(t.CellOf(C::LastFoundation)->GetX(), 510);
}

TEST(ChineseSolitaire, SuggestionsFreeCardsOutOfSequenceFirst)
{
    ColumnTable t(ChineseId);
    t.Set({{1, {{13, Spades}}}, {2, {}}, {3, {{9, Hearts}}}, {4, {{10, Spades}}},
          {5, {{8, Clubs}, {7, Diamonds}}}, {6, {{5, Hearts}, {8, Spades}}}, {7, {{12, Diamonds}}}}, C::Stock);
    struct Expected {
        int from, index, to;
    };
    const Expected order[] = {{6, 1, 3}, {3, 0, 4}, {5, 0, 3}, {7, 0, 1}, {5, 1, 6}};
    ASSERT_EQ(t.Game->GetPossibleMoveCount(), 5);
    for (int m = 0; m < 5; ++m) {
        const PossibleMove *move = t.Game->GetPossibleMove(m);
        EXPECT_EQ(t.Table->IndexOfCell(move->GetFrom()), order[m].from) << m;
        EXPECT_EQ(move->GetIndex(), order[m].index) << m;
        EXPECT_EQ(t.Table->IndexOfCell(move->GetTo()), order[m].to) << m;
    }
}

TEST(ChineseSolitaire, NoMoveLeftAsksForTheDealOrLosesAndTheLastKingWins)
{
    for (const int rest : {int(C::Stock), 7}) {
        SCOPED_TRACE(rest);
        ColumnTable t(ChineseId);
        t.Set({{1, {{12, Spades}}}, {2, {{13, Clubs, false}, {11, Hearts}}}, {3, {{5, Hearts}}}, {4, {{3, Diamonds}}},
              {5, {{7, Hearts}}}, {6, {{9, Diamonds}}}, {7, {{2, Hearts}}}}, rest);
        t.DragOnto(2, 1, 1);
        ASSERT_EQ(t.Count(1), 2);
        if (rest == C::Stock)
            EXPECT_EQ(t.Host.StatusText, QStringLiteral("You need to deal the last three cards at this point..."));
        else
            EXPECT_EQ(t.Answers.Texts, QStringList{LostText});
    }
    ColumnTable w(ChineseId);
    w.PositionScore = 3 * 91 + 78;
    w.Set({{8, Built(Clubs, 13)}, {9, Built(Diamonds, 13)}, {10, Built(Hearts, 13)}, {11, Built(Spades, 12)},
          {4, {{13, Spades}}}}, 5);
    w.DoubleClickCell(4);
    EXPECT_EQ(w.Game->GetWon(), 1);
    EXPECT_EQ(w.Game->GetScore(), 364);
}

} // namespace
