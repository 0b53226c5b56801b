// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
//   [1]       [2]       [3]       [4]       [5]
//
//   [6]       [7]                 [8]       [9]
//                       ( 0 )
//   [10]      [11]   the hole     [12]      [13]
//
//       [14]      [15]      [16]      [17]
//
// Seventeen fans of three, spreading to the right, around the black hole.
#include "BlackHole.h"

#include <vector>

#include "Card.h"
#include "CardWrapper.h"
#include "GameTable.h"
#include "Rules.h"
#include "TableCell.h"

namespace {

bool IsAceOfSpades(const Card *card)
{
    return Rules::IsAce(card) && card->GetSuit() == Spades;
}

} // namespace

BlackHole::BlackHole(::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : CardGame(QStringLiteral("Black Hole"), deck, table, cardWidth, cardHeight)
{
}

// ---- Cells and layout ----

void BlackHole::CreateCells()
{
    AddCells(LastFan + 1);
}

void BlackHole::LayoutCells()
{
    const int w = CardWidth, h = CardHeight;
    const float scale = float(w) / 88.0f;
    const int fan = int(float(w) * 0.15f * scale);
    const int margin = w / 4 + 6;
    // Fans stand in slots two card widths apart.
    const auto slot = [&](int k) { return k * (w + 4) + margin; };
    Table->Resize(10 * w + 52, 4 * h + 126);

    CellAt(Hole)->SetPosition((Table->width() - w) / 2, h + h / 2 + 29);
    int cell = FirstFan;
    for (int k : {0, 2, 4, 6, 8})
        CellAt(cell++)->SetPosition(slot(k), 5);
    for (int k : {0, 2, 6, 8})
        CellAt(cell++)->SetPosition(slot(k), h + 29);
    for (int k : {0, 2, 6, 8})
        CellAt(cell++)->SetPosition(slot(k), 2 * h + 53);
    // The bottom row stands half a slot to the right.
    for (int i = 0; i < 4; ++i)
        CellAt(cell++)->SetPosition(slot(2 * i) + w / 2 + 4, 3 * h + 77);
    for (int i = FirstFan; i <= LastFan; ++i)
        CellAt(i)->SetOffset(fan, 0);
}

// ---- The deal: the Ace of Spades into the hole, the rest in fans of three ----

void BlackHole::Deal()
{
    TableCell *hole = CellAt(Hole);
    for (int i = FirstFan; i <= LastFan; ++i) {
        TableCell *fanCell = CellAt(i);
        while (fanCell->GetCount() < FanSize) {
            CardWrapper *card = DealCard();
            card->SetFrontUp(true);
            if (IsAceOfSpades(card->GetCard()))
                hole->Add(card, true);
            else
                fanCell->Add(card, true);
        }
    }
    // The Ace of Spades was the last card: it is the one left.
    if (hole->GetCount() == 0) {
        CardWrapper *last = DealCard();
        last->SetFrontUp(true);
        hole->Add(last, true);
    }
}

// ---- What may be picked up: a fan's top card ----

void BlackHole::OnMouseDown(CardWrapper *wrapper, int cellIndex, int, int, int)
{
    if (IsFan(cellIndex) && wrapper == CellAt(cellIndex)->GetWrapper(-1))
        CellAt(cellIndex)->StartMoving(wrapper);
}

// ---- What may be dropped where: into the hole, one rank apart, King and Ace wrapping ----

bool BlackHole::CanPlace(const CardWrapper *wrapper, int)
{
    return wrapper && Rules::WrappingNeighbours(wrapper->GetCard(), CellAt(Hole)->GetCard(-1));
}

void BlackHole::PlayToHole(CardWrapper *wrapper, UndoStep &step)
{
    step.AddPosition(wrapper);
    AddScore(1, &step);
    CellAt(Hole)->Add(wrapper, true);
}

void BlackHole::OnMouseUp(int x, int y)
{
    CardWrapper *card = EndDragOnto(Hole, x, y);
    if (card && CanPlace(card, Hole)) {
        auto step = NewUndoStep(false);
        PlayToHole(card, *step);
        EndMove(std::move(step));
    }
    CheckEnd();
}

// ---- Double-clicks: a fan's top card into the hole, whichever card was hit ----

void BlackHole::OnDblClick(CardWrapper *, int cellIndex, int)
{
    if (!IsFan(cellIndex))
        return;
    CardWrapper *top = CellAt(cellIndex)->GetWrapper(-1);
    if (!top || !CanPlace(top, Hole)) {
        Error(QStringLiteral("Cannot move the selected card anywhere"));
        return;
    }
    auto step = NewUndoStep(false);
    PlayToHole(top, *step);
    Table->Invalidate();
    EndMove(std::move(step));
    CheckEnd();
}

// ---- Suggestions: each fan whose top card fits, paired with the hole ----

void BlackHole::FindMoves()
{
    for (int i = FirstFan; i <= LastFan; ++i) {
        TableCell *fanCell = CellAt(i);
        if (fanCell->GetCount() > 0 && CanPlace(fanCell->GetWrapper(-1), Hole))
            AddPossibleMove(fanCell, CellAt(Hole));
    }
}

// ---- The end ----

void BlackHole::CheckEnd()
{
    if (CellAt(Hole)->GetCount() >= 52)
        GameOver(true);
    else if (GetPossibleMoveCount() == 0)
        GameOver(false);
}

// ---- Saved games: the framework's position alone ----

bool BlackHole::LoadGame(QIODevice &stream)
{
    // The score counts the cards moved into the hole after its Ace.
    return CardGame::LoadGame(stream) && CellsHoldDealPile() && Score == CellAt(Hole)->GetCount() - 1;
}
