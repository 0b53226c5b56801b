// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Chinese Solitaire. The cells, by index:
//
//   [0]     [1]  [2]  [3]  [4]  [5]  [6]  [7]     [8]     stock, columns
//            |    |    |    |    |    |    |      [9]     fanned down,
//                                                 [10]    foundations one
//                                                 [11]    above the other
//
// Columns build down in alternating colours, an empty column takes a King;
// any face-up card is dragged with everything on it. Foundations build up
// by suit from the Ace, one card at a time, each card scoring its value.
// The stock's three cards go to columns 1 to 3 at one click.
#include "ChineseSolitaire.h"

#include <memory>

#include "Card.h"
#include "CardWrapper.h"
#include "Columns.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

ChineseSolitaire::ChineseSolitaire(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Chinese Solitaire"), deck, table, cardWidth, cardHeight)
{
}

TableCell *ChineseSolitaire::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void ChineseSolitaire::CreateCells()
{
    AddCells(LastFoundation + 1);
}

void ChineseSolitaire::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    // These proportions are taken in double precision: in single precision
    // the foundations would stand a pixel further left at some widths.
    Table->Resize(int((w + 6) * 9.4 + 12), 4 * h + 64);

    // The fan step scales with the card width, in single precision.
    ColumnFan = int(16.0f * (float(w) / 88.0f));
    Cell(Stock)->SetPosition(6, 5);
    const int x0 = int(1.2 * w + 12);
    for (int i = FirstColumn; i <= LastColumn; ++i)
        Cell(i)->SetPosition(x0 + (i - FirstColumn) * (w + 6), 5);
    const int foundationX = int((w + 6) * 8.4 + 6);
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        Cell(f)->SetPosition(foundationX, 5 + (f - FirstFoundation) * (h + 16));
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
}

// ---- The deal ----

void ChineseSolitaire::Deal()
{
    // Seven cards a column: the first three all face up, then 3, 4, 5 and
    // 6 face down under the others.
    const int faceDown[LastColumn] = {0, 0, 0, 3, 4, 5, 6};
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        for (int j = 0; j < 7; ++j) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(j >= faceDown[i - FirstColumn]);
            Cell(i)->Add(card, true);
        }
    }
    while (DealIndex < int(DealPile.size()))
        Cell(Stock)->Add(DealCard(), true);
}

// ---- What may be picked up, and where it may go ----

void ChineseSolitaire::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    // Any face-up card, with whatever lies on it, in order or not.
    if (IsColumn(cellIndex) && wrapper->GetFrontUp())
        Cell(cellIndex)->StartMoving(wrapper);
}

bool ChineseSolitaire::CanPlace(const Card *card, int target, bool single) const
{
    const Card *top = Cell(target)->GetCard(-1);
    if (IsColumn(target))
        return top ? Rules::OtherColour(card, top) && Rules::OneLower(card, top) : Rules::IsKing(card);
    if (!IsFoundation(target) || !single)
        return false;
    return Rules::BuildsUpBySuit(card, top);
}

void ChineseSolitaire::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    CardGame::OnMouseUp(x, y);
    if (!moving.empty() && Drop(moving) && GetPossibleMoveCount() == 0 && Cell(Stock)->GetCount() > 0)
        Error(QStringLiteral("You need to deal the last three cards at this point..."));
    CheckEnd();
}

bool ChineseSolitaire::Drop(const std::vector<CardWrapper *> &moving)
{
    const int target = Columns::DropOnto(*Table, moving, FirstColumn, LastFoundation);
    // The lowest moving card comes first in the list.
    if (target < 0 || !CanPlace(moving.front()->GetCard(), target, moving.size() == 1))
        return false;
    EndMove(Columns::MovePileScoring(*this, moving, Cell(target), IsFoundation(target)));
    return true;
}

// ---- Clicks ----

void ChineseSolitaire::OnClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    // Three cards, one each to the first three columns; then nothing.
    Columns::DealRow(*this, *Table, Stock, FirstColumn, FirstColumn + 2);
    CheckEnd();
    Table->Invalidate();
}

void ChineseSolitaire::OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex)
{
    // Elsewhere the second click of a double-click is a click.
    if (!IsColumn(cellIndex)) {
        CardGame::OnDblClick(wrapper, cellIndex, cardIndex);
        return;
    }
    // Whichever card was hit, the column's top card goes up.
    TableCell *column = Cell(cellIndex);
    CardWrapper *card = column->Pop();
    if (!card)
        return;
    int target = -1;
    for (int f = FirstFoundation; f <= LastFoundation && target < 0; ++f) {
        if (CanPlace(card->GetCard(), f, true))
            target = f;
    }
    if (target < 0) {
        column->Add(card, true);
        Error(QStringLiteral("Cannot move the selected card anywhere"));
        return;
    }
    // The move is recorded after it is made: newest record first.
    auto step = NewUndoStep(true);
    Cell(target)->Add(card, true);
    step->AddMove(card, column);
    AddScore(card->GetCard()->GetValue(), step.get());
    Columns::TurnUpTop(column, *step);
    Table->Invalidate();
    EndMove(std::move(step));
    CheckEnd();
}

// ---- Suggestions, ranked ----

void ChineseSolitaire::FindMoves()
{
    // Every change of the position ends here: fit the fans to the columns.
    Columns::FitFans(*Table, FirstColumn, LastColumn, ColumnFan);
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        TableCell *source = Cell(i);
        const int count = source->GetCount();
        if (count == 0)
            continue;
        for (int j = FirstColumn; j <= LastFoundation; ++j) {
            if (j != i && CanPlace(source->GetCard(-1), j, true))
                AddPossibleMove(source, count - 1, Cell(j));
        }
        for (int n = count - 2; n >= 0 && source->GetWrapper(n)->GetFrontUp(); --n) {
            for (int j = FirstColumn; j <= LastColumn; ++j) {
                if (j != i && CanPlace(source->GetCard(n), j, false))
                    AddPossibleMove(source, n, Cell(j));
            }
        }
    }
    RankMoves();
    SortPossibleMoves();
}

void ChineseSolitaire::RankMoves()
{
    for (int m = GetPossibleMoveCount() - 1; m >= 0; --m) {
        PossibleMove *move = GetPossibleMove(m);
        const int n = move->GetIndex();
        // A whole column into an empty one changes nothing.
        if (n == 0 && move->GetTo()->GetCount() == 0) {
            DeletePossibleMove(m);
            continue;
        }
        // Best: freeing a card out of sequence; then moving a column's bottom
        // card; last, splitting a sequence.
        if (n == 0)
            move->SetScore(1);
        else if (move->GetFrom()->GetCard(n - 1)->GetValue() == move->GetFrom()->GetCard(n)->GetValue() + 1)
            move->SetScore(0);
        else
            move->SetScore(2);
    }
}

// ---- The end ----

void ChineseSolitaire::CheckEnd()
{
    bool complete = true;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        complete = complete && Cell(f)->GetCount() == 13;
    if (complete)
        GameOver(true);
    else if (GetPossibleMoveCount() == 0 && Cell(Stock)->GetCount() == 0)
        GameOver(false);
}

// ---- Saved games: the position, with the score ----

bool ChineseSolitaire::LoadGame(QIODevice &stream)
{
    return CardGame::LoadGame(stream) && Columns::HoldsWholeDeal(*this)
        && Columns::ScoreMatchesFoundations(*this, *Table, FirstFoundation, LastFoundation);
}
