// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Every modal question the engine or a game asks goes through this
// interface; the default shows the real dialog and tests answer directly.
class Questions {
public:
    virtual ~Questions() = default;
    // A question with Yes and No buttons and the question icon; true for Yes.
    virtual bool AskYesNo(QWidget *parent, const QString &caption, const QString &text) = 0;

    // What a level dialog gives back when it was closed without OK.
    static constexpr int Cancelled = -1;
    // The difficulty dialog of a new Spider deal (0 one suit, 1 two suits,
    // 2 four suits) and of a new Diplomat deal (0 normal, 1 hard), opened at
    // the current level: the level chosen, or Cancelled. Unless overridden
    // they show the real dialog, as MessageBoxQuestions does.
    virtual int AskSpiderLevel(QWidget *parent, int current);
    virtual int AskDiplomatLevel(QWidget *parent, int current);
};

// The real dialogs.
class MessageBoxQuestions : public Questions {
public:
    bool AskYesNo(QWidget *parent, const QString &caption, const QString &text) override;
    // Defined beside their dialogs, in games/SpiderLevelWin.cpp and
    // games/DiplomatLevelWin.cpp.
    int AskSpiderLevel(QWidget *parent, int current) override;
    int AskDiplomatLevel(QWidget *parent, int current) override;
};
