// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardWrapper.h"

// The first card of a pair being formed in the games that remove cards in
// pairs by clicking them one after the other. The selected card is framed
// (Highlight) for as long as it is selected; the cell it was selected in is
// kept beside it.
class PairSelection {
public:
    // What a click on a card means while a pair is being formed.
    enum class Click {
        Deselected, // it was the selected card: now nothing is selected
        Second,     // another card is selected: try the pair
        First,      // nothing is selected: the card may start a pair
    };

    bool IsActive() const { return Selected != nullptr; }
    CardWrapper *GetCard() const { return Selected; }
    int GetCell() const { return Cell; }

    void Select(CardWrapper *card, int cell)
    {
        Clear();
        Selected = card;
        Cell = cell;
        card->AddFlags(CardWrapper::Highlight);
    }

    // Nothing selected any more; the card loses its frame.
    void Clear()
    {
        if (Selected)
            Selected->ClearFlags(CardWrapper::Highlight);
        Selected = nullptr;
        Cell = -1;
    }

    // Forgets the card without touching it (its wrapper is gone with the
    // deal it belonged to).
    void Forget()
    {
        Selected = nullptr;
        Cell = -1;
    }

    // Clicking the selected card again takes the selection back; any other
    // card is either the second of a pair or the first.
    Click OnCardClick(const CardWrapper *card)
    {
        if (Selected && card == Selected) {
            Clear();
            return Click::Deselected;
        }
        return Selected ? Click::Second : Click::First;
    }

private:
    CardWrapper *Selected = nullptr;
    int Cell = -1;
};
