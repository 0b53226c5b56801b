// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "LevelGamesSupport.h"

// Yukon, Scorpion, Wasp, Rouge et Noir, Mount Sunflower and Chinese
// Solitaire: positions of the test's own, and the saved-game round trip.
namespace ColumnGamesTest {

using namespace LevelGamesTest;

inline const QString LostText = QStringLiteral("Out of luck today, eh?\n\nWould you like to play again?");

// Cards value 1..upTo of a suit, face up: a foundation built that far.
std::vector<Spot> Built(CardSuit suit, int upTo);

// A table with the game of the catalogue id, dealt from seed.
struct ColumnTable : LevelTable {
    explicit ColumnTable(int gameId, unsigned seed = 1)
        : LevelTable(gameId, 0, seed)
    {
        PositionScore = 0;
        Decks = Game->GetDeckCount();
    }
    // Loads the position (every card not listed face down on rest).
    void Set(const Layout &cells, int rest);
    // A save, loaded into a fresh game of the same kind and saved again,
    // gives the same bytes; a copy cut short or with a card missing is
    // refused.
    void ExpectSaveRoundTrip();
    int FaceDown(int cell) const;
};

} // namespace ColumnGamesTest
