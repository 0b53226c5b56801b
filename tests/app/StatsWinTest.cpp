// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "CardGame.h"
#include "GameFactory.h"
#include "Registry.h"
#include "Statswnd.h"
#include "WindowsTestSupport.h"

using namespace WindowsTest;

namespace {

// The row of a game, its seven cells in column order; empty when missing.
QStringList Row(const TStatsWin &window, const QString &game)
{
    for (int i = 0; i < window.Stats->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = window.Stats->topLevelItem(i);
        if (item->text(0) != game)
            continue;
        QStringList cells;
        for (int c = 0; c < window.Stats->columnCount(); ++c)
            cells.append(item->text(c));
        return cells;
    }
    return {};
}

QStringList Expected(const QString &game, const char *played, const char *won, const char *success,
                     const char *total, const char *average, const char *longest)
{
    return {game,
            QLatin1String(played),
            QLatin1String(won),
            QLatin1String(success),
            QLatin1String(total),
            QLatin1String(average),
            QLatin1String(longest)};
}

int32_t StoredStat(const QString &game, const QString &name)
{
    Registry registry;
    int32_t value = -12345;
    if (registry.OpenKey(QStringLiteral("Software\\VekSoftware\\VekSolitaire\\Games\\") + game, false))
        registry.ReadInteger(name, value);
    return value;
}

// Ends the deal the way a game does when its end test is met.
struct GameOverAccess : CardGame {
    using CardGame::GameOver;
};
void EndDeal(CardGame &game, bool won)
{
    void (CardGame::*gameOver)(bool) = &GameOverAccess::GameOver;
    (game.*gameOver)(won);
}

// The number format follows the user's locale; the tests pick theirs.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale &locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(Saved); }

private:
    QLocale Saved;
};

class StatsWinTest : public WindowTest {};

} // namespace

TEST_F(StatsWinTest, RowsShowTheStoredCountsWithoutCreatingKeys)
{
    StoreStat(QStringLiteral("Golf"), QStringLiteral("Played"), 3);
    StoreStat(QStringLiteral("Golf"), QStringLiteral("Won"), 2);
    StoreStat(QStringLiteral("Golf"), QStringLiteral("PlayTime"), 3725);
    StoreStat(QStringLiteral("Golf"), QStringLiteral("LongestPlayTime"), 2000);
    // Edited by hand: won but never played.
    StoreStat(QStringLiteral("Black Hole"), QStringLiteral("Played"), 0);
    StoreStat(QStringLiteral("Black Hole"), QStringLiteral("Won"), 5);
    StoreStat(QStringLiteral("Black Hole"), QStringLiteral("PlayTime"), 100);
    // More wins than deals: the thousands separator shows.
    StoreStat(QStringLiteral("Yukon"), QStringLiteral("Played"), 1);
    StoreStat(QStringLiteral("Yukon"), QStringLiteral("Won"), 12);
    // Counts are unsigned, and hours are not limited to a day.
    StoreStat(QStringLiteral("Pyramid"), QStringLiteral("Played"), 2);
    StoreStat(QStringLiteral("Pyramid"), QStringLiteral("PlayTime"), -1);
    StoreStat(QStringLiteral("Pyramid"), QStringLiteral("LongestPlayTime"), 360000);
    // Only some values present; the name has an apostrophe.
    StoreStat(QStringLiteral("Baker's Dozen"), QStringLiteral("Won"), 1);

    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    TStatsWin window(nullptr, &Answers);
    window.FillList();

    const QStringList rows[] = {
        Expected(QStringLiteral("Cruel"), "0", "0", "0.00%", "0:00:00", "0:00:00", "0:00:00"),
        Expected(QStringLiteral("Golf"), "3", "2", "66.67%", "1:02:05", "0:20:41", "0:33:20"),
        Expected(QStringLiteral("Black Hole"), "0", "5", "0.00%", "0:01:40", "0:00:00", "0:00:00"),
        Expected(QStringLiteral("Yukon"), "1", "12", "1,200.00%", "0:00:00", "0:00:00", "0:00:00"),
        Expected(QStringLiteral("Pyramid"), "2", "0", "0.00%", "1193046:28:15", "596523:14:07", "100:00:00"),
        Expected(QStringLiteral("Baker's Dozen"), "0", "1", "0.00%", "0:00:00", "0:00:00", "0:00:00"),
    };
    for (const QStringList &row : rows)
        EXPECT_EQ(Row(window, row[0]), row) << row[0].toStdString();

    // One row per game of the catalogue, in the order of the names.
    ASSERT_EQ(window.Stats->topLevelItemCount(), GameFactory::GameCount);
    for (int i = 1; i < GameFactory::GameCount; ++i)
        EXPECT_LT(window.Stats->topLevelItem(i - 1)->text(0), window.Stats->topLevelItem(i)->text(0));
    EXPECT_EQ(window.Stats->topLevelItem(0)->text(0), QStringLiteral("Baker's Dozen"));

    // Reading made no key for the games never played.
    EXPECT_FALSE(HasStatsKey(QStringLiteral("Cruel")));
    EXPECT_FALSE(HasStatsKey(QStringLiteral("Klondike")));

    // Another locale, another decimal separator, also for a game never played.
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    window.Stats->clear();
    window.FillList();
    EXPECT_EQ(Row(window, QStringLiteral("Golf"))[3], QStringLiteral("66,67%"));
    EXPECT_EQ(Row(window, QStringLiteral("Cruel"))[3], QStringLiteral("0,00%"));
}

