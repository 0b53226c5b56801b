// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FreeCellFamily.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>

#include "GameFactory.h"
#include "SavedGame.h"

using namespace EngineTest;

namespace FreeCellTest {

namespace {

const QStringList Ranks = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
const QString Suits = QStringLiteral("CDHS");

} // namespace

QString NameOf(const Card *card)
{
    return card ? Ranks.value(card->GetValue() - 1) + Suits.mid(card->GetSuit(), 1) : QStringLiteral("?");
}

GameSetup::GameSetup(int gameId, unsigned seed)
{
    FillDeck(TheDeck, W, H);
    Table = std::make_unique<GameTable>(nullptr, &TheDeck, &Host);
    Table->SetQuestions(&Answers);
    Table->ResizeCards(W, H);
    Owned = GameFactory::CreateGame(gameId, &TheDeck, Table.get(), W, H);
    Game = dynamic_cast<FreeCell *>(Owned.get());
    Table->SetGame(Owned.get());
    srand(seed);
    Owned->NewGame(true);
    for (int c = 0; c < Table->GetCellCount(); ++c) {
        for (CardWrapper *wrapper : Cell(c)->GetCards())
            Dealt[wrapper->GetCard()] = wrapper;
    }
}

GameSetup::~GameSetup()
{
    Table->SetGame(nullptr);
    Owned.reset();
    Table.reset();
}

CardWrapper *GameSetup::Wrapper(const QString &name)
{
    const Card *card = TheDeck.GetCardByValue(int(Ranks.indexOf(name.chopped(1))) + 1,
                                              CardSuit(Suits.indexOf(name.right(1))));
    for (int c = 0; c < Table->GetCellCount(); ++c) {
        for (CardWrapper *wrapper : Cell(c)->GetCards())
            if (wrapper->GetCard() == card)
                return wrapper;
    }
    return Dealt.at(card);
}

void GameSetup::Lay(const std::map<int, QString> &cells)
{
    for (int c = 0; c < Table->GetCellCount(); ++c)
        Cell(c)->Clear();
    for (const auto &[index, names] : cells) {
        for (const QString &name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            CardWrapper *wrapper = Wrapper(name);
            wrapper->SetFlags(CardWrapper::FrontUp);
            Cell(index)->Add(wrapper, true);
        }
    }
    Game->EndMove(nullptr);
}

QString GameSetup::Names(int cell) const
{
    QStringList names;
    for (const CardWrapper *wrapper : Cell(cell)->GetCards())
        names.append(NameOf(wrapper->GetCard()));
    return names.join(QLatin1Char(' '));
}

QPoint GameSetup::Grip(const QString &name)
{
    Table->ArrangeCells();
    return Wrapper(name)->Position() + QPoint(W / 2, 5);
}

void GameSetup::DragOnto(CardWrapper *wrapper, int target)
{
    Table->ArrangeCells();
    const TableCell *cell = Cell(target);
    const QPoint to = cell->GetCount() > 0 ? cell->GetWrapper(-1)->Position() : QPoint(cell->GetX(), cell->GetY());
    const QPoint grip = wrapper->Position() + QPoint(W / 2, 5);
    const QPoint by = to - wrapper->Position();
    Press(Table.get(), grip);
    MoveTo(Table.get(), grip + by / 2);
    MoveTo(Table.get(), grip + by);
    Release(Table.get(), grip + by);
}

void GameSetup::Play(const std::vector<Move> &moves, size_t first, size_t end)
{
    for (size_t i = first; i < end && i < moves.size(); ++i) {
        // The deepest card the move takes is the one to press.
        TableCell *from = Cell(moves[i].from);
        const int n = Game->CanMove(from, moves[i].to);
        CardWrapper *pressed = from->GetWrapper(from->GetCount() - std::max(n, 1));
        if (!pressed)
            throw std::logic_error("a move from an empty cell");
        DragOnto(pressed, moves[i].to);
    }
}

bool GameSetup::Resume(const QString &fileName, QString *error)
{
    std::unique_ptr<CardGame> resumed = GameFactory::ResumeGame(fileName, &TheDeck, Table.get(), W, H, error);
    if (!resumed)
        return false;
    Owned = std::move(resumed);
    Game = dynamic_cast<FreeCell *>(Owned.get());
    return true;
}

namespace {

struct Search {
    FreeCell &Game;
    GameTable &Table;
    std::vector<Move> &Moves;
    int Budget;
    std::set<std::string> Seen;
    static constexpr int MaxDepth = 250;

