// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Msgwnd.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TMsgWin::TMsgWin()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("MsgWin"));
    setFixedSize(241, 61);
    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);
    Msg = new QLabel(QStringLiteral("Resizing the cards, please wait..."), panel);
    Msg->setAlignment(Qt::AlignCenter);
    auto *inner = new QVBoxLayout(panel);
    inner->setContentsMargins(2, 2, 2, 2);
    inner->addWidget(Msg);
}

void TMsgWin::ShowAndPaint()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    raise();
    // The work that follows blocks the event loop: let the window appear and
    // draw its text first.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

WaitWindow::WaitWindow(TMsgWin *window)
    : Window(window)
{
    if (Window)
        Window->ShowAndPaint();
}

WaitWindow::~WaitWindow()
{
    if (Window)
        Window->hide();
}
