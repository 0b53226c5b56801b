// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Forty Thieves, Josephine and Streets. The cells, by index:
//
//   [10] [11] [12] [13] [14] [15] [16] [17]          foundations
//
//   [0]  [1]  [2]  [3]  [4]  [5]  [6]  [7]  [8]  [9] tableau columns,
//    |    |    |    |    |    |    |    |    |    |  fanned down
//
//   [18] [19]                                        stock, waste
//
// Two decks. Columns build down by one in the same suit (Streets: in
// alternating colours); an empty column takes any card. Foundations build
// up by suit from the Ace. A click on the stock turns one card onto the
// waste; an empty stock takes the waste back first, as often as wanted.
#include "FortyThieves.h"

#include <memory>

#include <QIODevice>

#include "Card.h"
#include "CardWrapper.h"
#include "DropTarget.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

FortyThieves::FortyThieves(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Forty Thieves"), deck, table, cardWidth, cardHeight)
{
}

Josephine::Josephine(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : FortyThieves(deck, table, cardWidth, cardHeight)
{
    Name = QStringLiteral("Josephine");
}

Streets::Streets(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : FortyThieves(deck, table, cardWidth, cardHeight)
{
    Name = QStringLiteral("Streets");
}

TableCell *FortyThieves::Cell(int index) const
{
    return Table->GetCell(index);
}

int FortyThieves::GetDeckCount()
{
    return 2;
}

// ---- Cells and layout ----

void FortyThieves::CreateCells()
{
    AddCells(Waste + 1);
}

void FortyThieves::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(ColumnCount * w + 72, 5 * h);

    const int columnFan = int(14.0f * (float(w) / 88.0f));
    for (int i = 0; i < ColumnCount; ++i) {
        Cell(FirstColumn + i)->SetPosition(6 + i * (w + 6), h + 9);
        Cell(FirstColumn + i)->SetOffset(0, columnFan);
    }
    for (int i = 0; i < FoundationCount; ++i)
        Cell(FirstFoundation + i)->SetPosition(6 + i * (w + 6), 5);
    const int bottom = Table->height() - h - 5;
    Cell(Stock)->SetPosition(6, bottom);
    Cell(Waste)->SetPosition(w + 12, bottom);
}

// ---- The deal: four face-up rows, the rest face down on the stock ----

void FortyThieves::Deal()
{
    for (int row = 0; row < 4; ++row) {
        for (int i = FirstColumn; i <= LastColumn; ++i) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(true);
            Cell(i)->Add(card, true);
        }
    }
    while (DealIndex < int(DealPile.size()))
        Cell(Stock)->Add(DealCard(), true);
    Completed = 0;
}

// ---- What may be picked up, and where it may go ----

void FortyThieves::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    // The top card of the waste or of a column, alone.
    if ((cellIndex == Waste || IsColumn(cellIndex)) && wrapper == Cell(cellIndex)->GetWrapper(-1))
        wrapper->SetMoving(true);
}

void Josephine::OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y)
{
    if (!IsColumn(cellIndex)) {
        FortyThieves::OnMouseDown(wrapper, cellIndex, cardIndex, x, y);
        return;
    }
    TableCell *column = Cell(cellIndex);
    if (RunStart(column, wrapper) >= 0)
        column->StartMoving(wrapper);
}

int Josephine::RunStart(const TableCell *column, const CardWrapper *pressed) const
{
    // Down from the top card while each card is face up and one higher than
    // the card above it, of the same suit.
    for (int i = column->GetCount() - 1; i >= 0; --i) {
        const CardWrapper *card = column->GetWrapper(i);
        if (!card->GetFrontUp())
            return -1;
        if (i < column->GetCount() - 1) {
            const Card *above = column->GetCard(i + 1);
            if (!Rules::SameSuit(card->GetCard(), above) || !Rules::OneHigher(card->GetCard(), above))
                return -1;
        }
        if (card == pressed)
            return i;
    }
    return -1;
}