    // Free cells and columns in any order.
    std::string Key() const
    {
        std::vector<std::string> parts;
        for (int c = 0; c < Table.GetCellCount(); ++c) {
            std::string cards(1, FreeCell::IsFreeCell(c) ? 'f' : FreeCell::IsFoundation(c) ? char('0' + c) : 'c');
            for (const CardWrapper *wrapper : Table.GetCell(c)->GetCards())
                cards += char('a' + wrapper->GetCard()->GetSuit() * 13 + wrapper->GetCard()->GetValue());
            parts.push_back(cards);
        }
        std::sort(parts.begin(), parts.end());
        std::string key;
        for (const std::string &part : parts)
            key += part + '|';
        return key;
    }

    // Foundations first, then onto cards, then into empty columns and free
    // cells; among equals the move uncovering the lowest card. -1: a whole
    // column into an empty one, which changes nothing.
    int Rank(const Move &move) const
    {
        const TableCell *from = Table.GetCell(move.from);
        const bool ontoCard = Table.GetCell(move.to)->GetCount() > 0;
        const int n = Game.CanMove(Table.GetCell(move.from), move.to);
        if (Game.IsColumn(move.from) && Game.IsColumn(move.to) && !ontoCard && n == from->GetCount())
            return -1;
        const Card *uncovered = from->GetCard(from->GetCount() - n - 1);
        const int value = uncovered ? uncovered->GetValue() : 0;
        if (FreeCell::IsFoundation(move.to))
            return value;
        if (ontoCard)
            return (FreeCell::IsFreeCell(move.from) ? 100 : 200) + value;
        return (FreeCell::IsFreeCell(move.to) ? 400 : 300) + value;
    }

    bool Run(int depth)
    {
        bool won = true;
        for (int f = FreeCell::FirstFoundation; f < FreeCell::FirstFoundation + FreeCell::FoundationCount; ++f)
            won = won && Table.GetCell(f)->GetCount() == 13;
        if (won)
            return true;
        if (--Budget < 0 || depth > MaxDepth || !Seen.insert(Key()).second)
            return false;
        std::vector<std::pair<int, Move>> candidates;
        const auto consider = [&](const Move &move) {
            if (const int rank = Rank(move); rank >= 0)
                candidates.push_back({rank, move});
        };
        for (int i = 0; i < Game.GetPossibleMoveCount(); ++i) {
            const PossibleMove *m = Game.GetPossibleMove(i);
            consider({Table.IndexOfCell(m->GetFrom()), Table.IndexOfCell(m->GetTo())});
        }
        for (int c = 0; c < Table.GetCellCount(); ++c) {
            for (int f = FreeCell::FirstFoundation; f < FreeCell::FirstFoundation + FreeCell::FoundationCount; ++f) {
                if (!FreeCell::IsFoundation(c) && Game.CanMove(Table.GetCell(c), f) > 0)
                    consider({c, f});
            }
        }
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &[rank, move] : candidates) {
            const int before = Game.GetUndoCount();
            if (!Game.MoveCards(move.from, move.to))
                continue;
            Game.AutoPlay();
            Moves.push_back(move);
            if (Run(depth + 1))
                return true;
            Moves.pop_back();
            while (Game.GetUndoCount() > before)
                Game.Undo();
        }
        return false;
    }
};

} // namespace

bool FindWin(GameSetup &setup, std::vector<Move> &moves, int budget)
{
    moves.clear();
    Search search{*setup.Game, *setup.Table, moves, budget, {}};
    const int undoBefore = setup.Game->GetUndoCount();
    const bool won = search.Run(0);
    while (setup.Game->GetUndoCount() > undoBefore)
        setup.Game->Undo();
    return won;
}

} // namespace FreeCellTest
