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
    QPushButton *button = b.Table->findChild<QPushButton *>();
    ASSERT_NE(button, nullptr);
    button->click();
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
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    game.SaveGame(out);
    return bytes;
}

inline bool Load(CardGame &game, const QByteArray &bytes)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    game.PrepareForLoad();
    return game.LoadGame(in);
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
