// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sheet.h"

#include <QPainter>

#include "Artwork.h"
#include "Deck.h"

QImage ContactSheet(Deck &deck, Card &cell, int width, int height)
{
    constexpr int columns = 13, rows = 5, gap = 6, margin = 10;
    QImage sheet = Art::Canvas(2 * margin + columns * width + (columns - 1) * gap,
                               2 * margin + rows * height + (rows - 1) * gap, Art::TableGrey());
    deck.Resize(width, height);
    cell.ScaleImage(width, height);

    QPainter p(&sheet);
    auto put = [&](const Card *card, int column, int row) {
        if (card)
            card->PaintTo(p, unsigned(margin + column * (width + gap)), unsigned(margin + row * (height + gap)));
    };
    for (int i = 0; i < Deck::CardCount; ++i) {
        const Card *card = deck.GetCard(i);
        // Placed by rank and suit, so a deck in any order reads the same.
        if (card->IsAssigned() && card->GetValue() >= 1 && card->GetValue() <= 13)
            put(card, card->GetValue() - 1, int(card->GetSuit()) & 3);
    }
    put(deck.GetBack(), 0, 4);
    for (int i = 0; i < Deck::PlaceholderCount; ++i)
        put(deck.GetPlaceholder(i), 1 + i, 4);
    put(&cell, 5, 4);
    return sheet;
}
