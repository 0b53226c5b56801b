// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "FreeCellFamily.h"
#include "SeaHaven.h"

using namespace EngineTest;
using namespace FreeCellTest;

namespace {

constexpr int SeahavenId = 12;
enum : int { Free0, Free1, Free2, Free3, Found0, Col0 = 8, Col1, Col2, Col3, Col4, Col9 = 17 };

} // namespace

TEST(SeaHaven, DealsTenColumnsOfFiveAndTwoFreeCells)
{
    GameSetup s(SeahavenId, 4321);
    FreeCell &game = *s.Game;
    ASSERT_NE(dynamic_cast<SeaHaven *>(&game), nullptr);
    EXPECT_EQ(game.GetName(), QStringLiteral("Seahaven"));
    ASSERT_EQ(s.Table->GetCellCount(), 18);
    const auto &pile = game.GetDealPile();
    for (int k = 0; k < 50; ++k) {
        const CardWrapper *card = s.Cell(Col0 + k % 10)->GetWrapper(k / 10);
        ASSERT_TRUE(card && card->GetCard() == pile[size_t(k)] && card->GetFrontUp()) << k;
    }
    EXPECT_EQ(s.Cell(Col9)->GetCount(), 5);
    // The last two cards fill the first two free cells; 3 and 4 stay empty.
    EXPECT_EQ(s.Cell(Free0)->GetCard(0), pile[50]);
    EXPECT_EQ(s.Cell(Free1)->GetCard(0), pile[51]);
    EXPECT_EQ(s.Cell(Free2)->GetCount() + s.Cell(Free3)->GetCount(), 0);
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("Cards to move: 52"));
    // 10 x 88 + 72 wide; 15 fan steps, two cards and 15 high.
    EXPECT_EQ(s.Table->size(), QSize(952, 15 * 14 + 2 * 130 + 15));
}

TEST(SeaHaven, OneCardAtATimeDownInSuit)
{
    GameSetup s(SeahavenId, 1);
    FreeCell &game = *s.Game;
    s.Lay({{Free0, "KD"}, {Free1, "QD"}, {Free2, "JD"}, {Col0, "KH 10S 9C"}, {Col1, "10C"}, {Col2, "JC 10D"},
           {Col3, "KS"}, {Col4, "JH"}});
    EXPECT_EQ(game.CanMove(s.Cell(Col4), Col2), 0); // the other colour is not enough
    EXPECT_EQ(game.CanMove(s.Cell(Col0), Free0), 0);

    // Only the top card lifts.
    for (const char *pressed : {"10S", "KH"}) {
        s.DragOnto(s.Wrapper(pressed), Col9);
        EXPECT_EQ(s.Names(Col0), QStringLiteral("KH 10S 9C")) << pressed;
    }
    EXPECT_EQ(game.GetUndoCount(), 0);

    // The 9 of Clubs goes on the 10 of Clubs, not on the 10 of Spades.
    s.Lay({{Col0, "KH 9C"}, {Col1, "10C"}, {Col2, "10S"}, {Col3, "KS 5H"}});
    s.DragOnto(s.Wrapper("9C"), Col2);
    EXPECT_EQ(s.Names(Col2), QStringLiteral("10S"));
    EXPECT_EQ(s.Host.Beeps, 1);
    s.DragOnto(s.Wrapper("9C"), Col1);
    EXPECT_EQ(s.Names(Col1), QStringLiteral("10C 9C"));
    // Any card starts an empty column, and no limit is ever reported.
    s.DragOnto(s.Wrapper("5H"), Col9);
    EXPECT_EQ(s.Names(Col9), QStringLiteral("5H"));
    EXPECT_EQ(s.Host.Beeps, 1);
    EXPECT_FALSE(s.Host.Log.join('\n').contains(QStringLiteral("You can only")));
}
