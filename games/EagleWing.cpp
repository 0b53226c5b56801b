// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Eagle Wing. The cells, by index:
//
//   [7]        [3]  [4]  [5]  [6]       [11]    foundations in the middle;
//       [8]                        [12]         the left wing 7-10 and the
//           [9]      [2]      [13]              right wing 11-14 step down
//              [10]  reserve [14]               towards it, each column
//   [0] [1]                                     fanned down
//   stock, waste
//
// Foundations start from the rank of the first card dealt to them and build
// up by suit, round from King to Ace. Columns hold at most three cards built
// down in suit (a King goes on an Ace); an emptied column is filled at once
// from the reserve, and once the reserve is gone it takes any card. A click
// on the stock turns one card onto the waste; the waste may be turned back
// twice.
#include "EagleWing.h"

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

EagleWing::EagleWing(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Eagle Wing"), deck, table, cardWidth, cardHeight)
{
}

TableCell *EagleWing::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void EagleWing::CreateCells()
{
    AddCells(LastColumn + 1);
}

void EagleWing::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    const int a = int(14.0f * (float(w) / 88.0f));
    Table->Resize(8 * w + 72, 4 * h + 2 * a + 36);

    const int bottom = 3 * h + 2 * a + 22;
    Cell(Stock)->SetPosition(6, bottom);
    Cell(Waste)->SetPosition(w + 12, bottom);
    Cell(Reserve)->SetPosition(3 * w + w / 2 + 27, h + 18);
    for (int i = 0; i < 4; ++i) {
        TableCell *foundation = Cell(FirstFoundation + i);
        foundation->SetPicture(Deck->GetPlaceholder(i));
        foundation->SetPosition((i + 2) * (w + 6) + 18, 5);
        // Each wing steps down one card towards the middle.
        TableCell *left = Cell(FirstColumn + i);
        left->SetPosition(6 + i * (w + 6), 10 + i * (h + 4));
        left->SetOffset(0, a);
        TableCell *right = Cell(FirstColumn + 4 + i);
        right->SetPosition(6 + (7 - i) * (w + 6), 10 + i * (h + 4));
        right->SetOffset(0, a);
    }
}

// ---- The deal ----

void EagleWing::Deal()
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
    RedealCount = 0;
}

// ---- What may be picked up, and where it may go ----

void EagleWing::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    // The top card of the waste, the reserve or a column, alone.
    if ((cellIndex == Waste || cellIndex == Reserve || IsColumn(cellIndex))
        && wrapper == Cell(cellIndex)->GetWrapper(-1))
        wrapper->SetMoving(true);
}

bool EagleWing::Accepts(const Card *card, int target) const
{
    const TableCell *cell = Cell(target);
    const Card *top = cell->GetCard(-1);
    if (IsFoundation(target)) {
        if (!top)
            return card->GetValue() == BaseValue;
        return Rules::SameSuit(card, top) && Rules::NextWrapping(top->GetValue()) == card->GetValue();
    }
    if (IsColumn(target)) {
        if (!top)
            return true;
        return cell->GetCount() < ColumnLimit && Rules::SameSuit(card, top)
            && Rules::PreviousWrapping(top->GetValue()) == card->GetValue();
    }
    return false; // the stock, the waste and the reserve
}

void EagleWing::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (moving.size() == 1)
        Drop(moving.front());
    CardGame::OnMouseUp(x, y);
    CheckWin();
}

void EagleWing::Drop(CardWrapper *card)
{
    QRect bounds;
    GetCardsBounds({card}, bounds);
    const int target = DropTarget(*Table, bounds, FirstFoundation, LastColumn, card->GetCell(), [](int) { return false; });
    if (target < 0 || !Accepts(card->GetCard(), target))
        return;
    // Undone in reverse group order: the reserve's turn, the refill, then
    // the card itself.
    auto step = NewUndoStep(false);
    step->AddPosition(card);
    Cell(target)->Add(card, true);
    step->BeginGroup(true);
    RefillColumns(*step);
    step->BeginGroup(false);
    if (CardWrapper *next = Cell(Reserve)->GetWrapper(-1)) {
        step->AddCardFlags(next);
        next->SetFrontUp(true);
    }
    EndMove(std::move(step));
}

void EagleWing::RefillColumns(UndoStep &step)
{
    TableCell *reserve = Cell(Reserve);
    for (int i = FirstColumn; i <= LastColumn && reserve->GetCount() > 0; ++i) {
        if (Cell(i)->GetCount() > 0)
            continue;
        CardWrapper *card = reserve->GetWrapper(-1);
        step.AddPosition(card);
        // Only the reserve's top card is face up in play; one from a saved
        // position with several empty columns may not be.
        card->SetFrontUp(true);
        Cell(i)->Add(card, true);
    }
}

// ---- Clicks: one card from the stock, the waste turned over twice ----

void EagleWing::OnClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    TableCell *stock = Cell(Stock);
    TableCell *waste = Cell(Waste);
    // The same card may move twice in one click: newest record first.
    auto step = NewUndoStep(true);
    if (stock->GetCount() == 0) {
        // Every click on the empty stock counts, and undo leaves the count.
        const int32_t before = RedealCount;
        RedealCount = int32_t(uint32_t(RedealCount) + 1);
        if (before < Redeals) {
            while (CardWrapper *card = waste->Pop()) {
                step->AddMove(card, waste);
                card->SetFrontUp(false);
                stock->Add(card, true);
            }
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

// ---- Suggestions: single top cards ----

void EagleWing::FindMoves()
{
    Columns::SuggestTopCards(*this, *Table, Waste, LastColumn, FirstFoundation, LastFoundation,
                             [this](const Card *card, int target) { return Accepts(card, target); });
}

void EagleWing::FindAnyMove()
{
    // Undo never lowers the count, so a click on the empty stock tried here
    // would use up a turn of the waste the player never made.
    const int32_t redeals = RedealCount;
    CardGame::FindAnyMove();
    RedealCount = redeals;
}

// ---- The end: every card on the foundations ----

void EagleWing::CheckWin()
{
    int onFoundations = 0;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        onFoundations += Cell(f)->GetCount();
    if (onFoundations > 51)
        GameOver(true);
}

// ---- Saved games: after the position, a 32-bit 0, the base rank and the redeal count ----

void EagleWing::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    VekIO::WriteLE32(stream, int32_t(0));
    VekIO::WriteLE32(stream, BaseValue);
    VekIO::WriteLE32(stream, RedealCount);
}

bool EagleWing::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    int32_t reserved, base, redeals;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE32(stream, base) || !VekIO::ReadLE32(stream, redeals))
        return false;
    // Every card of the deck always lies in some cell.
    if (base < 1 || base > 13 || redeals < 0 || int(DealPile.size()) != ::Deck::CardCount || !CellsHoldDealPile())
        return false;
    BaseValue = base;
    RedealCount = redeals;
    // The framework found the suggestions before the base rank was known.
    ClearPossibleMoves();
    FindMoves();
    return true;
}
