// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>

#include <gtest/gtest.h>

#include "LaBelleLucie.h"
#include "RedealGamesSupport.h"

using namespace RedealTest;

namespace {

constexpr int LucieId = 16;
constexpr int TrefoilId = 17;
constexpr int FirstFan = LaBelleLucie::FirstFan;

LaBelleLucie &Lucie(Board &b)
{
    return static_cast<LaBelleLucie &>(*b.Game);
}

// Clubs, Diamonds and Hearts complete on foundations 0..2, the Spades up to
// the Ten on foundation 3, and fan 4 holding Jack, King, Queen of Spades:
// no top card fits anywhere.
void LayBlockedPosition(Board &b, bool foundations)
{
    for (int suit = Clubs; suit <= Spades && foundations; ++suit) {
        for (int v = 1; v <= (suit == Spades ? 10 : 13); ++v)
            Lay(b, suit, v, CardSuit(suit), FirstFan);
    }
    for (int v : {11, 13, 12})
        Lay(b, FirstFan, v, Spades, FirstFan);
    for (int i = FirstFan + 1; i <= Lucie(b).LastFan(); ++i)
        ASSERT_EQ(b.Cell(i)->GetCount(), 0);
    b.Game->EndMove(nullptr);
}

} // namespace

TEST(LaBelleLucie, DealsFansOfThreeAndTrefoilSetsTheAcesAside)
{
    Board lucie(LucieId, 3);
    ASSERT_EQ(lucie.Table->GetCellCount(), 22);
    for (int i = FirstFan; i < 22; ++i)
        EXPECT_EQ(lucie.Cell(i)->GetCount(), i == 21 ? 1 : 3) << i;
    EXPECT_EQ(lucie.Host.StatusText, "Shuffles: 1/3 Merci available: Yes");
    // An emptied fan takes nothing, not even a King.
    lucie.Cell(21)->Clear();
    for (const CardWrapper *card : lucie.Cell(FirstFan)->GetCards())
        EXPECT_FALSE(Lucie(lucie).CanPlace(card, 21));

    Board trefoil(TrefoilId, 3);
    EXPECT_EQ(trefoil.Game->GetName(), "Trefoil");
    ASSERT_EQ(trefoil.Table->GetCellCount(), 20);
    for (int f = 0; f < 4; ++f) {
        ASSERT_EQ(trefoil.Cell(f)->GetCount(), 1);
        EXPECT_EQ(trefoil.Cell(f)->GetCard(0)->GetValue(), 1);
    }
    for (int i = FirstFan; i < 20; ++i) {
        ASSERT_EQ(trefoil.Cell(i)->GetCount(), 3) << i;
        for (const CardWrapper *card : trefoil.Cell(i)->GetCards())
            EXPECT_NE(card->GetCard()->GetValue(), 1);
    }
}

