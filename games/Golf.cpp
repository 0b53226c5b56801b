// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
//   [2]  [3]  [4]  [5]  [6]  [7]  [8]     seven columns of five, fanned down
//
//
//   [0] stock            [1] discard pile
//
// Golf and Putt Putt share everything except which ranks are neighbours.
#include "Golf.h"

#include <vector>

#include "Card.h"
#include "CardWrapper.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

Golf::Golf(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Golf"), deck, table, cardWidth, cardHeight)
{
}

PuttPutt::PuttPutt(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : Golf(deck, table, cardWidth, cardHeight)
{
    Name = QStringLiteral("Putt Putt");
}

// ---- Cells and layout ----

void Golf::CreateCells()
{
    AddCells(LastColumn + 1);
}

void Golf::LayoutCells()
{
    const int w = CardWidth, h = CardHeight;
    const float scale = float(w) / 88.0f;
    Table->Resize(7 * w + 96, 4 * h + 126);
    // Stock and pile stand along the bottom edge of the table.
    const int bottom = Table->height() - h - 5;
    CellAt(Stock)->SetPosition(6, bottom);
    CellAt(Pile)->SetPosition(3 * w + 42, bottom);
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        CellAt(i)->SetPosition((i - FirstColumn) * (w + 12) + 6, 5);
        CellAt(i)->SetOffset(0, int(24.0f * scale));
    }
}

// ---- The deal: 35 column cards and one on the pile face up, 16 in the stock ----

void Golf::Deal()
{
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        for (int n = 0; n < ColumnDepth; ++n) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(true);
            CellAt(i)->Add(card, true);
        }
    }
    CardWrapper *first = DealCard();
    first->SetFrontUp(true);
    CellAt(Pile)->Add(first, true);
    for (int i = DealIndex; i < int(DealPile.size()); ++i)
        CellAt(Stock)->Add(DealCard(), true);
}

// ---- What may be picked up: a column's face-up top card ----

void Golf::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    if (cellIndex < FirstColumn || cellIndex > LastColumn)
        return;
    if (wrapper == CellAt(cellIndex)->GetWrapper(-1) && wrapper->GetFrontUp())
        CellAt(cellIndex)->StartMoving(wrapper);
}

// ---- What may be dropped where: only onto the pile, one rank apart ----

const Card *Golf::PileTop() const
{
    return CellAt(Pile)->GetCard(-1);
}

bool Golf::CanPlace(const CardWrapper *wrapper, int target)
{
    if (target != Pile || !wrapper)
        return false;
    const Card *card = wrapper->GetCard();
    return Rules::OneLower(card, PileTop()) || Rules::OneHigher(card, PileTop());
}

bool PuttPutt::CanPlace(const CardWrapper *wrapper, int target)
{
    return target == Pile && wrapper && Rules::WrappingNeighbours(wrapper->GetCard(), PileTop());
}

void Golf::PlayToPile(CardWrapper *wrapper, UndoStep &step)
{
    step.AddPosition(wrapper);
    AddScore(1, &step);
    CellAt(Pile)->Add(wrapper, true);
}

void Golf::OnMouseUp(int x, int y)
{
    CardWrapper *card = EndDragOnto(Pile, x, y);
    if (card && CanPlace(card, Pile)) {
        auto step = NewUndoStep(false);
        PlayToPile(card, *step);
        EndMove(std::move(step));
    }
    CheckEnd();
}

// ---- Clicks: the stock turns a card onto the pile; double-clicks play a column's top card ----

void Golf::OnClick(CardWrapper *, int cellIndex, int)
{
    TableCell *stock = CellAt(Stock);
    if (cellIndex != Stock || stock->GetCount() == 0)
        return;
    auto step = NewUndoStep(false);
    step->BeginGroup(true);
    CardWrapper *top = stock->GetWrapper(-1);
    step->AddMove(top, stock);
    top->SetFrontUp(true);
    CellAt(Pile)->Add(top, true);
    Table->Invalidate();
    step->EndGroup();
    EndMove(std::move(step));
    CheckEnd();
}

void Golf::OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex)
{
    if (cellIndex < FirstColumn || cellIndex > LastColumn) {
        CardGame::OnDblClick(wrapper, cellIndex, cardIndex);
        return;
    }
    if (!wrapper || wrapper != CellAt(cellIndex)->GetWrapper(-1))
        return;
    if (!CanPlace(wrapper, Pile)) {
        Error(QStringLiteral("Cannot move the selected card anywhere"));
        return;
    }
    auto step = NewUndoStep(true);
    PlayToPile(wrapper, *step);
    Table->Invalidate();
    EndMove(std::move(step));
    CheckEnd();
}

// ---- Suggestions: every column top card that fits the pile ----

void Golf::FindMoves()
{
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        TableCell *column = CellAt(i);
        if (column->GetCount() > 0 && CanPlace(column->GetWrapper(-1), Pile))
            AddPossibleMove(column, column->GetCount() - 1, CellAt(Pile));
    }
}

// ---- The end ----

void Golf::CheckEnd()
{
    bool columnsEmpty = true;
    for (int i = FirstColumn; i <= LastColumn; ++i)
        columnsEmpty = columnsEmpty && CellAt(i)->GetCount() == 0;
    if (columnsEmpty)
        GameOver(true);
    else if (GetPossibleMoveCount() == 0 && CellAt(Stock)->GetCount() == 0)
        GameOver(false);
}

// ---- Saved games: the framework's position alone ----

bool Golf::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream) || !CellsHoldDealPile())
        return false;
    // The score counts the cards played from the columns.
    int inColumns = 0;
    for (int i = FirstColumn; i <= LastColumn; ++i)
        inColumns += CellAt(i)->GetCount();
    return Score == (LastColumn - FirstColumn + 1) * ColumnDepth - inColumns;
}
