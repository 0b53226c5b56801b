// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Columns.h"

#include <algorithm>

#include <QRect>

#include "Card.h"
#include "CardGame.h"
#include "Deck.h"
#include "DropTarget.h"
#include "GameTable.h"
#include "Undo.h"

namespace Columns {

int DropOnto(const GameTable &table, const std::vector<CardWrapper *> &moving, int first, int last)
{
    QRect bounds;
    CardGame::GetCardsBounds(moving, bounds);
    return DropTarget(table, bounds, first, last, moving.front()->GetCell(), [](int) { return false; });
}

std::unique_ptr<UndoStep> MovePile(CardGame &game, const std::vector<CardWrapper *> &moving, TableCell *target)
{
    TableCell *source = moving.front()->GetCell();
    auto step = game.NewUndoStep(false);
    for (CardWrapper *card : moving) {
        step->AddMove(card, card->GetCell());
        target->Add(card, true);
    }
    TurnUpTop(source, *step);
    return step;
}

std::unique_ptr<UndoStep> MovePileScoring(CardGame &game, const std::vector<CardWrapper *> &moving,
                                          TableCell *target, bool foundation)
{
    TableCell *source = moving.front()->GetCell();
    auto step = game.NewUndoStep(true);
    for (CardWrapper *card : moving) {
        step->AddPosition(card);
        target->Add(card, true);
        if (foundation)
            game.AddScore(card->GetCard()->GetValue(), step.get());
    }
    TurnUpTop(source, *step);
    return step;
}

void DealRow(CardGame &game, GameTable &table, int stock, int first, int last)
{
    TableCell *from = table.GetCell(stock);
    auto step = game.NewUndoStep(false);
    // The same cells in reverse on undo: newest record first.
    step->BeginGroup(true);
    for (int i = first; i <= last; ++i) {
        CardWrapper *card = from->Pop();
        if (!card)
            break;
        step->AddMove(card, from);
        card->SetFrontUp(true);
        table.GetCell(i)->Add(card, true);
    }
    step->EndGroup();
    game.EndMove(std::move(step)); // an empty stock records nothing
}

void TurnUpTop(TableCell *cell, UndoStep &step, bool onlyFaceDown)
{
    CardWrapper *top = cell->GetWrapper(-1);
    if (!top || (onlyFaceDown && top->GetFrontUp()))
        return;
    step.AddCardFlags(top);
    top->SetFrontUp(true);
}

void FitFans(GameTable &table, int first, int last, int fan)
{
    const int bottom = table.height() - 5;
    for (int i = first; i <= last; ++i) {
        TableCell *cell = table.GetCell(i);
        const int steps = cell->GetCount() - 1;
        const int room = bottom - cell->GetY() - cell->GetCardHeight();
        int step = fan;
        if (steps > 0 && steps * fan > room)
            step = std::max(1, room / steps);
        cell->SetOffset(0, step);
    }
}

bool HoldsWholeDeal(CardGame &game)
{
    // The pile being whole decks, its size says how many.
    return int(game.GetDealPile().size()) == game.GetDeckCount() * ::Deck::CardCount && game.CellsHoldDealPile();
}

bool ScoreMatchesFoundations(const CardGame &game, const GameTable &table, int first, int last)
{
    int64_t sum = 0;
    for (int f = first; f <= last; ++f) {
        for (const CardWrapper *card : table.GetCell(f)->GetCards())
            sum += card->GetCard()->GetValue();
    }
    return sum == game.GetScore();
}

void SuggestTopCards(CardGame &game, const GameTable &table, int first, int last, int firstFoundation,
                     int lastFoundation, const std::function<bool(const Card *, int)> &takes)
{
    for (int i = first; i <= last; ++i) {
        if (i >= firstFoundation && i <= lastFoundation)
            continue;
        TableCell *source = table.GetCell(i);
        const Card *top = source->GetCard(-1);
        if (!top)
            continue;
        for (int j = firstFoundation; j <= lastFoundation; ++j) {
            if (takes(top, j)) {
                game.AddPossibleMove(source, source->GetCount() - 1, table.GetCell(j));
                break;
            }
        }
        for (int j = lastFoundation + 1; j <= last; ++j) {
            if (j != i && takes(top, j))
                game.AddPossibleMove(source, source->GetCount() - 1, table.GetCell(j));
        }
    }
}

} // namespace Columns