TEST(LaBelleLucie, RedealsTwiceAtRandomEachUndoneExactly)
{
    Board b(LucieId, 4);
    // 20 cards left in the fans.
    for (int i = FirstFan, left = 52; left > 20; ++i) {
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
    EXPECT_EQ(b.Game->GetUndoCount(), 2);
}

TEST(LaBelleLucie, NewGamesDifferAndRedealsLeaveTheLibraryGeneratorAlone)
{
    Board b(LucieId, 5);
    b.Game->NewGame(true);
    const std::string first = PairsTest::PositionKey(b);
    b.Game->NewGame(true);
    EXPECT_NE(PairsTest::PositionKey(b), first);

    srand(77);
    b.Game->NewGame(true);
    const int next = rand();
    srand(77);
    b.Game->NewGame(true);
    ClickRedeal(b);
    ClickRedeal(b);
    EXPECT_EQ(rand(), next);
}

TEST(LaBelleLucie, TheMerciIsOneDragOfABuriedCardAfterTheThirdDeal)
{
    Board b(LucieId, 6);
    CardWrapper *buried = b.Cell(FirstFan)->GetWrapper(0);
    const QPoint top = VisiblePart(b, b.Cell(FirstFan)->GetWrapper(-1));
    Drag(b, VisiblePart(b, buried), top);
    EXPECT_EQ(b.Cell(FirstFan)->IndexOf(buried), 0);

    ClickRedeal(b);
    ClickRedeal(b);
    buried = b.Cell(FirstFan)->GetWrapper(0);
    // Pressed and let go where it lies: a click, no merci.
    EngineTest::Click(b.Table.get(), VisiblePart(b, buried));
    EXPECT_FALSE(Lucie(b).IsMerciUsed());
    Drag(b, VisiblePart(b, buried), top);
    EXPECT_EQ(b.Cell(FirstFan)->GetWrapper(-1), buried);
    EXPECT_EQ(b.Host.StatusText, "Shuffles: 3/3 Merci available: No");
    CardWrapper *next = b.Cell(FirstFan)->GetWrapper(0);
    Drag(b, VisiblePart(b, next), VisiblePart(b, buried));
    EXPECT_EQ(b.Cell(FirstFan)->GetWrapper(0), next);

    b.Game->Undo();
    EXPECT_FALSE(Lucie(b).IsMerciUsed());
    EXPECT_EQ(b.Host.StatusText, "Shuffles: 3/3 Merci available: Yes");
    EXPECT_EQ(b.Cell(FirstFan)->GetWrapper(0), buried);
}

TEST(LaBelleLucie, LostOnlyWithEveryDealAndTheMerciSpentAndWon)
{
    Board b(LucieId, 7);
    b.Game->StartPlay();
    LayBlockedPosition(b, true);
    b.Game->OnMouseUp(0, 0);
    ClickRedeal(b); // gathers the three cards and deals them again
    ClickRedeal(b);
    LayBlockedPosition(b, false);
    b.Game->OnMouseUp(0, 0);
    EXPECT_TRUE(b.Answers.Captions.isEmpty());
    // The merci brings the King to the top: still nothing fits.
    CardWrapper *king = b.Cell(FirstFan)->GetWrapper(1);
    Drag(b, VisiblePart(b, king), VisiblePart(b, b.Cell(FirstFan)->GetWrapper(-1)));
    ASSERT_EQ(b.Cell(FirstFan)->GetWrapper(-1), king);
    ASSERT_EQ(b.Answers.Captions.size(), 1);
    EXPECT_EQ(b.Answers.Captions[0], "Game over - Vek Solitaire");

    Board won(TrefoilId, 8);
    won.Game->StartPlay();
    for (int suit = Clubs; suit <= Spades; ++suit) {
        for (int v = 2; v <= (suit == Spades ? 12 : 13); ++v)
            Lay(won, suit, v, CardSuit(suit), FirstFan);
    }
    CardWrapper *last = nullptr;
    for (int i = FirstFan; i < 20 && !last; ++i)
        last = won.Cell(i)->GetWrapper(-1);
    ASSERT_NE(last, nullptr);
    EngineTest::DoubleClick(won.Table.get(), VisiblePart(won, last));
    EXPECT_EQ(won.Game->GetWon(), 1);
    ASSERT_EQ(won.Answers.Captions.size(), 1);
    EXPECT_EQ(won.Answers.Captions[0], "Congratulations - Vek Solitaire");
}

TEST(LaBelleLucie, SavedDealCountsOutsideOneToThreeAreRefused)
{
    Board b(LucieId, 9);
    ClickRedeal(b);
    QByteArray bytes = Saved(*b.Game);
    const qsizetype deals = bytes.size() - 4;
    ASSERT_EQ(bytes[deals], 2);
    for (char count : {0, 4}) {
        bytes[deals] = count;
        EXPECT_FALSE(Load(*b.Game, bytes)) << int(count);
    }
    bytes[deals] = 3;
    bytes[deals + 2] = 7; // any non-zero merci value counts as used
    ASSERT_TRUE(Load(*b.Game, bytes));
    EXPECT_EQ(Lucie(b).GetDealCount(), 3);
    EXPECT_TRUE(Lucie(b).IsMerciUsed());
    // A deal pile that is not what the fans hold.
    bytes[14] = char(bytes[14] % 13 + 1);
    EXPECT_FALSE(Load(*b.Game, bytes));
}
