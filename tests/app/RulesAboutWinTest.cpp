// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Aboutwnd.h"
#include "Ruleswnd.h"
#include "VersionInfo.h"
#include "WindowsTestSupport.h"

using namespace WindowsTest;

namespace {

QString FileText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString BuiltRules(const QString &game)
{
    return FileText(QStringLiteral(VEK_BIN_DIR "/Rules/") + game + QStringLiteral(".txt"));
}

void ChooseGame(TMainWin &window, const QString &name)
{
    for (QAction *action : window.GameTypeMenu->actions())
        if (action->text() == name) {
            action->trigger();
            return;
        }
    ADD_FAILURE() << "no game " << name.toStdString();
}

class RulesWinTest : public WindowTest {
protected:
    // A data folder of our own: the program's deck and pictures, and the
    // rules of the games listed only, which the test may change.
    QString DataFolder(const QStringList &rules)
    {
        const QDir bin(QStringLiteral(VEK_BIN_DIR));
        const QDir data(Data.path());
        data.mkpath(QStringLiteral("Decks"));
        data.mkpath(QStringLiteral("Rules"));
        for (const char *file : {"Decks/Standard.deck", "Cell.jpg", "Emblem.png"})
            EXPECT_TRUE(QFile::copy(bin.filePath(QLatin1String(file)), data.filePath(QLatin1String(file)))) << file;
        for (const QString &game : rules) {
            const QString file = TRulesWin::RulesFile(game);
            EXPECT_TRUE(QFile::copy(bin.filePath(file), data.filePath(file))) << file.toStdString();
        }
        return Data.path();
    }

    QTemporaryDir Data;
};

} // namespace

TEST_F(RulesWinTest, AskingTwiceReloadsTheTextInTheOneWindow)
{
    const QString folder = DataFolder({QStringLiteral("Klondike")});
    auto window = Make(folder);
    TRulesWin *rules = window->GetRulesWindow();
    ASSERT_NE(rules, nullptr);
    EXPECT_FALSE(rules->isVisible());
    EXPECT_EQ(rules->Game->text(), QStringLiteral("Game"));

    window->Rules1->trigger();
    EXPECT_TRUE(rules->isVisible());
    // Over the main window, not in a corner of the screen.
    EXPECT_TRUE(window->frameGeometry().contains(rules->frameGeometry().center()));
    EXPECT_EQ(rules->Game->text(), QStringLiteral("Klondike"));
    const QString text = BuiltRules(QStringLiteral("Klondike"));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(rules->Rules->toPlainText(), text);

    // The file is read again: a text changed in between shows, whole.
    rules->Rules->setPlainText(QStringLiteral("scribbled over"));
    window->Rules1->trigger();
    EXPECT_EQ(rules->Rules->toPlainText(), text);
    EXPECT_EQ(window->findChildren<TRulesWin *>().size(), 1);
    EXPECT_TRUE(Answers.Told.isEmpty());

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(rules->Rules, &escape);
    EXPECT_FALSE(rules->isVisible());
    window->Rules1->trigger();
    rules->Dismiss->click();
    EXPECT_FALSE(rules->isVisible());
    EXPECT_EQ(window->GetRulesWindow(), rules);
}

TEST_F(RulesWinTest, ChangingTheGameRefreshesOnlyAnOpenWindow)
{
    auto window = Make();
    TRulesWin *rules = window->GetRulesWindow();
    window->Rules1Click();
    ChooseGame(*window, QStringLiteral("Golf"));
    EXPECT_EQ(rules->Game->text(), QStringLiteral("Golf"));
    EXPECT_EQ(rules->Rules->toPlainText(), BuiltRules(QStringLiteral("Golf")));
    EXPECT_TRUE(rules->isVisible());

    // Dismissed, it stays away when the game changes again.
    rules->DismissClick();
    ChooseGame(*window, QStringLiteral("Free Cell"));
    EXPECT_FALSE(rules->isVisible());
    EXPECT_EQ(rules->Game->text(), QStringLiteral("Golf"));
    EXPECT_TRUE(Answers.Told.isEmpty());
}

TEST_F(RulesWinTest, AMissingRulesFileIsReportedAndNeverShowsOtherRules)
{
    const QString folder = DataFolder({QStringLiteral("Klondike")});
    auto window = Make(folder);
    TRulesWin *rules = window->GetRulesWindow();
    window->Rules1Click();
    ASSERT_TRUE(rules->isVisible());

    // Open window: the new name, and a text that says the rules are missing.
    ChooseGame(*window, QStringLiteral("Golf"));
    ASSERT_EQ(Answers.Told.size(), 1);
    EXPECT_TRUE(Answers.Told[0].startsWith(QStringLiteral("Cannot open file \"Rules/Golf.txt\".")))
        << Answers.Told[0].toStdString();
    EXPECT_EQ(rules->Game->text(), QStringLiteral("Golf"));
    EXPECT_TRUE(rules->Rules->toPlainText().contains(QStringLiteral("Rules/Golf.txt")));
    EXPECT_FALSE(rules->Rules->toPlainText().contains(QStringLiteral("Klondike")));
    EXPECT_TRUE(rules->isVisible());

    // Closed window: reported, and not brought up.
    rules->DismissClick();
    window->Rules1Click();
    EXPECT_EQ(Answers.Told.size(), 2);
    EXPECT_FALSE(rules->isVisible());
}

TEST_F(RulesWinTest, TheAboutWindowShowsTheSameTextEveryTime)
{
    auto window = Make();
    TAboutWin *about = window->GetAboutWindow();
    ASSERT_NE(about, nullptr);
    window->About1->trigger();
    EXPECT_TRUE(about->isVisible());
    const VersionInfo &version = VersionInfo::Program();
    const QStringList lines = about->Info->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Vek Solitaire v%1.%2").arg(version.Major()).arg(version.Minor()));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines[2], version.LegalCopyright());
    EXPECT_FALSE(lines[3].isEmpty());
    EXPECT_FALSE(about->Image1->pixmap().isNull());

    const QString first = about->Info->text();
    about->Ok->click();
    EXPECT_FALSE(about->isVisible());
    window->About1Click();
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->Info->text(), first);
    EXPECT_EQ(window->findChildren<TAboutWin *>().size(), 1);

    // A copyright line that looks like a placeholder is shown as it is,
    // however often the window is shown.
    const VersionInfo odd(2, 15, QStringLiteral("Copyright %1 %2 %3 the makers"));
    TAboutWin other(nullptr, &odd);
    for (int showing = 0; showing < 2; ++showing) {
        other.show();
        EXPECT_EQ(other.Info->text().split(QLatin1Char('\n')).mid(0, 3),
                  (QStringList{QStringLiteral("Vek Solitaire v2.15"), QString(),
                               QStringLiteral("Copyright %1 %2 %3 the makers")}));
        other.hide();
    }
}
