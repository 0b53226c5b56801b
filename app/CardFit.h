// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>

#include <QSize>

// One selectable card size; the menu item's tag is its index in CardSizes.
struct CardSize {
    int Width;
    int Height;

    friend bool operator==(const CardSize &, const CardSize &) = default;
};
inline constexpr std::array<CardSize, 9> CardSizes = {{
    {88, 130}, {101, 150}, {114, 169}, {128, 189}, {141, 208}, {154, 228}, {176, 260}, {68, 100}, {54, 80},
}};
// The tag of "&Automatic": the cards take the largest size at which the
// table fits the window.
inline constexpr int AutomaticSize = int(CardSizes.size());

// How large the cards may be for the room there is. A measure gives the size
// a game's table takes at a card size.
namespace CardFit {

using TableMeasure = std::function<QSize(CardSize)>;

// The smallest and largest widths automatic sizing chooses from.
inline constexpr int SmallestWidth = 54;
inline constexpr int LargestWidth = 704;

bool Fits(QSize table, QSize room);
// The card of that width in the proportion of the pictures, 88 : 130.
CardSize Proportional(int width);
// The tag of the fixed size to use: choice when its table fits the room,
// else the widest one that fits, else the narrowest of all. fits tells, tag
// by tag, which tables fit.
int ChooseFixed(const TableMeasure &table, QSize room, int choice, std::array<bool, CardSizes.size()> &fits);
// The widest proportional card whose table fits the room; the smallest when
// none does.
CardSize ChooseAutomatic(const TableMeasure &table, QSize room);

} // namespace CardFit
