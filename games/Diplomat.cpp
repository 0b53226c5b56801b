// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Diplomat. The cells, by index:
//
//   [0]   [2]  [3]  [4]  [5]  [6]  [7]  [8]  [9]    stock; foundations
//
//   [1]   [10] [11] [12] [13] [14] [15] [16] [17]   waste; tableau columns,
//          |    |    |    |    |    |    |    |     fanned down
//
// Two decks. Columns build down regardless of suit, one card at a time; an
// empty column takes any card, or at the hard level only a King.
// Foundations build up by suit from the Ace. A click on the stock turns one
// card onto the waste; there is no second pass.
#include "Diplomat.h"

#include <memory>

#include <QIODevice>

#include "Card.h"
#include "CardWrapper.h"
#include "Columns.h"
#include "Deck.h"
#include "GameTable.h"
#include "LevelSetting.h"
#include "Questions.h"
#include "Rules.h"
#include "TableCell.h"
#include "Utils.h"

Diplomat::Diplomat(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Diplomat"), deck, table, cardWidth, cardHeight)
{
}

TableCell *Diplomat::Cell(int index) const
{
    return Table->GetCell(index);
}

int Diplomat::GetDeckCount()
{
    return 2;
}

// ---- The level, kept with the statistics and asked for at a new deal ----

void Diplomat::LoadStats(const QString &key)
{
    CardGame::LoadStats(key);
    LevelSetting::Read(key, GameLevel, ValidLevel); // a missing or unknown level keeps the one in play
}

void Diplomat::SaveStats(const QString &key)
{
    CardGame::SaveStats(key);
    LevelSetting::Write(key, GameLevel);
}

void Diplomat::NewGame(bool shuffle)
{
    if (IsShowingSuggestion())
        return;
    if (shuffle) {
        ClearTableForNewDeal();
        const int level = Table->GetQuestions().AskDiplomatLevel(Table, GameLevel);
        if (ValidLevel(level))
            GameLevel = level;
    }
    CardGame::NewGame(shuffle);
}

// ---- Cells and layout ----

void Diplomat::CreateCells()
{
    AddCells(LastColumn + 1);
}

void Diplomat::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(9 * w + 66, 5 * h);

    const int columnFan = int(14.0f * (float(w) / 88.0f));
    Cell(Stock)->SetPosition(6, 5);
    Cell(Waste)->SetPosition(6, h + 9);
    for (int i = 0; i < FoundationCount; ++i)
        Cell(FirstFoundation + i)->SetPosition(6 + (i + 1) * (w + 6), 5);
    for (int i = 0; i < ColumnCount; ++i) {
        Cell(FirstColumn + i)->SetPosition(6 + (i + 1) * (w + 6), h + 9);
        Cell(FirstColumn + i)->SetOffset(0, columnFan);
    }
}

// ---- The deal: four face-up rows, the rest face down on the stock ----

void Diplomat::Deal()
{
    for (int row = 0; row < 4; ++row) {
        for (int i = FirstColumn; i <= LastColumn; ++i) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(true);
            Cell(i)->Add(card, true);
        }
    }
    while (DealIndex < int(DealPile.size()))
        Cell(Stock)->Add(DealCard(), true);
}

// ---- What may be picked up, and where it may go ----

void Diplomat::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    // The top card of the waste or of a column, alone.
    if ((cellIndex == Waste || IsColumn(cellIndex)) && wrapper == Cell(cellIndex)->GetWrapper(-1))
        wrapper->SetMoving(true);
}

bool Diplomat::Accepts(const Card *card, int target) const
{
    const Card *top = Cell(target)->GetCard(-1);
    if (IsFoundation(target))
        return top ? Rules::SameSuit(card, top) && Rules::OneHigher(card, top) : Rules::IsAce(card);
    if (IsColumn(target))
        return top ? Rules::OneLower(card, top) : GameLevel == Normal || Rules::IsKing(card);
    return false; // the stock and the waste
}

void Diplomat::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (moving.size() == 1)
        Drop(moving.front());
    CardGame::OnMouseUp(x, y);
    CheckWin();
}

void Diplomat::Drop(CardWrapper *card)
{
    QRect bounds;
    GetCardsBounds({card}, bounds);
    // The largest overlap among foundations and columns wins; on a tie the
    // lower index.
    int target = -1;
    int best = 0;
    for (int j = FirstFoundation; j <= LastColumn; ++j) {
        if (Cell(j) == card->GetCell())
            continue;
        const int overlap = Cell(j)->Overlap(bounds);
        if (overlap > best) {
            best = overlap;
            target = j;
        }
    }
    if (target < 0 || best <= 25 || !Accepts(card->GetCard(), target))
        return;
    auto step = NewUndoStep(false);
    step->AddPosition(card);
    Cell(target)->Add(card, true);
    EndMove(std::move(step));
}

// ---- Clicks: one card from the stock, once through ----

void Diplomat::OnClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    TableCell *stock = Cell(Stock);
    CardWrapper *card = stock->GetWrapper(-1);
    if (!card)
        return;
    auto step = NewUndoStep(false);
    step->AddMove(card, stock);
    card->SetFrontUp(true);
    Cell(Waste)->Add(card, true);
    EndMove(std::move(step));
    Table->Invalidate();
}

// ---- Suggestions ----

void Diplomat::FindMoves()
{
    Columns::SuggestTopCards(*this, *Table, Waste, LastColumn, FirstFoundation, LastFoundation,
                             [this](const Card *card, int target) { return Accepts(card, target); });
}

// ---- The end: every card on the foundations ----

void Diplomat::CheckWin()
{
    int onFoundations = 0;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        onFoundations += Cell(f)->GetCount();
    if (onFoundations > CardTotal - 1)
        GameOver(true);
}

// ---- Saved games: after the position, a 32-bit 0 and the 32-bit level ----

void Diplomat::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    VekIO::WriteLE32(stream, int32_t(0));
    VekIO::WriteLE32(stream, GameLevel);
}

bool Diplomat::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    int32_t reserved, level;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE32(stream, level))
        return false;
    // Every card of the two decks always lies in some cell.
    if (!ValidLevel(level) || int(DealPile.size()) != CardTotal || !CellsHoldDealPile())
        return false;
    GameLevel = level;
    return true;
}
