// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "PairGamesSupport.h"
#include "Pyramid.h"

using namespace PairsTest;

namespace {

Pyramid &game(Board &b)
{
    return static_cast<Pyramid &>(*b.Game);
}

// The suggested pairs and Kings, the waste's top card with its partners
// (never suggested), then the stock.
Search pyramidSearch(Board &b)
{
    Search search;
    search.Moves = [&b] {
        Pyramid &g = game(b);
        std::vector<Search::Move> moves;
        for (int i = 0; i < g.GetPossibleMoveCount(); ++i) {
            const int from = b.Table->IndexOfCell(g.GetPossibleMove(i)->GetFrom());
            const int to = b.Table->IndexOfCell(g.GetPossibleMove(i)->GetTo());
            moves.push_back([&b, from, to] {
                b.ClickTop(from);
                if (to != from)
                    b.ClickTop(to);
            });
        }
        if (const Card *waste = b.Cell(Pyramid::Waste)->GetCard(-1)) {
            if (waste->GetValue() == 13)
                moves.push_back([&b] { b.ClickTop(Pyramid::Waste); });
            for (int j = 0; j <= Pyramid::Stock; ++j) {
                const Card *other = b.Cell(j)->GetCard(-1);
                if (other && g.IsFree(j) && other->GetValue() + waste->GetValue() == 13)
                    moves.push_back([&b, j] { b.ClickTop(Pyramid::Waste); b.ClickTop(j); });
            }
        }
        if (CardWrapper *top = b.Cell(Pyramid::Stock)->GetWrapper(-1))
            moves.push_back([&b, top] { b.Table->CardDblClick(top); });
        else
            moves.push_back([&b] { game(b).OnClick(nullptr, Pyramid::Stock, -1); });
        return moves;
    };
    search.Won = [&b] { return game(b).GetRemovedCount() == 52; };
    search.Key = [&b] { return PositionKey(b, {}, {Pyramid::Removed}); };
    return search;
}

} // namespace

TEST(Pyramid, KingsGoAloneAndRefusalsComeInTheirOrder)
{
    Board b(4, 1);
    Pyramid &g = game(b);
    b.Place(21, -1, 13, Clubs);
    b.Place(0, -1, 13, Diamonds);
    b.Place(22, -1, 6, Spades);
    b.Place(15, -1, 7, Hearts);

    EngineTest::Click(b.Table.get(), b.CentreOf(21));
    EXPECT_EQ(b.Cell(Pyramid::Removed)->GetCard(-1), b.CardOf(13, Clubs));
    EXPECT_EQ(b.Host.StatusText, "Cards removed: 1");
    EXPECT_EQ(g.GetUndoCount(), 1);

    b.ClickTop(0);
    EXPECT_EQ(b.Host.StatusText, "Only free cards can be selected");
    EXPECT_EQ(b.Cell(0)->GetCount(), 1);

    // A free 6, then the 7 that 22 still covers: the sum is checked first.
    b.ClickTop(22);
    CardWrapper *six = b.Cell(22)->GetWrapper(-1);
    b.ClickTop(15);
    EXPECT_EQ(b.Host.StatusText, "The selected cards don't add up to 13!");
    EXPECT_EQ(g.GetSelected(), six);
    EXPECT_TRUE(six->HasFlags(CardWrapper::Highlight));
    EXPECT_EQ(b.Cell(15)->GetCount(), 1);

    b.ClickTop(22);
    EXPECT_EQ(g.GetSelected(), nullptr);
    EXPECT_FALSE(six->HasFlags(CardWrapper::Highlight));
    EXPECT_EQ(g.GetUndoCount(), 1);

    // Position 15 lies under 21 and 22: free once both are gone.
    b.Cell(Pyramid::Removed)->Add(six);
    EXPECT_TRUE(g.IsFree(15));
    EXPECT_FALSE(g.IsFree(10));
}

TEST(Pyramid, PairingTheStockTopTurnsUpTheNextAndUndoTurnsItBack)
{
    Board b(4, 1);
    Pyramid &g = game(b);
    b.Place(Pyramid::Stock, -1, 5, Hearts);
    b.Place(24, -1, 8, Clubs);
    CardWrapper *next = b.Cell(Pyramid::Stock)->GetWrapper(22);
    EXPECT_FALSE(next->GetFrontUp());

    b.ClickTop(Pyramid::Stock);
    b.ClickTop(24);
    EXPECT_EQ(b.Cell(Pyramid::Removed)->GetCount(), 2);
    EXPECT_TRUE(next->GetFrontUp());
    EXPECT_EQ(g.GetRemovedCount(), 2);

    b.ClickTop(25); // a selection does not outlive an undo
    g.Undo();
    EXPECT_EQ(g.GetSelected(), nullptr);
    EXPECT_FALSE(b.Cell(25)->GetWrapper(-1)->HasFlags(CardWrapper::Highlight));
    EXPECT_EQ(b.Cell(24)->GetCard(-1), b.CardOf(8, Clubs));
    EXPECT_EQ(b.Cell(Pyramid::Stock)->GetCard(-1), b.CardOf(5, Hearts));
    EXPECT_FALSE(next->GetFrontUp());
    EXPECT_EQ(b.Host.StatusText, "Cards removed: 0");
}

