// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "CardGame.h"

class Card;

// A reserve of thirteen cards, four foundations that start from the rank of
// the first foundation card and go round from King to Ace, four columns
// built down in alternating colours (also round from Ace to King) and
// refilled from the reserve at once, and a stock dealt three cards at a time
// with no limit on redeals.
class Canfield : public CardGame {
public:
    enum CellIndex : int {
        Stock = 0,
        Waste = 1,
        Reserve = 2,
        FirstFoundation = 3,
        LastFoundation = 6,
        FirstColumn = 7,
        LastColumn = 10,
    };
    static constexpr int ReserveSize = 13;
    static constexpr int CardsPerDeal = 3;

    Canfield(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

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
    // The index of the pressed card when it lies in the run at the top of
    // the column (face up, built down in alternating colours); -1 otherwise.
    int RunStart(const TableCell *column, const CardWrapper *pressed) const;

    // The rank every foundation starts from (1-13).
    int32_t GetBaseValue() const { return BaseValue; }

    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }
    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }

private:
    TableCell *Cell(int index) const;
    // Deals three cards from the stock onto the waste within step, turning
    // the waste over whenever the stock runs out.
    void DealThree(UndoStep &step);
    void Drop(const std::vector<CardWrapper *> &moving);
    // Fills every empty column from the reserve, else the waste, else after
    // a deal of three.
    void RefillColumns(UndoStep &step);
    void CheckWin();

    int32_t BaseValue = 1;
};
