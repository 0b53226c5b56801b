// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "../engine/EngineTestSupport.h"

namespace PairsTest {

constexpr int W = 88;
constexpr int H = 130;

// A deck, a host, a table and one game of the catalogue, dealt from a seed.
struct Board {
    Board(int32_t gameId, unsigned seed);
    ~Board();
    TableCell *Cell(int index) const { return Table->GetCell(index); }
    Card *CardOf(int value, CardSuit suit) { return TheDeck.GetCardByValue(value, suit); }
    // Shows the card at index of cell (-1: top) by swapping faces with the
    // wrapper that shows it now; wrappers keep their places and flags.
    void Place(int cell, int index, int value, CardSuit suit);
    void ClickTop(int cell) { Table->CardClick(Cell(cell)->GetWrapper(-1)); }
    QPoint CentreOf(int cell) const;

    Deck TheDeck;
    BasicHost Host;
    EngineTest::ScriptedQuestions Answers;
    std::unique_ptr<GameTable> Table;
    std::unique_ptr<CardGame> Game;
};

// The cards and faces of every cell; cells in topOnly by their top card,
// cells in skip not at all.
std::string PositionKey(const Board &board, const std::vector<int> &topOnly = {}, const std::vector<int> &skip = {});

// A depth-first search for a won game through the game's own hooks: a move
// counts when it adds an undo step and is taken back with Undo. The play
// clock is off, so no end of the deal is announced meanwhile.
struct Search {
    using Move = std::function<void()>;
    std::function<std::vector<Move>()> Moves;
    std::function<bool()> Won;
    std::function<std::string()> Key;
    int Budget = 300000;

    // The index of the move taken at each step.
    bool Run(CardGame &game, std::vector<int> &path);
    // Plays the path from the restarted deal with the clock running.
    void Replay(CardGame &game, const std::vector<int> &path);

private:
    bool depthFirst(CardGame &game, std::vector<int> &path);
    std::unordered_set<std::string> Seen;
};

} // namespace PairsTest
