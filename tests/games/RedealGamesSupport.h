// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBuffer>
#include <QPushButton>

#include "PairGamesSupport.h"

// Helpers for the games with a Redeal button (La Belle Lucie, Trefoil,
// St Helena, Cruel).
namespace RedealTest {

using PairsTest::Board;

inline void ClickRedeal(Board &b)
{
    b.Table->findChild<QPushButton *>()->click();
}

// Moves a card that lies in a cell from firstPile on onto the top of cell.
inline void Lay(Board &b, int cell, int value, CardSuit suit, int firstPile)
{
    const Card *card = b.CardOf(value, suit);
    for (int c = b.Table->GetCellCount() - 1; c >= firstPile; --c) {
        for (CardWrapper *wrapper : b.Cell(c)->GetCards()) {
            if (wrapper->GetCard() == card) {
                b.Cell(cell)->Add(wrapper, true);
                return;
            }
        }
    }
    FAIL() << "no " << value << "/" << suit << " left in the piles";
}

inline QByteArray Saved(CardGame &game)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    game.SaveGame(out);
    return out.data();
}

inline bool Load(CardGame &game, const QByteArray &bytes)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    game.PrepareForLoad();
    return game.LoadGame(in);
}

// The deal of the games that set the Aces aside: one Ace on each of the
// foundations 0..3, perPile face-up cards other than Aces on each pile.
inline void ExpectAcesAside(Board &b, int firstPile, int lastPile, int perPile)
{
    for (int c = 0; c <= lastPile; ++c) {
        ASSERT_EQ(b.Cell(c)->GetCount(), c < 4 ? 1 : c < firstPile ? 0 : perPile) << c;
        for (const CardWrapper *card : b.Cell(c)->GetCards())
            EXPECT_TRUE(card->GetFrontUp() && (card->GetCard()->GetValue() == 1) == (c < 4)) << c;
    }
}

// Double-clicks the one pile from firstPile on that still holds a card,
// which wins the deal.
inline void ExpectWonByLastCard(Board &b, int firstPile)
{
    int last = firstPile;
    while (b.Cell(last)->GetCount() == 0)
        ++last;
    EngineTest::DoubleClick(b.Table.get(), b.CentreOf(last));
    EXPECT_EQ(b.Answers.Captions, QStringList{"Congratulations - Vek Solitaire"});
}

// A point of the card that no card above it covers.
inline QPoint VisiblePart(Board &b, const CardWrapper *wrapper)
{
    b.Table->ArrangeCells();
    return wrapper->Rect().topLeft() + QPoint(wrapper->Width() / 2, 4);
}

inline void Drag(Board &b, QPoint from, QPoint to)
{
    EngineTest::Press(b.Table.get(), from);
    EngineTest::MoveTo(b.Table.get(), to);
    EngineTest::Release(b.Table.get(), to);
}

} // namespace RedealTest
