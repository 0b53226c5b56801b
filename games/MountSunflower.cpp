// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Mount Sunflower. The cells, by index:
//
//   [0]            [1]  [2]  [3]  [4]       stock; foundations above
//                                           columns 3..6
//   [5]  [6]  [7]  [8]  [9]  [10] [11]      columns, fanned down
//    |    |    |    |    |    |    |
//
// A card goes on any card one higher; an empty column takes anything. A
// run of one suit moves together. Foundations build up by suit from the
// Ace, one card at a time, each card scoring its value. A click on the
// stock deals one card onto every column.
#include "MountSunflower.h"

#include <memory>

#include "Card.h"
#include "CardWrapper.h"
#include "Columns.h"
#include "Deck.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

namespace {

// The deeper card may lie under the upper one in a run that moves as one.
bool Follows(const Card *deeper, const Card *upper)
{
    return Rules::SameSuit(deeper, upper) && Rules::OneHigher(deeper, upper);
}

} // namespace

MountSunflower::MountSunflower(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Mount Sunflower"), deck, table, cardWidth, cardHeight)
{
}

TableCell *MountSunflower::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void MountSunflower::CreateCells()
{
    AddCells(LastColumn + 1);
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        Cell(f)->SetPicture(Deck->GetPlaceholder(f - FirstFoundation));
}

void MountSunflower::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(ColumnCount * w + 40, int((h + 24) * 3.5 + 30));

    // The fan step follows the card height, in single precision.
    ColumnFan = int(24.0f * (float(h) / 260.0f));
    Cell(Stock)->SetPosition(6, 5);
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        Cell(f)->SetPosition((f + 2) * (w + 4) + 6, 5);
    for (int i = FirstColumn; i <= LastColumn; ++i)
        Cell(i)->SetPosition((i - FirstColumn) * (w + 4) + 6, h + 29);
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
}

// ---- The deal ----

void MountSunflower::Deal()
{
    // Four cards a column; the face-down ones make a valley.
    const int faceDown[ColumnCount] = {3, 2, 1, 0, 1, 2, 3};
    for (int k = 0; k < ColumnCount; ++k) {
        for (int j = 0; j < 4; ++j) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(j >= faceDown[k]);
            Cell(FirstColumn + k)->Add(card, true);
        }
    }
    // The other 24 face down onto the stock.
    while (DealIndex < int(DealPile.size()))
        Cell(Stock)->Add(DealCard(), true);
}

// ---- What may be picked up, and where it may go ----

int MountSunflower::RunStart(int column) const
{
    return Columns::RunStart(*Cell(column), Follows);
}

void MountSunflower::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    if (!IsColumn(cellIndex))
        return;
    TableCell *column = Cell(cellIndex);
    // The top card alone, or a deeper card of the run with the cards on it.
    if (wrapper == column->GetWrapper(-1) || column->IndexOf(wrapper) >= RunStart(cellIndex))
        column->StartMoving(wrapper);
}

bool MountSunflower::CanPlace(const Card *card, int target, bool single) const
{
    const Card *top = Cell(target)->GetCard(-1);
    if (IsColumn(target))
        return !top || Rules::OneLower(card, top);
    if (!IsFoundation(target) || !single)
        return false;
    return Rules::BuildsUpBySuit(card, top);
}

void MountSunflower::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    CardGame::OnMouseUp(x, y);
    if (!moving.empty())
        Drop(moving);
    CheckEnd();
}

void MountSunflower::Drop(const std::vector<CardWrapper *> &moving)
{
    const int target = Columns::DropOnto(*Table, moving, FirstFoundation, LastColumn);
    // The lowest moving card comes first in the list.
    if (target < 0 || !CanPlace(moving.front()->GetCard(), target, moving.size() == 1))
        return;
    EndMove(Columns::MovePileScoring(*this, moving, Cell(target), IsFoundation(target)));
}

// ---- Clicks ----

void MountSunflower::OnClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    // The last click, with three cards left, reaches columns 5 to 7 only.
    Columns::DealRow(*this, *Table, Stock, FirstColumn, LastColumn);
    CheckEnd();
    Table->Invalidate();
}

void MountSunflower::OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex)
{
    // Elsewhere the second click of a double-click is a click.
    if (!IsColumn(cellIndex)) {
        CardGame::OnDblClick(wrapper, cellIndex, cardIndex);
        return;
    }
    // Whichever card was hit, the column's top card goes: to a foundation
    // if one takes it (the empty one pictured with its suit first), else to
    // the first other column that does.
    TableCell *column = Cell(cellIndex);
    CardWrapper *card = column->Pop();
    if (!card)
        return;
    int target = -1;
    for (int f = FirstFoundation; f <= LastFoundation && target < 0; ++f) {
        if (ShowsSuitOf(f, card->GetCard()) && CanPlace(card->GetCard(), f, true))
            target = f;
    }
    for (int t = FirstFoundation; t <= LastColumn && target < 0; ++t) {
        if (t != cellIndex && CanPlace(card->GetCard(), t, true))
            target = t;
    }
    if (target < 0) {
        column->Add(card, true);
        Error(QStringLiteral("Cannot move the selected card anywhere"));
        return;
    }
    // The move is recorded after it is made: newest record first.
    auto step = NewUndoStep(true);
    if (IsFoundation(target))
        AddScore(card->GetCard()->GetValue(), step.get());
    Cell(target)->Add(card, true);
    step->AddMove(card, column);
    Columns::TurnUpTop(column, *step);
    EndMove(std::move(step));
    CheckEnd();
    Table->Invalidate();
}

// ---- Suggestions ----

void MountSunflower::FindMoves()
{
    // Every change of the position ends here: fit the fans to the columns.
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        TableCell *source = Cell(i);
        const int count = source->GetCount();
        if (count == 0)
            continue;
        for (int t = FirstFoundation; t <= LastColumn; ++t) {
            if (t != i && CanPlace(source->GetCard(-1), t, true))
                AddPossibleMove(source, count - 1, Cell(t));
        }
        for (int n = count - 2; n >= RunStart(i); --n) {
            for (int t = FirstColumn; t <= LastColumn; ++t) {
                if (t != i && CanPlace(source->GetCard(n), t, false))
                    AddPossibleMove(source, n, Cell(t));
            }
        }
    }
}

// ---- The end ----

void MountSunflower::CheckEnd()
{
    bool complete = true;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        complete = complete && Cell(f)->GetCount() >= 13;
    if (complete)
        GameOver(true);
    else if (Cell(Stock)->GetCount() == 0 && GetPossibleMoveCount() == 0)
        GameOver(false);
}

// ---- Saved games: the position, with the score ----

bool MountSunflower::LoadGame(QIODevice &stream)
{
    return CardGame::LoadGame(stream) && Columns::HoldsWholeDeal(*this)
        && Columns::ScoreMatchesFoundations(*this, *Table, FirstFoundation, LastFoundation);
}
