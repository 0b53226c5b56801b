// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardGame.h"

// Black Hole: the Ace of Spades starts the central pile, the black hole; the
// other 51 cards lie face up in seventeen fans of three. A fan's top card
// goes into the hole when it is one rank above or below the hole's top card,
// King and Ace counting as neighbours. All 52 in the hole wins; each card
// moved scores one point.
class BlackHole : public CardGame {
public:
    enum Cell { Hole = 0, FirstFan = 1, LastFan = 17 };
    static constexpr int FanSize = 3;

    BlackHole(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    // The framework's position, refused unless every card is in it.
    bool LoadGame(QIODevice &stream) override;
    // Slot 18: may the card go into the hole? The target is always the hole.
    virtual bool CanPlace(const CardWrapper *wrapper, int target);

private:
    static bool IsFan(int cellIndex) { return cellIndex >= FirstFan && cellIndex <= LastFan; }
    // Records the card where it lies, scores it and drops it into the hole.
    void PlayToHole(CardWrapper *wrapper, UndoStep &step);
    // Won with every card in the hole; lost when no fan's top card fits.
    void CheckEnd();
};
