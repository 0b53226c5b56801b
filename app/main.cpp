// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <exception>

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include "EarlyStart.h"
#include "EndRequests.h"
#include "FirstFrameReporter.h"
#include "GameTable.h"
#include "Main.h"
#include "ProgramStyle.h"
#include "StartupHeap.h"
#include "StartupPreload.h"
#include "VersionInfo.h"

namespace {

// The first code of the program to run, before any library's own start-up
// code (which takes several milliseconds here): the font configuration is
// read from then on, beside that start-up code and the making of the window.
void StartEarly(int, char **, char **envp)
{
    EarlyThread::Program().Begin(envp);
}

[[gnu::section(".preinit_array"), gnu::used]] void (*const EarlyEntry)(int, char **, char **) = StartEarly;

// About what the window, its backing store and the first frame take from the
// heap at the standard card size; more made ready cost more than it saved.
constexpr size_t StartupHeapBytes = 2 * 1024 * 1024;

} // namespace

// With VEK_REPORT_FIRST_FRAME set, the program writes "frame" once the table
// has painted its first frame, and ends: the start-up benchmark measures the
// time to that line.
int main(int argc, char **argv)
{
    // The read-ahead goes on with the deck on the early thread, once that has
    // read the font configuration, while the application and the window are
    // made. Meanwhile what the window and its first frame take from the heap
    // is made present in one call.
    StartupPreload preload;
    StartupHeap::Ready(StartupHeapBytes);
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
        // frame by several milliseconds. The heap goes back to its usual ways.
        FirstFrameWatcher icon([&preload] {
            QApplication::setWindowIcon(QIcon(TMainWin::FindDataFolder() + QStringLiteral("/VekSolitaire.png")));
            preload.Finish();
            StartupHeap::Settle();
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
