// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a main window. It writes "frame" once the window has painted
// and ends.
#include <QApplication>
#include <QMainWindow>

#include "FirstFrameReporter.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *centre = new QWidget(&window);
    window.setCentralWidget(centre);
    window.resize(673, 470);
    FirstFrameReporter reporter;
    centre->installEventFilter(&reporter);
    window.show();
    return app.exec();
}
