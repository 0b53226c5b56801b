// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "CardWrapper.h"
#include "TableCell.h"

class Card;
class CardGame;
class GameTable;
class UndoStep;

// What the games built in fanned columns share: choosing where dragged
// cards land, turning up an uncovered card, keeping long columns on the
// table, and checking a loaded position.
namespace Columns {

// The cell among first..last (the dragged cards' own cell left out) that
// the dragged cards cover most, by more than a quarter; -1 when none is
// (see DropTarget).
int DropOnto(const GameTable &table, const std::vector<CardWrapper *> &moving, int first, int last);

// Opens an undo step in recording order and moves the dragged cards, lowest
// first, onto target, each recorded from its cell, then turns up the card
// they uncovered. The caller may add to the step before closing it.
std::unique_ptr<UndoStep> MovePile(CardGame &game, const std::vector<CardWrapper *> &moving, TableCell *target);

// The same move recorded the other way: the step is undone newest record
// first and every card is recorded where it lies before it moves. A card
// put on a foundation adds its value to the score.
std::unique_ptr<UndoStep> MovePileScoring(CardGame &game, const std::vector<CardWrapper *> &moving,
                                          TableCell *target, bool foundation);

// One undo step: the stock's cards, one each, face up onto the cells
// first..last in turn while it has cards.
void DealRow(CardGame &game, GameTable &table, int stock, int first, int last);

// Turns the cell's top card face up, recording its flags first; with
// onlyFaceDown a face-up top card is left unrecorded. Nothing for an empty
// cell.
void TurnUpTop(TableCell *cell, UndoStep &step, bool onlyFaceDown = false);

// Gives the columns first..last the fan step fan, narrowed for a column
// whose top card would otherwise pass the table's bottom edge, so that the
// whole column stays on the table however long it grows.
void FitFans(GameTable &table, int first, int last, int fan);

// True when the deal pile holds every card of the game's decks exactly as
// often as there are decks, and the cells hold exactly those cards: what a
// loaded position of a game that keeps every card on the table must pass.
bool HoldsWholeDeal(CardGame &game);

// True when the game's score is the sum of the values of the cards on the
// foundations first..last, as it always is in a game that scores them.
bool ScoreMatchesFoundations(const CardGame &game, const GameTable &table, int first, int last);

// The lowest card of the run of face-up cards at the top of cell in which
// each card lies on one for which fits(lower, upper) holds; the top card's
// own index when it alone is face up, the count for an empty cell or a
// face-down top card.
template <class Fits> int RunStart(const TableCell &cell, Fits fits)
{
    const int count = cell.GetCount();
    if (count == 0 || !cell.GetWrapper(-1)->GetFrontUp())
        return count;
    int lowest = count - 1;
    while (lowest > 0 && cell.GetWrapper(lowest - 1)->GetFrontUp()
           && fits(cell.GetCard(lowest - 1), cell.GetCard(lowest)))
        --lowest;
    return lowest;
}

// Suggests a move for the top card of each cell first..last that is not one
// of the foundations firstFoundation..lastFoundation: onto the first
// foundation that takes it, then onto every cell after the foundations (up
// to last) that takes it. takes(card, target) is the game's rule. The
// foundations lie between first and last, the cells a card may build on
// after them.
void SuggestTopCards(CardGame &game, const GameTable &table, int first, int last, int firstFoundation,
                     int lastFoundation, const std::function<bool(const Card *, int)> &takes);

} // namespace Columns
