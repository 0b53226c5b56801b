// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
//   [0] [1] [2] [3]                      [4] [5] [6] [7]
//   free cells                           foundations (placeholders 0-3)
//
//   [8]  [9]  [10] [11] [12] [13] [14] [15]
//   columns, fanned downwards
//
// Free cells hold one card each. Foundations are built up by suit from the
// Ace. Columns are built down in alternating colours; a run moves as a unit
// when there is room to shuffle it through the empty free cells and columns.
#include "FreeCell.h"

#include <algorithm>

#include <QIODevice>

#include "Card.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"
#include "Utils.h"

namespace {

// Sets a flag for as long as it lives, so that a failing rule cannot leave
// it set.
class FlagScope {
public:
    explicit FlagScope(bool &flag)
        : Flag(flag)
    {
        Flag = true;
    }
    ~FlagScope() { Flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &Flag;
};

// Holds the count of lifted cards while a drop is judged.
class LiftScope {
public:
    LiftScope(int &lifted, int count)
        : Lifted(lifted)
    {
        Lifted = count;
    }
    ~LiftScope() { Lifted = 0; }
    LiftScope(const LiftScope &) = delete;
    LiftScope &operator=(const LiftScope &) = delete;

private:
    int &Lifted;
};

int valueOf(const CardWrapper *wrapper)
{
    return wrapper && wrapper->GetCard() ? wrapper->GetCard()->GetValue() : 0;
}

// deeper may lie under above in a run: other colour, one higher.
bool continuesRun(const Card *deeper, const Card *above)
{
    return Rules::OtherColour(deeper, above) && Rules::OneHigher(deeper, above);
}

} // namespace

FreeCell::FreeCell(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Free Cell"), deck, table, cardWidth, cardHeight)
{
}

// ---- Cells and layout ----

void FreeCell::CreateCells()
{
    AddCells(FreeCellCount);
    AddCells(FoundationCount);
    for (int i = 0; i < FoundationCount; ++i)
        CellAt(FirstFoundation + i)->SetPicture(Deck->GetPlaceholder(i));
    AddCells(ColumnCount);
}

void FreeCell::ComputeSize()
{
    // 14 pixels at the standard card width of 88.
    ColumnFan = int(14 * (float(CardWidth) / 88.0f));
    Table->Resize((CardWidth + 6) * ColumnCount + 12, 4 * CardHeight + 15);
}

void FreeCell::LayoutCells()
{
    ComputeSize();
    const int tableWidth = Table->width();
    for (int i = 0; i < FreeCellCount; ++i)
        CellAt(FirstFreeCell + i)->SetPosition(6 + i * (CardWidth + 1), 5);
    // The foundations keep to the right edge.
    for (int i = 0; i < FoundationCount; ++i)
        CellAt(FirstFoundation + i)->SetPosition(tableWidth - 4 * CardWidth - 10 + i * (CardWidth + 1), 5);
    for (int i = 0; i < ColumnCount; ++i) {
        TableCell *column = CellAt(FirstColumn + i);
        column->SetPosition(6 + i * (CardWidth + 6), CardHeight + 15);
        column->SetOffset(0, ColumnFan);
    }
}

// ---- The deal ----

void FreeCell::Deal()
{
    for (int k = 0; k < ::Deck::CardCount; ++k) {
        CardWrapper *card = DealCard();
        card->SetFrontUp(true);
        CellAt(FirstColumn + k % ColumnCount)->Add(card, true);
    }
    CardsToMove = ::Deck::CardCount;
}

// ---- What may move where ----

int FreeCell::RunLength(const TableCell *cell)
{
    const int count = cell->GetCount();
    if (count == 0)
        return 0;
    int length = 1;
    while (length < count && continuesRun(cell->GetCard(count - length - 1), cell->GetCard(count - length)))
        ++length;
    return length;
}

int FreeCell::RunStart(TableCell *cell, CardWrapper *wrapper)
{
    const int start = cell->GetCount() - RunLength(cell);
    const int index = cell->IndexOf(wrapper);
    return index >= 0 && index >= start ? start : -1;
}

bool FreeCell::FitsFoundation(const Card *card, int foundation) const
{
    const Card *top = CellAt(foundation)->GetCard(-1);
    if (!top)
        return Rules::IsAce(card);
    return Rules::SameSuit(card, top) && Rules::OneHigher(card, top);
}

int FreeCell::MoveLimit() const
{
    int limit = 1;
    for (int i = 0; i < FreeCellCount; ++i)
        limit += CellAt(FirstFreeCell + i)->GetCount() == 0 ? 1 : 0;
    for (int i = 0; i < ColumnCount; ++i)
        limit += CellAt(FirstColumn + i)->GetCount() == 0 ? 1 : 0;
    return limit;
}

int FreeCell::CanMove(TableCell *source, int target)
{
    TableCell *to = CellAt(target);
    const Card *card = source ? source->GetCard(-1) : nullptr;
    if (!card || !to || to == source)
        return 0;
    if (IsFreeCell(target))
        return to->GetCount() == 0 ? 1 : 0;
    if (IsFoundation(target))
        return FitsFoundation(card, target) ? 1 : 0;
    if (!IsColumn(target))
        return 0;

    // Dropped cards are the run the player lifted and nothing deeper; only
    // all of them go onto a card.
    const int run = Lifted > 0 ? std::min(RunLength(source), Lifted) : RunLength(source);
    int count = run;
    if (const Card *onto = to->GetCard(-1)) {
        // From the deepest card of the run up: the first that fits on the
        // column's top card moves with everything above it.
        count = 0;
        const int shortest = Lifted > 0 ? run : 1;
        for (int k = run; k >= shortest && count == 0; --k) {
            const Card *candidate = source->GetCard(source->GetCount() - k);
            if (Rules::OtherColour(candidate, onto) && Rules::OneLower(candidate, onto))
                count = k;
        }
        if (count == 0)
            return 0;
    }
    const int limit = MoveLimit();
    if (limit >= count)
        return count;
    // An empty column takes as much of the run as there is room for.
    if (to->GetCount() == 0)
        return limit;
    if (!HintMode)
        Error(QStringLiteral("You can only move %1 cards!").arg(limit));
    return 0;
}

bool FreeCell::MoveCards(int source, int target)
{
    TableCell *from = CellAt(source);
    TableCell *to = CellAt(target);
    const int n = from && to ? CanMove(from, target) : 0;
    if (n <= 0) {
        if (target != source)
            Error(QStringLiteral("Cannot move those cards there at the moment..."));
        return false;
    }
    // Recorded deepest first, so that undo stacks them back in order.
    auto step = NewUndoStep(false);
    const int first = from->GetCount() - n;
    for (int k = 0; k < n; ++k) {
        CardWrapper *card = from->GetWrapper(first);
        step->AddMove(card, from);
        to->Add(card, true);
        if (IsFoundation(target))
            --CardsToMove;
    }
    EndMove(std::move(step));
    return true;
}

// ---- Mouse ----

void FreeCell::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    TableCell *cell = cellIndex >= 0 ? CellAt(cellIndex) : nullptr;
    if (!wrapper || !cell || IsFoundation(cellIndex))
        return;
    // A pressed top card lifts only itself; a deeper card of the top run
    // lifts the run from it up.
    if (RunStart(cell, wrapper) < 0)
        return;
    for (int i = cell->IndexOf(wrapper); i < cell->GetCount(); ++i)
        cell->GetWrapper(i)->SetMoving(true);
}

void FreeCell::OnMouseUp(int x, int y)
{
    const int steps = GetUndoCount();
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (!moving.empty()) {
        QRect bounds;
        GetCardsBounds(moving, bounds);
        const int source = Table->IndexOfCell(moving.front()->GetCell());
        int target = -1, best = 0;
        for (int i = 0; i < CellCount(); ++i) {
            if (i == source)
                continue;
            const int overlap = CellAt(i)->Overlap(bounds);
            if (overlap > best) {
                best = overlap;
                target = i;
            }
        }
        if (target >= 0 && best > 25) {
            const LiftScope lifted(Lifted, int(moving.size()));
            MoveCards(source, target);
        }
    }
    CardGame::OnMouseUp(x, y);
    AutoPlay();
    // One undo takes back the move and the cards that then went up.
    JoinUndoSteps(steps);
}

void FreeCell::OnDblClick(CardWrapper *, int cellIndex, int)
{
    const int steps = GetUndoCount();
    // A column's top card goes to the first empty free cell.
    if (IsColumn(cellIndex) && CellAt(cellIndex)->GetCount() > 0) {
        int freeCell = -1;
        for (int i = FirstFreeCell; i < FirstFreeCell + FreeCellCount && freeCell < 0; ++i) {
            if (CellAt(i)->GetCount() == 0)
                freeCell = i;
        }
        if (freeCell >= 0)
            MoveCards(cellIndex, freeCell);
        else
            Error(QStringLiteral("Cannot move the selected card anywhere"));
    }
    AutoPlay();
    JoinUndoSteps(steps);
    // The line stays empty until the release that ends the double-click
    // shows the count again; a refusal stays.
    if (StatusTicks != 0)
        Table->StatusMsg(QString());
    Table->Invalidate();
}

// ---- Automatic moves ----

int FreeCell::LowestFoundation() const
{
    int lowest = 13;
    for (int i = 0; i < FoundationCount; ++i)
        lowest = std::min(lowest, valueOf(CellAt(FirstFoundation + i)->GetWrapper(-1)));
    return lowest;
}

void FreeCell::AutoPlay()
{
    // One step for the whole sequence, undone last card first: a card may
    // have moved from under one that moved before it.
    auto step = NewUndoStep(true);
    bool moved = true;
    while (moved) {
        moved = false;
        const int highest = LowestFoundation() + 2;
        for (int i = 0; i < CellCount(); ++i) {
            if (IsFoundation(i))
                continue;
            TableCell *cell = CellAt(i);
            CardWrapper *top = cell->GetWrapper(-1);
            if (!top || valueOf(top) > highest)
                continue;
            for (int f = FirstFoundation; f < FirstFoundation + FoundationCount; ++f) {
                if (CanMove(cell, f) > 0) {
                    step->AddMove(top, cell);
                    CellAt(f)->Add(top, true);
                    --CardsToMove;
                    moved = true;
                    break;
                }
            }
        }
    }
    EndMove(std::move(step));
    ShowStatus();
}

// ---- Suggestions and the end ----

void FreeCell::FindMoves()
{
    {
        FlagScope hints(HintMode);
        const int last = std::min(FirstColumn + ColumnCount, CellCount());
        for (int i = 0; i < last; ++i) {
            TableCell *from = CellAt(i);
            if (IsFoundation(i) || from->GetCount() == 0)
                continue;
            // Cards in free cells are offered to the columns only.
            for (int j = i >= FirstColumn ? 0 : FirstColumn; j < last; ++j) {
                if (j == i)
                    continue;
                const int n = CanMove(from, j);
                if (n <= 0)
                    continue;
                // The suggestion shows exactly the cards the move would take.
                AddPossibleMove(from, from->GetCount() - n, CellAt(j));
                // One free cell is as good as another; the foundations are
                // left to the automatic moves.
                if (IsFreeCell(j))
                    j = FirstColumn - 1;
            }
        }
    }
    if (!PossibleMoves.empty() || CellCount() < FirstFoundation + FoundationCount)
        return;
    for (int i = 0; i < FoundationCount; ++i) {
        if (!Rules::IsKing(CellAt(FirstFoundation + i)->GetCard(-1)))
            return;
    }
    GameOver(true);
}

uint16_t FreeCell::CountCardsToMove() const
{
    int onFoundations = 0;
    for (int i = 0; i < FoundationCount; ++i)
        onFoundations += CellAt(FirstFoundation + i)->GetCount();
    return uint16_t(std::max(0, ::Deck::CardCount - onFoundations));
}

void FreeCell::Undo()
{
    CardGame::Undo();
    CardsToMove = CountCardsToMove();
    ShowStatus();
}

void FreeCell::ShowStatus()
{
    // A refusal of this action stays for its time; the count comes back
    // when it expires.
    Status(QStringLiteral("Cards to move: %1").arg(CardsToMove));
}

// ---- Saved games: a 32-bit 0, then the counter in 16 bits ----

void FreeCell::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    (void)(VekIO::WriteLE32(stream, int32_t(0)) && VekIO::WriteLE16(stream, CardsToMove));
}

bool FreeCell::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    int32_t reserved;
    uint16_t counter;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE16(stream, counter)) {
        // The position is in; keep the counter true to it.
        CardsToMove = CountCardsToMove();
        return false;
    }
    CardsToMove = counter;
    // Every card of the deal always lies in some cell, and the counter is
    // that of the cards off the foundations.
    return CellsHoldDealPile() && CardsToMove == CountCardsToMove();
}
