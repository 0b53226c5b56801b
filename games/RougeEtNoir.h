// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "CardGame.h"

class Card;

// Two decks. Ten columns built down in alternating colours, four
// foundations built up by colour (not suit), at most two of a colour; a
// complete run from King down to Ace in alternating colours leaves its
// column for one of four run piles. The stock deals one card onto every
// column. The deal is lost when no move is left and the stock is empty.
class RougeEtNoir : public CardGame {
public:
    enum CellIndex : int {
        Stock = 0,
        FirstFoundation = 1,
        LastFoundation = 4,
        FirstRunPile = 5,
        LastRunPile = 8,
        FirstColumn = 9,
        LastColumn = 18,
    };
    static constexpr int ColumnCount = 10;
    static constexpr int RunLength = 13;

    RougeEtNoir(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    int GetDeckCount() override { return 2; }
    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    bool LoadGame(QIODevice &stream) override;

    // May card go onto the cell with that index? single: it moves alone.
    bool Accepts(const Card *card, int target, bool single) const;

    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }
    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }

private:
    TableCell *Cell(int index) const;
    // The index of the deepest card of the movable run at the top of column.
    int RunStart(int column) const;
    bool Drop(const std::vector<CardWrapper *> &moving);
    // Clears a complete King-to-Ace run at the top of the column to the
    // first empty run pile, in a group of the step of its own.
    void ClearCompletedRun(int column, UndoStep &step);
    void CheckEnd();

    int ColumnFan = 0;
};
