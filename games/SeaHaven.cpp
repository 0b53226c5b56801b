// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
//   [0] [1] [2] [3]                           [4] [5] [6] [7]
//   free cells (0 and 1 dealt a card)         foundations (placeholders 0-3)
//
//   [8]  [9]  [10] [11] [12] [13] [14] [15] [16] [17]
//   columns of five, fanned downwards
//
// Foundations are built up by suit from the Ace, columns down by suit; any
// card may start an empty column. Only the top card of a cell moves.
#include "SeaHaven.h"

#include "Card.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

namespace {

constexpr int SeaHavenColumns = 10;
constexpr int CardsPerColumn = 5;

} // namespace

SeaHaven::SeaHaven(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : FreeCell(deck, table, cardWidth, cardHeight)
{
    Name = QStringLiteral("Seahaven");
    ColumnCount = SeaHavenColumns;
}

void SeaHaven::ComputeSize()
{
    // 14 pixels at the standard card width of 88; room for fifteen steps of
    // the fan below the top row.
    ColumnFan = int(14 * (float(CardWidth) / 88.0f));
    Table->Resize(ColumnCount * CardWidth + 72, 15 * ColumnFan + 2 * CardHeight + 15);
}

void SeaHaven::Deal()
{
    for (int k = 0; k < ColumnCount * CardsPerColumn; ++k) {
        CardWrapper *card = DealCard();
        card->SetFrontUp(true);
        CellAt(FirstColumn + k % ColumnCount)->Add(card, true);
    }
    // The last two cards start in the first two free cells.
    for (int i = 0; i < 2; ++i) {
        CardWrapper *card = DealCard();
        card->SetFrontUp(true);
        CellAt(FirstFreeCell + i)->Add(card, true);
    }
    CardsToMove = ::Deck::CardCount;
}

int SeaHaven::CanMove(TableCell *source, int target)
{
    TableCell *to = CellAt(target);
    const Card *card = source ? source->GetCard(-1) : nullptr;
    if (!card || !to || to == source)
        return 0;
    if (IsFreeCell(target))
        return to->GetCount() == 0 ? 1 : 0;
    if (IsFoundation(target))
        return FitsFoundation(card, target) ? 1 : 0;
    if (IsColumn(target)) {
        const Card *onto = to->GetCard(-1);
        return !onto || (Rules::SameSuit(card, onto) && Rules::OneLower(card, onto)) ? 1 : 0;
    }
    return 0;
}

int SeaHaven::RunStart(TableCell *cell, CardWrapper *)
{
    return cell->GetCount() - 1;
}

void SeaHaven::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    TableCell *cell = cellIndex >= 0 ? CellAt(cellIndex) : nullptr;
    if (wrapper && cell && !IsFoundation(cellIndex) && cell->GetWrapper(-1) == wrapper)
        wrapper->SetMoving(true);
}
