// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <utility>

#include <pthread.h>
#include <unistd.h>

#include <QFile>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "EarlyStart.h"

namespace {

struct Seen {
    EarlyThread *Early = nullptr;
    int Runs = 0;
    bool FontsReadFirst = false;
    pthread_t Thread{};
};

void Record(void *argument)
{
    auto *seen = static_cast<Seen *>(argument);
    ++seen->Runs;
    seen->FontsReadFirst = seen->Early->FontsRead();
    seen->Thread = pthread_self();
}

} // namespace

// The thread reads the fonts, then runs the work it is handed, on itself and
// once; a thread that was never started takes no work.
TEST(EarlyThreadTest, ReadsTheFontsThenRunsTheWorkItIsHandedOnce)
{
    EarlyThread early;
    Seen seen;
    seen.Early = &early;
    EXPECT_FALSE(early.Continue(Record, &seen));
    early.Join();
    EXPECT_EQ(seen.Runs, 0);

    ASSERT_TRUE(early.Begin(environ));
    EXPECT_FALSE(early.Begin(environ));
    EXPECT_TRUE(early.Continue(Record, &seen));
    EXPECT_FALSE(early.Continue(Record, &seen));
    early.Join();
    early.Join();
    EXPECT_EQ(seen.Runs, 1);
    EXPECT_TRUE(seen.FontsReadFirst);
    EXPECT_FALSE(pthread_equal(seen.Thread, pthread_self()));
    EXPECT_TRUE(early.FontsRead());
}

// When the program ends before handing any work over, the thread is released
// rather than waited for forever.
TEST(EarlyThreadTest, AThreadGivenNoWorkEndsWhenJoined)
{
    EarlyThread early;
    ASSERT_TRUE(early.Begin(environ));
    early.Join();
    EXPECT_TRUE(early.FontsRead());
    EXPECT_FALSE(early.Continue(Record, nullptr));
}

// Before main the C library has not set environ yet; the thread is started
// with the environment the process was given.
TEST(EarlyThreadTest, TheEnvironmentIsThereBeforeTheCLibrarySetsIt)
{
    char **given = environ;
    environ = nullptr;
    EarlyThread early;
    const bool started = early.Begin(given);
    char **seen = environ;
    environ = given;
    early.Join();
    EXPECT_TRUE(started);
    EXPECT_EQ(seen, given);
}

namespace {

// Starts the program to its first frame in dir (its settings and runtime
// folder), with extra variables; returns what it wrote, empty on failure.
QByteArray RunToFirstFrame(const QTemporaryDir &dir, const QString &workingFolder,
                           const QList<std::pair<QString, QString>> &variables = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    environment.insert(QStringLiteral("VEK_REPORT_FIRST_FRAME"), QStringLiteral("1"));
    for (const auto &[name, value] : variables)
        environment.insert(name, value);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(workingFolder);
    program.start(QStringLiteral(VEK_BIN_DIR "/VekSolitaire"), {});
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0) {
        ADD_FAILURE() << program.readAllStandardError().left(300).constData();
        return {};
    }
    return program.readAllStandardOutput();
}

} // namespace

// The program itself, whose early thread reads the fonts before main: the
// font configuration the user names is the one read (the font library, asked
// to, reports the files it loads), and the table still reaches its first
// frame.
TEST(ProgramStartTest, TheFontConfigurationTheUserNamesIsRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString configuration = dir.filePath(QStringLiteral("fonts.conf"));
    {
        QFile file(configuration);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                   "<fontconfig><include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include></fontconfig>\n");
    }
    const QByteArray out = RunToFirstFrame(dir, dir.path(),
                                           {{QStringLiteral("FONTCONFIG_FILE"), configuration},
                                            {QStringLiteral("FC_DEBUG"), QStringLiteral("1024")}});
    EXPECT_TRUE(out.contains(("Loading config file from " + configuration).toUtf8())) << out.left(300).constData();
    EXPECT_TRUE(out.contains("frame\n"));
}

// Libraries are looked for beside the program and where the system keeps
// them, never in the folder the program is started from: files there named
// like the libraries it uses are not loaded.
TEST(ProgramStartTest, FilesNamedLikeItsLibrariesInTheCurrentFolderAreIgnored)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char *name : {"libgif.so.7", "libjpeg.so.62", "libQt6Core.so.6", "libVekUpdate.so.1"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a library");
    }
    EXPECT_TRUE(RunToFirstFrame(dir, dir.path()).contains("frame\n"));
}
