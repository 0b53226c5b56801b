// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

#include <QByteArray>
#include <QPoint>

#include "EngineTestSupport.h"
#include "Klondike.h"

namespace KlondikeTest {

constexpr int W = 88;
constexpr int H = 130;

// A card of the test deck by rank and suit.
struct Spot {
    int value;
    CardSuit suit;
    bool up = true;
};

// Where every card lies: one list per cell, bottom card first.
using Snapshot = std::vector<std::vector<std::pair<Card *, uint32_t>>>;

// A deck, a host, a table and a Klondike dealt from a fixed seed at the
// standard card size, created through the catalogue.
struct KlondikeTable {
    explicit KlondikeTable(unsigned seed = 1);
    ~KlondikeTable();

    TableCell *CellOf(int index) const { return Table->GetCell(index); }
    Card *CardOf(int value, CardSuit suit) { return TheDeck.GetCardByValue(value, suit); }
    int Count(int cell) const { return CellOf(cell)->GetCount(); }

    // Loads a position: the listed cards in the listed cells (face up unless
    // said), every other card of the deck face down on the stock under the
    // listed stock cards. The deal pile is the deck in order.
    void SetPosition(const std::vector<std::pair<int, std::vector<Spot>>> &cells);
    // The position bytes that SetPosition loads (after the file header).
    QByteArray PositionBytes(const std::vector<std::pair<int, std::vector<Spot>>> &cells);

    // The point a press lands on to pick the card: its strip in a fan, its
    // middle on top of a cell.
    QPoint PressPoint(int cell, int index) const;
    // Where the next card dropped on the cell would line up.
    QPoint DropCorner(int cell) const;
    // A drag with real events: the card at (cell, index) is pressed and moved
    // so that its corner lands at `corner`.
    void DragTo(int cell, int index, QPoint corner);
    void DragOnto(int cell, int index, int target) { DragTo(cell, index, DropCorner(target)); }
    void ClickStock();
    void DoubleClickTop(int cell);

    Snapshot Cells() const;

    Deck TheDeck;
    BasicHost Host;
    EngineTest::ScriptedQuestions Answers;
    std::unique_ptr<GameTable> Table;
    std::unique_ptr<CardGame> Owned;
    Klondike *Game = nullptr;
};

} // namespace KlondikeTest