bool FortyThieves::Accepts(const Card *card, int target) const
{
    const Card *top = Cell(target)->GetCard(-1);
    if (IsFoundation(target))
        return top ? Rules::SameSuit(card, top) && Rules::OneHigher(card, top) : Rules::IsAce(card);
    if (IsColumn(target))
        return !top || (Rules::SameSuit(card, top) && Rules::OneLower(card, top));
    return false; // the stock and the waste
}

bool Streets::Accepts(const Card *card, int target) const
{
    const Card *top = Cell(target)->GetCard(-1);
    if (IsColumn(target) && top)
        return Rules::OtherColour(card, top) && Rules::OneLower(card, top);
    return FortyThieves::Accepts(card, target);
}

void FortyThieves::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    const bool ontoFoundation = !moving.empty() && Drop(moving);
    // The drag ends before the end of the deal is announced.
    CardGame::OnMouseUp(x, y);
    if (ontoFoundation && Completed == FoundationCount)
        GameOver(true);
}

bool FortyThieves::Drop(const std::vector<CardWrapper *> &moving)
{
    QRect bounds;
    GetCardsBounds(moving, bounds);
    // Cards go onto a foundation one at a time: a run over a foundation
    // snaps back.
    const bool single = moving.size() == 1;
    const int target = DropTarget(*Table, bounds, FirstColumn, LastFoundation, moving.front()->GetCell(),
                                  [single](int j) { return !single && IsFoundation(j); });
    // The deepest moving card comes first in the list.
    if (target < 0 || !Accepts(moving.front()->GetCard(), target))
        return false;

    // Every card is recorded where it lies as it leaves, so all of them
    // name the same index: the newest record runs first on undo.
    auto step = NewUndoStep(true);
    for (CardWrapper *card : moving) {
        step->AddPosition(card);
        Cell(target)->Add(card, true);
    }
    EndMove(std::move(step));
    // Counted only after a move was made, so a refused drop over a full
    // foundation never counts it twice.
    if (!IsFoundation(target))
        return false;
    CountCompleted();
    return true;
}

// ---- Clicks: one card from the stock, the waste turned over when it is empty ----

void FortyThieves::OnClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    TableCell *stock = Cell(Stock);
    TableCell *waste = Cell(Waste);
    // The same card may move twice in one click: newest record first.
    auto step = NewUndoStep(true);
    if (stock->GetCount() == 0) {
        while (CardWrapper *card = waste->Pop()) {
            step->AddMove(card, waste);
            card->SetFrontUp(false);
            stock->Add(card, true);
        }
    }
    if (CardWrapper *card = stock->Pop()) {
        step->AddMove(card, stock);
        card->SetFrontUp(true);
        waste->Add(card, true);
    }
    EndMove(std::move(step));
    Table->Invalidate();
}

// ---- Suggestions: a top card onto any cell that takes it ----

void FortyThieves::FindMoves()
{
    for (int i = FirstColumn; i <= Waste; ++i) {
        if (!IsColumn(i) && i != Waste)
            continue;
        TableCell *source = Cell(i);
        const Card *top = source->GetCard(-1);
        if (!top)
            continue;
        for (int j = FirstColumn; j <= LastFoundation; ++j) {
            if (j == i || !Accepts(top, j))
                continue;
            AddPossibleMove(source, source->GetCount() - 1, Cell(j));
            // One foundation is enough for a source; they come last.
            if (IsFoundation(j))
                break;
        }
    }
}

// ---- Undo and the end: eight full foundations ----

void FortyThieves::CountCompleted()
{
    Completed = 0;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        Completed += Cell(f)->GetCount() > 12 ? 1 : 0;
}

void FortyThieves::Undo()
{
    CardGame::Undo();
    CountCompleted();
}

// ---- Saved games: the position only ----

bool FortyThieves::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    CountCompleted();
    // Every card of the two decks always lies in some cell.
    return int(DealPile.size()) == CardTotal && CellsHoldDealPile();
}
