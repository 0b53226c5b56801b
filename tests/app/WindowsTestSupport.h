// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "Main.h"

class TStatsWin;

namespace WindowsTest {

// Answers every dialog as the test says and remembers what was shown.
class ScriptedDialogs : public Dialogs {
public:
    bool AskYesNo(QWidget *, const QString &, const QString &text) override;
    void Tell(QWidget *, const QString &, const QString &text) override;
    QString OpenFile(QWidget *, const FileRequest &) override { return QString(); }
    QString SaveFile(QWidget *, const FileRequest &) override { return QString(); }

    bool Yes = false;
    QStringList Asked, Told;
};

// Writes one statistics value of a game straight into the registry.
void StoreStat(const QString &game, const QString &name, int32_t value);
bool HasStatsKey(const QString &game);

// The main window over a fresh registry, with the program's data (or a
// given folder), the dialogs answered by Answers and no update checks.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    std::unique_ptr<TMainWin> Make(const QString &dataFolder = QString());

    // Opens the statistics window from the menu and runs check while it is
    // on show; the window is closed afterwards. False when no statistics
    // window came up.
    bool WithStatistics(TMainWin &window, const std::function<void(TStatsWin &)> &check);

    ScriptedDialogs Answers;
};

} // namespace WindowsTest
