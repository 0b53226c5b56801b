// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "CardGame.h"

class Card;

// Seven columns of four cards, the face-down ones in a valley (three, two,
// one, none, one, two, three), and a stock dealt one card per column at a
// click. Columns build down by one whatever the suit, any card goes to an
// empty column, runs of one suit move together; the foundations build up
// by suit, one card at a time, and each card on them scores its value.
class MountSunflower : public CardGame {
public:
    enum CellIndex : int {
        Stock = 0,
        FirstFoundation = 1,
        LastFoundation = 4,
        FirstColumn = 5,
        LastColumn = 11,
    };
    static constexpr int ColumnCount = 7;

    MountSunflower(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

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
    // The index of the deepest card of the one-suit run at the top of column.
    int RunStart(int column) const;
    void Drop(const std::vector<CardWrapper *> &moving);
    void CheckEnd();

    int ColumnFan = 0;
};