TEST_F(StatsWinTest, WonAndRestartedDealsAsTheWindowShowsThem)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    auto window = Make();
    CardGame *game = window->GetCurrentGame();
    auto playAndWin = [&](int seconds) {
        game->StartPlay();
        for (int i = 0; i < seconds; ++i)
            window->PlayTimerTimer();
        EndDeal(*game, true);
    };
    playAndWin(90);
    EXPECT_TRUE(Answers.Asked.value(0).endsWith(QStringLiteral("Would you like to play again?")));
    EXPECT_TRUE(WithStatistics(*window, [](TStatsWin &stats) {
        EXPECT_EQ(Row(stats, QStringLiteral("Klondike")),
                  Expected(QStringLiteral("Klondike"), "1", "1", "100.00%", "0:01:30", "0:01:30", "0:01:30"));
    }));

    // A new deal restarted after 40 seconds of play, then won: two more
    // played, one more won, and only the winning deal's time.
    Answers.Yes = true;
    window->NewGameMenuClick();
    game->StartPlay();
    for (int i = 0; i < 40; ++i)
        window->PlayTimerTimer();
    window->RestartClick();
    Answers.Yes = false;
    playAndWin(30);
    EXPECT_TRUE(WithStatistics(*window, [](TStatsWin &stats) {
        EXPECT_EQ(Row(stats, QStringLiteral("Klondike")),
                  Expected(QStringLiteral("Klondike"), "3", "2", "66.67%", "0:02:00", "0:00:40", "0:01:30"));
    }));
}

TEST_F(StatsWinTest, ResetZeroesStoredGamesAndTheGameBeingPlayed)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const char *game : {"Golf", "Klondike"}) {
        StoreStat(QLatin1String(game), QStringLiteral("Played"), 4);
        StoreStat(QLatin1String(game), QStringLiteral("Won"), 3);
        StoreStat(QLatin1String(game), QStringLiteral("PlayTime"), 500);
        StoreStat(QLatin1String(game), QStringLiteral("LongestPlayTime"), 200);
        StoreStat(QLatin1String(game), QStringLiteral("HiScore"), 50);
    }
    auto window = Make();
    CardGame *game = window->GetCurrentGame();
    game->StartPlay();
    for (int i = 0; i < 5; ++i)
        window->PlayTimerTimer();
    const QStringList zeros = {"0", "0", "0.00%", "0:00:00", "0:00:00", "0:00:00"};

    EXPECT_TRUE(WithStatistics(*window, [&](TStatsWin &stats) {
        // The deal in progress is counted already, and its clock goes on.
        EXPECT_EQ(Row(stats, QStringLiteral("Klondike"))[1], QStringLiteral("5"));
        EXPECT_TRUE(window->PlayTimer.isActive());

        // No: nothing changes.
        stats.ResetButton->click();
        EXPECT_EQ(Answers.Asked, QStringList{TStatsWin::ResetQuestion});
        EXPECT_EQ(Row(stats, QStringLiteral("Golf"))[1], QStringLiteral("4"));
        EXPECT_EQ(game->GetPlayed(), 5);

        Answers.Yes = true;
        stats.ResetButton->click();
        ASSERT_EQ(stats.Stats->topLevelItemCount(), GameFactory::GameCount);
        for (int i = 0; i < stats.Stats->topLevelItemCount(); ++i) {
            const QString name = stats.Stats->topLevelItem(i)->text(0);
            EXPECT_EQ(Row(stats, name).mid(1), zeros) << name.toStdString();
        }
    }));
    // The game object was zeroed too; its deal goes on as it was.
    EXPECT_EQ(game->GetPlayed(), 0);
    EXPECT_EQ(game->GetWon(), 0);
    EXPECT_EQ(game->GetPlayTime(), 0);
    EXPECT_EQ(game->GetLongestPlayTime(), 0u);
    EXPECT_EQ(game->GetHiScore(), 0);
    EXPECT_TRUE(game->IsStarted());
    EXPECT_EQ(game->GetElapsedTime(), 5u);
    EXPECT_EQ(StoredStat(QStringLiteral("Golf"), QStringLiteral("HiScore")), 0);

    // Opened again without playing: still zeros everywhere, the game being
    // played included, and the games that had no key still have none.
    EXPECT_TRUE(WithStatistics(*window, [&](TStatsWin &stats) {
        for (int i = 0; i < stats.Stats->topLevelItemCount(); ++i) {
            const QString name = stats.Stats->topLevelItem(i)->text(0);
            EXPECT_EQ(Row(stats, name).mid(1), zeros) << name.toStdString();
        }
    }));
    EXPECT_EQ(StoredStat(QStringLiteral("Klondike"), QStringLiteral("Played")), 0);
    EXPECT_FALSE(HasStatsKey(QStringLiteral("Spider")));
    EXPECT_FALSE(HasStatsKey(QStringLiteral("Cruel")));
}
