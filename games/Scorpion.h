// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "CardGame.h"

class Card;

// Seven columns in which every card is built down by suit; any face-up card
// is dragged with everything lying on it, and four columns each holding a
// whole suit from King down to Ace win. Three cards wait on the stock for
// one deal to the first three columns.
class Scorpion : public CardGame {
public:
    enum CellIndex : int {
        Stock = 0,
        FirstColumn = 1,
        LastColumn = 7,
    };

    Scorpion(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    bool LoadGame(QIODevice &stream) override;

    // May card go onto the cell with that index? Only a King to an empty
    // column.
    virtual bool CanPlace(const Card *card, int target) const;
    // Thirteen face-up cards of one suit, Ace on top down to the King.
    bool IsComplete(int column) const;

    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }

protected:
    TableCell *Cell(int index) const;
    // Seven cards to every column: face up from the fourth card on, and
    // every card of the columns from firstOpenColumn on; the last three
    // face down onto the stock.
    void DealColumns(int firstOpenColumn);

private:
    bool Drop(const std::vector<CardWrapper *> &moving);
    void CheckEnd();

    int ColumnFan = 0;
};

// Scorpion with fewer cards face down, and any card to an empty column.
class Wasp : public Scorpion {
public:
    Wasp(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void Deal() override;
    bool CanPlace(const Card *card, int target) const override;
};
