// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

// The wait window: a small borderless notice in the middle of the screen,
// shown while a deck loads or the cards are scaled, which block the program.
class TMsgWin : public QWidget {
    Q_OBJECT

public:
    TMsgWin();

    // Shows the notice and paints it at once, before the long work begins.
    void ShowAndPaint();

    QLabel *Msg;
};

// Shows the wait window for as long as it lives.
class WaitWindow {
public:
    explicit WaitWindow(TMsgWin *window);
    ~WaitWindow();
    WaitWindow(const WaitWindow &) = delete;
    WaitWindow &operator=(const WaitWindow &) = delete;

private:
    TMsgWin *Window;
};
