// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Baker's Dozen. The cells, by index:
//
//   [4]  [5]  [6]  [7]  [8]  [9]  [10]     [0]   tableau columns, fanned
//    |    |    |    |    |    |    |       [1]   down, in two rows;
//                                          [2]   foundations stacked on
//   [11] [12] [13] [14] [15] [16]          [3]   the right
//    |    |    |    |    |    |
//
// Columns build down regardless of suit, one card at a time; an empty column
// takes nothing. Foundations build up by suit from the Ace.
#include "BakersDozen.h"

#include <memory>

#include <QIODevice>

#include "Card.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "DropTarget.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

BakersDozen::BakersDozen(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Baker's Dozen"), deck, table, cardWidth, cardHeight)
{
}

TableCell *BakersDozen::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void BakersDozen::CreateCells()
{
    AddCells(LastColumn + 1);
}

void BakersDozen::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(8 * w + 92, 4 * h + 70);

    const int fan = int(14.0f * (float(w) / 88.0f));
    for (int i = 0; i < FoundationCount; ++i) {
        TableCell *foundation = Cell(FirstFoundation + i);
        foundation->SetPicture(Deck->GetPlaceholder(i));
        foundation->SetPosition(7 * w + 76, 5 + i * (h + 15));
    }
    // Seven columns along the top, six below them.
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        const int j = i - FirstColumn;
        if (j < 7)
            Cell(i)->SetPosition(6 + j * (w + 10), 5);
        else
            Cell(i)->SetPosition(6 + (j - 7) * (w + 10), 2 * h + 35);
        Cell(i)->SetOffset(0, fan);
    }
}

// ---- The deal: four face-up cards a column, Kings to the bottom ----

void BakersDozen::Deal()
{
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        for (int n = 0; n < CardsPerColumn; ++n) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(true);
            // A second King of the column goes under the first.
            Cell(i)->Add(card, !Rules::IsKing(card->GetCard()));
        }
    }
    Completed = 0;
}

// ---- What may be picked up, and where it may go ----

void BakersDozen::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    if (IsColumn(cellIndex) && wrapper == Cell(cellIndex)->GetWrapper(-1))
        wrapper->SetMoving(true);
}

bool BakersDozen::Accepts(const Card *card, int target) const
{
    const Card *top = Cell(target)->GetCard(-1);
    if (IsFoundation(target))
        return top ? Rules::SameSuit(card, top) && Rules::OneHigher(card, top) : Rules::IsAce(card);
    // An empty column takes nothing.
    return IsColumn(target) && Rules::OneLower(card, top);
}

void BakersDozen::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    const bool ontoFoundation = moving.size() == 1 && Drop(moving.front());
    CardGame::OnMouseUp(x, y);
    if (ontoFoundation && Completed == FoundationCount)
        GameOver(true);
}

bool BakersDozen::Drop(CardWrapper *card)
{
    QRect bounds;
    GetCardsBounds({card}, bounds);
    const int target = DropTarget(*Table, bounds, FirstFoundation, LastColumn, card->GetCell(), [](int) { return false; });
    if (target < 0 || !Accepts(card->GetCard(), target))
        return false;
    auto step = NewUndoStep(false);
    step->AddPosition(card);
    Cell(target)->Add(card, true);
    EndMove(std::move(step));
    // Counted only after a move was made, so a refused drop over a full
    // foundation never counts it twice.
    if (!IsFoundation(target))
        return false;
    CountCompleted();
    return true;
}

// ---- Suggestions: a top card onto any cell that takes it ----

void BakersDozen::FindMoves()
{
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        TableCell *source = Cell(i);
        const Card *top = source->GetCard(-1);
        if (!top)
            continue;
        for (int j = FirstFoundation; j <= LastColumn; ++j) {
            if (j == i || !Accepts(top, j))
                continue;
            AddPossibleMove(source, source->GetCount() - 1, Cell(j));
            // One foundation is enough for a column: on to the columns.
            if (IsFoundation(j))
                j = FirstColumn - 1;
        }
    }
}

// ---- Undo and the end: four full foundations ----

void BakersDozen::CountCompleted()
{
    Completed = 0;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        Completed += Cell(f)->GetCount() > 12 ? 1 : 0;
}

void BakersDozen::Undo()
{
    CardGame::Undo();
    CountCompleted();
}

// ---- Saved games: the position only ----

bool BakersDozen::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    CountCompleted();
    // Every card of the deck always lies in some cell.
    return int(DealPile.size()) == ::Deck::CardCount && CellsHoldDealPile();
}
