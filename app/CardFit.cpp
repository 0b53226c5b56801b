// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardFit.h"

namespace CardFit {

bool Fits(QSize table, QSize room)
{
    return table.width() <= room.width() && table.height() <= room.height();
}

CardSize Proportional(int width)
{
    return {width, (width * 130 + 44) / 88};
}

int ChooseFixed(const TableMeasure &table, QSize room, int choice, std::array<bool, CardSizes.size()> &fits)
{
    int widest = -1;
    int narrowest = 0;
    for (size_t tag = 0; tag < CardSizes.size(); ++tag) {
        fits[tag] = Fits(table(CardSizes[tag]), room);
        if (CardSizes[tag].Width < CardSizes[size_t(narrowest)].Width)
            narrowest = int(tag);
        if (fits[tag] && (widest < 0 || CardSizes[tag].Width > CardSizes[size_t(widest)].Width))
            widest = int(tag);
    }
    if (choice >= 0 && choice < int(CardSizes.size()) && fits[size_t(choice)])
        return choice;
    return widest >= 0 ? widest : narrowest;
}

CardSize ChooseAutomatic(const TableMeasure &table, QSize room)
{
    // Larger cards never make a table smaller: the widest fitting width is
    // found by halving the range.
    int low = SmallestWidth;
    if (!Fits(table(Proportional(low)), room))
        return Proportional(low);
    int high = LargestWidth + 1; // the first width known not to fit
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        if (Fits(table(Proportional(middle)), room))
            low = middle;
        else
            high = middle;
    }
    return Proportional(low);
}

} // namespace CardFit
