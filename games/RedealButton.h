// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include <QPointer>
#include <QPushButton>

class CardGame;
class CardWrapper;
class GameTable;

// The "Redeal" button of the games that gather their cards and lay them out
// again. It is a child of the table, so it shows, hides and is disabled (a
// paused game, a suggestion on show) together with the table; the game holds
// it through a QPointer, so that whichever of the two goes first the button
// is deleted exactly once.
//
// A click runs the game's redeal through CardGame::Guarded. It counts as a
// move of the deal, like a press on a card: the play clock starts first, so
// that a deal ended by a redeal is reported like any other.
class RedealButton {
public:
    static constexpr int Width = 100;
    static constexpr int Height = 25;

    RedealButton(CardGame &game, GameTable *table, std::function<void()> redeal);
    ~RedealButton();
    RedealButton(const RedealButton &) = delete;
    RedealButton &operator=(const RedealButton &) = delete;

    // Puts the button's top-left corner at (x, y) of the table, making the
    // table its parent first if it is not, and shows it.
    void Place(GameTable *table, int x, int y);
    // Null once the table has deleted it.
    QPushButton *Widget() const { return Button.data(); }

private:
    QPointer<QPushButton> Button;
};

// A redeal as one undo step: the cards, in list order, each onto the top of
// the cell pileFor(k) names for the k-th; each is recorded where it lies just
// before it moves, so that undo (newest record first) puts every card back
// exactly, whatever the piles held. Then count goes up by one; undo takes it
// down again and shows the game's status.
void DealAgain(CardGame &game, GameTable &table, const std::vector<CardWrapper *> &cards,
               const std::function<int(size_t k)> &pileFor, int32_t &count);
