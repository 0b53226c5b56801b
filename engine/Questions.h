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
};

// The real dialogs.
class MessageBoxQuestions : public Questions {
public:
    bool AskYesNo(QWidget *parent, const QString &caption, const QString &text) override;
};
