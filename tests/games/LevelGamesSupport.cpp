// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LevelGamesSupport.h"

#include <algorithm>
#include <cstdlib>

#include <QBuffer>

#include <gtest/gtest.h>

#include "GameFactory.h"
#include "Utils.h"

namespace LevelGamesTest {

using namespace EngineTest;

QByteArray Words(std::initializer_list<int32_t> words)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    for (const int32_t word : words)
        VekIO::WriteLE32(out, word);
    return bytes;
}

Layout NearlyWon(int first, int count)
{
    Layout layout;
    for (int f = 0; f < count; ++f) {
        std::vector<Spot> run;
        for (int v = 1; v <= (f == count - 1 ? 12 : 13); ++v)
            run.push_back({v, CardSuit(f % 4)});
        layout.push_back({first + f, run});
    }
    return layout;
}

LevelTable::LevelTable(int gameId, int level, unsigned seed)
{
    FillDeck(TheDeck, W, H);
    Table = std::make_unique<GameTable>(nullptr, &TheDeck, &Host);
    Table->SetQuestions(&Answers);
    Table->SetSuggestionWait(0);
    Table->ResizeCards(W, H);
    Game = GameFactory::CreateGame(gameId, &TheDeck, Table.get(), W, H);
    Table->SetGame(Game.get());
    Answers.LevelAnswer = level;
    srand(seed);
    Game->NewGame(true);
}

LevelTable::~LevelTable()
{
    Game.reset();
    Table.reset();
}

QByteArray LevelTable::PositionBytes(const Layout &cells, int rest, const QByteArray &extra)
{
    std::vector<std::vector<Spot>> layout(size_t(Table->GetCellCount()));
    std::vector<Card *> remaining;
    for (int copy = 0; copy < Decks; ++copy) {
        for (int i = 0; i < Deck::CardCount; ++i)
            remaining.push_back(TheDeck.GetCard(i));
    }
    for (const auto &[cell, cards] : cells) {
        layout[size_t(cell)] = cards;
        for (const Spot &spot : cards) {
            auto it = std::find(remaining.begin(), remaining.end(), CardOf(spot.value, spot.suit));
            EXPECT_NE(it, remaining.end()) << "one copy too many of " << spot.value;
            if (it != remaining.end())
                remaining.erase(it);
        }
    }
    std::vector<Spot> under;
    for (Card *card : remaining)
        under.push_back({card->GetValue(), card->GetSuit(), false});
    auto &restCards = layout[size_t(rest)];
    restCards.insert(restCards.begin(), under.begin(), under.end());

    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    VekIO::WriteLE32(out, int32_t(0));
    VekIO::WriteLE32(out, uint32_t(0));
    VekIO::WriteLE32(out, int32_t(500));
    VekIO::WriteLE16(out, uint16_t(Decks * Deck::CardCount));
    for (int i = 0; i < Decks * Deck::CardCount; ++i) {
        VekIO::WriteLE16(out, TheDeck.GetCard(i % Deck::CardCount)->GetValue());
        VekIO::WriteLE16(out, TheDeck.GetCard(i % Deck::CardCount)->GetSuit());
    }
    VekIO::WriteLE16(out, uint16_t(layout.size()));
    for (const auto &cards : layout) {
        VekIO::WriteLE16(out, uint16_t(cards.size()));
        for (const Spot &spot : cards) {
            VekIO::WriteLE16(out, uint16_t(spot.value));
            VekIO::WriteLE16(out, uint16_t(spot.suit));
            VekIO::WriteLE32(out, (spot.up ? uint32_t(CardWrapper::FrontUp) : 0u)
                                 | (spot.hidden ? uint32_t(CardWrapper::Hidden) : 0u));
        }
    }
    out.write(extra);
    return bytes;
}

bool LevelTable::Load(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    return Game->LoadGame(in);
}

QByteArray LevelTable::Save()
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    Game->SaveGame(out);
    return bytes;
}

QPoint LevelTable::PressPoint(int cell, int index) const
{
    Table->ArrangeCells();
    const TableCell *c = CellOf(cell);
    const CardWrapper *card = c->GetWrapper(index);
    if (card == c->GetWrapper(-1))
        return card->Rect().center();
    return card->Position() + QPoint(W / 2, c->GetDY() / 2);
}

QPoint LevelTable::DropCorner(int cell) const
{
    Table->ArrangeCells();
    const TableCell *c = CellOf(cell);
    if (const CardWrapper *top = c->GetWrapper(-1))
        return top->Position();
    return QPoint(c->GetX(), c->GetY());
}

void LevelTable::DragOnto(int cell, int index, int target)
{
    const QPoint from = PressPoint(cell, index);
    const QPoint by = DropCorner(target) - CellOf(cell)->GetWrapper(index)->Position();
    Press(Table.get(), from);
    MoveTo(Table.get(), from + by / 2);
    MoveTo(Table.get(), from + by);
    Release(Table.get(), from + by);
}

void LevelTable::ClickCell(int cell)
{
    const TableCell *c = CellOf(cell);
    Click(Table.get(), c->GetCount() ? PressPoint(cell, -1) : QPoint(c->GetX() + W / 2, c->GetY() + H / 2));
}

Snapshot LevelTable::Cells() const
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

int LevelTable::MovingCount() const
{
    int moving = 0;
    for (int i = 0; i < Table->GetCellCount(); ++i) {
        for (const CardWrapper *w : CellOf(i)->GetCards())
            moving += w->IsMoving() ? 1 : 0;
    }
    return moving;
}

} // namespace LevelGamesTest
