// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Cruel.h"
#include "RedealGamesSupport.h"

using namespace RedealTest;

TEST(Cruel, DealsTheAcesAsideAndRedealsInGatheringOrderUndoneOneByOne)
{
    Board b(24, 4);
    ExpectAcesAside(b, Cruel::FirstPile, Cruel::LastPile, 4);
    for (int i = 4; i <= 8; ++i) { // 30 cards left, the first two in pile 8
        while (b.Cell(i)->GetCount() > (i == 8 ? 2 : 0))
            b.Cell(0)->Add(b.Cell(i)->GetWrapper(-1), true);
    }
    const CardWrapper *firstGathered = b.Cell(8)->GetWrapper(0);
    const std::string dealt = PairsTest::PositionKey(b);
    ClickRedeal(b);
    for (int i = Cruel::FirstPile; i <= Cruel::LastPile; ++i)
        EXPECT_EQ(b.Cell(i)->GetCount(), i <= 10 ? 4 : i == 11 ? 2 : 0) << i;
    EXPECT_EQ(b.Cell(4)->GetWrapper(0), firstGathered);
    const std::string once = PairsTest::PositionKey(b);
    ClickRedeal(b); // as often as the player likes, each undone on its own
    b.Game->Undo();
    EXPECT_EQ(PairsTest::PositionKey(b), once);
    b.Game->Undo();
    EXPECT_EQ(PairsTest::PositionKey(b), dealt);
}

TEST(Cruel, FoundationCardsScoreTheirValueAndTheGameIsWonButNeverLost)
{
    Board b(24, 5);
    b.Game->StartPlay();
    // Everything but the Queen and King of Spades on the foundations; the
    // King on the Queen blocks every pile, which is never announced.
    for (int f = 0; f < 4; ++f) {
        const CardSuit suit = b.Cell(f)->GetCard(0)->GetSuit();
        for (int v = 2; v <= (suit == Spades ? 11 : 13); ++v)
            Lay(b, f, v, suit, Cruel::FirstPile);
    }
    Lay(b, 4, 12, Spades, Cruel::FirstPile);
    Lay(b, 4, 13, Spades, Cruel::FirstPile);
    b.Game->OnMouseUp(0, 0);
    EXPECT_TRUE(b.Answers.Captions.isEmpty());

    Lay(b, 5, 13, Spades, Cruel::FirstPile);
    int spades = 0;
    while (b.Cell(spades)->GetCard(0)->GetSuit() != Spades)
        ++spades;
    Drag(b, b.CentreOf(4), b.CentreOf(spades));
    EXPECT_EQ(b.Game->GetScore(), 12);
    b.Game->Undo();
    EXPECT_EQ(b.Game->GetScore(), 0);
    EngineTest::DoubleClick(b.Table.get(), b.CentreOf(4));
    ExpectWonByLastCard(b, Cruel::FirstPile);
    EXPECT_EQ(b.Game->GetScore(), 25);
}
