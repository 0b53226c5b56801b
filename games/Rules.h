// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Card.h"

// Small named checks the rule sets share, so that every game reads as its
// rules ("one lower, other colour") rather than as arithmetic. Add a check
// here when a second game needs it.
namespace Rules {

inline bool SameSuit(const Card *a, const Card *b)
{
    return a && b && a->GetSuit() == b->GetSuit();
}

inline bool SameColour(const Card *a, const Card *b)
{
    return a && b && a->GetColor() == b->GetColor();
}

inline bool OtherColour(const Card *a, const Card *b)
{
    return a && b && a->GetColor() != b->GetColor();
}

// card may go on onto when it is one rank lower (a 6 on a 7).
inline bool OneLower(const Card *card, const Card *onto)
{
    return card && onto && card->GetValue() + 1 == onto->GetValue();
}

// card may go on onto when it is one rank higher (a 7 on a 6).
inline bool OneHigher(const Card *card, const Card *onto)
{
    return card && onto && card->GetValue() == onto->GetValue() + 1;
}

// Ranks next to each other, King and Ace counting as neighbours.
inline bool WrappingNeighbours(const Card *a, const Card *b)
{
    if (!a || !b)
        return false;
    const int d = (a->GetValue() - b->GetValue() + 13) % 13;
    return d == 1 || d == 12;
}

// The ranks after and before v when the King and the Ace follow each other
// (K, A, 2 ...).
inline int NextWrapping(int v)
{
    return v == 13 ? 1 : v + 1;
}

inline int PreviousWrapping(int v)
{
    return v == 1 ? 13 : v - 1;
}

inline bool IsAce(const Card *card)
{
    return card && card->GetValue() == 1;
}

inline bool IsKing(const Card *card)
{
    return card && card->GetValue() == 13;
}

} // namespace Rules
