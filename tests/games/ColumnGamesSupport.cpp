// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColumnGamesSupport.h"

#include <gtest/gtest.h>

namespace ColumnGamesTest {

std::vector<Spot> Built(CardSuit suit, int upTo)
{
    std::vector<Spot> cards;
    for (int v = 1; v <= upTo; ++v)
        cards.push_back({v, suit});
    return cards;
}

void ColumnTable::Set(const Layout &cells, int rest)
{
    ASSERT_TRUE(Load(PositionBytes(cells, rest, QByteArray())));
}

void ColumnTable::ExpectSaveRoundTrip()
{
    const QByteArray saved = Save();
    ColumnTable other(Game->GetGameId(), 99);
    ASSERT_TRUE(other.Load(saved));
    EXPECT_EQ(other.Save(), saved);
    EXPECT_EQ(other.Game->GetScore(), Game->GetScore());

    // Cut short, or with the top card of the last cell changed into
    // another (one card twice, one missing), the position is refused.
    EXPECT_FALSE(other.Load(saved.left(saved.size() - 3)));
    QByteArray changed = saved;
    const qsizetype value = changed.size() - 8;
    changed[value] = char(changed[value] % 13 + 1);
    EXPECT_FALSE(other.Load(changed));
}

int ColumnTable::FaceDown(int cell) const
{
    int down = 0;
    for (const CardWrapper *w : CellOf(cell)->GetCards())
        down += w->GetFrontUp() ? 0 : 1;
    return down;
}

} // namespace ColumnGamesTest
