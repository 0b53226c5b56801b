// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ColumnGamesSupport.h"
#include "MountSunflower.h"

namespace {

using namespace ColumnGamesTest;
using M = MountSunflower;

constexpr int MountSunflowerId = 23;

TEST(MountSunflower, DealsAValleyResumesAndFeedsTheLastThreeCardsToTheFirstColumns)
{
    ColumnTable t(MountSunflowerId);
    const int down[] = {3, 2, 1, 0, 1, 2, 3};
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(t.FaceDown(M::FirstColumn + k), down[k]);
    EXPECT_EQ(t.Count(M::Stock), 24);
    t.ExpectSaveRoundTrip();
    for (int click = 0; click < 4; ++click)
        t.ClickCell(M::Stock);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(t.Count(M::FirstColumn + k) - 4, k < 3 ? 4 : 3) << k;
}

TEST(MountSunflower, RunsOfOneSuitMoveTogetherOnlyToColumnsAndUndoInOrder)
{
    ColumnTable t(MountSunflowerId);
    t.Set({{5, {{3, Diamonds, false}, {6, Spades}, {5, Spades}, {4, Hearts}, {3, Hearts}}},
          {6, {{2, Clubs, false}, {9, Diamonds}, {8, Diamonds}, {7, Diamonds}}},
          {7, {{10, Spades}}}, {8, {{5, Clubs}}}, {9, {{2, Hearts}, {1, Hearts}}}}, M::Stock);
    t.DragOnto(5, 2, 8);
    EXPECT_EQ(t.Count(8), 1) << "5 of Spades lies under a change of suit";
    t.DragOnto(5, 3, 8);
    EXPECT_EQ(t.Count(8), 3);

    const Snapshot before = t.Cells();
    t.DragOnto(6, 1, 7);
    ASSERT_EQ(t.Count(7), 4);
    EXPECT_TRUE(t.CellOf(6)->GetWrapper(0)->GetFrontUp());
    t.Game->Undo();
    EXPECT_EQ(t.Cells(), before);

    // Two cards never go to a foundation; one at a time they score.
    t.DragOnto(9, 0, M::FirstFoundation);
    EXPECT_EQ(t.Count(M::FirstFoundation), 0);
    t.DoubleClickCell(9);
    t.DoubleClickCell(9);
    t.DoubleClickCell(8);
    EXPECT_EQ(t.Game->GetScore(), 6);
    t.Game->Undo();
    EXPECT_EQ(t.Game->GetScore(), 3);
}

TEST(MountSunflower, LostRightAfterTheMoveThatLeavesNoneAndWon)
{
    ColumnTable t(MountSunflowerId);
    t.Set({{5, {{12, Spades}}}, {6, {{13, Clubs, false}, {11, Hearts}}}, {7, {{9, Diamonds}}}, {8, {{7, Clubs}}},
          {9, {{5, Hearts}}}, {10, {{3, Spades}}}, {11, {{9, Clubs}}}}, 11);
    t.DragOnto(6, 1, 5);
    EXPECT_EQ(t.Answers.Texts, QStringList{LostText});

    ColumnTable w(MountSunflowerId);
    w.PositionScore = 3 * 91 + 78;
    w.Set({{1, Built(Clubs, 13)}, {2, Built(Diamonds, 13)}, {3, Built(Hearts, 13)}, {4, Built(Spades, 12)},
          {5, {{13, Spades}}}}, 6);
    w.DoubleClickCell(5);
    EXPECT_EQ(w.Game->GetWon(), 1);
    EXPECT_EQ(w.Game->GetScore(), 364);
}

} // namespace
