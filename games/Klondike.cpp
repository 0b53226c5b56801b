// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Klondike. The cells, by index:
//
//   [0]  [1]  [2]  [3]  [4]  [5]  [6]      tableau columns, fanned down
//    |    |    |    |    |    |    |
//
//
//   [7]  [8]-->     [9]  [10] [11] [12]    stock, waste (fanned right),
//                                          foundations under columns 3..6
//
// Columns build down in alternating colours, an empty column takes a king.
// Foundations build up by suit from the ace. A click on the stock turns
// three cards onto the waste; the waste shows its three top cards.
#include "Klondike.h"

#include <memory>

#include <QIODevice>

#include "Card.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"
#include "Utils.h"

Klondike::Klondike(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Klondike"), deck, table, cardWidth, cardHeight)
{
}

TableCell *Klondike::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void Klondike::CreateCells()
{
    AddCells(FirstFoundation); // the columns, the stock and the waste
    for (int i = 0; i < FoundationCount; ++i) {
        auto foundation = std::make_unique<TableCell>();
        foundation->SetPicture(Deck->GetPlaceholder(i));
        Table->AddCell(std::move(foundation));
    }
}

void Klondike::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(ColumnCount * w + 54, int(3.5 * h));

    // Fan steps scale with the card width, in single precision.
    const float scale = float(w) / 88.0f;
    const int columnFan = int(10.0f * scale);
    const int wasteFan = int(11.0f * scale);
    const int bottom = Table->height() - h - 5;

    for (int i = FirstColumn; i <= LastColumn; ++i) {
        Cell(i)->SetPosition(6 + i * (w + 6), 5);
        Cell(i)->SetOffset(0, columnFan);
    }
    Cell(Stock)->SetPosition(6, bottom);
    Cell(Waste)->SetPosition(w + 12, bottom);
    Cell(Waste)->SetOffset(wasteFan, 0);
    for (int k = 0; k < FoundationCount; ++k)
        Cell(FirstFoundation + k)->SetPosition((k + 3) * (w + 6) + 6, bottom);
}

// ---- The deal ----

void Klondike::Deal()
{
    // Pass r gives one card to every column from r on; column i ends with
    // i + 1 cards, only the top one face up.
    for (int r = 0; r < ColumnCount; ++r) {
        for (int i = r; i <= LastColumn; ++i) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(i == r);
            Cell(i)->Add(card, true);
        }
    }
    // The other 24 cards go face down onto the stock.
    while (DealIndex < int(DealPile.size()))
        Cell(Stock)->Add(DealCard(), true);
}

// ---- What may be picked up, and where it may go ----

void Klondike::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    TableCell *cell = Cell(cellIndex);
    if (IsColumn(cellIndex)) {
        // The top card alone, or, pressing any card below it, every face-up
        // card of the column.
        if (wrapper == cell->GetWrapper(-1)) {
            wrapper->SetMoving(true);
            return;
        }
        for (CardWrapper *card : cell->GetCards()) {
            if (card->GetFrontUp())
                card->SetMoving(true);
        }
    } else if (cellIndex == Waste && wrapper == cell->GetWrapper(-1)) {
        wrapper->SetMoving(true);
    }
}

bool Klondike::CanPlace(const Card *card, int target) const
{
    const Card *top = Cell(target)->GetCard(-1);
    if (!top)
        return IsFoundation(target) ? Rules::IsAce(card) : IsColumn(target) && Rules::IsKing(card);
    if (IsFoundation(target))
        return Rules::SameSuit(card, top) && Rules::OneHigher(card, top);
    return Rules::OtherColour(card, top) && Rules::OneLower(card, top);
}

void Klondike::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (!moving.empty())
        Drop(moving);
    CardGame::OnMouseUp(x, y);
    UpdateWaste();
    CheckWin();
}

void Klondike::Drop(const std::vector<CardWrapper *> &moving)
{
    QRect bounds;
    GetCardsBounds(moving, bounds);
    TableCell *source = moving.front()->GetCell();

    // A single card may go anywhere, a run only onto a column. The largest
    // overlap wins; on a tie the lower index.
    const int lastCandidate = moving.size() == 1 ? int(LastFoundation) : int(LastColumn);
    int target = -1;
    int best = 0;
    for (int j = FirstColumn; j <= lastCandidate; ++j) {
        if (j == Stock || j == Waste || Cell(j) == source)
            continue;
        const int overlap = Cell(j)->Overlap(bounds);
        if (overlap > best) {
            best = overlap;
            target = j;
        }
    }
    // The lowest moving card comes first in the list.
    if (target < 0 || best <= 25 || !CanPlace(moving.front()->GetCard(), target))
        return;

    auto step = NewUndoStep(false);
    for (CardWrapper *card : moving) {
        step->AddMove(card, card->GetCell());
        Cell(target)->Add(card, true);
    }
    TurnUpUncovered(source, *step);
    EndMove(std::move(step));
}

void Klondike::TurnUpUncovered(TableCell *source, UndoStep &step)
{
    if (CardWrapper *uncovered = source->GetWrapper(-1)) {
        step.AddCardFlags(uncovered);
        uncovered->SetFrontUp(true);
    }
}

// ---- Clicks ----

