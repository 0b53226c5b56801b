// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "RedealGamesSupport.h"
#include "StHelena.h"

using namespace RedealTest;

namespace {

StHelena &Game(Board &b)
{
    return static_cast<StHelena &>(*b.Game);
}

} // namespace

TEST(StHelena, DealsAndTheFirstDealFeedsEachRowsOwnFoundationsAgainAfterUndo)
{
    Board b(18, 4);
    for (int c = 0; c < 20; ++c)
        ASSERT_EQ(b.Cell(c)->GetCount(), c < 8 ? 1 : 8) << c;
    // Foundation 2 holds the Ace of Hearts, 5 the King of Diamonds.
    b.Place(9, -1, 2, Hearts);
    b.Place(10, -1, 12, Hearts);
    b.Place(12, -1, 12, Diamonds);
    b.Place(15, -1, 2, Clubs);
    const CardWrapper *queen = b.Cell(10)->GetWrapper(-1), *two = b.Cell(15)->GetWrapper(-1);
    EXPECT_TRUE(Game(b).CanPlace(b.Cell(9)->GetWrapper(-1), 9, 2));
    EXPECT_TRUE(Game(b).CanPlace(b.Cell(12)->GetWrapper(-1), 12, 5));
    EXPECT_FALSE(Game(b).CanPlace(queen, 10, 6) || Game(b).CanPlace(two, 15, 0));
    // The same cards after a redeal, wherever it put them, and after its undo.
    ClickRedeal(b);
    EXPECT_TRUE(Game(b).CanPlace(queen, 10, 6) && Game(b).CanPlace(two, 15, 0));
    b.Game->Undo();
    EXPECT_FALSE(Game(b).CanPlace(queen, 10, 6) || Game(b).CanPlace(two, 15, 0));
}

TEST(StHelena, ARedealAfterPilesChangedSizeIsUndoneExactly)
{
    Board b(18, 5);
    // Pile 9 twice its size, pile 8 empty, pile 19 down to three cards.
    while (b.Cell(8)->GetCount() > 0)
        b.Cell(9)->Add(b.Cell(8)->GetWrapper(-1), true);
    for (int n = 0; n < 5; ++n)
        b.Cell(0)->Add(b.Cell(19)->GetWrapper(-1), true);
    const CardWrapper *bottom19 = b.Cell(19)->GetWrapper(0);
    const std::string before = PairsTest::PositionKey(b);
    ClickRedeal(b);
    EXPECT_EQ(b.Cell(8)->GetWrapper(0), bottom19);
    EXPECT_EQ(b.Host.StatusText, "Deals: 2/3");
    b.Game->Undo();
    EXPECT_EQ(PairsTest::PositionKey(b), before);

    ClickRedeal(b);
    ClickRedeal(b);
    const std::string third = PairsTest::PositionKey(b);
    ClickRedeal(b);
    EXPECT_EQ(b.Host.StatusText, "You have already dealt the cards 3 times!");
    EXPECT_EQ(PairsTest::PositionKey(b), third);

    // Resumed, the count read decides the suggestions; outside 1..3 refused.
    b.Place(10, -1, 12, Hearts);
    QByteArray bytes = Saved(*b.Game);
    b.Game->NewGame(true);
    ASSERT_TRUE(Load(*b.Game, bytes));
    bool suggested = false; // the Queen of the top row onto her King
    for (int i = 0; i < b.Game->GetPossibleMoveCount(); ++i) {
        const PossibleMove *move = b.Game->GetPossibleMove(i);
        suggested = suggested || (move->GetFrom() == b.Cell(10) && move->GetTo() == b.Cell(6));
    }
    EXPECT_TRUE(suggested);
    for (char count : {0, 4}) {
        bytes[bytes.size() - 2] = count;
        EXPECT_FALSE(Load(*b.Game, bytes)) << int(count);
    }
}

TEST(StHelena, LostOnlyAfterTheThirdDealAndWon)
{
    Board b(18, 6);
    b.Game->StartPlay();
    for (int deal = 1; deal <= 3; ++deal) {
        // Fours, Sixes and Eights on top of the twelve piles: nothing fits.
        for (int k = 0; k < 12; ++k)
            b.Place(StHelena::FirstPile + k, -1, 4 + 2 * (k % 3), CardSuit(k / 3));
        b.Game->EndMove(nullptr);
        b.Game->OnMouseUp(0, 0);
        EXPECT_EQ(b.Answers.Captions.size(), deal == 3 ? 1 : 0) << deal;
        ClickRedeal(b);
    }

    Board won(18, 7);
    won.Game->StartPlay();
    for (int suit = Clubs; suit <= Spades; ++suit) {
        for (int v = 2; v <= (suit == Spades ? 12 : 13); ++v)
            Lay(won, suit, v, CardSuit(suit), StHelena::FirstPile);
        for (int v = 12; v >= 1; --v)
            Lay(won, 4 + suit, v, CardSuit(suit), StHelena::FirstPile);
    }
    ExpectWonByLastCard(won, StHelena::FirstPile);
    EXPECT_EQ(won.Game->GetScore(), 13);
}
