// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "CardGame.h"

class Card;

// A reserve of thirteen cards, eight short columns laid out as two wings,
// four foundations that start from the rank of the first foundation card and
// go round from King to Ace, and a stock dealt one card at a time that may
// be turned over twice. Columns hold at most three cards, built down in
// suit; an emptied column is refilled at once from the reserve.
class EagleWing : public CardGame {
public:
    enum CellIndex : int {
        Stock = 0,
        Waste = 1,
        Reserve = 2,
        FirstFoundation = 3,
        LastFoundation = 6,
        FirstColumn = 7, // the left wing, 7-10, then the right wing, 11-14
        LastColumn = 14,
    };
    static constexpr int ReserveSize = 13;
    static constexpr int ColumnLimit = 3;
    static constexpr int Redeals = 2;

    EagleWing(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    void SaveGame(QIODevice &stream) override;
    bool LoadGame(QIODevice &stream) override;

    // May the card go onto the cell with that index?
    bool Accepts(const Card *card, int target) const;

    // The rank every foundation starts from (1-13).
    int32_t GetBaseValue() const { return BaseValue; }
    // How often the empty stock was clicked; undo never lowers it.
    int32_t GetRedealCount() const { return RedealCount; }

    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }
    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }

private:
    TableCell *Cell(int index) const;
    void Drop(CardWrapper *card);
    // Fills the empty columns from the reserve while it lasts.
    void RefillColumns(UndoStep &step);
    void CheckWin();

    int32_t BaseValue = 1;
    int32_t RedealCount = 0;
};
