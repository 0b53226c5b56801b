// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "CardGame.h"

class Card;

// Two decks: ten columns of four face-up cards built down by one in the same
// suit, one card at a time; eight foundations built up by suit from the
// Ace; a stock dealt one card at a time onto the waste, turned over again
// without limit. Josephine and Streets change only what they override.
class FortyThieves : public CardGame {
public:
    enum CellIndex : int {
        FirstColumn = 0,
        LastColumn = 9,
        FirstFoundation = 10,
        LastFoundation = 17,
        Stock = 18,
        Waste = 19,
    };
    static constexpr int ColumnCount = 10;
    static constexpr int FoundationCount = 8;
    static constexpr int CardTotal = 104;

    FortyThieves(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    int GetDeckCount() override;
    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void Undo() override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    bool LoadGame(QIODevice &stream) override;

    // May the card go onto the cell with that index?
    virtual bool Accepts(const Card *card, int target) const;

    // Foundations holding all thirteen cards of their suit.
    int32_t GetCompleted() const { return Completed; }

    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }
    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }

protected:
    TableCell *Cell(int index) const;

private:
    // Moves the dragged cards onto the cell they cover most, if it takes
    // them; true when they went onto a foundation.
    bool Drop(const std::vector<CardWrapper *> &moving);
    // Counts the full foundations again.
    void CountCompleted();

    int32_t Completed = 0;
};

// Forty Thieves where a press on a column lifts any card of the same-suit run
// at its top, with every card above it.
class Josephine : public FortyThieves {
public:
    Josephine(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;

    // The index of the pressed card when it lies in the same-suit run at the
    // top of the column, face up all the way; -1 otherwise.
    int RunStart(const TableCell *column, const CardWrapper *pressed) const;
};

// Forty Thieves with columns built down in alternating colours.
class Streets : public FortyThieves {
public:
    Streets(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    bool Accepts(const Card *card, int target) const override;
};
