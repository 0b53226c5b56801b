// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include "GameTable.h"
#include "TableCell.h"

// The cell among first..last that dragged cards with these bounds cover
// most, for a drop: the source cell and any cell `skip` names are passed
// over, the earliest index wins a tie, and a drop covering no candidate by
// more than a quarter has no target (-1). A drop that overlaps nothing
// therefore never lands on the first candidate.
template <class Skip>
int DropTarget(const GameTable &table, const QRect &bounds, int first, int last, const TableCell *source, Skip skip)
{
    int target = -1;
    int best = 25;
    for (int j = first; j <= last; ++j) {
        const TableCell *cell = table.GetCell(j);
        if (!cell || cell == source || skip(j))
            continue;
        const int overlap = cell->Overlap(bounds);
        if (overlap > best) {
            best = overlap;
            target = j;
        }
    }
    return target;
}