TEST(Pyramid, TheEmptyStockTakesTheWholeWasteBackAndUndoRestoresIt)
{
    Board b(4, 1);
    Pyramid &g = game(b);
    b.Place(Pyramid::Stock, -1, 4, Spades);
    b.Place(Pyramid::Stock, 0, 9, Diamonds); // the waste's top at the end
    TableCell *stock = b.Cell(Pyramid::Stock);
    TableCell *waste = b.Cell(Pyramid::Waste);

    // The first click of a real double-click selects the stock's top card;
    // the double-click turns it onto the waste without its frame.
    CardWrapper *first = stock->GetWrapper(-1);
    EngineTest::DoubleClick(b.Table.get(), b.CentreOf(Pyramid::Stock));
    EXPECT_EQ(waste->GetWrapper(-1), first);
    EXPECT_EQ(g.GetSelected(), nullptr);
    EXPECT_FALSE(first->HasFlags(CardWrapper::Highlight));
    while (CardWrapper *top = stock->GetWrapper(-1))
        b.Table->CardDblClick(top);
    const std::vector<CardWrapper *> wasteOrder = waste->GetCards();
    ASSERT_EQ(wasteOrder.size(), 24u);

    // A selected waste card goes back with the rest and loses its frame.
    b.ClickTop(Pyramid::Waste);
    ASSERT_NE(g.GetSelected(), nullptr);
    EngineTest::Click(b.Table.get(), QPoint(stock->GetX() + W / 2, stock->GetY() + H / 2));
    ASSERT_EQ(stock->GetCount(), 24);
    EXPECT_EQ(g.GetSelected(), nullptr);
    for (int i = 0; i < 24; ++i) {
        // Top card first, so the stock turns in the same order again.
        EXPECT_EQ(stock->GetWrapper(i), wasteOrder[size_t(23 - i)]);
        EXPECT_EQ(stock->GetWrapper(i)->GetFlags(), i == 23 ? CardWrapper::FrontUp : 0u);
    }

    g.Undo();
    EXPECT_EQ(stock->GetCount(), 0);
    EXPECT_EQ(waste->GetCards(), wasteOrder);
    for (CardWrapper *card : waste->GetCards())
        EXPECT_TRUE(card->GetFrontUp());
}

TEST(Pyramid, AWholeGameIsWonAtTheClickThatRemovesTheLastCard)
{
    Board b(4, 24); // a deal the search wins quickly
    Search search = pyramidSearch(b);
    std::vector<int> path;
    ASSERT_TRUE(search.Run(*b.Game, path));
    search.Replay(*b.Game, path);
    EXPECT_EQ(b.Host.StatusText, "Cards removed: 52");
    EXPECT_EQ(b.Game->GetWon(), 1);
    ASSERT_EQ(b.Answers.Captions.size(), 1);
    EXPECT_EQ(b.Answers.Captions[0], "Congratulations - Vek Solitaire");
}

TEST(Pyramid, ASuggestionPairsAFreeCardWithTheWastesTop)
{
    Board b(4, 1);
    b.Table->SetSuggestionWait(0);
    b.Table->CardDblClick(b.Cell(Pyramid::Stock)->GetWrapper(-1));
    // The free cards and the stock's top make no pair and hold no King; the
    // Queen on the waste pairs with the Ace at the start of the bottom row.
    const int bottom[] = {1, 2, 3, 4, 5, 6, 1};
    for (int k = 0; k < 7; ++k)
        b.Place(Pyramid::RowStart(6) + k, -1, bottom[k], k == 6 ? Diamonds : Clubs);
    b.Place(Pyramid::Stock, -1, 2, Diamonds);
    b.Place(Pyramid::Waste, -1, 12, Hearts);
    b.Game->EndMove(nullptr);
    ASSERT_EQ(b.Game->GetPossibleMoveCount(), 0);
    const std::string before = PositionKey(b);

    b.Game->SuggestMove();
    ASSERT_EQ(b.Game->GetPossibleMoveCount(), 1);
    const PossibleMove *move = b.Game->GetPossibleMove(0);
    EXPECT_TRUE(move->IsPair() && move->GetFrom() == b.Cell(Pyramid::RowStart(6)) && move->GetTo() == b.Cell(Pyramid::Waste));
    EXPECT_EQ(b.Host.Beeps, 0);
    EXPECT_EQ(PositionKey(b), before);
}
