// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KlondikeTestSupport.h"

#include <algorithm>
#include <cstdlib>

#include <QBuffer>

#include <gtest/gtest.h>

#include "GameFactory.h"
#include "Utils.h"

namespace KlondikeTest {

using namespace EngineTest;

KlondikeTable::KlondikeTable(unsigned seed)
{
    FillDeck(TheDeck, W, H);
    Table = std::make_unique<GameTable>(nullptr, &TheDeck, &Host);
    Table->SetQuestions(&Answers);
    Table->SetSuggestionWait(0);
    Table->ResizeCards(W, H);
    Owned = GameFactory::CreateGame(0, &TheDeck, Table.get(), W, H);
    Game = dynamic_cast<Klondike *>(Owned.get());
    Table->SetGame(Owned.get());
    srand(seed);
    Game->NewGame(true);
}

KlondikeTable::~KlondikeTable()
{
    Owned.reset();
    Table.reset();
}

QByteArray KlondikeTable::PositionBytes(const std::vector<std::pair<int, std::vector<Spot>>> &cells)
{
    std::vector<std::vector<Spot>> layout(13);
    std::vector<Card *> placed;
    for (const auto &[cell, cards] : cells) {
        layout[size_t(cell)] = cards;
        for (const Spot &spot : cards)
            placed.push_back(CardOf(spot.value, spot.suit));
    }
    std::vector<Spot> rest;
    for (int i = 0; i < Deck::CardCount; ++i) {
        Card *card = TheDeck.GetCard(i);
        if (std::find(placed.begin(), placed.end(), card) == placed.end())
            rest.push_back({card->GetValue(), card->GetSuit(), false});
    }
    auto &stock = layout[Klondike::Stock];
    stock.insert(stock.begin(), rest.begin(), rest.end());

    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    VekIO::WriteLE32(out, int32_t(0));
    VekIO::WriteLE32(out, uint32_t(0));
    VekIO::WriteLE32(out, int32_t(0));
    VekIO::WriteLE16(out, uint16_t(Deck::CardCount));
    for (int i = 0; i < Deck::CardCount; ++i) {
        VekIO::WriteLE16(out, TheDeck.GetCard(i)->GetValue());
        VekIO::WriteLE16(out, TheDeck.GetCard(i)->GetSuit());
    }
    VekIO::WriteLE16(out, uint16_t(layout.size()));
    for (const auto &cards : layout) {
        VekIO::WriteLE16(out, uint16_t(cards.size()));
        for (const Spot &spot : cards) {
            VekIO::WriteLE16(out, uint16_t(spot.value));
            VekIO::WriteLE16(out, uint16_t(spot.suit));
            VekIO::WriteLE32(out, spot.up ? uint32_t(CardWrapper::FrontUp) : 0u);
        }
    }
    VekIO::WriteLE32(out, int32_t(0));
    VekIO::WriteLE32(out, Game->GetDrawCount());
    return bytes;
}

void KlondikeTable::SetPosition(const std::vector<std::pair<int, std::vector<Spot>>> &cells)
{
    QByteArray bytes = PositionBytes(cells);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(Game->LoadGame(in));
}

QPoint KlondikeTable::PressPoint(int cell, int index) const
{
    Table->ArrangeCells();
    const TableCell *c = CellOf(cell);
    const CardWrapper *card = c->GetWrapper(index);
    if (card == c->GetWrapper(-1))
        return card->Rect().center();
    // The strip of a covered card: columns fan down, the waste to the right.
    if (c->GetDY() > 0)
        return card->Position() + QPoint(W / 2, c->GetDY() / 2);
    return card->Position() + QPoint(c->GetDX() / 2, H / 2);
}

QPoint KlondikeTable::DropCorner(int cell) const
{
    Table->ArrangeCells();
    const TableCell *c = CellOf(cell);
    if (const CardWrapper *top = c->GetWrapper(-1))
        return top->Position();
    return QPoint(c->GetX(), c->GetY());
}

void KlondikeTable::DragTo(int cell, int index, QPoint corner)
{
    const QPoint from = PressPoint(cell, index);
    const QPoint by = corner - CellOf(cell)->GetWrapper(index)->Position();
    Press(Table.get(), from);
    MoveTo(Table.get(), from + by / 2);
    MoveTo(Table.get(), from + by);
    Release(Table.get(), from + by);
}

void KlondikeTable::ClickStock()
{
    const TableCell *stock = CellOf(Klondike::Stock);
    Click(Table.get(), stock->GetCount() ? PressPoint(Klondike::Stock, -1)
                                         : QPoint(stock->GetX() + W / 2, stock->GetY() + H / 2));
}

void KlondikeTable::DoubleClickTop(int cell)
{
    DoubleClick(Table.get(), PressPoint(cell, -1));
}

Snapshot KlondikeTable::Cells() const
{
    Snapshot cells;
    for (int i = 0; i < Table->GetCellCount(); ++i) {
        std::vector<std::pair<Card *, uint32_t>> cards;
        for (const CardWrapper *w : CellOf(i)->GetCards())
            cards.emplace_back(w->GetCard(), w->GetFlags());
        cells.push_back(cards);
    }
    return cells;
}

} // namespace KlondikeTest
