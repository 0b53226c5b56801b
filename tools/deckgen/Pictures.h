// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include "Card.h"

namespace Art {

class Fonts;

// The card back, 176 x 260.
QImage DrawBack();
// The empty-cell picture, 176 x 260: a quiet outline for a grey table.
QImage DrawCell();
// A foundation placeholder: the cell picture with a faint suit outline.
QImage DrawPlaceholder(CardSuit suit);

constexpr int SymbolWidth = 13;
constexpr int SymbolHeight = 23;
// The deck editor's rank symbols: one strip of 52 symbols, 13 x 23 pixels
// each, by suit (clubs, diamonds, hearts, spades) and Ace to King within a
// suit, on a white background.
QImage DrawSymbolStrip(const Fonts &fonts);

// The program's emblem, two fanned cards on a transparent background, at
// size x size pixels.
QImage DrawEmblem(const Fonts &fonts, int size);

} // namespace Art
