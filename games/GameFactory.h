// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>

#include <QString>

class CardGame;
class Deck;
class GameTable;

// The one place that knows every game: the catalogue of the 26 games in menu
// order, with their stable ids (kept in the registry and in saved games) and
// the function that creates each one.
namespace GameFactory {

using Creator = std::unique_ptr<CardGame> (*)(Deck *deck, GameTable *table, int cardWidth, int cardHeight);

struct GameInfo {
    QString name;
    int32_t id;
    Creator creator; // null while the game is not built
};

constexpr int GameCount = 26;

// The entry with that id, or null.
const GameInfo *FindGame(int32_t id);
// The entry at that menu position (0..25), or null for any other position.
const GameInfo *GetGame(int position);

// Raised for an id without a catalogue entry or without a creator.
class UnimplementedGame : public std::runtime_error {
public:
    UnimplementedGame()
        : std::runtime_error("Unimplemented game")
    {
    }
};

// Creates the game of that id and sets its GameId; the caller owns it.
std::unique_ptr<CardGame> CreateGame(int32_t id, Deck *deck, GameTable *table, int cardWidth, int cardHeight);

} // namespace GameFactory