void Klondike::OnClick(CardWrapper *, int cellIndex, int)
{
    // A press on a face-down card set the face-up cards above it moving; let
    // go where it was pressed, it is a click, and they stay in their column.
    ClearCardFlags(CardWrapper::Moving);
    Table->Invalidate();
    if (cellIndex != Stock)
        return;
    // The same card may move twice in one click (back to the stock, then
    // onto the waste again): the newest record runs first on undo.
    auto step = NewUndoStep(true);
    const QString refusal = UselessRotation();
    if (!refusal.isEmpty()) {
        Error(refusal); // nothing recorded; the step is dropped
    } else {
        for (int i = 0; i < CardsPerTurn; ++i)
            TurnStockCard(*step);
        EndMove(std::move(step));
    }
    UpdateWaste();
}

QString Klondike::UselessRotation() const
{
    const int stock = Cell(Stock)->GetCount();
    const int waste = Cell(Waste)->GetCount();
    if (stock == 0 && waste == 1)
        return QStringLiteral("There is only one card in stock at the moment, rotating it won't help...");
    if (DrawCount == 1)
        return QString();
    if (stock == 0 && waste == 3)
        return QStringLiteral("There are only 3 cards in stock at the moment, rotating them won't help...");
    if (stock == 1 && waste == 2)
        return QStringLiteral("There's only a card here and 2 in stock: rotating them won't produce any effect");
    return QString();
}

void Klondike::TurnStockCard(UndoStep &step)
{
    TableCell *stock = Cell(Stock);
    TableCell *waste = Cell(Waste);
    // An empty stock takes the whole waste back first, face down. Popping it
    // reverses it, so the cards come round in the order they were turned.
    if (stock->GetCount() == 0) {
        while (CardWrapper *card = waste->Pop()) {
            step.AddMove(card, waste);
            card->ClearFlags(CardWrapper::FrontUp | CardWrapper::Hidden);
            stock->Add(card, true);
        }
    }
    if (CardWrapper *card = stock->Pop()) {
        step.AddMove(card, stock);
        card->SetFrontUp(true);
        waste->Add(card, true);
    }
}

void Klondike::OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex)
{
    if (!IsColumn(cellIndex) && cellIndex != Waste) {
        CardGame::OnDblClick(wrapper, cellIndex, cardIndex);
        return;
    }
    // Whichever card was double-clicked, the cell's top card goes up.
    TableCell *source = Cell(cellIndex);
    CardWrapper *card = source->Pop();
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
    if (target >= 0) {
        // The move is recorded after it is made: newest record first.
        auto step = NewUndoStep(true);
        step->AddMove(card, source);
        Cell(target)->Add(card, true);
        TurnUpUncovered(source, *step);
        EndMove(std::move(step));
        Table->Invalidate();
        CheckWin();
    } else {
        source->Add(card, true);
        Error(QStringLiteral("Cannot move the selected card anywhere"));
    }
    UpdateWaste();
}

void Klondike::Undo()
{
    CardGame::Undo();
    UpdateWaste();
}

void Klondike::UpdateWaste()
{
    TableCell *waste = Cell(Waste);
    const int firstShown = waste->GetCount() - VisibleWasteCards;
    for (int i = 0; i < waste->GetCount(); ++i) {
        CardWrapper *card = waste->GetWrapper(i);
        if (i < firstShown)
            card->AddFlags(CardWrapper::Hidden);
        else
            card->ClearFlags(CardWrapper::Hidden);
    }
    Table->Invalidate();
}

// ---- Suggestions ----

void Klondike::FindMoves()
{
    for (int i = FirstColumn; i <= Waste; ++i) {
        if (i == Stock)
            continue;
        TableCell *source = Cell(i);
        const int count = source->GetCount();
        if (count == 0)
            continue;
        // The face-up run at the top of a column (its lowest card is q), or
        // the waste's top card alone.
        int lowest = count - 1;
        if (IsColumn(i)) {
            lowest = count;
            while (lowest > 0 && source->GetWrapper(lowest - 1)->GetFrontUp())
                --lowest;
            if (lowest == count)
                continue; // a face-down top card offers nothing
        }
        const int runLength = count - lowest;
        const Card *q = source->GetCard(lowest);
        const Card *top = source->GetCard(-1);

        for (int j = FirstColumn; j <= LastFoundation; ++j) {
            if (j == i || j == Stock || j == Waste)
                continue;
            if ((runLength == 1 || IsColumn(j)) && CanPlace(q, j))
                AddPossibleMove(source, lowest, Cell(j));
            else if (CanPlace(top, j))
                AddPossibleMove(source, count - 1, Cell(j));
            else
                continue;
            // One foundation is enough for a source.
            if (IsFoundation(j))
                break;
        }
    }
}

// ---- The end ----

void Klondike::CheckWin()
{
    for (int f = FirstFoundation; f <= LastFoundation; ++f) {
        if (!Rules::IsKing(Cell(f)->GetCard(-1)))
            return;
    }
    GameOver(true); // Klondike never reports a lost game
}

// ---- Saved games: after the position, a 32-bit 0 and the draw count ----

void Klondike::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    VekIO::WriteLE32(stream, int32_t(0));
    VekIO::WriteLE32(stream, DrawCount);
}

bool Klondike::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    int32_t reserved, drawCount;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE32(stream, drawCount))
        return false;
    // Every card of a Klondike deal always lies in some cell.
    if (!CellsHoldDealPile())
        return false;
    DrawCount = drawCount;
    return true;
}
