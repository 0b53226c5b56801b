// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
//   [ 0] [ 1] [ 2] [ 3] [ 4]          [26] removed pairs
//   [ 5] [ 6] [ 7] [ 8] [ 9]
//   [10] [11] [12] [13] [14]
//   [15] [16] [17] [18] [19]
//   [20] [21] [22] [23] [24]          [25] stock
//
// Grid index = 5 x row + column.
#include "MonteCarlo.h"

#include <cstdlib>

#include <QIODevice>

#include "Card.h"
#include "GameTable.h"
#include "TableCell.h"
#include "Utils.h"

namespace {

constexpr int PairCount = 26;

bool SameValue(const Card *a, const Card *b)
{
    return a && b && a->GetValue() == b->GetValue();
}

// Grid positions side by side, above and below, or diagonally next to
// each other (the end of one row does not touch the start of the next).
bool Touching(int a, int b)
{
    const int n = MonteCarlo::GridSize;
    return a != b && std::abs(a / n - b / n) <= 1 && std::abs(a % n - b % n) <= 1;
}

} // namespace

MonteCarlo::MonteCarlo(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Monte Carlo"), deck, table, cardWidth, cardHeight)
{
}

bool MonteCarlo::Match(int a, int b) const
{
    if (a < 0 || a >= GridCells || b < 0 || b >= GridCells)
        return false;
    return Touching(a, b) && SameValue(CellAt(a)->GetCard(-1), CellAt(b)->GetCard(-1));
}

// ---- Cells and layout ----

void MonteCarlo::CreateCells()
{
    AddCells(Removed + 1);
}

void MonteCarlo::LayoutCells()
{
    const int w = CardWidth, h = CardHeight;
    Table->Resize(7 * w + 54, 5 * h + 30);
    for (int i = 0; i < GridCells; ++i)
        CellAt(i)->SetPosition(6 + (i % GridSize) * (w + 6), 5 + (i / GridSize) * (h + 4));
    CellAt(Removed)->SetPosition(6 * w + 42, 5);
    CellAt(Stock)->SetPosition(6 * w + 42, Table->height() - h - 5);
}

// ---- The deal: 25 face up in the grid, 27 face down on the stock ----

void MonteCarlo::Deal()
{
    for (int i = 0; i < GridCells; ++i) {
        CardWrapper *card = DealCard();
        card->SetFrontUp(true);
        CellAt(i)->Add(card, true);
    }
    for (int i = DealIndex; i < int(DealPile.size()); ++i)
        CellAt(Stock)->Add(DealCard(), true);
    PairsRemoved = 0;
}

// ---- Clicks: pairs by selection; the stock closes the gaps and refills ----

void MonteCarlo::Consolidate(UndoStep &step)
{
    for (int i = 0; i < GridCells; ++i) {
        if (CellAt(i)->GetCount() > 0)
            continue;
        for (int j = i + 1; j < GridCells; ++j) {
            if (CardWrapper *card = CellAt(j)->GetWrapper(-1)) {
                step.AddMove(card, CellAt(j));
                CellAt(i)->Add(card, true);
                break;
            }
        }
    }
}

void MonteCarlo::Refill(UndoStep &step)
{
    TableCell *stock = CellAt(Stock);
    for (int i = 0; i < GridCells && stock->GetCount() > 0; ++i) {
        if (CellAt(i)->GetCount() > 0)
            continue;
        CardWrapper *card = stock->GetWrapper(-1);
        step.AddMove(card, stock);
        card->SetFrontUp(true);
        CellAt(i)->Add(card, true);
    }
}

void MonteCarlo::OnClick(CardWrapper *wrapper, int cellIndex, int)
{
    auto step = NewUndoStep(true);
    const bool onGridCard = cellIndex >= 0 && cellIndex < GridCells && wrapper;
    if (cellIndex == Stock) {
        // The selected card may be about to move: a later click must not
        // pair with the cell it has left.
        Selection.Clear();
        Consolidate(*step);
        Refill(*step);
        Table->Invalidate();
    } else if (onGridCard) {
        switch (Selection.OnCardClick(wrapper)) {
        case PairSelection::Click::Deselected:
            break;
        case PairSelection::Click::Second:
            if (Match(Selection.GetCell(), cellIndex)) {
                CardWrapper *first = Selection.GetCard();
                Selection.Clear();
                step->AddPosition(first);
                CellAt(Removed)->Add(first, true);
                step->AddPosition(wrapper);
                CellAt(Removed)->Add(wrapper, true);
                ++PairsRemoved;
            } else {
                Error(QStringLiteral("The selected cards don't match"));
            }
            break;
        case PairSelection::Click::First:
            Selection.Select(wrapper, cellIndex);
            break;
        }
        ShowStatus();
        Table->Invalidate();
    }
    // The step is kept before the win is reported, which clears the history.
    EndMove(std::move(step));
    if (onGridCard && PairsRemoved >= PairCount)
        GameOver(true);
}

// ---- Suggestions: every touching pair ----

void MonteCarlo::FindMoves()
{
    for (int i = 0; i < GridCells; ++i) {
        for (int j = i + 1; j < GridCells; ++j) {
            if (Match(i, j))
                AddPossibleMove(CellAt(i), CellAt(j));
        }
    }
}

// ---- Status and undo ----

void MonteCarlo::ShowStatus()
{
    Status(QStringLiteral("Pairs removed: %1").arg(PairsRemoved));
}

void MonteCarlo::Undo()
{
    CardGame::Undo();
    Selection.Clear();
    PairsRemoved = CellAt(Removed)->GetCount() / 2;
    ShowStatus();
}

// ---- Saved games: a reserved 32-bit 0, then the pairs removed in 16 bits ----

void MonteCarlo::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    (void)(VekIO::WriteLE32(stream, int32_t(0)) && VekIO::WriteLE16(stream, uint16_t(PairsRemoved)));
}

bool MonteCarlo::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    Selection.Clear();
    int32_t reserved;
    uint16_t pairs;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE16(stream, pairs)) {
        PairsRemoved = CellAt(Removed)->GetCount() / 2;
        return false;
    }
    PairsRemoved = pairs;
    // Every card of a deal lies in some cell, the removed pairs included, and
    // the count is that of the removed pairs: a larger one would win at the
    // next pair.
    return CellsHoldDealPile() && PairsRemoved * 2 == CellAt(Removed)->GetCount();
}
