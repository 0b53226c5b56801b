// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "CardGame.h"

class Card;

// The classic seven columns, built down in alternating colours, with a stock
// turned three cards at a time onto the waste and four foundations built up
// by suit from the ace. The model the other games follow: its .cpp reads in
// the order cells, layout, deal, picking up, dropping, clicks, suggestions,
// the end, saved games.
class Klondike : public CardGame {
public:
    // The cells, by index.
    enum CellIndex : int {
        FirstColumn = 0,
        LastColumn = 6,
        Stock = 7,
        Waste = 8,
        FirstFoundation = 9,
        LastFoundation = 12,
    };
    static constexpr int ColumnCount = 7;
    static constexpr int FoundationCount = 4;
    // Every click on the stock turns this many cards, whatever the draw count.
    static constexpr int CardsPerTurn = 3;
    // The waste shows only its top cards.
    static constexpr int VisibleWasteCards = 3;

    Klondike(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void Undo() override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    void SaveGame(QIODevice &stream) override;
    bool LoadGame(QIODevice &stream) override;

    // May card go onto the cell with that index? (Never asked for the stock
    // or the waste.)
    bool CanPlace(const Card *card, int target) const;

    // Which useless stock rotations are refused: with 1 only turning a lone
    // card round; with any other value (3 in a new game) also the two
    // rotations of three cards that change nothing.
    int32_t GetDrawCount() const { return DrawCount; }
    void SetDrawCount(int32_t count) { DrawCount = count; }

    static bool IsColumn(int index) { return index >= FirstColumn && index <= LastColumn; }
    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }

private:
    TableCell *Cell(int index) const;
    // The refusal of a stock click that would change nothing; empty when the
    // click may go ahead.
    QString UselessRotation() const;
    void TurnStockCard(UndoStep &step);
    // Moves the dragged cards onto the cell they overlap most, if the rules
    // let them.
    void Drop(const std::vector<CardWrapper *> &moving);
    // Turns up the card a move left on top of source, recording its flags.
    void TurnUpUncovered(TableCell *source, UndoStep &step);
    // Only the top three waste cards are shown.
    void UpdateWaste();
    void CheckWin();

    int32_t DrawCount = 3;
};
