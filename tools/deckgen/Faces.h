// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include "Card.h"

class QPainter;

namespace Art {

class Fonts;

// The face of a playing card at 176 x 260: corner indices, then pips, the
// ace's large pip or the court figure. rank is 1 (Ace) to 13 (King).
QImage DrawFace(const Fonts &fonts, int rank, CardSuit suit);

// The court figure of a Jack, Queen or King (rank 11 to 13) drawn onto a
// card that already has its corner indices (Courts.cpp).
void DrawCourt(QPainter &painter, int rank, CardSuit suit);

} // namespace Art
