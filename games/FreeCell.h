// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "CardGame.h"

// Free Cell: all 52 cards face up in eight columns, four free cells of one
// card each and four foundations built up by suit. Runs built down in
// alternating colours move together as far as the empty free cells and
// columns allow; low cards go to the foundations by themselves.
class FreeCell : public CardGame {
public:
    // Cell indices: free cells, then foundations, then the columns.
    static constexpr int FirstFreeCell = 0;
    static constexpr int FreeCellCount = 4;
    static constexpr int FirstFoundation = 4;
    static constexpr int FoundationCount = 4;
    static constexpr int FirstColumn = 8;

    FreeCell(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void AutoPlay() override;
    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void Undo() override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    void ShowStatus() override;
    void SaveGame(QIODevice &stream) override;
    bool LoadGame(QIODevice &stream) override;

    // Sets the column fan step and asks the table for its size.
    virtual void ComputeSize();
    // How many cards may move from the top of source onto the cell at
    // target; 0 when the move is not allowed.
    virtual int CanMove(TableCell *source, int target);
    // The index of the deepest card of the movable run at the top of cell
    // that holds wrapper, or -1 when wrapper is not in that run.
    virtual int RunStart(TableCell *cell, CardWrapper *wrapper);

    // Moves what CanMove allows from cell source to cell target as one undo
    // step; a refused move beeps and says so. True when cards moved.
    bool MoveCards(int source, int target);

    int GetCardsToMove() const { return CardsToMove; }
    int GetColumnCount() const { return ColumnCount; }
    int GetColumnFan() const { return ColumnFan; }
    // 1 + empty free cells + empty columns.
    int MoveLimit() const;

    static bool IsFreeCell(int index) { return index >= FirstFreeCell && index < FirstFreeCell + FreeCellCount; }
    static bool IsFoundation(int index) { return index >= FirstFoundation && index < FirstFoundation + FoundationCount; }
    bool IsColumn(int index) const { return index >= FirstColumn && index < FirstColumn + ColumnCount; }

protected:
    // Card count of the run built down in alternating colours at the top of
    // cell (0 for an empty cell).
    static int RunLength(const TableCell *cell);
    // An Ace on an empty foundation, or the next card of its suit.
    bool FitsFoundation(const Card *card, int foundation) const;
    // The lowest top value among the foundations, 0 while one is empty.
    int LowestFoundation() const;
    // Cards not on a foundation.
    uint16_t CountCardsToMove() const;

    bool HintMode = false;
    // While a drop is judged: how many cards the player lifted (0: the whole
    // top run may move, as for suggestions and double-clicks).
    int Lifted = 0;
    uint16_t CardsToMove = 0;
    int32_t ColumnCount = 8;
    int32_t ColumnFan = 0;
};
