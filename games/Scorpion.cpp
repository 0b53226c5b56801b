// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Scorpion and Wasp. The cells, by index:
//
//   [0]  [1]  [2]  [3]  [4]  [5]  [6]  [7]     stock, then the columns
//         |    |    |    |    |    |    |      fanned down
//
// A card goes on the card of its suit one higher; an empty column takes a
// King (Wasp: any card). Any face-up card is dragged with everything on
// it. The stock's three cards go to columns 1 to 3 at one click.
#include "Scorpion.h"

#include <memory>

#include "Card.h"
#include "CardWrapper.h"
#include "Columns.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

Scorpion::Scorpion(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Scorpion"), deck, table, cardWidth, cardHeight)
{
}

TableCell *Scorpion::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void Scorpion::CreateCells()
{
    AddCells(LastColumn + 1);
}

void Scorpion::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(8 * w + 60, 5 * h);

    // The fan step scales with the card width, in single precision.
    ColumnFan = int(16.0f * (float(w) / 88.0f));
    Cell(Stock)->SetPosition(6, 5);
    for (int i = FirstColumn; i <= LastColumn; ++i)
        Cell(i)->SetPosition(6 + i * (w + 6), 5);
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
}

// ---- The deal ----

void Scorpion::Deal()
{
    DealColumns(5);
}

void Scorpion::DealColumns(int firstOpenColumn)
{
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        for (int j = 0; j < 7; ++j) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(i >= firstOpenColumn || j >= 3);
            Cell(i)->Add(card, true);
        }
    }
    while (DealIndex < int(DealPile.size()))
        Cell(Stock)->Add(DealCard(), true);
}

// ---- What may be picked up, and where it may go ----

void Scorpion::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    // Any face-up card, with whatever lies on it, in order or not.
    if (IsColumn(cellIndex) && wrapper->GetFrontUp())
        Cell(cellIndex)->StartMoving(wrapper);
}

bool Scorpion::CanPlace(const Card *card, int target) const
{
    if (!IsColumn(target))
        return false;
    const Card *top = Cell(target)->GetCard(-1);
    return top ? Rules::SameSuit(card, top) && Rules::OneLower(card, top) : Rules::IsKing(card);
}

void Scorpion::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    const bool moved = !moving.empty() && Drop(moving);
    // The cards are put down before the end of the deal is announced.
    CardGame::OnMouseUp(x, y);
    if (!moved)
        return;
    CheckEnd();
    if (GetPossibleMoveCount() < 1 && Cell(Stock)->GetCount() > 0)
        Error(QStringLiteral("You need to deal the last three cards at this point..."));
}

bool Scorpion::Drop(const std::vector<CardWrapper *> &moving)
{
    const int target = Columns::DropOnto(*Table, moving, FirstColumn, LastColumn);
    // The lowest moving card comes first in the list.
    if (target < 0 || !CanPlace(moving.front()->GetCard(), target))
        return false;
    EndMove(Columns::MovePile(*this, moving, Cell(target)));
    return true;
}

// ---- Clicks: the stock deals its three cards ----

void Scorpion::OnClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    Columns::DealRow(*this, *Table, Stock, FirstColumn, LastColumn);
    CheckEnd();
    Table->Invalidate();
}

// ---- Suggestions ----

void Scorpion::FindMoves()
{
    // Every change of the position ends here: fit the fans to the columns.
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        TableCell *source = Cell(i);
        for (int n = source->GetCount() - 1; n >= 0 && source->GetWrapper(n)->GetFrontUp(); --n) {
            const Card *card = source->GetCard(n);
            for (int t = FirstColumn; t <= LastColumn; ++t) {
                if (t == i || !CanPlace(card, t))
                    continue;
                // A King alone in its column gains nothing in an empty one.
                if (n == 0 && Rules::IsKing(card) && Cell(t)->GetCount() == 0)
                    continue;
                AddPossibleMove(source, n, Cell(t));
            }
        }
    }
}

// ---- The end ----

bool Scorpion::IsComplete(int column) const
{
    const TableCell *cell = Cell(column);
    if (cell->GetCount() != 13)
        return false;
    const Card *top = cell->GetCard(-1);
    for (int k = 0; k < 13; ++k) {
        const CardWrapper *card = cell->GetWrapper(12 - k);
        if (!card->GetFrontUp() || !Rules::SameSuit(card->GetCard(), top) || card->GetCard()->GetValue() != k + 1)
            return false;
    }
    return true;
}

void Scorpion::CheckEnd()
{
    int complete = 0;
    for (int i = FirstColumn; i <= LastColumn; ++i)
        complete += IsComplete(i) ? 1 : 0;
    if (complete >= 4)
        GameOver(true);
    else if (GetPossibleMoveCount() == 0 && Cell(Stock)->GetCount() == 0)
        GameOver(false);
}

// ---- Saved games: the position only ----

bool Scorpion::LoadGame(QIODevice &stream)
{
    return CardGame::LoadGame(stream) && Columns::HoldsWholeDeal(*this);
}

// ---- Wasp ----

Wasp::Wasp(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : Scorpion(deck, table, cardWidth, cardHeight)
{
    Name = QStringLiteral("Wasp");
}

void Wasp::Deal()
{
    DealColumns(4);
}

bool Wasp::CanPlace(const Card *card, int target) const
{
    if (IsColumn(target) && Cell(target)->GetCount() == 0)
        return true;
    return Scorpion::CanPlace(card, target);
}
