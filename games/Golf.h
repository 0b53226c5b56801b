// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardGame.h"

// Golf: seven columns of five face-up cards; a column's top card goes onto
// the discard pile when it is one rank above or below the pile's top card;
// the stock turns one card at a time onto the pile. Empty columns win; each
// card played from a column scores one point.
class Golf : public CardGame {
public:
    enum Cell { Stock = 0, Pile = 1, FirstColumn = 2, LastColumn = 8 };
    static constexpr int ColumnDepth = 5;

    Golf(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    // The framework's position, refused unless every card is in it.
    bool LoadGame(QIODevice &stream) override;
    // Slot 18: may the card go onto the target cell? Only the discard pile
    // takes cards.
    virtual bool CanPlace(const CardWrapper *wrapper, int target);

protected:
    // Won with the columns empty; lost when nothing fits and the stock is out.
    void CheckEnd();
    const Card *PileTop() const;

private:
    // Records the card where it lies, scores it and puts it on the pile.
    void PlayToPile(CardWrapper *wrapper, UndoStep &step);
};

// Putt Putt: Golf where King and Ace are neighbours both ways.
class PuttPutt : public Golf {
public:
    PuttPutt(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    bool CanPlace(const CardWrapper *wrapper, int target) override;
};
