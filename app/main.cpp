// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <exception>

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include "EndRequests.h"
#include "FirstFrameReporter.h"
#include "GameTable.h"
#include "Main.h"
#include "ProgramStyle.h"
#include "StartupPreload.h"
#include "VersionInfo.h"

// With VEK_REPORT_FIRST_FRAME set, the program writes "frame" once the table
// has painted its first frame, and ends: the start-up benchmark measures the
// time to that line.
int main(int argc, char **argv)
{
    // The read-ahead thread reads the font configuration and then the deck
    // while the application and the window are made.
    StartupPreload preload;
    QApplication app(argc, argv);
    QApplication::setStyle(new ProgramStyle);
    QApplication::setApplicationName(QStringLiteral("Vek Solitaire"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2").arg(VersionInfo::Program().Major()).arg(VersionInfo::Program().Minor()));
    QGuiApplication::setDesktopFileName(QStringLiteral("VekSolitaire"));
    try {
        TMainWin::Options options;
        options.Preload = &preload;
        TMainWin window(options);
        // The icon is read once the table is up: the first picture file read
        // through Qt loads its image plugins, which would hold up the first
        // frame by several milliseconds. The read-ahead thread, done since it
        // handed the deck over, is joined.
        FirstFrameWatcher icon([&preload] {
            QApplication::setWindowIcon(QIcon(TMainWin::FindDataFolder() + QStringLiteral("/VekSolitaire.png")));
            preload.Finish();
        });
        window.GetTable()->installEventFilter(&icon);
        // Ended by a signal, the program ends as through Exit: the window
        // writes its settings and statistics before the event loop stops.
        EndRequests ends;
        QObject::connect(&ends, &EndRequests::Requested, &window, &QWidget::close);
        QObject::connect(&ends, &EndRequests::Requested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        // Installed last, so it runs first.
        FirstFrameReporter reporter;
        if (qEnvironmentVariableIsSet("VEK_REPORT_FIRST_FRAME"))
            window.GetTable()->installEventFilter(&reporter);
        window.show();
        return app.exec();
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Vek Solitaire"), QString::fromUtf8(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Vek Solitaire"), QStringLiteral("An unexpected error ended the program."));
    }
    return 1;
}
