// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "RedealGamesSupport.h"
#include "StHelena.h"

using namespace RedealTest;

namespace {

constexpr int StHelenaId = 18;

StHelena &Game(Board &b)
{
    return static_cast<StHelena &>(*b.Game);
}

bool Suggested(Board &b, int from, int to)
{
    for (int i = 0; i < b.Game->GetPossibleMoveCount(); ++i) {
        const PossibleMove *move = b.Game->GetPossibleMove(i);
        if (move->GetFrom() == b.Cell(from) && move->GetTo() == b.Cell(to))
            return true;
    }
    return false;
}

// Fours, Sixes and Eights on top of the twelve piles: with only the Aces and
// Kings on the foundations nothing fits anywhere.
void BlockEveryPile(Board &b)
{
    int pile = StHelena::FirstPile;
    for (int suit = Clubs; suit <= Spades; ++suit) {
        for (int v : {4, 6, 8})
            b.Place(pile++, -1, v, CardSuit(suit));
    }
    b.Game->EndMove(nullptr);
}

} // namespace

TEST(StHelena, DealsAcesAndKingsToTheFoundationsAndEightCardsAPile)
{
    Board b(StHelenaId, 3);
    ASSERT_EQ(b.Table->GetCellCount(), 20);
    for (int f = 0; f < 8; ++f) {
        ASSERT_EQ(b.Cell(f)->GetCount(), 1);
        EXPECT_EQ(b.Cell(f)->GetCard(0), b.CardOf(f < 4 ? 1 : 13, CardSuit(f % 4)));
    }
    for (int i = StHelena::FirstPile; i <= StHelena::LastPile; ++i) {
        ASSERT_EQ(b.Cell(i)->GetCount(), 8) << i;
        for (const CardWrapper *card : b.Cell(i)->GetCards())
            EXPECT_TRUE(card->GetFrontUp());
    }
    EXPECT_EQ(b.Host.StatusText, "Deals: 1/3");
}

TEST(StHelena, TheFirstDealFeedsEachRowsOwnFoundationsAndReturnsWithUndo)
{
    Board b(StHelenaId, 4);
    b.Place(9, -1, 2, Hearts);
    b.Place(10, -1, 12, Hearts);
    b.Place(12, -1, 12, Diamonds);
    b.Place(15, -1, 2, Clubs);
    b.Place(11, -1, 3, Hearts);
    const auto allowed = [&b](int pile, int target) {
        return Game(b).CanPlace(b.Cell(pile)->GetWrapper(-1), pile, target);
    };
    EXPECT_TRUE(allowed(9, 2));
    EXPECT_FALSE(allowed(10, 6));
    EXPECT_TRUE(allowed(12, 5));
    EXPECT_FALSE(allowed(15, 0));
    // Same suit one up or down on a pile, anything on an empty one.
    EXPECT_TRUE(allowed(9, 11));
    EXPECT_FALSE(allowed(10, 11));
    b.Cell(11)->Clear();
    EXPECT_TRUE(allowed(10, 11));

    // The same cards after a redeal, wherever it put them; and after its undo.
    const CardWrapper *queen = b.Cell(10)->GetWrapper(-1);
    const CardWrapper *two = b.Cell(15)->GetWrapper(-1);
    ClickRedeal(b);
    EXPECT_TRUE(Game(b).CanPlace(queen, 10, 6) && Game(b).CanPlace(two, 15, 0));
    b.Game->Undo();
    EXPECT_EQ(Game(b).GetDealCount(), 1);
    EXPECT_FALSE(Game(b).CanPlace(queen, 10, 6) || Game(b).CanPlace(two, 15, 0));
}

TEST(StHelena, ARedealAfterPilesChangedSizeIsUndoneExactly)
{
    Board b(StHelenaId, 5);
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
}

TEST(StHelena, LostOnlyAfterTheThirdDealAndWon)
{
    Board b(StHelenaId, 6);
    b.Game->StartPlay();
    for (int deal = 1; deal <= 3; ++deal) {
        BlockEveryPile(b);
        ASSERT_EQ(b.Game->GetPossibleMoveCount(), 0);
        b.Game->OnMouseUp(0, 0);
        EXPECT_EQ(b.Answers.Captions.size(), deal == 3 ? 1 : 0) << deal;
        if (deal < 3)
            ClickRedeal(b);
    }

    Board won(StHelenaId, 7);
    won.Game->StartPlay();
    for (int suit = Clubs; suit <= Spades; ++suit) {
        for (int v = 2; v <= (suit == Spades ? 12 : 13); ++v)
            Lay(won, suit, v, CardSuit(suit), StHelena::FirstPile);
        for (int v = 12; v >= 1; --v)
            Lay(won, 4 + suit, v, CardSuit(suit), StHelena::FirstPile);
    }
    int last = StHelena::FirstPile;
    while (won.Cell(last)->GetCount() == 0)
        ++last;
    EngineTest::DoubleClick(won.Table.get(), won.CentreOf(last));
    EXPECT_EQ(won.Game->GetScore(), 13);
    EXPECT_EQ(won.Game->GetWon(), 1);
    ASSERT_EQ(won.Answers.Captions.size(), 1);
    EXPECT_EQ(won.Answers.Captions[0], "Congratulations - Vek Solitaire");
}

TEST(StHelena, ResumedDealCountsAreCheckedAndGovernTheSuggestions)
{
    Board b(StHelenaId, 8);
    ClickRedeal(b);
    b.Place(10, -1, 12, Hearts);
    QByteArray bytes = Saved(*b.Game);
    b.Game->NewGame(true);
    ASSERT_TRUE(Load(*b.Game, bytes));
    EXPECT_EQ(Game(b).GetDealCount(), 2);
    EXPECT_TRUE(Suggested(b, 10, 6));
    const qsizetype deals = bytes.size() - 2;
    for (char count : {0, 4}) {
        bytes[deals] = count;
        EXPECT_FALSE(Load(*b.Game, bytes)) << int(count);
    }
}
