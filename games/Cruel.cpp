// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Cruel:
//
//   [4]  [5]  [6]  [7]  [8]  [9]          [0]    twelve squared piles,
//                                                 foundations along the
//   [10] [11] [12] [13] [14] [15]         [1]    right edge
//
//                                         [2]
//
//  (Redeal)                               [3]
//
// Only a pile's top card moves: onto the next higher card of its suit on
// another pile (an empty pile takes nothing) or onto its foundation.
#include "Cruel.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QIODevice>

#include "AcesAside.h"
#include "Card.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"
#include "Utils.h"

Cruel::Cruel(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Cruel"), deck, table, cardWidth, cardHeight)
    , Button(*this, table, [this] { Redeal(); })
{
}

TableCell *Cruel::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void Cruel::CreateCells()
{
    AddCells(LastPile + 1);
    for (int i = FirstFoundation; i <= LastFoundation; ++i)
        Cell(i)->SetPicture(Deck->GetPlaceholder(i));
}

void Cruel::LayoutCells()
{
    const int w = CardWidth, h = CardHeight;
    Table->Resize(7 * w + 60, 4 * h + 126);
    for (int i = FirstFoundation; i <= LastFoundation; ++i)
        Cell(i)->SetPosition(Table->width() - w - 6, 5 + i * (h + 24));
    for (int i = FirstPile; i <= LastPile; ++i) {
        const int column = (i - FirstPile) % 6;
        Cell(i)->SetPosition(column * (w + 6) + 6, i < FirstPile + 6 ? 5 : h + 29);
    }
    // The bottom left corner.
    Button.Place(Table, 6, Table->height() - RedealButton::Height - 5);
}

// ---- The deal: the Aces to the foundations, four other cards to each pile ----

void Cruel::Deal()
{
    DealAcesAside(*this, *Table, FirstPile, LastPile, CardsPerPile);
}

// ---- What may be picked up: a pile's top card ----

void Cruel::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    if (IsPile(cellIndex) && wrapper == Cell(cellIndex)->GetWrapper(-1))
        wrapper->SetMoving(true);
}

// ---- What may be dropped where ----

bool Cruel::CanPlace(const CardWrapper *wrapper, int target) const
{
    if (!wrapper || !(IsPile(target) || IsFoundation(target)))
        return false;
    const Card *card = wrapper->GetCard();
    const Card *top = Cell(target)->GetCard(-1);
    if (!Rules::SameSuit(card, top))
        return false;
    return IsPile(target) ? Rules::OneLower(card, top) : Rules::OneHigher(card, top);
}

void Cruel::Move(CardWrapper *card, int target, UndoStep &step)
{
    step.AddPosition(card);
    Cell(target)->Add(card, true);
    if (IsFoundation(target))
        AddScore(card->GetCard()->GetValue(), &step);
}

void Cruel::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (!moving.empty()) {
        CardWrapper *card = moving.front();
        QRect bounds;
        GetCardsBounds(moving, bounds);
        // The largest overlap wins, the lower index on a tie.
        int target = -1, best = 0;
        for (int j = FirstFoundation; j <= LastPile; ++j) {
            const int overlap = Cell(j) == card->GetCell() ? 0 : Cell(j)->Overlap(bounds);
            if (overlap > best) {
                best = overlap;
                target = j;
            }
        }
        if (target >= 0 && best > 25 && CanPlace(card, target)) {
            auto step = NewUndoStep(false);
            Move(card, target, *step);
            EndMove(std::move(step));
        }
    }
    CardGame::OnMouseUp(x, y);
    CheckWin();
}

// ---- Clicks: a double-click plays a pile's top card to a foundation, or
// else to another pile ----

void Cruel::OnDblClick(CardWrapper *, int cellIndex, int)
{
    if (!IsPile(cellIndex))
        return;
    CardWrapper *card = Cell(cellIndex)->GetWrapper(-1);
    if (!card)
        return;
    for (int j = FirstFoundation; j <= LastPile; ++j) {
        if (j == cellIndex || !CanPlace(card, j))
            continue;
        auto step = NewUndoStep(false);
        Move(card, j, *step);
        EndMove(std::move(step));
        Table->Invalidate();
        CheckWin();
        return;
    }
    Error(QStringLiteral("Cannot move the selected card anywhere"));
}

// ---- The Redeal button: the piles gathered in order, four to a pile again ----

void Cruel::Redeal()
{
    // Pile by pile from the first, each from its bottom card up; dealt again
    // in that order, four to a pile from the first.
    std::vector<CardWrapper *> gathered;
    for (int i = FirstPile; i <= LastPile; ++i) {
        const auto &cards = Cell(i)->GetCards();
        gathered.insert(gathered.end(), cards.begin(), cards.end());
    }
    const auto pileFor = [](size_t k) { return std::min(FirstPile + int(k / CardsPerPile), int(LastPile)); };
    DealAgain(*this, *Table, gathered, pileFor, RedealCount);
    CheckWin();
    ShowStatus();
}

// ---- Suggestions: every pile top card that fits another cell ----

void Cruel::FindMoves()
{
    for (int i = FirstPile; i <= LastPile; ++i) {
        TableCell *pile = Cell(i);
        const CardWrapper *top = pile->GetWrapper(-1);
        if (!top)
            continue;
        for (int j = FirstFoundation; j <= LastPile; ++j) {
            if (j != i && CanPlace(top, j))
                AddPossibleMove(pile, pile->GetCount() - 1, Cell(j));
        }
    }
}

// ---- The end: won with every foundation complete; never lost (the piles
// can always be dealt again) ----

void Cruel::CheckWin()
{
    for (int f = FirstFoundation; f <= LastFoundation; ++f) {
        if (Cell(f)->GetCount() < 13)
            return;
    }
    GameOver(true);
}

// ---- Saved games: after the position, a 32-bit 0 and the redeal count
// (16 bits) ----

void Cruel::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    VekIO::WriteLE32(stream, int32_t(0));
    VekIO::WriteLE16(stream, uint16_t(RedealCount));
}

bool Cruel::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    int32_t reserved;
    uint16_t redeals;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE16(stream, redeals) || !CellsHoldDealPile())
        return false;
    RedealCount = redeals;
    return true;
}
