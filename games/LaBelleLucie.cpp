// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// La Belle Lucie (Trefoil: 16 fans, 4..11 and 12..19 in columns 1..8):
//
//   [0]   [4]  [5]  [6]  [7]  [8]  [9]  [10] [11] [12]    fans, fanned down
//          |    |    |    |    |    |    |    |    |
//   [1]
//         [13] [14] [15] [16] [17] [18] [19] [20] [21]
//   [2]    |    |    |    |    |    |    |    |    |
//
//   [3]                                                   foundations 0..3
//  (Redeal)
//
// Only a fan's top card moves: onto the next higher card of its suit on
// another fan or onto its foundation. An empty fan takes nothing. Three deals
// in all; after the third, one buried card may be drawn out once (the merci):
// onto its own fan's top, another fan or a foundation.
#include "LaBelleLucie.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QIODevice>

#include "AcesAside.h"
#include "Card.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"
#include "Utils.h"

LaBelleLucie::LaBelleLucie(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("La Belle Lucie"), deck, table, cardWidth, cardHeight)
    , Button(*this, table, [this] { Redeal(); })
    , Shuffler(QRandomGenerator::securelySeeded())
{
}

Trefoil::Trefoil(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : LaBelleLucie(deck, table, cardWidth, cardHeight)
{
    Name = QStringLiteral("Trefoil");
    FanCount = 16;
    FansPerRow = 9;
}

TableCell *LaBelleLucie::Cell(int index) const
{
    return Table->GetCell(index);
}

// ---- Cells and layout ----

void LaBelleLucie::CreateCells()
{
    AddCells(FirstFan + FanCount);
    for (int i = FirstFoundation; i <= LastFoundation; ++i)
        Cell(i)->SetPicture(Deck->GetPlaceholder(i));
}

void LaBelleLucie::LayoutCells()
{
    const int w = CardWidth, h = CardHeight;
    Table->Resize((w + 6) * FansPerRow + 12, 4 * h + 126);
    for (int i = FirstFoundation; i <= LastFoundation; ++i)
        Cell(i)->SetPosition(6, 5 + i * (h + 24));
    // The fan step scales with the card width, in single precision.
    const int fan = int(24.0f * (float(w) / 88.0f));
    for (int i = FirstFan; i <= LastFan(); ++i) {
        int column = i - 3, y = 5;
        if (column >= FansPerRow) {
            column = i - 2 - FansPerRow;
            y = 2 * h + 53;
        }
        Cell(i)->SetPosition(6 + column * (w + 6), y);
        Cell(i)->SetOffset(0, fan);
    }
    // Under the foundations.
    Button.Place(Table, 6, 4 * h + 101);
}

// ---- The deal: fans of three, the last fan one card ----

void LaBelleLucie::Deal()
{
    for (int i = FirstFan; i <= LastFan(); ++i) {
        for (int n = 0; n < CardsPerFan && DealIndex < int(DealPile.size()); ++n) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(true);
            Cell(i)->Add(card, true);
        }
    }
    StartFirstDeal();
}

void Trefoil::Deal()
{
    DealAcesAside(*this, *Table, FirstFan, LastFan(), CardsPerFan);
    StartFirstDeal();
}

void LaBelleLucie::StartFirstDeal()
{
    DealCount = 1;
    MerciUsed = false;
}

// ---- What may be picked up: a fan's top card, or with the merci any card ----

void LaBelleLucie::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    if (!IsFan(cellIndex))
        return;
    const bool merciOpen = DealCount >= MaxDeals && !MerciUsed;
    if (wrapper == Cell(cellIndex)->GetWrapper(-1) || merciOpen) {
        wrapper->SetMoving(true);
        PressedAt = wrapper->Position();
    }
}

// ---- What may be dropped where ----

bool LaBelleLucie::CanPlace(const CardWrapper *wrapper, int target) const
{
    if (!wrapper)
        return false;
    const Card *card = wrapper->GetCard();
    const TableCell *cell = Cell(target);
    const Card *top = cell ? cell->GetCard(-1) : nullptr;
    if (IsFoundation(target))
        return top ? Rules::SameSuit(card, top) && Rules::OneHigher(card, top) : Rules::IsAce(card);
    if (!IsFan(target))
        return false;
    // The merci: a buried card comes to the top of its own fan.
    if (wrapper->GetCell() == cell && wrapper != cell->GetWrapper(-1))
        return true;
    return Rules::SameSuit(card, top) && Rules::OneLower(card, top);
}

void LaBelleLucie::OnMouseUp(int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (!moving.empty())
        Drop(moving.front());
    CardGame::OnMouseUp(x, y);
    CheckEnd();
}

