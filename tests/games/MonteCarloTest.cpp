// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "MonteCarlo.h"
#include "PairGamesSupport.h"

using namespace PairsTest;

namespace {

MonteCarlo &game(Board &b)
{
    return static_cast<MonteCarlo &>(*b.Game);
}

// The suggested pairs, then the stock.
Search monteCarloSearch(Board &b)
{
    Search search;
    search.Moves = [&b] {
        std::vector<Search::Move> moves;
        for (int i = 0; i < b.Game->GetPossibleMoveCount(); ++i) {
            const int first = b.Table->IndexOfCell(b.Game->GetPossibleMove(i)->GetFrom());
            const int second = b.Table->IndexOfCell(b.Game->GetPossibleMove(i)->GetTo());
            moves.push_back([&b, first, second] { b.ClickTop(first); b.ClickTop(second); });
        }
        moves.push_back([&b] { b.Game->OnClick(nullptr, MonteCarlo::Stock, -1); });
        return moves;
    };
    search.Won = [&b] { return game(b).GetPairsRemoved() == 26; };
    search.Key = [&b] { return PositionKey(b, {}, {MonteCarlo::Removed}); };
    return search;
}

} // namespace

TEST(MonteCarlo, PairsTouchInTheGridAndMatchInValue)
{
    struct Row {
        int a, b, valueA, valueB;
        bool match;
    };
    const Row rows[] = {
        {4, 5, 7, 7, false},    // end of one row, start of the next
        {0, 6, 9, 9, true},     // diagonal
        {12, 18, 12, 12, true}, // Queens of both colours
        {12, 7, 3, 3, true},    // above and below
        {1, 2, 3, 4, false},    // side by side, other values
        {0, 2, 5, 5, false},
    };
    for (const Row &row : rows) {
        Board b(3, 1);
        b.Place(row.a, -1, row.valueA, Hearts);
        b.Place(row.b, -1, row.valueB, Spades);
        EXPECT_EQ(game(b).Match(row.a, row.b), row.match) << row.a << " " << row.b;
        EXPECT_EQ(game(b).Match(row.b, row.a), row.match) << row.b << " " << row.a;
    }
}

TEST(MonteCarlo, ClicksSelectRefuseAndRemovePairs)
{
    Board b(3, 1);
    MonteCarlo &g = game(b);
    b.Place(0, -1, 9, Clubs);
    b.Place(6, -1, 9, Diamonds);
    b.Place(24, -1, 9, Hearts);
    CardWrapper *first = b.Cell(0)->GetWrapper(-1);

    EngineTest::Click(b.Table.get(), b.CentreOf(0));
    EXPECT_TRUE(first->HasFlags(CardWrapper::Highlight));
    b.ClickTop(24); // equal but far apart
    EXPECT_EQ(b.Host.StatusText, "The selected cards don't match");
    EXPECT_EQ(g.GetSelectedIndex(), 0);
    b.Game->Tick(); // the message has had its moment

    b.ClickTop(6);
    EXPECT_EQ(b.Cell(MonteCarlo::Removed)->GetCount(), 2);
    EXPECT_FALSE(first->HasFlags(CardWrapper::Highlight));
    EXPECT_FALSE(g.HasSelection());
    EXPECT_EQ(b.Host.StatusText, "Pairs removed: 1");

    b.ClickTop(24); // a selection does not outlive an undo
    g.Undo();
    EXPECT_FALSE(g.HasSelection());
    EXPECT_FALSE(b.Cell(24)->GetWrapper(-1)->HasFlags(CardWrapper::Highlight));
    EXPECT_EQ(b.Cell(6)->GetCard(-1), b.CardOf(9, Diamonds));
    EXPECT_EQ(b.Host.StatusText, "Pairs removed: 0");
}

TEST(MonteCarlo, TheStockClosesTheGapsInReadingOrderAndRefills)
{
    Board b(3, 1);
    MonteCarlo &g = game(b);
    for (int i = 0; i < MonteCarlo::GridCells; ++i) {
        if (i != 3 && i != 9 && i != 20)
            b.Cell(MonteCarlo::Removed)->Add(b.Cell(i)->GetWrapper(-1));
    }
    const std::vector<CardWrapper *> left = {b.Cell(3)->GetWrapper(-1), b.Cell(9)->GetWrapper(-1),
                                             b.Cell(20)->GetWrapper(-1)};
    const std::vector<CardWrapper *> stock = b.Cell(MonteCarlo::Stock)->GetCards();
    const std::string before = PositionKey(b);

    b.ClickTop(9); // the selected card moves: the selection goes
    EngineTest::Click(b.Table.get(), b.CentreOf(MonteCarlo::Stock));
    EXPECT_FALSE(g.HasSelection());
    EXPECT_FALSE(left[1]->HasFlags(CardWrapper::Highlight));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(b.Cell(i)->GetWrapper(-1), left[size_t(i)]);
    for (int i = 3; i < MonteCarlo::GridCells; ++i) {
        ASSERT_EQ(b.Cell(i)->GetCount(), 1);
        EXPECT_EQ(b.Cell(i)->GetWrapper(-1), stock[size_t(29 - i)]) << i;
        EXPECT_TRUE(b.Cell(i)->GetWrapper(-1)->GetFrontUp());
    }
    EXPECT_EQ(b.Cell(MonteCarlo::Stock)->GetCount(), 5);

    g.Undo();
    EXPECT_EQ(PositionKey(b), before);
    EXPECT_EQ(b.Cell(MonteCarlo::Stock)->GetCards(), stock);
    b.Game->OnClick(nullptr, MonteCarlo::Stock, -1);
    b.Game->OnClick(nullptr, MonteCarlo::Stock, -1); // no gap left: no step
    EXPECT_EQ(g.GetUndoCount(), 1);
}

TEST(MonteCarlo, AWholeGameIsWonAtTheTwentySixthPair)
{
    Board b(3, 1); // a deal the search wins quickly
    Search search = monteCarloSearch(b);
    std::vector<int> path;
    ASSERT_TRUE(search.Run(*b.Game, path));
    search.Replay(*b.Game, path);
    EXPECT_EQ(b.Host.StatusText, "Pairs removed: 26");
    EXPECT_EQ(b.Game->GetWon(), 1);
    ASSERT_EQ(b.Answers.Captions.size(), 1);
    EXPECT_EQ(b.Answers.Captions[0], "Congratulations - Vek Solitaire");
}
