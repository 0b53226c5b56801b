// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// St Helena (two decks):
//
//          [8]   [9]   [10]  [11]              top row of piles
//
//   [19]   [0]   [1]   [2]   [3]    [12]       Ace foundations, up by suit
//
//   [18]   [7]   [6]   [5]   [4]    [13]       King foundations, down by suit
//
//          [17]  [16]  [15]  [14]              bottom row of piles
//  (Redeal)
//
// The twelve squared piles run clockwise from the top-left corner. A pile's
// top card goes onto a foundation of its suit or onto a pile whose top card
// is of its suit and one rank above or below; an empty pile takes any card.
// During the first deal the top row feeds only the Ace foundations and the
// bottom row only the King foundations.
#include "StHelena.h"

#include <memory>
#include <vector>

#include <QIODevice>

#include "Card.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"
#include "Utils.h"

namespace {

bool inTopRow(int pile)
{
    return pile >= 8 && pile <= 11;
}

bool inBottomRow(int pile)
{
    return pile >= 14 && pile <= 17;
}

} // namespace

StHelena::StHelena(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("St Helena"), deck, table, cardWidth, cardHeight)
    , Button(*this, table, [this] { Redeal(); })
{
}

TableCell *StHelena::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void StHelena::CreateCells()
{
    AddCells(LastPile + 1);
}

void StHelena::LayoutCells()
{
    const int w = CardWidth, h = CardHeight;
    Table->Resize(6 * w + 84, 4 * h + 126);
    const auto column = [w](int k) { return k * (w + 12) + 6; };
    const int rows[] = {5, h + 29, 2 * h + 53, 3 * h + 77};
    for (int k = 1; k <= 4; ++k) {
        Cell(7 + k)->SetPosition(column(k), rows[0]);                      // 8..11
        Cell(FirstAceFoundation + k - 1)->SetPosition(column(k), rows[1]); // 0..3
        Cell(LastFoundation + 1 - k)->SetPosition(column(k), rows[2]);     // 7..4
        Cell(18 - k)->SetPosition(column(k), rows[3]);                     // 17..14
    }
    Cell(12)->SetPosition(column(5), rows[1]);
    Cell(13)->SetPosition(column(5), rows[2]);
    Cell(18)->SetPosition(column(0), rows[2]);
    Cell(19)->SetPosition(column(0), rows[1]);

    // Left of the bottom row, level with its bottom edge; where the button is
    // wider than the gap there (small cards), just below the bottom row.
    QRect button(column(0), rows[3] + h - RedealButton::Height, RedealButton::Width, RedealButton::Height);
    if (button.intersects(QRect(column(1), rows[3], w, h)))
        button.moveTop(rows[3] + h + 6);
    Button.Place(Table, button.x(), button.y());
}

// ---- The deal: the first Ace and King of each suit onto the foundations,
// the other 96 cards round the twelve piles ----

void StHelena::Deal()
{
    std::vector<CardWrapper *> aside;
    while (Card *card = NextCard()) {
        CardWrapper *wrapper = Table->WrapCard(card);
        wrapper->SetFrontUp(true);
        TableCell *foundation = nullptr;
        if (Rules::IsAce(card))
            foundation = Cell(FirstAceFoundation + int(card->GetSuit()));
        else if (Rules::IsKing(card))
            foundation = Cell(FirstKingFoundation + int(card->GetSuit()));
        if (foundation && foundation->GetCount() == 0)
            foundation->Add(wrapper, true);
        else
            aside.push_back(wrapper);
    }
    for (size_t k = 0; k < aside.size(); ++k)
        Cell(FirstPile + int(k % 12))->Add(aside[k], true);
    DealCount = 1;
}

// ---- What may be picked up: a pile's top card ----

void StHelena::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    if (IsPile(cellIndex) && wrapper == Cell(cellIndex)->GetWrapper(-1))
        wrapper->SetMoving(true);
}

// ---- What may be dropped where ----

bool StHelena::CanPlace(const CardWrapper *wrapper, int source, int target) const
{
    if (!wrapper || !Cell(target))
        return false;
    const Card *card = wrapper->GetCard();
    const Card *top = Cell(target)->GetCard(-1);
    if (IsPile(target))
        return !top || (Rules::SameSuit(card, top) && (Rules::OneHigher(card, top) || Rules::OneLower(card, top)));
    const bool fits = IsAceFoundation(target) ? Rules::SameSuit(card, top) && Rules::OneHigher(card, top)
                                              : Rules::SameSuit(card, top) && Rules::OneLower(card, top);
    if (!fits)
        return false;
    // The first deal: each row of piles feeds only the foundations next to it.
    if (DealCount < 2)
        return !(inTopRow(source) && IsKingFoundation(target)) && !(inBottomRow(source) && IsAceFoundation(target));
    return true;
}

