// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PairGamesSupport.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "Card.h"
#include "CardWrapper.h"
#include "GameFactory.h"

namespace PairsTest {

Board::Board(int32_t gameId, unsigned seed)
{
    EngineTest::FillDeck(TheDeck, W, H);
    Table = std::make_unique<GameTable>(nullptr, &TheDeck, &Host);
    Table->SetQuestions(&Answers);
    Table->SetSuggestionWait(0);
    Table->ResizeCards(W, H);
    Game = GameFactory::CreateGame(gameId, &TheDeck, Table.get(), W, H);
    Table->SetGame(Game.get());
    srand(seed);
    Game->NewGame(true);
}

Board::~Board()
{
    Table->SetGame(nullptr);
    Game.reset();
    Table.reset();
}

void Board::Place(int cell, int index, int value, CardSuit suit)
{
    Card *card = CardOf(value, suit);
    CardWrapper *target = Cell(cell)->GetWrapper(index);
    ASSERT_NE(target, nullptr);
    for (int c = 0; c < Table->GetCellCount(); ++c) {
        for (CardWrapper *wrapper : Cell(c)->GetCards()) {
            if (wrapper->GetCard() == card) {
                wrapper->SetCard(target->GetCard());
                target->SetCard(card);
                return;
            }
        }
    }
    FAIL() << "card not on the table";
}

QPoint Board::CentreOf(int cell) const
{
    Table->ArrangeCells();
    return Cell(cell)->GetWrapper(-1)->Rect().center();
}

std::string PositionKey(const Board &board, const std::vector<int> &topOnly, const std::vector<int> &skip)
{
    std::string key;
    const auto has = [](const std::vector<int> &list, int c) { return std::find(list.begin(), list.end(), c) != list.end(); };
    for (int c = 0; c < board.Table->GetCellCount(); ++c) {
        if (has(skip, c))
            continue;
        const auto &cards = board.Cell(c)->GetCards();
        const size_t first = has(topOnly, c) && !cards.empty() ? cards.size() - 1 : 0;
        for (size_t i = first; i < cards.size(); ++i) {
            const Card *card = cards[i]->GetCard();
            key += char('A' + card->GetValue() + 13 * card->GetSuit());
            key += cards[i]->GetFrontUp() ? '+' : '-';
        }
        key += '|';
    }
    return key;
}

bool Search::Run(CardGame &game, std::vector<int> &path)
{
    Seen.clear();
    path.clear();
    return depthFirst(game, path);
}

bool Search::depthFirst(CardGame &game, std::vector<int> &path)
{
    if (Won())
        return true;
    if (--Budget < 0 || !Seen.insert(Key()).second)
        return false;
    const std::vector<Move> moves = Moves();
    for (size_t i = 0; i < moves.size(); ++i) {
        const int before = game.GetUndoCount();
        moves[i]();
        if (game.GetUndoCount() == before)
            continue;
        path.push_back(int(i));
        if (depthFirst(game, path))
            return true;
        path.pop_back();
        game.Undo();
    }
    return false;
}

void Search::Replay(CardGame &game, const std::vector<int> &path)
{
    game.NewGame(false);
    game.StartPlay();
    for (int index : path) {
        const std::vector<Move> moves = Moves();
        ASSERT_LT(size_t(index), moves.size());
        moves[size_t(index)]();
    }
}

} // namespace PairsTest
