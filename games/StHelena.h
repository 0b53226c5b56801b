// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "CardGame.h"
#include "RedealButton.h"

// St Helena, with two decks: one Ace and one King of each suit start on
// eight foundations in the middle, the Aces built up by suit, the Kings down
// by suit; the other 96 cards lie face up in twelve piles in a ring around
// them, built up or down by suit. During the first deal a pile of the top
// row feeds only the Ace foundations and one of the bottom row only the King
// foundations. The Redeal button gathers the piles and deals them again, in
// order, twice. Each card put on a foundation scores its value.
class StHelena : public CardGame {
public:
    enum CellIndex : int {
        FirstAceFoundation = 0,  // cell = suit
        FirstKingFoundation = 4, // cell = 4 + suit
        LastFoundation = 7,
        FirstPile = 8, // 8..11 the top row, 12 and 13 the right side,
        LastPile = 19, // 14..17 the bottom row, 18 and 19 the left side
    };
    static constexpr int MaxDeals = 3;

    StHelena(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    int GetDeckCount() override { return 2; }
    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    void ShowStatus() override;
    void SaveGame(QIODevice &stream) override;
    bool LoadGame(QIODevice &stream) override;

    // May the card, taken from the pile with index source, go onto the cell
    // with index target?
    bool CanPlace(const CardWrapper *wrapper, int source, int target) const;
    // What a click on the Redeal button does (after starting the clock).
    void Redeal();

    int32_t GetDealCount() const { return DealCount; }
    static bool IsPile(int index) { return index >= FirstPile && index <= LastPile; }
    static bool IsAceFoundation(int index) { return index >= FirstAceFoundation && index < FirstKingFoundation; }
    static bool IsKingFoundation(int index) { return index >= FirstKingFoundation && index <= LastFoundation; }
    QPushButton *GetRedealButton() const { return Button.Widget(); }

private:
    TableCell *Cell(int index) const;
    void CheckEnd();

    int32_t DealCount = 1;
    RedealButton Button;
};
