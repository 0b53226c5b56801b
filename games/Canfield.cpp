// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Canfield. The cells, by index:
//
//              [3]  [4]  [5]  [6]      foundations
//        [2]
//   [1]   |    [7]  [8]  [9]  [10]     waste; reserve (fanned down);
//         |     |    |    |    |       tableau columns, fanned down
//   [0]                                stock
//
// Foundations start from the rank of the first card dealt to them and build
// up by suit, round from King to Ace. Columns build down in alternating
// colours, round from Ace to King; an emptied column is filled at once from
// the reserve, else the waste, else after a deal of three. A click on the
// stock deals three cards onto the waste, turning the waste over whenever
// the stock runs out.
#include "Canfield.h"

#include <memory>

#include <QIODevice>

#include "Card.h"
#include "CardWrapper.h"
#include "Columns.h"
#include "Deck.h"
#include "DropTarget.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"
#include "Utils.h"

Canfield::Canfield(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Canfield"), deck, table, cardWidth, cardHeight)
{
}

TableCell *Canfield::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void Canfield::CreateCells()
{
    AddCells(LastColumn + 1);
}

void Canfield::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(6 * w + 60, 3 * h + 42);

    const int fan = int(14.0f * (float(w) / 88.0f));
    Cell(Waste)->SetPosition(6, h + 9);
    Cell(Stock)->SetPosition(6, 2 * h + 13);
    Cell(Reserve)->SetPosition(w + 18, h / 2 + 7);
    Cell(Reserve)->SetOffset(0, fan);
    for (int i = 0; i < 4; ++i) {
        const int x = (i + 2) * (w + 6) + 18;
        Cell(FirstFoundation + i)->SetPosition(x, 5);
        Cell(FirstColumn + i)->SetPosition(x, h + 9);
        Cell(FirstColumn + i)->SetOffset(0, fan);
    }
}

// ---- The deal ----

void Canfield::Deal()
{
    // Thirteen on the reserve, only the last face up.
    for (int i = 0; i < ReserveSize; ++i) {
        CardWrapper *card = DealCard();
        card->SetFrontUp(i == ReserveSize - 1);
        Cell(Reserve)->Add(card, true);
    }
    // The first foundation card sets the rank every foundation starts from.
    CardWrapper *first = DealCard();
    first->SetFrontUp(true);
    Cell(FirstFoundation)->Add(first, true);
    BaseValue = first->GetCard()->GetValue();
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        CardWrapper *card = DealCard();
        card->SetFrontUp(true);
        Cell(i)->Add(card, true);
    }
    while (DealIndex < int(DealPile.size()))
        Cell(Stock)->Add(DealCard(), true);
}

// ---- What may be picked up, and where it may go ----

bool Canfield::Accepts(const Card *card, int target) const
{
    const Card *top = Cell(target)->GetCard(-1);
    if (IsFoundation(target)) {
        if (!top)
            return card->GetValue() == BaseValue;
        return Rules::SameSuit(card, top) && Rules::NextWrapping(top->GetValue()) == card->GetValue();
    }
    // An empty column is refilled at once; it takes nothing from the player.
    if (IsColumn(target) && top)
        return Rules::OtherColour(card, top) && Rules::PreviousWrapping(top->GetValue()) == card->GetValue();
    return false; // the stock, the waste and the reserve
}

int Canfield::RunStart(const TableCell *column, const CardWrapper *pressed) const
{
    for (int i = column->GetCount() - 1; i >= 0; --i) {
        const CardWrapper *card = column->GetWrapper(i);
        if (!card->GetFrontUp())
            return -1;
        if (i < column->GetCount() - 1) {
            const Card *above = column->GetCard(i + 1);
            if (!Rules::OtherColour(card->GetCard(), above)
                || card->GetCard()->GetValue() != Rules::NextWrapping(above->GetValue()))
                return -1;
        }
        if (card == pressed)
            return i;
    }
    return -1;
}

void Canfield::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    TableCell *cell = Cell(cellIndex);
    if (cellIndex == Waste || cellIndex == Reserve) {
        if (wrapper == cell->GetWrapper(-1))
            wrapper->SetMoving(true);
    } else if (IsColumn(cellIndex) && RunStart(cell, wrapper) >= 0) {
        cell->StartMoving(wrapper);
    }
}

