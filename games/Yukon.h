// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "CardGame.h"

class Card;

// All 52 cards dealt into seven columns, many face down. Columns build down
// in alternating colours; any face-up card moves with every card lying on
// it, in order or not. Cards reach the four foundations only by
// double-click.
class Yukon : public CardGame {
public:
    enum CellIndex : int {
        FirstFoundation = 0,
        LastFoundation = 3,
        FirstColumn = 4,
        LastColumn = 10,
    };
    static constexpr int ColumnCount = 7;

    Yukon(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    bool LoadGame(QIODevice &stream) override;
    void FindAnyMove() override;

    // May card go onto the cell with that index?
    bool CanPlace(const Card *card, int target) const;

    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }
    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }

private:
    TableCell *Cell(int index) const;
    // True when the dragged cards were put down on a column.
    bool Drop(const std::vector<CardWrapper *> &moving);
    // A top card that fits a foundation: a move the suggestions leave out.
    bool FoundationMoveLeft() const;
    void CheckEnd();

    int ColumnFan = 0;
};
