// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
//   [28]                      [0]                        [29]
//   stock                   [1] [2]                      waste
//                         [3] [4] [5]
//                       [6] [7] [8] [9]
//                    [10] [11] [12] [13] [14]
//                  [15] [16] [17] [18] [19] [20]
//                [21] [22] [23] [24] [25] [26] [27]
//
//   [30] the removed cards, never shown.
//
// Each position is covered by the two below it: position i of row r by
// i + r + 1 and i + r + 2.
#include "Pyramid.h"

#include <QIODevice>

#include "Card.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"
#include "Utils.h"

namespace {

constexpr int PairTotal = 13;

bool AddUpToThirteen(const Card *a, const Card *b)
{
    return a && b && a->GetValue() + b->GetValue() == PairTotal;
}

} // namespace

Pyramid::Pyramid(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Pyramid"), deck, table, cardWidth, cardHeight)
{
}

int Pyramid::RowOf(int index)
{
    int row = 0;
    while (row + 1 < Rows && RowStart(row + 1) <= index)
        ++row;
    return row;
}

bool Pyramid::IsFree(int index) const
{
    if (index >= RowStart(Rows - 1))
        return true;
    if (index < 0)
        return false;
    const int row = RowOf(index);
    return CellOf(index + row + 1)->GetCount() == 0 && CellOf(index + row + 2)->GetCount() == 0;
}

// ---- Cells and layout ----

void Pyramid::CreateCells()
{
    AddCells(Removed + 1);
    for (int i = FirstPosition; i <= LastPosition; ++i)
        CellOf(i)->SetKind(CellKind::Bare);
    CellOf(Removed)->SetKind(CellKind::Hidden);
}

void Pyramid::LayoutCells()
{
    const int w = CardWidth, h = CardHeight;
    const int step = h / 3; // rows overlap, showing a third of each card
    const int half = w / 2;
    Table->Resize(7 * w + 54, h + 6 * step + 34);
    for (int row = 0; row < Rows; ++row) {
        const int indent = Rows - 1 - row; // half-card steps from the left
        for (int p = 0; p <= row; ++p) {
            const int x = 6 + (w + 6) * (p + indent / 2) + (indent % 2 ? half : 0);
            CellOf(RowStart(row) + p)->SetPosition(x, 5 + row * (step + 4));
        }
    }
    CellOf(Stock)->SetPosition(6, 5);
    CellOf(Waste)->SetPosition(6 * w + 42, 5);
    CellOf(Removed)->SetPosition(0, 0);
}

// ---- The deal: the pyramid face up, the rest on the stock, its top turned ----

void Pyramid::Deal()
{
    for (int i = FirstPosition; i <= LastPosition; ++i) {
        CardWrapper *card = DealCard();
        card->SetFrontUp(true);
        CellOf(i)->Add(card, true);
    }
    TableCell *stock = CellOf(Stock);
    for (int i = LastPosition + 1; i < int(DealPile.size()); ++i)
        stock->Add(DealCard(), true);
    if (CardWrapper *top = stock->GetWrapper(-1))
        top->SetFrontUp(true);
    RemovedCount = 0;
}

// ---- Clicks: select, pair to 13, Kings alone; the empty stock turns the waste back ----

void Pyramid::TurnUpStock(UndoStep &step)
{
    if (CardWrapper *top = CellOf(Stock)->GetWrapper(-1)) {
        step.AddCardFlags(top);
        top->SetFrontUp(true);
    }
}

void Pyramid::RemoveCard(UndoStep &step, CardWrapper *card)
{
    step.AddPosition(card);
    CellOf(Removed)->Add(card, true);
}

void Pyramid::OnClick(CardWrapper *wrapper, int cellIndex, int)
{
    auto step = NewUndoStep(true);
    if (wrapper) {
        switch (Selection.OnCardClick(wrapper)) {
        case PairSelection::Click::Deselected:
            break;
        case PairSelection::Click::Second:
            if (IsFree(cellIndex) && AddUpToThirteen(Selection.GetCard()->GetCard(), wrapper->GetCard())) {
                CardWrapper *first = Selection.GetCard();
                Selection.Clear();
                RemoveCard(*step, first);
                RemoveCard(*step, wrapper);
                RemovedCount += 2;
                TurnUpStock(*step);
            } else {
                Error(QStringLiteral("The selected cards don't add up to 13!"));
            }
            break;
        case PairSelection::Click::First:
            if (!IsFree(cellIndex)) {
                Error(QStringLiteral("Only free cards can be selected"));
            } else if (Rules::IsKing(wrapper->GetCard())) {
                RemoveCard(*step, wrapper);
                TurnUpStock(*step);
                RemovedCount += 1;
            } else {
                Selection.Select(wrapper, cellIndex);
            }
            break;
        }
        ShowStatus();
        Table->Invalidate();
    } else if (cellIndex == Stock && CellOf(Stock)->GetCount() == 0) {
        // Redeals are unlimited: the waste goes back, top card first, face
        // down, so that the stock turns in the same order again.
        TableCell *stock = CellOf(Stock);
        TableCell *waste = CellOf(Waste);
        // A selected waste card is about to be buried in the stock.
        if (Selection.IsActive() && Selection.GetCell() == Waste)
            Selection.Clear();
        while (CardWrapper *card = waste->GetWrapper(-1)) {
            step->AddMove(card, waste);
            card->SetFrontUp(false);
            stock->Add(card, true);
        }
        TurnUpStock(*step);
        Table->Invalidate();
    }
    // The step is kept before the win is reported, which clears the history.
    EndMove(std::move(step));
    if (wrapper && RemovedCount > 51)
        GameOver(true);
}

// A double-click on the stock turns its top card onto the waste.
void Pyramid::OnDblClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    TableCell *stock = CellOf(Stock);
    CardWrapper *top = stock->GetWrapper(-1);
    if (!top)
        return;
    auto step = NewUndoStep(true);
    // The first click of the double-click may have selected a card: the
    // moving card or another, which keeps no frame once it is no longer
    // selected.
    Selection.Clear();
    step->AddMove(top, stock);
    CellOf(Waste)->Add(top, true);
    TurnUpStock(*step);
    Table->Invalidate();
    EndMove(std::move(step));
}