void Canfield::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (!moving.empty())
        Drop(moving);
    CardGame::OnMouseUp(x, y);
    CheckWin();
}

void Canfield::Drop(const std::vector<CardWrapper *> &moving)
{
    QRect bounds;
    GetCardsBounds(moving, bounds);
    // Cards go onto a foundation one at a time: a run over a foundation
    // snaps back.
    const bool single = moving.size() == 1;
    const int target = DropTarget(*Table, bounds, FirstFoundation, LastColumn, moving.front()->GetCell(),
                                  [single](int j) { return !single && IsFoundation(j); });
    // The deepest moving card comes first in the list.
    if (target < 0 || !Accepts(moving.front()->GetCard(), target))
        return;

    // Undone in reverse group order: the reserve's turn, the refill, then
    // the cards themselves. Every card is recorded where it lies as it
    // leaves, so all name the same index: the newest record runs first.
    auto step = NewUndoStep(true);
    for (CardWrapper *card : moving) {
        step->AddPosition(card);
        Cell(target)->Add(card, true);
    }
    step->BeginGroup(true);
    RefillColumns(*step);
    step->BeginGroup(false);
    if (CardWrapper *next = Cell(Reserve)->GetWrapper(-1)) {
        step->AddCardFlags(next);
        next->SetFrontUp(true);
    }
    EndMove(std::move(step));
}

void Canfield::RefillColumns(UndoStep &step)
{
    TableCell *reserve = Cell(Reserve);
    TableCell *waste = Cell(Waste);
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        if (Cell(i)->GetCount() > 0)
            continue;
        TableCell *from = reserve->GetCount() > 0 ? reserve : waste;
        if (from->GetCount() == 0)
            DealThree(step);
        CardWrapper *card = from->GetWrapper(-1);
        if (!card)
            continue;
        step.AddMove(card, from);
        card->SetFrontUp(true);
        Cell(i)->Add(card, true);
    }
}

// ---- Clicks: three cards from the stock ----

void Canfield::OnClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    // The same card may move twice in one deal: newest record first.
    auto step = NewUndoStep(true);
    DealThree(*step);
    EndMove(std::move(step));
    Table->Invalidate();
}

void Canfield::DealThree(UndoStep &step)
{
    TableCell *stock = Cell(Stock);
    TableCell *waste = Cell(Waste);
    for (int i = 0; i < CardsPerDeal; ++i) {
        // An empty stock takes the whole waste back first, face down, even
        // between two cards of one deal.
        if (stock->GetCount() == 0) {
            while (CardWrapper *card = waste->Pop()) {
                step.AddMove(card, waste);
                card->SetFrontUp(false);
                stock->Add(card, true);
            }
        }
        if (CardWrapper *card = stock->Pop()) {
            step.AddMove(card, stock);
            card->SetFrontUp(true);
            waste->Add(card, true);
        }
    }
}

// ---- Suggestions: single top cards ----

void Canfield::FindMoves()
{
    Columns::SuggestTopCards(*this, *Table, Waste, LastColumn, FirstFoundation, LastFoundation,
                             [this](const Card *card, int target) { return Accepts(card, target); });
}

// ---- The end: every card on the foundations ----

void Canfield::CheckWin()
{
    int onFoundations = 0;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        onFoundations += Cell(f)->GetCount();
    if (onFoundations > 51)
        GameOver(true);
}

// ---- Saved games: after the position, a 32-bit 0 and the base rank ----

void Canfield::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    VekIO::WriteLE32(stream, int32_t(0));
    VekIO::WriteLE32(stream, BaseValue);
}

bool Canfield::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    int32_t reserved, base;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE32(stream, base))
        return false;
    // Every card of the deck always lies in some cell.
    if (base < 1 || base > 13 || int(DealPile.size()) != ::Deck::CardCount || !CellsHoldDealPile())
        return false;
    BaseValue = base;
    // The framework found the suggestions before the base rank was known.
    ClearPossibleMoves();
    FindMoves();
    return true;
}
