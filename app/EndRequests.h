// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the signals that ask the program to end (SIGTERM, SIGINT, SIGHUP)
// into the Qt signal Requested, delivered in the event loop, so that the
// program can write its settings and statistics and end the ordinary way.
// The signal handler only writes a byte to a socket pair whose other end the
// event loop watches. One object at a time; the previous handlers come back
// when it is destroyed.
class EndRequests : public QObject {
    Q_OBJECT

public:
    explicit EndRequests(QObject *parent = nullptr);
    ~EndRequests() override;
    EndRequests(const EndRequests &) = delete;
    EndRequests &operator=(const EndRequests &) = delete;

signals:
    void Requested();

private:
    void Received();

    QSocketNotifier *Notifier = nullptr;
};
