// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "BlackHole.h"
#include "PairGamesSupport.h"

using namespace PairsTest;

namespace {

constexpr int BlackHoleId = 22;

// Deals the cards in a chosen order.
class StackedBlackHole : public BlackHole {
public:
    using BlackHole::BlackHole;
    void DealInOrder(std::vector<Card *> pile)
    {
        DealPile = std::move(pile);
        NewGame(false);
    }
};

// The suggested fans, by double-click.
Search blackHoleSearch(Board &b)
{
    Search search;
    search.Moves = [&b] {
        std::vector<Search::Move> moves;
        for (int i = 0; i < b.Game->GetPossibleMoveCount(); ++i) {
            TableCell *fan = b.Game->GetPossibleMove(i)->GetFrom();
            moves.push_back([&b, fan] { b.Table->CardDblClick(fan->GetWrapper(-1)); });
        }
        return moves;
    };
    search.Won = [&b] { return b.Cell(BlackHole::Hole)->GetCount() == 52; };
    search.Key = [&b] { return PositionKey(b, {BlackHole::Hole}); };
    return search;
}

} // namespace

TEST(BlackHole, TheAceOfSpadesStartsTheHoleWhereverItIsDealt)
{
    for (int acePosition : {0, 20, 51}) {
        Board b(BlackHoleId, 1);
        auto stacked = std::make_unique<StackedBlackHole>(&b.TheDeck, b.Table.get(), W, H);
        b.Table->SetGame(stacked.get());
        StackedBlackHole &g = *stacked;
        b.Game = std::move(stacked);
        Card *ace = b.CardOf(1, Spades);
        std::vector<Card *> others;
        for (int i = 0; i < 52; ++i) {
            if (b.TheDeck.GetCard(i) != ace)
                others.push_back(b.TheDeck.GetCard(i));
        }
        std::vector<Card *> pile = others;
        pile.insert(pile.begin() + acePosition, ace);
        g.DealInOrder(pile);

        ASSERT_EQ(b.Cell(BlackHole::Hole)->GetCount(), 1) << acePosition;
        EXPECT_EQ(b.Cell(BlackHole::Hole)->GetCard(-1), ace);
        EXPECT_TRUE(b.Cell(BlackHole::Hole)->GetWrapper(-1)->GetFrontUp());
        size_t next = 0; // the fans take the other cards in dealing order
        for (int fan = BlackHole::FirstFan; fan <= BlackHole::LastFan; ++fan) {
            ASSERT_EQ(b.Cell(fan)->GetCount(), 3);
            for (CardWrapper *card : b.Cell(fan)->GetCards()) {
                EXPECT_EQ(card->GetCard(), others[next++]);
                EXPECT_TRUE(card->GetFrontUp());
            }
        }
    }
}

TEST(BlackHole, OnlyTopCardsMoveAndOnlyIntoTheHole)
{
    Board b(BlackHoleId, 1);
    b.Place(BlackHole::Hole, -1, 1, Spades);
    b.Place(1, -1, 2, Hearts);
    b.Place(1, 0, 13, Hearts);
    b.Place(2, -1, 9, Clubs);
    BlackHole &g = static_cast<BlackHole &>(*b.Game);
    TableCell *fan = b.Cell(1);
    const QPoint hole = b.CentreOf(BlackHole::Hole);
    // On the Ace both a Two and a King fit.
    EXPECT_TRUE(g.CanPlace(fan->GetWrapper(0), BlackHole::Hole));
    EXPECT_TRUE(g.CanPlace(fan->GetWrapper(-1), BlackHole::Hole));

    // The fan's bottom card (its visible strip) does not come along.
    EngineTest::Press(b.Table.get(), QPoint(fan->GetX() + 4, fan->GetY() + H / 2));
    EXPECT_FALSE(fan->GetWrapper(0)->IsMoving());
    EngineTest::MoveTo(b.Table.get(), hole);
    EngineTest::Release(b.Table.get(), hole);
    EXPECT_EQ(fan->GetCount(), 3);

    EngineTest::Press(b.Table.get(), b.CentreOf(1));
    EngineTest::MoveTo(b.Table.get(), b.CentreOf(2));
    EngineTest::Release(b.Table.get(), b.CentreOf(2));
    EXPECT_EQ(fan->GetCard(-1), b.CardOf(2, Hearts));
    EXPECT_EQ(b.Game->GetUndoCount(), 0);

    EngineTest::Press(b.Table.get(), b.CentreOf(1));
    EngineTest::MoveTo(b.Table.get(), hole);
    EngineTest::Release(b.Table.get(), hole);
    EXPECT_EQ(b.Cell(BlackHole::Hole)->GetCard(-1), b.CardOf(2, Hearts));
    EXPECT_EQ(b.Game->GetScore(), 1);
    b.Game->Undo();
    EXPECT_EQ(fan->GetCard(-1), b.CardOf(2, Hearts));
    EXPECT_EQ(b.Game->GetScore(), 0);

    // A double-click anywhere on a fan plays its top card, if it fits.
    b.Table->CardDblClick(fan->GetWrapper(0));
    EXPECT_EQ(b.Cell(BlackHole::Hole)->GetCard(-1), b.CardOf(2, Hearts));
    b.Table->CardDblClick(b.Cell(2)->GetWrapper(-1));
    EXPECT_EQ(b.Cell(2)->GetCard(-1), b.CardOf(9, Clubs));
    EXPECT_EQ(b.Host.StatusText, "Cannot move the selected card anywhere");
}

TEST(BlackHole, ADealWithoutAMoveIsLostAtTheNextRelease)
{
    Board b(BlackHoleId, 15); // no fan card next to the Ace of Spades
    ASSERT_EQ(b.Game->GetPossibleMoveCount(), 0);
    b.Game->StartPlay();
    EngineTest::Click(b.Table.get(), QPoint(2, b.Table->height() - 2));
    ASSERT_EQ(b.Answers.Captions.size(), 1);
    EXPECT_EQ(b.Answers.Captions[0], "Game over - Vek Solitaire");
}

TEST(BlackHole, AWholeGameIsWonWithAScoreOfFiftyOne)
{
    Board b(BlackHoleId, 21); // a deal the search wins quickly
    Search search = blackHoleSearch(b);
    std::vector<int> path;
    ASSERT_TRUE(search.Run(*b.Game, path));
    search.Replay(*b.Game, path);
    EXPECT_EQ(b.Game->GetScore(), 51);
    EXPECT_EQ(b.Game->GetWon(), 1);
    ASSERT_EQ(b.Answers.Captions.size(), 1);
    EXPECT_EQ(b.Answers.Captions[0], "Congratulations - Vek Solitaire");
}