// ---- Suggestions: free Kings alone, free pairs adding up to 13 ----

void Pyramid::FindMoves()
{
    for (int i = FirstPosition; i <= Stock; ++i) {
        const Card *card = CellOf(i)->GetCard(-1);
        if (!card || !IsFree(i))
            continue;
        if (Rules::IsKing(card)) {
            AddPossibleMove(CellOf(i), CellOf(i));
            continue;
        }
        for (int j = (i == Stock ? FirstPosition : i + 1); j <= LastPosition; ++j) {
            if (IsFree(j) && AddUpToThirteen(card, CellOf(j)->GetCard(-1)))
                AddPossibleMove(CellOf(i), CellOf(j));
        }
    }
}

// The suggestions leave out the waste's top card and the stock's turns.
void Pyramid::FindAnyMove()
{
    TableCell *waste = CellOf(Waste);
    if (const Card *card = waste->GetCard(-1)) {
        if (Rules::IsKing(card)) {
            AddPossibleMove(waste, waste);
            return;
        }
        for (int i = FirstPosition; i <= Stock; ++i) {
            if (IsFree(i) && AddUpToThirteen(card, CellOf(i)->GetCard(-1))) {
                AddPossibleMove(CellOf(i), waste);
                return;
            }
        }
    }
    // A double-click turns the stock; a click on the empty stock takes the
    // waste back.
    if (CellOf(Stock)->GetCount() > 0 || waste->GetCount() > 0)
        AddClickMove(CellOf(Stock));
}

// ---- Status and undo ----

void Pyramid::ShowStatus()
{
    Status(QStringLiteral("Cards removed: %1").arg(RemovedCount));
}

void Pyramid::Undo()
{
    CardGame::Undo();
    Selection.Clear();
    RemovedCount = CellOf(Removed)->GetCount();
    ShowStatus();
}

// ---- Saved games: a reserved 32-bit 0, then the removed count in 16 bits ----

void Pyramid::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    (void)(VekIO::WriteLE32(stream, int32_t(0)) && VekIO::WriteLE16(stream, uint16_t(RemovedCount)));
}

bool Pyramid::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    // A selection in the position being replaced loses its frame (once the
    // position's cards are gone it has been forgotten already).
    Selection.Clear();
    int32_t reserved;
    uint16_t removed;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE16(stream, removed)) {
        RemovedCount = CellOf(Removed)->GetCount();
        return false;
    }
    RemovedCount = removed;
    // Every card of a deal lies in some cell, the removed ones included, and
    // the count is that of the removed cards: a larger one would win at the
    // next click.
    return CellsHoldDealPile() && RemovedCount == CellOf(Removed)->GetCount();
}
