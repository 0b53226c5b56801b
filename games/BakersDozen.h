// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "CardGame.h"

class Card;

// The whole deck face up in thirteen columns of four, Kings put at the
// bottom of their column; columns built down regardless of suit, one card
// at a time; four foundations built up by suit from the Ace. Empty columns
// stay empty.
class BakersDozen : public CardGame {
public:
    enum CellIndex : int {
        FirstFoundation = 0,
        LastFoundation = 3,
        FirstColumn = 4,
        LastColumn = 16,
    };
    static constexpr int FoundationCount = 4;
    static constexpr int CardsPerColumn = 4;

    BakersDozen(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void Undo() override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    bool LoadGame(QIODevice &stream) override;

    // May the card go onto the cell with that index?
    virtual bool Accepts(const Card *card, int target) const;

    // Foundations holding all thirteen cards of their suit.
    int32_t GetCompleted() const { return Completed; }

    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }
    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }

private:
    TableCell *Cell(int index) const;
    // Moves the dragged card onto the cell it covers most, if it takes it;
    // true when it went onto a foundation.
    bool Drop(CardWrapper *card);
    void CountCompleted();

    int32_t Completed = 0;
};
