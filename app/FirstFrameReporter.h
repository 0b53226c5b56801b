// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

// Installed on a widget, writes "frame" to standard output once that widget
// has painted for the first time, and ends the program. The start-up
// benchmark times the game and its yardstick, a minimal window, to that line,
// so both use this same reporter.
class FirstFrameReporter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !Reported) {
            Reported = true;
            // After the paint event has run.
            QTimer::singleShot(0, [] {
                std::fputs("frame\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool Reported = false;
};
