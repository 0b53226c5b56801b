// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class GameTable;
class TableCell;

// A move the game can suggest: the cards of `from` from index up go onto
// `to`; or, with index -1, a pair whose two top cards belong together (games
// that remove pairs); or a click on a cell such as a stock (Click). The cells
// belong to the table.
class PossibleMove {
public:
    static PossibleMove Click(TableCell *cell)
    {
        return PossibleMove(cell, ClickIndex, cell);
    }

    PossibleMove(TableCell *from, int index, TableCell *to)
        : From(from)
        , To(to)
        , Index(index)
    {
    }
    PossibleMove(TableCell *first, TableCell *second)
        : From(first)
        , To(second)
        , Index(-1)
    {
    }

    TableCell *GetFrom() const { return From; }
    TableCell *GetTo() const { return To; }
    int GetIndex() const { return Index; }
    bool IsPair() const { return Index == -1; }
    bool IsClick() const { return Index == ClickIndex; }
    void SetScore(int32_t score) { Score = score; }
    int32_t GetScore() const { return Score; }

    // Plays the suggestion on the table and takes it back, twice (shown,
    // hidden, shown, hidden, each for the table's suggestion wait); a pair
    // has both top cards framed in red instead, a click the cell's top card
    // (an empty cell shows a card back). Cells, order and flags end
    // exactly as they were, and the table takes no mouse input meanwhile.
    void Show(GameTable &table) const;

private:
    static constexpr int ClickIndex = -2;
    void ShowClick(GameTable &table) const;

    TableCell *From;
    TableCell *To;
    int Index;
    int32_t Score = 0;
};
