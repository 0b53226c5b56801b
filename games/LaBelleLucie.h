// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QPoint>
#include <QRandomGenerator>

#include "CardGame.h"
#include "RedealButton.h"

// La Belle Lucie: the 52 cards face up in fans of three (the last fan one
// card); a fan's top card goes onto the next higher card of its suit on
// another fan or onto its foundation, built up by suit from the Ace. The
// Redeal button gathers the fans and deals them again at random, twice;
// after the third deal one buried card may be pulled free, once (the merci).
class LaBelleLucie : public CardGame {
public:
    enum CellIndex : int { FirstFoundation = 0, LastFoundation = 3, FirstFan = 4 };
    static constexpr int CardsPerFan = 3;
    static constexpr int MaxDeals = 3;

    LaBelleLucie(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    void ShowStatus() override;
    void SaveGame(QIODevice &stream) override;
    bool LoadGame(QIODevice &stream) override;

    // May the card go onto the cell with that index?
    bool CanPlace(const CardWrapper *wrapper, int target) const;
    // What a click on the Redeal button does (after starting the clock).
    void Redeal();

    int32_t GetDealCount() const { return DealCount; }
    bool IsMerciUsed() const { return MerciUsed; }
    int GetFanCount() const { return FanCount; }
    int LastFan() const { return FirstFan + FanCount - 1; }
    bool IsFan(int index) const { return index >= FirstFan && index <= LastFan(); }
    static bool IsFoundation(int index) { return index >= FirstFoundation && index <= LastFoundation; }
    QPushButton *GetRedealButton() const { return Button.Widget(); }

protected:
    // After the cards are out: the first deal, the merci not used.
    void StartFirstDeal();

    int32_t FanCount = 18;
    // One more than the fans laid out in a row: the foundations take the
    // first column.
    int32_t FansPerRow = 10;

private:
    TableCell *Cell(int index) const;
    void Drop(CardWrapper *card);
    void CheckEnd();

    bool MerciUsed = false;
    int32_t DealCount = 1;
    RedealButton Button;
    // The redeals draw from a generator of their own, seeded once, and leave
    // the C library's (which shuffles new deals) alone.
    QRandomGenerator Shuffler;
    // Where the pressed card lay: a buried card let go there was clicked,
    // not dragged, and spends no merci.
    QPoint PressedAt;
};

// Trefoil: La Belle Lucie with the four Aces on the foundations from the
// start and 16 fans of three.
class Trefoil : public LaBelleLucie {
public:
    Trefoil(::Deck *deck, GameTable *table, int cardWidth, int cardHeight);

    void Deal() override;
};
