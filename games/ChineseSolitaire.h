// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "CardGame.h"

class Card;

// Seven columns of seven, the first three all face up, and three cards on a
// stock that one click deals to the first three columns. Columns build
// down in alternating colours, any face-up card moves with the cards on
// it, only Kings go to empty columns; the foundations build up by suit,
// one card at a time, each card scoring its value. The suggestions are
// ranked: freeing a card that lies out of sequence first.
class ChineseSolitaire : public CardGame {
public:
    enum CellIndex : int {
        Stock = 0,
        FirstColumn = 1,
        LastColumn = 7,
        FirstFoundation = 8,
        LastFoundation = 11,
    };

    ChineseSolitaire(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

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
    virtual bool CanPlace(const Card *card, int target, bool single) const;

    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }
    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }

private:
    TableCell *Cell(int index) const;
    bool Drop(const std::vector<CardWrapper *> &moving);
    // Drops the moves that change nothing and ranks the others.
    void RankMoves();
    void CheckEnd();

    int ColumnFan = 0;
};
