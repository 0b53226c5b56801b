// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EndRequests.h"

#include <array>
#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

constexpr std::array<int, 3> Signals = {SIGTERM, SIGINT, SIGHUP};

// The write end (0) is used by the handler, the read end (1) by the
// notifier; -1 while no object listens.
int Pair[2] = {-1, -1};
struct sigaction Previous[Signals.size()];

void OnSignal(int)
{
    // Only what is safe in a signal handler: one write, errno kept.
    const int saved = errno;
    const char byte = 1;
    if (Pair[0] >= 0)
        (void)::write(Pair[0], &byte, 1);
    errno = saved;
}

} // namespace

EndRequests::EndRequests(QObject *parent)
    : QObject(parent)
{
    if (Pair[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, Pair) != 0) {
        if (Pair[0] < 0)
            Pair[0] = Pair[1] = -1;
        return;
    }
    Notifier = new QSocketNotifier(Pair[1], QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &EndRequests::Received);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < Signals.size(); ++i)
        sigaction(Signals[i], &action, &Previous[i]);
}

EndRequests::~EndRequests()
{
    if (!Notifier)
        return;
    for (size_t i = 0; i < Signals.size(); ++i)
        sigaction(Signals[i], &Previous[i], nullptr);
    delete Notifier;
    Notifier = nullptr;
    ::close(Pair[0]);
    ::close(Pair[1]);
    Pair[0] = Pair[1] = -1;
}

void EndRequests::Received()
{
    // One request however many signals came meanwhile.
    char bytes[16];
    Notifier->setEnabled(false);
    (void)::read(Pair[1], bytes, sizeof bytes);
    Notifier->setEnabled(true);
    emit Requested();
}
