// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardGame.h"
#include "CardWrapper.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

// The deal of the games that start with the Aces on their foundations (cells
// 0..3): every card is dealt face up; piles firstPile..lastPile in turn get
// perPile cards that are not Aces, each Ace drawn meanwhile going onto the
// next foundation instead. Whatever is left after the last pile (only Aces
// can be) goes onto the next foundations too.
inline void DealAcesAside(CardGame &game, GameTable &table, int firstPile, int lastPile, int perPile)
{
    constexpr int FoundationCount = 4;
    int foundation = 0;
    // The next card face up, or null when the pile is out.
    const auto next = [&]() -> CardWrapper * {
        Card *card = game.NextCard();
        if (!card)
            return nullptr;
        CardWrapper *wrapper = table.WrapCard(card);
        wrapper->SetFrontUp(true);
        return wrapper;
    };
    const auto toFoundation = [&](CardWrapper *wrapper) {
        if (foundation >= FoundationCount)
            return false;
        table.GetCell(foundation++)->Add(wrapper, true);
        return true;
    };
    for (int pile = firstPile; pile <= lastPile; ++pile) {
        for (int dealt = 0; dealt < perPile;) {
            CardWrapper *wrapper = next();
            if (!wrapper)
                return;
            if (Rules::IsAce(wrapper->GetCard()) && toFoundation(wrapper))
                continue;
            table.GetCell(pile)->Add(wrapper, true);
            ++dealt;
        }
    }
    while (CardWrapper *wrapper = next()) {
        if (!toFoundation(wrapper))
            table.GetCell(lastPile)->Add(wrapper, true);
    }
}
