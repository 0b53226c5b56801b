// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PossibleMove.h"

#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "TableCell.h"

void PossibleMove::ShowClick(GameTable &table) const
{
    const GameTable::InputBlocker blocked(table);
    CardWrapper *top = From->GetWrapper(-1);
    const uint32_t flags = top ? top->GetFlags() : 0;
    Card *picture = From->GetPicture();
    for (int blink = 0; blink < 2; ++blink) {
        if (top)
            top->AddFlags(CardWrapper::Highlight);
        else
            From->SetPicture(table.GetDeck()->GetBack());
        table.RepaintNow();
        table.SuggestionPause();
        if (top)
            top->SetFlags(flags);
        else
            From->SetPicture(picture);
        table.RepaintNow();
        if (blink == 0)
            table.SuggestionPause();
    }
}

void PossibleMove::Show(GameTable &table) const
{
    if (!From || !To)
        return;
    if (IsClick()) {
        ShowClick(table);
        return;
    }
    const int a = To->GetCount();
    const int b = From->GetCount();
    const int moving = IsPair() ? 0 : b - Index;
    if (!IsPair() && (From == To || Index < 0 || moving <= 0))
        return;

    const GameTable::InputBlocker blocked(table);
    CardWrapper *first = nullptr;
    CardWrapper *second = nullptr;
    uint32_t firstFlags = 0;
    uint32_t secondFlags = 0;
    if (IsPair()) {
        first = From->GetWrapper(-1);
        second = To->GetWrapper(-1);
        firstFlags = first ? first->GetFlags() : 0;
        secondFlags = second ? second->GetFlags() : 0;
    }

    for (int blink = 0; blink < 2; ++blink) {
        if (IsPair()) {
            if (first)
                first->AddFlags(CardWrapper::Highlight);
            if (second)
                second->AddFlags(CardWrapper::Highlight);
        } else {
            // Bottom card first, so the run keeps its order on the target.
            for (int k = 0; k < moving; ++k)
                To->Add(From->GetWrapper(Index), true);
        }
        table.RepaintNow();
        table.SuggestionPause();

        if (IsPair()) {
            if (first)
                first->ClearFlags(CardWrapper::Highlight);
            if (second)
                second->ClearFlags(CardWrapper::Highlight);
        } else {
            for (int k = 0; k < moving; ++k)
                From->Add(To->GetWrapper(a), true);
        }
        table.RepaintNow();
        if (blink == 0)
            table.SuggestionPause();
    }

    if (first)
        first->SetFlags(firstFlags);
    if (second)
        second->SetFlags(secondFlags);
}