void StHelena::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (!moving.empty()) {
        CardWrapper *card = moving.front();
        const int source = Table->IndexOfCell(card->GetCell());
        QRect bounds;
        GetCardsBounds(moving, bounds);
        // The largest overlap wins, the lower index on a tie.
        int target = -1, best = 0;
        for (int j = FirstAceFoundation; j <= LastPile; ++j) {
            const int overlap = j == source ? 0 : Cell(j)->Overlap(bounds);
            if (overlap > best) {
                best = overlap;
                target = j;
            }
        }
        if (target >= 0 && best > 25 && CanPlace(card, source, target)) {
            auto step = NewUndoStep(false);
            if (!IsPile(target))
                AddScore(card->GetCard()->GetValue(), step.get());
            step->AddPosition(card);
            Cell(target)->Add(card, true);
            EndMove(std::move(step));
        }
    }
    CardGame::OnMouseUp(x, y);
    CheckEnd();
}

// ---- Clicks: a double-click plays a pile's top card to the first
// foundation that takes it, or else to the first other pile ----

void StHelena::OnDblClick(CardWrapper *, int cellIndex, int)
{
    if (!IsPile(cellIndex))
        return;
    TableCell *pile = Cell(cellIndex);
    CardWrapper *card = pile->Pop();
    if (!card)
        return;
    int target = -1;
    for (int j = FirstAceFoundation; j <= LastPile && target < 0; ++j) {
        if (j != cellIndex && CanPlace(card, cellIndex, j))
            target = j;
    }
    if (target < 0) {
        pile->Add(card, true);
        Error(QStringLiteral("Cannot move the selected card anywhere"));
        return;
    }
    auto step = NewUndoStep(true);
    Cell(target)->Add(card, true);
    Table->Invalidate();
    step->AddMove(card, pile);
    if (!IsPile(target))
        AddScore(card->GetCard()->GetValue(), step.get());
    EndMove(std::move(step));
    CheckEnd();
}

// ---- The Redeal button: the piles gathered and dealt round again, in order ----

void StHelena::Redeal()
{
    if (DealCount >= MaxDeals) {
        Error(QStringLiteral("You have already dealt the cards 3 times!"));
        return;
    }
    // Pile 19 first down to pile 8, each from its bottom card up; dealt
    // round again in that order from pile 8, not shuffled.
    std::vector<CardWrapper *> gathered;
    for (int i = LastPile; i >= FirstPile; --i) {
        const auto &cards = Cell(i)->GetCards();
        gathered.insert(gathered.end(), cards.begin(), cards.end());
    }
    DealAgain(*this, *Table, gathered, [](size_t k) { return FirstPile + int(k % 12); }, DealCount);
    CheckEnd();
    ShowStatus();
}

// ---- Suggestions: every pile top card that fits another cell ----

void StHelena::FindMoves()
{
    for (int i = FirstPile; i <= LastPile; ++i) {
        TableCell *pile = Cell(i);
        const CardWrapper *top = pile->GetWrapper(-1);
        if (!top)
            continue;
        for (int j = FirstAceFoundation; j <= LastPile; ++j) {
            if (j != i && CanPlace(top, i, j))
                AddPossibleMove(pile, pile->GetCount() - 1, Cell(j));
        }
    }
}

// ---- The end ----

void StHelena::CheckEnd()
{
    bool won = true;
    for (int f = FirstAceFoundation; f <= LastFoundation; ++f)
        won = won && Cell(f)->GetCount() == 13;
    if (won)
        GameOver(true);
    // Never lost before the third deal.
    else if (GetPossibleMoveCount() == 0 && DealCount >= MaxDeals)
        GameOver(false);
}

void StHelena::ShowStatus()
{
    Status(QStringLiteral("Deals: %1/3").arg(DealCount));
}

// ---- Saved games: after the position, a 32-bit 0 and the deal count (16 bits) ----

void StHelena::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    VekIO::WriteLE32(stream, int32_t(0));
    VekIO::WriteLE16(stream, uint16_t(DealCount));
}

bool StHelena::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    int32_t reserved;
    uint16_t deals;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE16(stream, deals))
        return false;
    if (deals < 1 || deals > MaxDeals || !CellsHoldDealPile())
        return false;
    DealCount = deals;
    // The first-deal restriction depends on the count: the suggestions found
    // before it was read may be wrong.
    ClearPossibleMoves();
    FindMoves();
    return true;
}
