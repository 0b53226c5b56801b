// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "CardGame.h"

class Card;

// Ten columns of 104 cards built down regardless of suit; only runs of one
// suit move together, and a run of one suit from the King down to the Ace
// goes to the completed pile. The stock deals one card onto every column.
// The level decides whether the 104 cards are of one, two or four suits.
class Spider : public CardGame {
public:
    enum CellIndex : int {
        FirstColumn = 0,
        LastColumn = 9,
        Stock = 10,
        Completed = 11,
    };
    static constexpr int ColumnCount = 10;
    // Every level deals this many cards of the suits it keeps.
    static constexpr int CardTotal = 104;
    static constexpr int RunLength = 13;
    static constexpr int32_t StartScore = 500;
    static constexpr int32_t CompletedRunBonus = 100;

    enum Level : int32_t {
        OneSuit = 0,   // Spades only
        TwoSuits = 1,  // Hearts and Spades
        FourSuits = 2, // every suit
    };

    Spider(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

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

    // Does the level deal cards of this suit?
    bool Kept(const Card *card) const;
    // May a run whose deepest card is card go onto the column?
    bool Fits(const Card *card, int column) const;

    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }

private:
    TableCell *Cell(int index) const;
    void Drop(const std::vector<CardWrapper *> &moving);
    void TurnUpTop(TableCell *column, UndoStep &step);
    // Moves a finished King-to-Ace run of one suit off the top of the column
    // within step; true when that completed the last suit.
    bool CheckCompletedRun(int column, UndoStep &step);
    static bool ValidLevel(int32_t level) { return level >= OneSuit && level <= FourSuits; }

    int32_t GameLevel = OneSuit;
};
