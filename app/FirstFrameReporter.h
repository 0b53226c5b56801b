// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <functional>
#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

// Installed on a widget, runs a task from the event loop once that widget has
// painted for the first time. Work nobody sees on the first frame waits for
// it this way.
class FirstFrameWatcher : public QObject {
public:
    explicit FirstFrameWatcher(std::function<void()> task, QObject *parent = nullptr)
        : QObject(parent)
        , Task(std::move(task))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !Seen) {
            Seen = true;
            // Nothing more to watch: later events (a drag's many mouse moves)
            // pass straight on.
            watched->removeEventFilter(this);
            // After the paint event has run.
            QTimer::singleShot(0, this, [this] { Task(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> Task;
    bool Seen = false;
};

// Writes "frame" to standard output once the widget it is installed on has
// painted for the first time, and ends the program. The start-up benchmark
// times the game and its yardstick, a minimal window, to that line, so both
// use this same reporter.
class FirstFrameReporter : public FirstFrameWatcher {
public:
    explicit FirstFrameReporter(QObject *parent = nullptr)
        : FirstFrameWatcher(
              [] {
                  std::fputs("frame\n", stdout);
                  std::fflush(stdout);
                  QCoreApplication::quit();
              },
              parent)
    {
    }
};
