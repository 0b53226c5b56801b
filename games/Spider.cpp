// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Spider. The cells, by index:
//
//   [0] [1] [2] [3] [4] [5] [6] [7] [8] [9]     tableau columns, fanned down
//    |   |   |   |   |   |   |   |   |   |
//
//
//   [10]            [11]-->                     stock; completed suits, the
//                                               Kings side by side
//
// Any card goes on a card one higher, whatever its suit, but only runs of
// one suit are picked up together. King to Ace of one suit on top of a
// column goes to the completed pile. A click on the stock deals one card
// onto every column, which must all hold a card.
#include "Spider.h"

#include <algorithm>
#include <memory>

#include <QIODevice>

#include "Card.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "Questions.h"
#include "LevelSetting.h"
#include "Rules.h"
#include "TableCell.h"
#include "Utils.h"

Spider::Spider(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Spider"), deck, table, cardWidth, cardHeight)
{
}

TableCell *Spider::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- The level: how many suits the 104 cards have ----

int Spider::GetDeckCount()
{
    // Enough decks shuffled together to hold 104 cards of the kept suits.
    switch (GameLevel) {
    case OneSuit:
        return 8;
    case TwoSuits:
        return 4;
    default:
        return 2;
    }
}

bool Spider::Kept(const Card *card) const
{
    switch (GameLevel) {
    case OneSuit:
        return card->GetSuit() == Spades;
    case TwoSuits:
        return card->GetSuit() == Hearts || card->GetSuit() == Spades;
    default:
        return true;
    }
}

void Spider::LoadStats(const QString &key)
{
    CardGame::LoadStats(key);
    LevelSetting::Read(key, GameLevel, ValidLevel); // a missing or unknown level keeps the one in play
}

void Spider::SaveStats(const QString &key)
{
    CardGame::SaveStats(key);
    LevelSetting::Write(key, GameLevel);
}

void Spider::NewGame(bool shuffle)
{
    if (IsShowingSuggestion())
        return;
    // A new deal asks for the level; the same deal again keeps it.
    if (shuffle) {
        ClearTableForNewDeal();
        const int level = Table->GetQuestions().AskSpiderLevel(Table, GameLevel);
        if (ValidLevel(level))
            GameLevel = level;
    }
    CardGame::NewGame(shuffle);
    SetScore(StartScore);
}

// ---- Cells and layout ----

void Spider::CreateCells()
{
    AddCells(Completed + 1);
}

void Spider::LayoutCells()
{
    const int w = CardWidth;
    const int h = CardHeight;
    Table->Resize(ColumnCount * w + 72, 5 * h);

    // Fan steps scale with the card width, in single precision.
    const float scale = float(w) / 88.0f;
    const int columnFan = int(14.0f * scale);
    const int completedFan = int(18.0f * scale);
    const int bottom = Table->height() - h - 5;

    for (int i = FirstColumn; i <= LastColumn; ++i) {
        Cell(i)->SetPosition(6 + i * (w + 6), 5);
        Cell(i)->SetOffset(0, columnFan);
    }
    Cell(Stock)->SetPosition(6, bottom);
    // Only the Kings of the completed pile show; its hidden cards take no
    // fan step, so the Kings lie side by side.
    Cell(Completed)->SetPosition(3 * w + 6, bottom);
    Cell(Completed)->SetOffset(completedFan, 0);
}

// ---- The deal ----

void Spider::Deal()
{
    // Cards of suits the level leaves out are passed over.
    const auto nextKept = [this]() -> CardWrapper * {
        while (Card *card = NextCard()) {
            if (Kept(card))
                return Table->WrapCard(card);
        }
        return nullptr;
    };
    // Five rows on every column and a sixth on the first four; the last card
    // of each column face up.
    for (int row = 0; row < 6; ++row) {
        const int columns = row < 5 ? ColumnCount : 4;
        for (int i = 0; i < columns; ++i) {
            CardWrapper *card = nextKept();
            if (!card)
                return;
            const bool last = row == 5 || (row == 4 && i >= 4);
            card->SetFrontUp(last);
            Cell(FirstColumn + i)->Add(card, true);
        }
    }
    // The other 50 face down onto the stock.
    while (CardWrapper *card = nextKept())
        Cell(Stock)->Add(card, true);
}

// ---- What may be picked up, and where it may go ----

void Spider::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    if (!IsColumn(cellIndex))
        return;
    TableCell *column = Cell(cellIndex);
    const int count = column->GetCount();
    if (wrapper == column->GetWrapper(-1)) {
        wrapper->SetMoving(true);
        return;
    }
    // Down from the top card while the run holds: face up, the top card's
    // suit, each card one higher than the one above it.
    const Card *top = column->GetCard(-1);
    for (int i = count - 2; i >= 0; --i) {
        const CardWrapper *card = column->GetWrapper(i);
        if (!card->GetFrontUp() || !Rules::SameSuit(card->GetCard(), top)
            || !Rules::OneHigher(card->GetCard(), column->GetCard(i + 1)))
            return;
        if (card == wrapper) {
            column->StartMoving(wrapper);
            return;
        }
    }
}

