// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowsTestSupport.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "Registry.h"
#include "Statswnd.h"

namespace WindowsTest {

namespace {

const QString GamesKey = QStringLiteral("Software\\VekSoftware\\VekSolitaire\\Games\\");

UpdateCalls SilentUpdate()
{
    UpdateCalls calls;
    calls.CheckUpdate = [](VUPD_UpdateInfo *, int32_t) {};
    calls.IsEnabled = [](VUPD_UpdateInfo *) { return false; };
    calls.EnableUpdate = [](VUPD_UpdateInfo *, bool) {};
    calls.CleanUp = [](VUPD_UpdateInfo *) {};
    return calls;
}

} // namespace

bool ScriptedDialogs::AskYesNo(QWidget *, const QString &, const QString &text)
{
    Asked.append(text);
    return Yes;
}

void ScriptedDialogs::Tell(QWidget *, const QString &, const QString &text)
{
    Told.append(text);
}

void StoreStat(const QString &game, const QString &name, int32_t value)
{
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(GamesKey + game, true));
    ASSERT_TRUE(registry.WriteInteger(name, value));
}

bool HasStatsKey(const QString &game)
{
    return Registry().KeyExists(GamesKey + game);
}

void WindowTest::SetUp()
{
    Registry().DeleteKey(QStringLiteral("Software"));
    srand(11);
}

std::unique_ptr<TMainWin> WindowTest::Make(const QString &dataFolder)
{
    TMainWin::Options options;
    options.DataFolder = dataFolder.isEmpty() ? QStringLiteral(VEK_BIN_DIR) : dataFolder;
    options.Answers = &Answers;
    options.Update = SilentUpdate();
    auto window = std::make_unique<TMainWin>(options);
    window->show();
    return window;
}

bool WindowTest::WithStatistics(TMainWin &window, const std::function<void(TStatsWin &)> &check)
{
    bool shown = false;
    QTimer::singleShot(0, &window, [&] {
        auto *stats = window.findChild<TStatsWin *>();
        if (!stats)
            return;
        shown = stats->isVisible() && stats->isModal();
        check(*stats);
        stats->CloseButton->click();
    });
    window.Statistics1Click();
    // The window is gone once closed.
    EXPECT_EQ(window.findChild<TStatsWin *>(), nullptr);
    return shown;
}

} // namespace WindowsTest
