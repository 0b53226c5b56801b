// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Golf.h"
#include "PairGamesSupport.h"

using namespace PairsTest;

namespace {

constexpr int GolfId = 20;
constexpr int PuttPuttId = 21;

bool columnsEmpty(Board &b)
{
    for (int i = Golf::FirstColumn; i <= Golf::LastColumn; ++i) {
        if (b.Cell(i)->GetCount() > 0)
            return false;
    }
    return true;
}

// The suggested column cards by double-click, then the stock.
Search golfSearch(Board &b)
{
    Search search;
    search.Moves = [&b] {
        std::vector<Search::Move> moves;
        for (int i = 0; i < b.Game->GetPossibleMoveCount(); ++i) {
            TableCell *from = b.Game->GetPossibleMove(i)->GetFrom();
            moves.push_back([&b, from] { b.Table->CardDblClick(from->GetWrapper(-1)); });
        }
        if (b.Cell(Golf::Stock)->GetCount() > 0)
            moves.push_back([&b] { b.ClickTop(Golf::Stock); });
        return moves;
    };
    search.Won = [&b] { return columnsEmpty(b); };
    search.Key = [&b] { return PositionKey(b, {Golf::Pile}); };
    return search;
}

} // namespace

TEST(Golf, OnlyPuttPuttWrapsBetweenKingAndAce)
{
    struct Row {
        int card, pile;
        bool golf, puttPutt;
    };
    const Row rows[] = {
        {13, 12, true, true},  {12, 13, true, true},  {1, 13, false, true}, {13, 1, false, true},
        {2, 1, true, true},    {5, 5, false, false},  {3, 5, false, false}, {1, 12, false, false},
    };
    for (int id : {GolfId, PuttPuttId}) {
        for (const Row &row : rows) {
            Board b(id, 1);
            b.Place(Golf::Pile, -1, row.pile, Hearts);
            b.Place(2, -1, row.card, Clubs);
            Golf &g = static_cast<Golf &>(*b.Game);
            CardWrapper *card = b.Cell(2)->GetWrapper(-1);
            EXPECT_EQ(g.CanPlace(card, Golf::Pile), id == GolfId ? row.golf : row.puttPutt)
                << g.GetName().toStdString() << ": " << row.card << " on " << row.pile;
            EXPECT_FALSE(g.CanPlace(card, 3));
        }
    }
}

TEST(Golf, TenPlaysScoreTenAndUndoTakesOneBack)
{
    Board b(GolfId, 1);
    b.Place(Golf::Pile, -1, 1, Hearts);
    for (int i = Golf::FirstColumn; i <= Golf::LastColumn; ++i)
        b.Place(i, -1, i, Clubs); // 2 to 8 on top
    for (int i = 0; i < 3; ++i)
        b.Place(Golf::FirstColumn + i, 3, 9 + i, Clubs); // 9, 10, Jack below

    b.Table->CardDblClick(b.Cell(3)->GetWrapper(-1));
    EXPECT_EQ(b.Host.StatusText, "Cannot move the selected card anywhere");
    EXPECT_EQ(b.Game->GetUndoCount(), 0);

    // Real drags: onto the pile it plays; onto another column it snaps back.
    EngineTest::Press(b.Table.get(), b.CentreOf(2));
    EngineTest::MoveTo(b.Table.get(), b.CentreOf(Golf::Pile));
    EngineTest::Release(b.Table.get(), b.CentreOf(Golf::Pile));
    EXPECT_EQ(b.Cell(Golf::Pile)->GetCard(-1), b.CardOf(2, Clubs));
    EngineTest::Press(b.Table.get(), b.CentreOf(3));
    EngineTest::MoveTo(b.Table.get(), b.CentreOf(4));
    EngineTest::Release(b.Table.get(), b.CentreOf(4));
    EXPECT_EQ(b.Cell(3)->GetCount(), 5);
    EXPECT_EQ(b.Game->GetUndoCount(), 1);

    for (int column : {3, 4, 5, 6, 7, 8, 2, 3, 4})
        b.Table->CardDblClick(b.Cell(column)->GetWrapper(-1));
    EXPECT_EQ(b.Cell(Golf::Pile)->GetCard(-1), b.CardOf(11, Clubs));
    EXPECT_EQ(b.Game->GetScore(), 10);
    b.Game->Undo();
    EXPECT_EQ(b.Game->GetScore(), 9);
    EXPECT_EQ(b.Cell(4)->GetCard(-1), b.CardOf(11, Clubs));
}

TEST(Golf, TheStockScoresNothingAndAnEmptyStockMakesNoStep)
{
    Board b(PuttPuttId, 1);
    EXPECT_EQ(b.Game->GetName(), "Putt Putt");
    TableCell *stock = b.Cell(Golf::Stock);
    ASSERT_EQ(stock->GetCount(), 16);
    while (CardWrapper *top = stock->GetWrapper(-1)) {
        EXPECT_FALSE(top->GetFrontUp());
        b.ClickTop(Golf::Stock);
        EXPECT_EQ(b.Cell(Golf::Pile)->GetWrapper(-1), top);
        EXPECT_TRUE(top->GetFrontUp());
    }
    EXPECT_EQ(b.Game->GetUndoCount(), 16);
    EXPECT_EQ(b.Game->GetScore(), 0);
    const std::string before = PositionKey(b);
    b.Game->OnClick(nullptr, Golf::Stock, -1);
    EXPECT_EQ(b.Game->GetUndoCount(), 16);
    EXPECT_EQ(PositionKey(b), before);
}

TEST(Golf, ADeadDealIsLostOnlyOnceTheStockIsOut)
{
    Board b(GolfId, 5); // the search proves this deal cannot be won
    b.Game->StartPlay();
    while (b.Answers.Captions.isEmpty()) {
        if (b.Game->GetPossibleMoveCount() > 0)
            b.Table->CardDblClick(b.Game->GetPossibleMove(0)->GetFrom()->GetWrapper(-1));
        else if (b.Cell(Golf::Stock)->GetCount() > 0)
            b.ClickTop(Golf::Stock);
        else
            break;
    }
    ASSERT_EQ(b.Answers.Captions.size(), 1);
    EXPECT_EQ(b.Answers.Captions[0], "Game over - Vek Solitaire");
    EXPECT_EQ(b.Cell(Golf::Stock)->GetCount(), 0);
    EXPECT_FALSE(columnsEmpty(b));
    EXPECT_EQ(b.Game->GetWon(), 0);
}

TEST(Golf, WholeGamesAreWon)
{
    // The Putt Putt deal needs its wrap: in Golf it is lost.
    for (auto [id, seed] : {std::pair{GolfId, 25u}, std::pair{PuttPuttId, 10u}}) {
        Board b(id, seed);
        Search search = golfSearch(b);
        std::vector<int> path;
        ASSERT_TRUE(search.Run(*b.Game, path)) << id;
        search.Replay(*b.Game, path);
        EXPECT_EQ(b.Game->GetScore(), 35);
        EXPECT_EQ(b.Game->GetWon(), 1);
        ASSERT_EQ(b.Answers.Captions.size(), 1);
        EXPECT_EQ(b.Answers.Captions[0], "Congratulations - Vek Solitaire");
    }
}
