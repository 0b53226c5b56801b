// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "CardGame.h"
#include "RedealButton.h"

// Cruel: the four Aces on the foundations and the other 48 cards face up in
// twelve piles of four. A pile's top card goes onto the next higher card of
// its suit on another pile or onto its foundation, built up by suit. The
// Redeal button gathers the piles in order and deals them out again four to
// a pile, as often as the player likes. Each card put on a foundation scores
// its value.
class Cruel : public CardGame {
public:
    enum CellIndex : int { FirstFoundation = 0, LastFoundation = 3, FirstPile = 4, LastPile = 15 };
    static constexpr int CardsPerPile = 4;

    Cruel(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    void SaveGame(QIODevice &stream) override;
    bool LoadGame(QIODevice &stream) override;

    // May the card go onto the cell with that index?
    bool CanPlace(const CardWrapper *wrapper, int target) const;
    // What a click on the Redeal button does (after starting the clock).
    void Redeal();

    int32_t GetRedealCount() const { return RedealCount; }
    static bool IsPile(int index) { return index >= FirstPile && index <= LastPile; }
    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }
    QPushButton *GetRedealButton() const { return Button.Widget(); }

private:
    TableCell *Cell(int index) const;
    // Records the card where it lies and puts it on top of the target,
    // scoring a card put on a foundation.
    void Move(CardWrapper *card, int target, UndoStep &step);
    void CheckWin();

    // Kept in saved games; it limits nothing.
    int32_t RedealCount = 0;
    RedealButton Button;
};
