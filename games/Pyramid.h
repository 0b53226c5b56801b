// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardGame.h"
#include "PairSelection.h"

// Pyramid: 28 cards in a pyramid of seven rows; free cards are removed in
// pairs adding up to 13, Kings alone; the stock's top card plays too and can
// be turned onto the waste. All 52 cards removed wins. Played by clicking.
class Pyramid : public CardGame {
public:
    enum Cell { FirstPosition = 0, LastPosition = 27, Stock = 28, Waste = 29, Removed = 30 };
    static constexpr int Rows = 7;

    Pyramid(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void Undo() override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void ShowStatus() override;
    void FindAnyMove() override;
    void SaveGame(QIODevice &stream) override;
    bool LoadGame(QIODevice &stream) override;

    // A card nothing lies on: the bottom row, the stock, the waste, and a
    // position whose two covering positions are empty.
    bool IsFree(int index) const;
    int GetRemovedCount() const { return RemovedCount; }
    CardWrapper *GetSelected() const { return Selection.GetCard(); }

    // The first index of pyramid row r (0 at the apex).
    static int RowStart(int row) { return row * (row + 1) / 2; }
    static int RowOf(int index);

protected:
    void CardsGone() override { Selection.Forget(); }

private:
    TableCell *CellOf(int index) const { return CellAt(index); }
    // Records and turns up the stock's new top card, if any.
    void TurnUpStock(UndoStep &step);
    void RemoveCard(UndoStep &step, CardWrapper *card);

    int32_t RemovedCount = 0;
    PairSelection Selection;
};