bool Spider::Fits(const Card *card, int column) const
{
    const Card *top = Cell(column)->GetCard(-1);
    return !top || Rules::OneLower(card, top);
}

void Spider::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (!moving.empty())
        Drop(moving);
    CardGame::OnMouseUp(x, y);
}

void Spider::Drop(const std::vector<CardWrapper *> &moving)
{
    QRect bounds;
    GetCardsBounds(moving, bounds);
    TableCell *source = moving.front()->GetCell();

    // The largest overlap wins; on a tie the lower index.
    int target = -1;
    int best = 0;
    for (int j = FirstColumn; j <= LastColumn; ++j) {
        if (Cell(j) == source)
            continue;
        const int overlap = Cell(j)->Overlap(bounds);
        if (overlap > best) {
            best = overlap;
            target = j;
        }
    }
    // The deepest moving card comes first in the list.
    if (target < 0 || best <= 25 || !Fits(moving.front()->GetCard(), target))
        return;

    auto step = NewUndoStep(false);
    for (CardWrapper *card : moving) {
        step->AddMove(card, card->GetCell());
        Cell(target)->Add(card, true);
    }
    AddScore(-1, step.get());
    TurnUpTop(source, *step);
    const bool won = CheckCompletedRun(target, *step);
    EndMove(std::move(step));
    if (won)
        GameOver(true);
}

void Spider::TurnUpTop(TableCell *column, UndoStep &step)
{
    if (CardWrapper *top = column->GetWrapper(-1)) {
        step.AddCardFlags(top);
        top->SetFrontUp(true);
    }
}

bool Spider::CheckCompletedRun(int column, UndoStep &step)
{
    TableCell *cell = Cell(column);
    const int count = cell->GetCount();
    if (count < RunLength)
        return false;
    // From the top down: Ace, 2, ... King, all of the top card's suit.
    const Card *top = cell->GetCard(-1);
    for (int k = 0; k < RunLength; ++k) {
        const Card *card = cell->GetCard(count - 1 - k);
        if (!Rules::SameSuit(card, top) || card->GetValue() != k + 1)
            return false;
    }
    // Recorded after each change is made: the newest record runs first.
    step.BeginGroup(true);
    TableCell *completed = Cell(Completed);
    for (int k = 0; k < RunLength; ++k) {
        CardWrapper *card = cell->Pop();
        step.AddMove(card, cell);
        // Only the King shows on the completed pile.
        if (k < RunLength - 1)
            card->AddFlags(CardWrapper::Hidden);
        completed->Add(card, true);
    }
    TurnUpTop(cell, step);
    AddScore(CompletedRunBonus, &step);
    return completed->GetCount() > CardTotal - 1;
}

// ---- Clicks: the stock deals a row ----

void Spider::OnClick(CardWrapper *, int cellIndex, int)
{
    if (cellIndex != Stock)
        return;
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        if (Cell(i)->GetCount() == 0) {
            Error(QStringLiteral("There must be a card in every column to add new cards!"));
            return;
        }
    }
    TableCell *stock = Cell(Stock);
    auto step = NewUndoStep(true);
    bool won = false;
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        CardWrapper *card = stock->Pop();
        if (!card)
            break;
        step->AddMove(card, stock);
        Cell(i)->Add(card, true);
        card->SetFrontUp(true);
        won = CheckCompletedRun(i, *step) || won;
    }
    EndMove(std::move(step)); // an empty stock records nothing
    Table->Invalidate();
    if (won)
        GameOver(true);
}

// ---- Suggestions: a top card onto any column it fits ----

void Spider::FindMoves()
{
    for (int i = FirstColumn; i <= LastColumn; ++i) {
        TableCell *source = Cell(i);
        const Card *top = source->GetCard(-1);
        if (!top)
            continue;
        for (int j = FirstColumn; j <= LastColumn; ++j) {
            if (j != i && Fits(top, j))
                AddPossibleMove(source, source->GetCount() - 1, Cell(j));
        }
    }
}

// ---- Saved games: after the position, a 32-bit 0 and the 16-bit level ----

void Spider::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    VekIO::WriteLE32(stream, int32_t(0));
    VekIO::WriteLE16(stream, uint16_t(GameLevel));
}

bool Spider::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    int32_t reserved;
    uint16_t stored;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE16(stream, stored))
        return false;
    const int32_t level = int16_t(stored);
    if (!ValidLevel(level))
        return false;
    // The cells hold exactly the cards of the level's suits in the deal pile.
    const int32_t previous = GameLevel;
    GameLevel = level;
    std::vector<const Card *> dealt;
    for (const Card *card : DealPile) {
        if (Kept(card))
            dealt.push_back(card);
    }
    std::vector<const Card *> onTable;
    for (int c = 0; c < Table->GetCellCount(); ++c) {
        for (const CardWrapper *wrapper : Cell(c)->GetCards())
            onTable.push_back(wrapper->GetCard());
    }
    std::sort(dealt.begin(), dealt.end());
    std::sort(onTable.begin(), onTable.end());
    if (onTable != dealt || int(dealt.size()) != CardTotal || !DealPileIsWholeDecks()) {
        GameLevel = previous;
        return false;
    }
    return true;
}
