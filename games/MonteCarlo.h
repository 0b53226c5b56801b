// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardGame.h"
#include "PairSelection.h"

// Monte Carlo: 25 face-up cards in a 5 x 5 grid; pairs of equal value that
// touch (side by side, above and below, or diagonally) are removed; the
// stock closes the gaps in reading order and fills the grid again. All 26
// pairs removed wins. Played by clicking.
class MonteCarlo : public CardGame {
public:
    static constexpr int GridSize = 5;
    static constexpr int GridCells = GridSize * GridSize;
    enum Cell { Stock = GridCells, Removed = GridCells + 1 };

    MonteCarlo(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void Undo() override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void ShowStatus() override;
    void SaveGame(QIODevice &stream) override;
    bool LoadGame(QIODevice &stream) override;

    // Grid cells a and b both hold a card, touch and hold equal values.
    bool Match(int a, int b) const;
    int GetPairsRemoved() const { return PairsRemoved; }
    bool HasSelection() const { return Selection.IsActive(); }
    int GetSelectedIndex() const { return Selection.GetCell(); }

protected:
    void CardsGone() override { Selection.Forget(); }

private:
    // Closes the gaps in reading order, then fills the grid from the stock.
    void Consolidate(UndoStep &step);
    void Refill(UndoStep &step);

    int32_t PairsRemoved = 0;
    PairSelection Selection;
};
