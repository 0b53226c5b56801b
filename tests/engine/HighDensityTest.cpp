// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The table on a screen of device pixel ratio 2. Its own program: the ratio
// is set before the application starts.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "CardWrapper.h"
#include "EngineTestSupport.h"
#include "TableCell.h"

namespace {

using namespace EngineTest;

// Cards are scaled to the screen's pixels and painted without a second
// scaling, while positions and mouse input stay in table coordinates: a
// press lands on the card it would land on at ratio 1.
TEST(HighDensity, CardsHaveTheScreensPixelsAndPressesStayInTableCoordinates)
{
    TinyTable s;
    GameTable &table = *s.Table;
    ASSERT_EQ(table.devicePixelRatioF(), 2.0);
    table.resize(300, 200);
    table.show();
    CardWrapper *card = s.Game->CellOf(TinyGame::Column1)->GetWrapper(-1);
    const QImage &face = card->GetCard()->GetScaledBitmap();
    EXPECT_EQ(face.size(), QSize(2 * TinyGame::W, 2 * TinyGame::H));
    EXPECT_EQ(face.devicePixelRatio(), 2.0);
    EXPECT_EQ(card->Rect().size(), QSize(TinyGame::W, TinyGame::H));

    table.Paint();
    const QImage &frame = table.GetBackBuffer();
    EXPECT_EQ(frame.size(), QSize(600, 400));
    // The card's pixels land one to one at twice its table position.
    const QPoint at = card->Position() * 2 + QPoint(5, 5);
    EXPECT_EQ(PixelAt(frame, at.x(), at.y()), PixelAt(face, 5, 5));

    // The last pixel column of the card is still the card; one further is not.
    const QRect rect = card->Rect();
    Press(&table, QPoint(rect.right(), rect.center().y()));
    ASSERT_FALSE(s.Game->Calls.empty());
    EXPECT_EQ(s.Game->Calls.back().hook, QStringLiteral("down"));
    EXPECT_EQ(s.Game->Calls.back().wrapper, card);
    Release(&table, QPoint(rect.right(), rect.center().y()));
    s.Game->Calls.clear();
    Press(&table, QPoint(rect.right() + 1, rect.center().y()));
    for (const TinyGame::Call &call : s.Game->Calls)
        EXPECT_NE(call.wrapper, card);
    Release(&table, QPoint(rect.right() + 1, rect.center().y()));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
