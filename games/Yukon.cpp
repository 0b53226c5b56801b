// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Yukon. The cells, by index:
//
//                  [0]  [1]  [2]  [3]      foundations, above columns 3..6
//
//   [4]  [5]  [6]  [7]  [8]  [9]  [10]     columns, fanned down
//    |    |    |    |    |    |    |
//
// Columns build down in alternating colours, an empty column takes a King.
// Any face-up card is dragged with everything on it. Foundations build up
// by suit from the Ace and are reached only by double-click.
#include "Yukon.h"

#include <memory>

#include "Card.h"
#include "CardWrapper.h"
#include "Columns.h"
#include "Deck.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

Yukon::Yukon(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Yukon"), deck, table, cardWidth, cardHeight)
{
}

TableCell *Yukon::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void Yukon::CreateCells()
{
    AddCells(LastColumn + 1);
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        Cell(f)->SetPicture(Deck->GetPlaceholder(f - FirstFoundation));
}

void Yukon::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(ColumnCount * w + 54, 5 * h);

    // The fan step scales with the card width, in single precision.
    ColumnFan = int(24.0f * (float(w) / 88.0f));
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        Cell(f)->SetPosition((f + 3) * (w + 6) + 6, 5);
    for (int i = FirstColumn; i <= LastColumn; ++i)
        Cell(i)->SetPosition((i - FirstColumn) * (w + 6) + 6, h + 29);
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
}

// ---- The deal ----

void Yukon::Deal()
{
    // 1, 6, 7, ... 11 cards; column k has its k lowest cards face down.
    for (int k = 0; k < ColumnCount; ++k) {
        const int count = k == 0 ? 1 : k + 5;
        for (int j = 0; j < count; ++j) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(j >= k);
            Cell(FirstColumn + k)->Add(card, true);
        }
    }
}

// ---- What may be picked up, and where it may go ----

void Yukon::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    // Any face-up card, with whatever lies on it.
    if (IsColumn(cellIndex) && wrapper->GetFrontUp())
        Cell(cellIndex)->StartMoving(wrapper);
}

bool Yukon::CanPlace(const Card *card, int target) const
{
    if (!IsColumn(target) && !IsFoundation(target))
        return false;
    const Card *top = Cell(target)->GetCard(-1);
    if (IsFoundation(target))
        return Rules::BuildsUpBySuit(card, top);
    return top ? Rules::OtherColour(card, top) && Rules::OneLower(card, top) : Rules::IsKing(card);
}

void Yukon::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    const bool moved = !moving.empty() && Drop(moving);
    // The cards are put down before the end of the deal is announced.
    CardGame::OnMouseUp(x, y);
    if (moved)
        CheckEnd();
}

bool Yukon::Drop(const std::vector<CardWrapper *> &moving)
{
    const int target = Columns::DropOnto(*Table, moving, FirstColumn, LastColumn);
    // The lowest moving card comes first in the list.
    if (target < 0 || !CanPlace(moving.front()->GetCard(), target))
        return false;

    EndMove(Columns::MovePile(*this, moving, Cell(target)));
    return true;
}

// ---- Double-click: a column's top card to a foundation ----

void Yukon::OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex)
{
    // Elsewhere the second click of a double-click is a click.
    if (!IsColumn(cellIndex)) {
        CardGame::OnDblClick(wrapper, cellIndex, cardIndex);
        return;
    }
    // Whichever card was hit, the column's top card goes up.
    TableCell *column = Cell(cellIndex);
    CardWrapper *card = column->GetWrapper(-1);
    if (!card)
        return;
    // The empty foundation pictured with the card's suit first, else the
    // first that takes it.
    int target = -1;
    for (int f = FirstFoundation; f <= LastFoundation && target < 0; ++f) {
        if (ShowsSuitOf(f, card->GetCard()) && CanPlace(card->GetCard(), f))
            target = f;
    }
    for (int f = FirstFoundation; f <= LastFoundation && target < 0; ++f) {
        if (CanPlace(card->GetCard(), f))
            target = f;
    }
    if (target < 0) {
        Error(QStringLiteral("Cannot move the selected card anywhere"));
        return;
    }
    auto step = NewUndoStep(false);
    step->AddPosition(card);
    Cell(target)->Add(card, true);
    Columns::TurnUpTop(column, *step, true);
    EndMove(std::move(step));
    Table->Invalidate();
    CheckEnd();
}

// ---- Suggestions: column to column only ----

void Yukon::FindMoves()
{
    // Every change of the position ends here: fit the fans to the columns.
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        TableCell *source = Cell(i);
        for (int n = source->GetCount() - 1; n >= 0; --n) {
            if (!source->GetWrapper(n)->GetFrontUp())
                break;
            for (int t = FirstColumn; t <= LastColumn; ++t) {
                if (t != i && CanPlace(source->GetCard(n), t))
                    AddPossibleMove(source, n, Cell(t));
            }
        }
    }
}

void Yukon::FindAnyMove()
{
    // The suggestions hold column moves only; with none left, a card that
    // may still go up by double-click is the move to show.
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        for (int f = FirstFoundation; f <= LastFoundation; ++f) {
            if (Cell(i)->GetCount() > 0 && CanPlace(Cell(i)->GetCard(-1), f)) {
                AddPossibleMove(Cell(i), Cell(i)->GetCount() - 1, Cell(f));
                return;
            }
        }
    }
    CardGame::FindAnyMove();
}

// ---- The end ----

bool Yukon::FoundationMoveLeft() const
{
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        const Card *top = Cell(i)->GetCard(-1);
        if (!top)
            continue;
        for (int f = FirstFoundation; f <= LastFoundation; ++f) {
            if (CanPlace(top, f))
                return true;
        }
    }
    return false;
}

void Yukon::CheckEnd()
{
    bool complete = true;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        complete = complete && Cell(f)->GetCount() >= 13;
    if (complete)
        GameOver(true);
    // The suggestions leave out the foundations: a card that may still go up
    // keeps the deal alive.
    else if (GetPossibleMoveCount() == 0 && !FoundationMoveLeft())
        GameOver(false);
}

// ---- Saved games: the position only ----

bool Yukon::LoadGame(QIODevice &stream)
{
    return CardGame::LoadGame(stream) && Columns::HoldsWholeDeal(*this);
}
