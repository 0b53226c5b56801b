// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <utility>

#include <QFile>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

// The program itself, whose read-ahead thread reads the fonts: the font
// configuration the user names is the one read (the font library, asked
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
