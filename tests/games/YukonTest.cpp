// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ColumnGamesSupport.h"
#include "Yukon.h"

namespace {

using namespace ColumnGamesTest;

constexpr int YukonId = 15;

TEST(Yukon, DealsAllCardsInSevenColumnsAndResumes)
{
    ColumnTable t(YukonId);
    const int counts[] = {1, 6, 7, 8, 9, 10, 11};
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(t.Count(Yukon::FirstColumn + k), counts[k]);
        EXPECT_EQ(t.FaceDown(Yukon::FirstColumn + k), k);
    }
    t.ExpectSaveRoundTrip();
}

TEST(Yukon, APileGoesAlongOutOfOrderAndComesBackOnUndo)
{
    ColumnTable t(YukonId);
    t.Set({{4, {{5, Clubs, false}, {9, Spades}, {8, Hearts}, {3, Clubs}, {13, Diamonds}}}, {5, {{10, Hearts}}},
          {6, {{10, Diamonds}}}}, 10);
    const Snapshot before = t.Cells();
    const int atStart = t.Count(5);
    t.DragOnto(4, 1, 5);
    ASSERT_EQ(t.Count(5), atStart + 4);
    EXPECT_EQ(t.CellOf(5)->GetCard(-1), t.CardOf(13, Diamonds));
    EXPECT_EQ(t.Count(4), 1);
    EXPECT_TRUE(t.CellOf(4)->GetWrapper(0)->GetFrontUp());
    t.Game->Undo();
    EXPECT_EQ(t.Cells(), before);
}

TEST(Yukon, NotLostWhileATopCardFitsAFoundationAndWonByDoubleClicks)
{
    ColumnTable t(YukonId);
    // Only the foundations take cards; no column move is left at all.
    t.Set({{0, Built(Clubs, 13)}, {1, Built(Diamonds, 13)}, {2, Built(Hearts, 13)}, {3, Built(Spades, 5)},
          {4, {{7, Spades}, {6, Spades}}}, {5, {{8, Spades}}}, {6, {{9, Spades}}}, {7, {{10, Spades}}},
          {8, {{11, Spades}}}, {9, {{12, Spades}}}, {10, {{13, Spades}}}}, 10);
    t.DoubleClickCell(4);
    EXPECT_EQ(t.Game->GetPossibleMoveCount(), 0);
    EXPECT_TRUE(t.Answers.Texts.isEmpty());
    t.Game->SuggestMove(); // the card that may still go up
    EXPECT_EQ(t.Host.StatusText, QString());
    for (int c = 4; c <= 10; ++c)
        t.DoubleClickCell(c);
    EXPECT_EQ(t.Game->GetWon(), 1);
}

TEST(Yukon, LostRightAfterTheMoveThatLeavesNone)
{
    ColumnTable t(YukonId);
    // Red tops only, and the foundations want a Three.
    t.Set({{0, Built(Clubs, 13)}, {1, Built(Diamonds, 13)}, {2, Built(Hearts, 2)}, {3, Built(Spades, 2)},
          {4, {{8, Spades}}}, {5, {{12, Hearts, false}, {7, Hearts}}}, {6, {{5, Hearts}}}, {7, {{11, Hearts}}},
          {8, {{13, Hearts}}}, {9, {{10, Hearts}}}, {10, {{6, Hearts}}}}, 10);
    t.DragOnto(5, 1, 4);
    EXPECT_EQ(t.Count(4), 2);
    EXPECT_EQ(t.Answers.Texts, QStringList{LostText});
    EXPECT_EQ(t.MovingCount(), 0);
}

} // namespace
