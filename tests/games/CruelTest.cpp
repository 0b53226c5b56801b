// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Cruel.h"
#include "RedealGamesSupport.h"

using namespace RedealTest;

namespace {

constexpr int CruelId = 24;

Cruel &Game(Board &b)
{
    return static_cast<Cruel &>(*b.Game);
}

} // namespace

TEST(Cruel, DealsTheAcesAsideAndBuildsDownBySuit)
{
    Board b(CruelId, 3);
    ASSERT_EQ(b.Table->GetCellCount(), 16);
    for (int f = 0; f < 4; ++f) {
        ASSERT_EQ(b.Cell(f)->GetCount(), 1);
        EXPECT_EQ(b.Cell(f)->GetCard(0)->GetValue(), 1);
    }
    for (int i = Cruel::FirstPile; i <= Cruel::LastPile; ++i) {
        ASSERT_EQ(b.Cell(i)->GetCount(), 4) << i;
        for (const CardWrapper *card : b.Cell(i)->GetCards())
            EXPECT_TRUE(card->GetFrontUp() && card->GetCard()->GetValue() != 1);
    }
    b.Place(4, -1, 9, Clubs);
    b.Place(5, -1, 10, Clubs);
    b.Place(6, -1, 10, Spades);
    const CardWrapper *nine = b.Cell(4)->GetWrapper(-1);
    EXPECT_TRUE(Game(b).CanPlace(nine, 5));
    EXPECT_FALSE(Game(b).CanPlace(nine, 6));
    b.Cell(7)->Clear();
    EXPECT_FALSE(Game(b).CanPlace(nine, 7));
}

TEST(Cruel, RedealsKeepTheGatheringOrderAndAreUndoneOneByOne)
{
    Board b(CruelId, 4);
    // 30 cards left: piles 4..7 and half of pile 8 onto a foundation.
    for (int i = 4; i <= 8; ++i) {
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
    for (int n = 0; n < 4; ++n)
        ClickRedeal(b);
    EXPECT_EQ(Game(b).GetRedealCount(), 5);
    for (int n = 0; n < 4; ++n)
        b.Game->Undo();
    EXPECT_EQ(PairsTest::PositionKey(b), once);
    b.Game->Undo();
    EXPECT_EQ(PairsTest::PositionKey(b), dealt);
    EXPECT_EQ(Game(b).GetRedealCount(), 0);
}

TEST(Cruel, FoundationCardsScoreTheirValueAndTheGameIsWonButNeverLost)
{
    Board b(CruelId, 5);
    b.Game->StartPlay();
    b.Place(4, -1, 2, Hearts);
    int hearts = 0;
    while (b.Cell(hearts)->GetCard(0)->GetSuit() != Hearts)
        ++hearts;
    Drag(b, b.CentreOf(4), b.CentreOf(hearts));
    EXPECT_EQ(b.Cell(hearts)->GetCount(), 2);
    EXPECT_EQ(b.Game->GetScore(), 2);
    b.Game->Undo();
    EXPECT_EQ(b.Game->GetScore(), 0);

    // Everything but the King of Spades on the foundations: blocked piles
    // are never announced; its double-click wins.
    for (int f = 0; f < 4; ++f) {
        const CardSuit suit = b.Cell(f)->GetCard(0)->GetSuit();
        for (int v = 2; v <= (suit == Spades ? 12 : 13); ++v)
            Lay(b, f, v, suit, Cruel::FirstPile);
    }
    b.Game->EndMove(nullptr);
    b.Game->OnMouseUp(0, 0);
    EXPECT_TRUE(b.Answers.Captions.isEmpty());
    for (int i = Cruel::FirstPile; i <= Cruel::LastPile; ++i) {
        if (b.Cell(i)->GetCount() > 0)
            EngineTest::DoubleClick(b.Table.get(), b.CentreOf(i));
    }
    EXPECT_EQ(b.Game->GetWon(), 1);
    ASSERT_EQ(b.Answers.Captions.size(), 1);
    EXPECT_EQ(b.Answers.Captions[0], "Congratulations - Vek Solitaire");
}

TEST(Cruel, SavedGamesKeepTheRedealCountAndEveryCard)
{
    Board b(CruelId, 6);
    ClickRedeal(b);
    ClickRedeal(b);
    QByteArray bytes = Saved(*b.Game);
    b.Game->NewGame(true);
    ASSERT_TRUE(Load(*b.Game, bytes));
    EXPECT_EQ(Game(b).GetRedealCount(), 2);
    EXPECT_EQ(Saved(*b.Game), bytes);
    bytes[14] = char(bytes[14] % 13 + 1);
    EXPECT_FALSE(Load(*b.Game, bytes));
}
