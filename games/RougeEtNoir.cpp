// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Rouge et Noir. The cells, by index:
//
//   [0]       [1]  [2]  [3]  [4]  [5]  [6]  [7]  [8]    stock, foundations,
//                                                       completed-run piles
//   [9] [10] [11] [12] [13] [14] [15] [16] [17] [18]    columns, fanned down
//    |    |    |    |    |    |    |    |    |    |
//
// Columns build down in alternating colours, an empty column takes a King.
// Foundations build up by colour from the Ace, one card at a time; a colour
// may start at most two of them. A King-to-Ace run in alternating colours
// on top of a column leaves for the first empty run pile. A click on the
// stock deals one card onto every column.
#include "RougeEtNoir.h"

#include <memory>

#include "Card.h"
#include "CardWrapper.h"
#include "Columns.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

namespace {

// The deeper card may lie under the upper one in a column run.
bool Follows(const Card *deeper, const Card *upper)
{
    return Rules::OtherColour(deeper, upper) && Rules::OneHigher(deeper, upper);
}

} // namespace

RougeEtNoir::RougeEtNoir(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Rouge et Noir"), deck, table, cardWidth, cardHeight)
{
}

TableCell *RougeEtNoir::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void RougeEtNoir::CreateCells()
{
    AddCells(LastColumn + 1);
}

void RougeEtNoir::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(ColumnCount * w + 72, 5 * h);

    // The fan step scales with the card width, in single precision.
    ColumnFan = int(14.0f * (float(w) / 88.0f));
    Cell(Stock)->SetPosition(6, 5);
    for (int k = FirstFoundation; k <= LastRunPile; ++k)
        Cell(k)->SetPosition((k + 1) * (w + 6) + 6, 5);
    for (int i = 0; i < ColumnCount; ++i)
        Cell(FirstColumn + i)->SetPosition(6 + i * (w + 6), h + 10);
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
}

// ---- The deal ----

void RougeEtNoir::Deal()
{
    // 8, 7, ... 1 cards, then 1 and none; the top card of each face up.
    const int counts[ColumnCount] = {8, 7, 6, 5, 4, 3, 2, 1, 1, 0};
    for (int i = 0; i < ColumnCount; ++i) {
        for (int j = 0; j < counts[i]; ++j) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(j == counts[i] - 1);
            Cell(FirstColumn + i)->Add(card, true);
        }
    }
    // The other 67 face down onto the stock.
    while (DealIndex < int(DealPile.size()))
        Cell(Stock)->Add(DealCard(), true);
}

// ---- What may be picked up, and where it may go ----

int RougeEtNoir::RunStart(int column) const
{
    return Columns::RunStart(*Cell(column), Follows);
}

void RougeEtNoir::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    if (!IsColumn(cellIndex))
        return;
    TableCell *column = Cell(cellIndex);
    // The top card alone, or a deeper card of the run with the cards on it.
    if (wrapper == column->GetWrapper(-1) || column->IndexOf(wrapper) >= RunStart(cellIndex))
        column->StartMoving(wrapper);
}

bool RougeEtNoir::Accepts(const Card *card, int target, bool single) const
{
    const Card *top = Cell(target)->GetCard(-1);
    if (IsColumn(target))
        return top ? Follows(top, card) : Rules::IsKing(card);
    if (!IsFoundation(target) || !single)
        return false;
    if (top)
        return Rules::SameColour(card, top) && Rules::OneHigher(card, top);
    if (!Rules::IsAce(card))
        return false;
    // Two foundations to a colour: a third Ace of it waits.
    int ofColour = 0;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        ofColour += Rules::SameColour(Cell(f)->GetCard(-1), card) ? 1 : 0;
    return ofColour <= 1;
}

void RougeEtNoir::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    const bool moved = !moving.empty() && Drop(moving);
    // The cards are put down before the end of the deal is announced.
    CardGame::OnMouseUp(x, y);
    if (moved)
        CheckEnd();
}