void LaBelleLucie::Drop(CardWrapper *card)
{
    TableCell *source = card->GetCell();
    const bool merci = card != source->GetWrapper(-1);
    if (merci && card->Position() == PressedAt)
        return;
    QRect bounds;
    GetCardsBounds({card}, bounds);
    // The largest overlap wins, the lower index on a tie; the card's own fan
    // only for the merci.
    int target = -1, best = 0;
    for (int j = FirstFoundation; j <= LastFan(); ++j) {
        if (Cell(j) == source && !merci)
            continue;
        const int overlap = Cell(j)->Overlap(bounds);
        if (overlap > best) {
            best = overlap;
            target = j;
        }
    }
    if (target < 0 || best <= 25 || !CanPlace(card, target))
        return;

    auto step = NewUndoStep(false);
    if (merci) {
        // Recorded before the card, so that undo gives the merci back first.
        MerciUsed = true;
        step->AddAction([this] {
            MerciUsed = false;
            ShowStatus();
            Table->Invalidate();
        });
        ShowStatus();
    }
    step->AddPosition(card);
    Cell(target)->Add(card, true);
    EndMove(std::move(step));
}

// ---- Clicks: a double-click sends a fan's top card to its foundation ----

void LaBelleLucie::OnDblClick(CardWrapper *, int cellIndex, int)
{
    if (!IsFan(cellIndex))
        return;
    CardWrapper *card = Cell(cellIndex)->GetWrapper(-1);
    if (!card)
        return;
    // The empty foundation pictured with the card's suit first, else the
    // first that takes it.
    int target = -1;
    for (int f = FirstFoundation; f <= LastFoundation && target < 0; ++f) {
        if (ShowsSuitOf(f, card->GetCard()) && CanPlace(card, f))
            target = f;
    }
    for (int f = FirstFoundation; f <= LastFoundation && target < 0; ++f) {
        if (CanPlace(card, f))
            target = f;
    }
    if (target < 0) {
        Error(QStringLiteral("Cannot move the selected card anywhere"));
        return;
    }
    auto step = NewUndoStep(true);
    step->AddPosition(card);
    Cell(target)->Add(card, true);
    EndMove(std::move(step));
    Table->Invalidate();
    CheckEnd();
}

// ---- The Redeal button: the fans gathered and dealt again at random ----

void LaBelleLucie::Redeal()
{
    if (DealCount >= MaxDeals) {
        Error(QStringLiteral("You have already shuffled the cards 3 times!"));
        return;
    }
    // Fan by fan, each from its top card down; then drawn at random, one by
    // one, three to a fan from the first.
    std::vector<CardWrapper *> gathered, order;
    for (int i = FirstFan; i <= LastFan(); ++i) {
        const auto &cards = Cell(i)->GetCards();
        gathered.insert(gathered.end(), cards.rbegin(), cards.rend());
    }
    while (!gathered.empty()) {
        const auto k = std::ptrdiff_t(Shuffler.bounded(quint32(gathered.size())));
        order.push_back(gathered[size_t(k)]);
        gathered.erase(gathered.begin() + k);
    }
    const auto fanFor = [this](size_t k) { return std::min(FirstFan + int(k / CardsPerFan), LastFan()); };
    DealAgain(*this, *Table, order, fanFor, DealCount);
    CheckEnd();
    ShowStatus();
}

// ---- Suggestions: every fan top card that fits another cell ----

void LaBelleLucie::FindMoves()
{
    for (int i = FirstFan; i <= LastFan(); ++i) {
        TableCell *fan = Cell(i);
        const CardWrapper *top = fan->GetWrapper(-1);
        if (!top)
            continue;
        for (int j = FirstFoundation; j <= LastFan(); ++j) {
            if (j != i && CanPlace(top, j))
                AddPossibleMove(fan, fan->GetCount() - 1, Cell(j));
        }
    }
}

// ---- The end ----

void LaBelleLucie::CheckEnd()
{
    bool won = true;
    for (int f = FirstFoundation; f <= LastFoundation; ++f)
        won = won && Cell(f)->GetCount() >= 13;
    if (won)
        GameOver(true);
    // Lost only once every deal and the merci are spent and no top card fits.
    else if (DealCount >= MaxDeals && MerciUsed && GetPossibleMoveCount() == 0)
        GameOver(false);
}

void LaBelleLucie::ShowStatus()
{
    Status(QStringLiteral("Shuffles: %1/3 Merci available: %2")
               .arg(DealCount)
               .arg(MerciUsed ? QStringLiteral("No") : QStringLiteral("Yes")));
}

// ---- Saved games: after the position, a 32-bit 0, the deal count and the
// merci flag (16 bits each) ----

void LaBelleLucie::SaveGame(QIODevice &stream)
{
    CardGame::SaveGame(stream);
    VekIO::WriteLE32(stream, int32_t(0));
    VekIO::WriteLE16(stream, uint16_t(DealCount));
    VekIO::WriteLE16(stream, uint16_t(MerciUsed ? 1 : 0));
}

bool LaBelleLucie::LoadGame(QIODevice &stream)
{
    if (!CardGame::LoadGame(stream))
        return false;
    int32_t reserved;
    uint16_t deals, merci;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE16(stream, deals) || !VekIO::ReadLE16(stream, merci))
        return false;
    if (deals < 1 || deals > MaxDeals || !CellsHoldDealPile())
        return false;
    DealCount = deals;
    MerciUsed = merci != 0;
    // The suggestions were found before the counts were known.
    ClearPossibleMoves();
    FindMoves();
    return true;
}
