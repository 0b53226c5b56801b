// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class GameTable;
class TableCell;

// A move the game can suggest: the cards of `from` from index up go onto
// `to`; or, with index -1, a pair whose two top cards belong together (games
// that remove pairs). The cells belong to the table.
class PossibleMove {
public:
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
    void SetScore(int32_t score) { Score = score; }
    int32_t GetScore() const { return Score; }

    // Plays the suggestion on the table and takes it back, twice (shown,
    // hidden, shown, hidden, each for the table's suggestion wait); a pair
    // has both top cards framed in red instead. Cells, order and flags end
    // exactly as they were, and the table takes no mouse input meanwhile.
    void Show(GameTable &table) const;

private:
    TableCell *From;
    TableCell *To;
    int Index;
    int32_t Score = 0;
};
