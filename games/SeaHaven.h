// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FreeCell.h"

// Seahaven: ten columns of five cards, two of the four free cells taken at
// the start. Cards move one at a time, columns are built down in suit and
// an empty column takes any card. Everything else plays as Free Cell.
class SeaHaven : public FreeCell {
public:
    SeaHaven(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void Deal() override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void ComputeSize() override;
    // 1 or 0: only single cards move, so there is no limit to report.
    int CanMove(TableCell *source, int target) override;
    // The top card's index: a run never moves as a unit.
    int RunStart(TableCell *cell, CardWrapper *wrapper) override;
};
