// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "DiplomatLevelWin.h"
#include "SpiderLevelWin.h"

namespace {

// Opened at a level, the dialog shows it; OK hands back the button chosen,
// closing without OK leaves the level it was given.
TEST(LevelDialogs, SpiderShowsTheLevelAndOkTakesTheChoice)
{
    const QString texts[] = {QStringLiteral("Thinking is tiring (1 suit)"),
                             QStringLiteral("Got plenty of time to waste (2 suits)"),
                             QStringLiteral("Mission Impossible (4 suits)")};
    for (int level = 0; level < 3; ++level) {
        for (int choice = 0; choice < 3; ++choice) {
            TSpiderLevelWin dialog;
            QRadioButton *buttons[] = {dialog.Easy, dialog.Medium, dialog.Hard};
            EXPECT_TRUE(dialog.Easy->isChecked()); // before it is shown
            dialog.SetLevel(level);
            dialog.show();
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Spider - Vek Solitaire"));
            EXPECT_EQ(dialog.GroupBox1->title(), QStringLiteral("Difficulty level"));
            EXPECT_EQ(buttons[choice]->text(), texts[choice]);
            EXPECT_TRUE(buttons[level]->isChecked());
            QTest::mouseClick(buttons[choice], Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
            EXPECT_EQ(dialog.GetLevel(), level); // only OK changes it
            EXPECT_TRUE(dialog.Ok->isDefault());
            QTest::mouseClick(dialog.Ok, Qt::LeftButton);
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.GetLevel(), choice);
        }
    }
    TSpiderLevelWin dialog;
    dialog.SetLevel(2);
    dialog.show();
    QTest::mouseClick(dialog.Easy, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    dialog.reject();
    EXPECT_EQ(dialog.GetLevel(), 2);
}

TEST(LevelDialogs, DiplomatShowsTheLevelAndOkTakesTheChoice)
{
    for (int level = 0; level < 2; ++level) {
        for (int choice = 0; choice < 2; ++choice) {
            TDiplomatLevelWin dialog;
            QRadioButton *buttons[] = {dialog.Normal, dialog.Hard};
            dialog.SetLevel(level);
            dialog.show();
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Diplomat - Vek Solitaire"));
            EXPECT_EQ(dialog.Normal->text(), QStringLiteral("Normal (any card can move to an empty cell)"));
            EXPECT_EQ(dialog.Hard->text(), QStringLiteral("Hard (only kings can move to an empty cell)"));
            EXPECT_TRUE(buttons[level]->isChecked());
            QTest::mouseClick(buttons[choice], Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
            QTest::mouseClick(dialog.Ok, Qt::LeftButton);
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.GetLevel(), choice);
        }
    }
}

} // namespace
