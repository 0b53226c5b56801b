// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class Card;
class Deck;

// A contact sheet for looking at a deck the way the table shows it: every
// picture scaled to width x height with the card library's bilinear filter,
// on the table's grey. Four rows of faces (clubs, diamonds, hearts, spades,
// Ace to King), then the back, the four placeholders and the cell picture.
// Resizes the deck and the cell picture.
QImage ContactSheet(Deck &deck, Card &cell, int width, int height);
