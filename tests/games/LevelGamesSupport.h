// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QPoint>

#include "EngineTestSupport.h"

// Games on an offscreen table (Spider, Diplomat and the reserve games),
// driven with real mouse events.
namespace LevelGamesTest {

constexpr int W = 88;
constexpr int H = 130;

// A card of the test deck by rank and suit.
struct Spot {
    int value;
    CardSuit suit;
    bool up = true;
    bool hidden = false;
};
using Layout = std::vector<std::pair<int, std::vector<Spot>>>;
// Where every card lies: one list per cell, bottom card first.
using Snapshot = std::vector<std::vector<std::pair<Card *, uint32_t>>>;

// Foundations first .. first + count - 1 built from Ace to King of clubs,
// diamonds, hearts and spades in turn, except that the last stops at the
// Queen.
Layout NearlyWon(int first, int count);

// 32-bit little-endian words, as games append them to a position.
QByteArray Words(std::initializer_list<int32_t> words);

// A deck, a host, a table and the game of the catalogue id, dealt from a
// fixed seed at the standard card size after the level dialog answered
// `level`.
struct LevelTable {
    LevelTable(int gameId, int level, unsigned seed = 1);
    ~LevelTable();

    TableCell *CellOf(int index) const { return Table->GetCell(index); }
    Card *CardOf(int value, CardSuit suit) { return TheDeck.GetCardByValue(value, suit); }
    int Count(int cell) const { return CellOf(cell)->GetCount(); }

    // The position bytes of a deal pile of `Decks` decks (each in order) with
    // the listed cards in the listed cells; every other card lies face down
    // on cell `rest`, under the cards listed for it. `extra` follows.
    QByteArray PositionBytes(const Layout &cells, int rest, const QByteArray &extra);
    // Loads it into the game; false when the game refuses it.
    bool Load(const QByteArray &bytes);
    QByteArray Save();

    QPoint PressPoint(int cell, int index) const;
    QPoint DropCorner(int cell) const;
    // Presses the card at (cell, index) and drags it so that its corner
    // lands on the next place of cell target.
    void DragOnto(int cell, int index, int target);
    void ClickCell(int cell);

    Snapshot Cells() const;
    int MovingCount() const;

    int Decks = 2;
    Deck TheDeck;
    BasicHost Host;
    EngineTest::ScriptedQuestions Answers;
    std::unique_ptr<GameTable> Table;
    std::unique_ptr<CardGame> Game;
};

} // namespace LevelGamesTest
