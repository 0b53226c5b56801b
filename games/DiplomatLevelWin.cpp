// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiplomatLevelWin.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "LevelWinLayout.h"
#include "Questions.h"

TDiplomatLevelWin::TDiplomatLevelWin(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Diplomat - Vek Solitaire"));
    setFixedSize(266, 113);

    GroupBox1 = new QGroupBox(QStringLiteral("Difficulty level"), this);
    GroupBox1->setGeometry(4, 8, 257, 73);
    // The buttons lie in the group box; their places are given in the
    // dialog's client coordinates.
    Normal = new QRadioButton(QStringLiteral("Normal (any card can move to an empty cell)"), GroupBox1);
    Normal->setGeometry(16 - GroupBox1->x(), 28 - GroupBox1->y(), 233, 17);
    Hard = new QRadioButton(QStringLiteral("Hard (only kings can move to an empty cell)"), GroupBox1);
    Hard->setGeometry(16 - GroupBox1->x(), 52 - GroupBox1->y(), 237, 17);
    Normal->setChecked(true);

    Ok = new QPushButton(QStringLiteral("OK"), this);
    Ok->setGeometry(100, 88, 69, 21);
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, &TDiplomatLevelWin::OkClick);
    FitLevelTexts(*this, *GroupBox1, *Ok, {Normal, Hard});
}

void TDiplomatLevelWin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TDiplomatLevelWin::FormShow()
{
    if (Level == 1)
        Hard->setChecked(true);
    else
        Normal->setChecked(true);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TDiplomatLevelWin::OkClick()
{
    Level = Normal->isChecked() ? 0 : 1;
    accept();
}

int MessageBoxQuestions::AskDiplomatLevel(QWidget *parent, int current)
{
    TDiplomatLevelWin dialog(parent);
    dialog.SetLevel(current);
    if (dialog.exec() != QDialog::Accepted)
        return Cancelled;
    return dialog.GetLevel();
}
