// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>

#include <gtest/gtest.h>

#include "LaBelleLucie.h"
#include "RedealGamesSupport.h"

using namespace RedealTest;

namespace {

constexpr int FirstFan = LaBelleLucie::FirstFan;

LaBelleLucie &Lucie(Board &b)
{
    return static_cast<LaBelleLucie &>(*b.Game);
}

} // namespace

TEST(LaBelleLucie, DealsFansOfThreeAndTrefoilSetsTheAcesAsideAndIsWon)
{
    Board lucie(16, 3);
    ASSERT_EQ(lucie.Table->GetCellCount(), 22);
    for (int i = FirstFan; i < 22; ++i)
        EXPECT_EQ(lucie.Cell(i)->GetCount(), i == 21 ? 1 : 3) << i;
    lucie.Cell(21)->Clear(); // an empty fan takes nothing, not even a King
    for (const CardWrapper *card : lucie.Cell(FirstFan)->GetCards())
        EXPECT_FALSE(Lucie(lucie).CanPlace(card, 21));

    Board trefoil(17, 3);
    ASSERT_EQ(trefoil.Table->GetCellCount(), 20);
    ExpectAcesAside(trefoil, FirstFan, 19, 3);
    trefoil.Game->StartPlay();
    for (int suit = Clubs; suit <= Spades; ++suit) {
        for (int v = 2; v <= (suit == Spades ? 12 : 13); ++v)
            Lay(trefoil, suit, v, CardSuit(suit), FirstFan);
    }
    ExpectWonByLastCard(trefoil, FirstFan);
    EXPECT_EQ(trefoil.Game->GetWon(), 1);
}

TEST(LaBelleLucie, RedealsTwiceAtRandomEachUndoneExactly)
{
    Board b(16, 4);
    for (int i = FirstFan, left = 52; left > 20; ++i) { // 20 cards left in the fans
        for (; left > 20 && b.Cell(i)->GetCount() > 0; --left)
            b.Cell(0)->Add(b.Cell(i)->GetWrapper(-1), true);
    }
    const std::string before = PairsTest::PositionKey(b);
    ClickRedeal(b);
    for (int i = FirstFan; i < 22; ++i)
        EXPECT_EQ(b.Cell(i)->GetCount(), i < 10 ? 3 : i == 10 ? 2 : 0) << i;
    EXPECT_EQ(b.Host.StatusText, "Shuffles: 2/3 Merci available: Yes");
    EXPECT_TRUE(b.Game->IsStarted());
    b.Game->Undo();
    EXPECT_EQ(PairsTest::PositionKey(b), before);
    EXPECT_EQ(Lucie(b).GetDealCount(), 1);

    ClickRedeal(b);
    ClickRedeal(b);
    const std::string third = PairsTest::PositionKey(b);
    ClickRedeal(b);
    EXPECT_EQ(b.Host.StatusText, "You have already shuffled the cards 3 times!");
    EXPECT_EQ(PairsTest::PositionKey(b), third);

    // Saved deal counts outside 1..3 are refused; any non-zero merci is used.
    QByteArray bytes = Saved(*b.Game);
    const qsizetype deals = bytes.size() - 4;
    for (char count : {0, 4}) {
        bytes[deals] = count;
        EXPECT_FALSE(Load(*b.Game, bytes)) << int(count);
    }
    bytes[deals] = 3;
    bytes[deals + 2] = 7;
    ASSERT_TRUE(Load(*b.Game, bytes));
    EXPECT_TRUE(Lucie(b).IsMerciUsed());

    // Successive new games differ; redeals leave the library's generator alone.
    b.Game->NewGame(true);
    EXPECT_NE(PairsTest::PositionKey(b), third);
    srand(77);
    b.Game->NewGame(true);
    const int next = rand();
    srand(77);
    b.Game->NewGame(true);
    ClickRedeal(b);
    ClickRedeal(b);
    EXPECT_EQ(rand(), next);
}

TEST(LaBelleLucie, OneMerciAfterTheThirdDealAndLostOnlyOnceItIsSpent)
{
    Board b(16, 6);
    b.Game->StartPlay();
    CardWrapper *buried = b.Cell(FirstFan)->GetWrapper(0);
    Drag(b, VisiblePart(b, buried), VisiblePart(b, b.Cell(FirstFan)->GetWrapper(-1)));
    EXPECT_EQ(b.Cell(FirstFan)->IndexOf(buried), 0); // not before the third deal
    ClickRedeal(b);
    ClickRedeal(b);
    // Clubs to Hearts complete, the Spades up to the Ten, and Jack, King,
    // Queen of Spades in fan 4, the only cards left: no top card fits.
    for (int suit = Clubs; suit <= Spades; ++suit) {
        for (int v = 1; v <= (suit == Spades ? 10 : 13); ++v)
            Lay(b, suit, v, CardSuit(suit), FirstFan);
    }
    for (int v : {11, 13, 12})
        Lay(b, FirstFan, v, Spades, FirstFan);
    b.Game->EndMove(nullptr);
    b.Game->OnMouseUp(0, 0);
    EXPECT_TRUE(b.Answers.Captions.isEmpty()); // the merci is still there

    CardWrapper *jack = b.Cell(FirstFan)->GetWrapper(0);
    EngineTest::Click(b.Table.get(), VisiblePart(b, jack)); // a click spends nothing
    EXPECT_FALSE(Lucie(b).IsMerciUsed());
    Drag(b, VisiblePart(b, jack), VisiblePart(b, b.Cell(Spades)->GetWrapper(-1)));
    EXPECT_EQ(b.Cell(Spades)->GetWrapper(-1), jack);
    EXPECT_EQ(b.Host.StatusText, "Shuffles: 3/3 Merci available: No");
    CardWrapper *king = b.Cell(FirstFan)->GetWrapper(0);
    Drag(b, VisiblePart(b, king), VisiblePart(b, b.Cell(FirstFan)->GetWrapper(-1)));
    EXPECT_EQ(b.Cell(FirstFan)->GetWrapper(0), king); // one merci only
    b.Game->Undo();
    EXPECT_EQ(b.Host.StatusText, "Shuffles: 3/3 Merci available: Yes");
    EXPECT_EQ(b.Cell(FirstFan)->GetWrapper(0), jack);

    // The King drawn to the top of its own fan: nothing fits any more.
    Drag(b, VisiblePart(b, king), VisiblePart(b, b.Cell(FirstFan)->GetWrapper(-1)));
    EXPECT_EQ(b.Answers.Captions, QStringList{"Game over - Vek Solitaire"});
}
