// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

// Ended with SIGTERM, the program writes its settings and the statistics of
// the game on the table, as it does through Exit.
TEST(SessionEndTest, TerminatedTheProgramWritesSettingsAndStatistics)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(dir.path());
    program.start(QStringLiteral(VEK_BIN_DIR "/VekSolitaire"), {});
    ASSERT_TRUE(program.waitForStarted(30000));
    // The program marks itself running once its first frame is up.
    const QString marker = dir.filePath(QStringLiteral("VekSolitaire.lock"));
    QDeadlineTimer deadline(60000);
    while (!QFile::exists(marker) && !deadline.hasExpired() && program.state() == QProcess::Running)
        QThread::msleep(20);
    ASSERT_TRUE(QFile::exists(marker)) << program.readAllStandardError().left(300).constData();
    const QString store = dir.filePath(QStringLiteral("config/VekSoftware/registry.ini"));
    QFile before(store);
    const QByteArray written = before.open(QIODevice::ReadOnly) ? before.readAll() : QByteArray();
    EXPECT_FALSE(written.contains("Played="));

    program.terminate();
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    QFile after(store);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    const QByteArray settings = after.readAll();
    EXPECT_TRUE(settings.contains("Played=")) << settings.left(500).constData();
    EXPECT_TRUE(settings.contains("CardSize=")) << settings.left(500).constData();
}
