// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Questions.h"

#include <QMessageBox>

bool MessageBoxQuestions::AskYesNo(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

int Questions::AskSpiderLevel(QWidget *parent, int current)
{
    return MessageBoxQuestions().AskSpiderLevel(parent, current);
}

int Questions::AskDiplomatLevel(QWidget *parent, int current)
{
    return MessageBoxQuestions().AskDiplomatLevel(parent, current);
}
