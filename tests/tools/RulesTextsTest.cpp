// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include "GameFactory.h"

namespace {

// The rules window opens "Rules/" + game name + ".txt" beside the program, so
// the folder must hold exactly one text per catalogue name, spelt the same.
void expectOneTextPerGame(const QString &folder)
{
    QSet<QString> expected;
    for (int i = 0; const GameFactory::GameInfo *game = GameFactory::GetGame(i); ++i)
        expected.insert(game->name + QStringLiteral(".txt"));
    ASSERT_EQ(expected.size(), 26);

    const QStringList files = QDir(folder).entryList(QDir::Files);
    EXPECT_EQ(QSet<QString>(files.begin(), files.end()), expected) << folder.toStdString();
    for (const QString &name : files) {
        QFile f(QDir(folder).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray text = f.readAll();
        EXPECT_GT(text.size(), 200) << name.toStdString();
        // The first line names the game.
        EXPECT_TRUE(text.startsWith(name.chopped(4).toUtf8())) << name.toStdString();
    }
}

TEST(RulesTexts, SourceFolderHoldsOneTextPerGame)
{
    expectOneTextPerGame(QStringLiteral(VEK_RULES_SOURCE));
}

TEST(RulesTexts, BuildTreeHoldsOneTextPerGame)
{
    expectOneTextPerGame(QStringLiteral(VEK_RULES_BUILT));
}

} // namespace