bool RougeEtNoir::Drop(const std::vector<CardWrapper *> &moving)
{
    const int target = Columns::DropOnto(*Table, moving, FirstFoundation, LastColumn);
    // The deepest moving card comes first in the list.
    if (target < 0 || !Accepts(moving.front()->GetCard(), target, moving.size() == 1))
        return false;
    auto step = Columns::MovePile(*this, moving, Cell(target));
    if (IsColumn(target))
        ClearCompletedRun(target, *step);
    EndMove(std::move(step));
    return true;
}

void RougeEtNoir::ClearCompletedRun(int column, UndoStep &step)
{
    TableCell *cell = Cell(column);
    const int count = cell->GetCount();
    if (count < RunLength || count - RunStart(column) < RunLength
        || !Rules::IsAce(cell->GetCard(-1)))
        return;
    int pile = FirstRunPile;
    while (pile <= LastRunPile && Cell(pile)->GetCount() > 0)
        ++pile;
    if (pile > LastRunPile)
        return;
    // The King goes first, so that the pile shows the Ace. Each card is
    // recorded where it lies before it moves; undone newest first, the Ace
    // goes back first and every deeper card below it.
    step.BeginGroup(true);
    const int king = count - RunLength;
    for (int k = 0; k < RunLength; ++k) {
        CardWrapper *card = cell->GetWrapper(king);
        step.AddPosition(card);
        Cell(pile)->Add(card, true);
    }
    Columns::TurnUpTop(cell, step);
}

// ---- Clicks: the stock deals a card onto every column ----

void RougeEtNoir::OnClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    TableCell *stock = Cell(Stock);
    // Undone newest record first: the cards go back in the order they came.
    auto step = NewUndoStep(true);
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        CardWrapper *card = stock->Pop();
        if (!card)
            break;
        step->AddMove(card, stock);
        card->SetFrontUp(true);
        Cell(i)->Add(card, true);
        ClearCompletedRun(i, *step);
    }
    EndMove(std::move(step));
    Table->Invalidate();
}

void RougeEtNoir::OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex)
{
    // Elsewhere the second click of a double-click is a click.
    if (!IsColumn(cellIndex)) {
        CardGame::OnDblClick(wrapper, cellIndex, cardIndex);
        return;
    }
    // Whichever card was hit, the column's top card goes up.
    TableCell *column = Cell(cellIndex);
    CardWrapper *card = column->GetWrapper(-1);
    if (!card)
        return;
    int target = -1;
    for (int f = FirstFoundation; f <= LastFoundation && target < 0; ++f) {
        if (Accepts(card->GetCard(), f, true))
            target = f;
    }
    if (target < 0) {
        Error(QStringLiteral("Cannot move the selected card anywhere"));
        return;
    }
    // The move is recorded after it is made: newest record first.
    auto step = NewUndoStep(true);
    Cell(target)->Add(card, true);
    step->AddMove(card, column);
    Columns::TurnUpTop(column, *step);
    EndMove(std::move(step));
    Table->Invalidate();
    CheckEnd();
}

// ---- Suggestions ----

void RougeEtNoir::FindMoves()
{
    // Every change of the position ends here: fit the fans to the columns.
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        TableCell *source = Cell(i);
        const int count = source->GetCount();
        if (count == 0)
            continue;
        for (int t = FirstFoundation; t <= LastColumn; ++t) {
            if (t != i && Accepts(source->GetCard(-1), t, true))
                AddPossibleMove(source, count - 1, Cell(t));
        }
        for (int n = count - 2; n >= RunStart(i); --n) {
            for (int t = FirstColumn; t <= LastColumn; ++t) {
                if (t != i && Accepts(source->GetCard(n), t, false))
                    AddPossibleMove(source, n, Cell(t));
            }
        }
    }
}

// ---- The end ----

void RougeEtNoir::CheckEnd()
{
    bool full = true;
    for (int k = FirstFoundation; k <= LastRunPile; ++k)
        full = full && Cell(k)->GetCount() > 12;
    if (full)
        GameOver(true);
    else if (GetPossibleMoveCount() == 0 && Cell(Stock)->GetCount() == 0)
        GameOver(false);
}

// ---- Saved games: the position only ----

bool RougeEtNoir::LoadGame(QIODevice &stream)
{
    return CardGame::LoadGame(stream) && Columns::HoldsWholeDeal(*this);
}
