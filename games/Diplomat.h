// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "CardGame.h"

class Card;

// Two decks: eight columns of four face-up cards built down regardless of
// suit, one card at a time; eight foundations built up by suit from the
// Ace; a stock dealt one card at a time onto the waste, once through. The
// level decides what may fill an empty column.
class Diplomat : public CardGame {
public:
    enum CellIndex : int {
        Stock = 0,
        Waste = 1,
        FirstFoundation = 2,
        LastFoundation = 9,
        FirstColumn = 10,
        LastColumn = 17,
    };
    static constexpr int ColumnCount = 8;
    static constexpr int FoundationCount = 8;
    static constexpr int CardTotal = 104;

    enum Level : int32_t {
        Normal = 0, // any card fills an empty column
        Hard = 1,   // only a King does
    };

    Diplomat(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    int GetDeckCount() override;
    void LoadStats(const QString &key) override;
    void SaveStats(const QString &key) override;
    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void NewGame(bool shuffle) override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    void SaveGame(QIODevice &stream) override;
    bool LoadGame(QIODevice &stream) override;

    int32_t GetLevel() const { return GameLevel; }
    void SetLevel(int32_t level) { GameLevel = level; }

    // May the card go onto the cell with that index?
    bool Accepts(const Card *card, int target) const;

    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }
    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }

private:
    TableCell *Cell(int index) const;
    void Drop(CardWrapper *card);
    void CheckWin();
    static bool ValidLevel(int32_t level) { return level == Normal || level == Hard; }

    int32_t GameLevel = Normal;
};
