// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpiderLevelWin.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "LevelWinLayout.h"
#include "Questions.h"

TSpiderLevelWin::TSpiderLevelWin(QWidget *parent)
    // A dialog frame with a caption and no buttons in it: only OK closes it.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Spider - Vek Solitaire"));
    setFixedSize(243, 127);

    GroupBox1 = new QGroupBox(QStringLiteral("Difficulty level"), this);
    GroupBox1->setGeometry(4, 8, 233, 85);
    // The buttons lie in the group box; their places are given in the
    // dialog's client coordinates.
    const auto radio = [this](const QString &text, int top) {
        auto *button = new QRadioButton(text, GroupBox1);
        button->setGeometry(24 - GroupBox1->x(), top - GroupBox1->y(), 185, 17);
        return button;
    };
    Easy = radio(QStringLiteral("Thinking is tiring (1 suit)"), 28);
    Medium = radio(QStringLiteral("Got plenty of time to waste (2 suits)"), 48);
    Hard = radio(QStringLiteral("Mission Impossible (4 suits)"), 68);
    Easy->setChecked(true);

    Ok = new QPushButton(QStringLiteral("OK"), this);
    Ok->setGeometry(88, 100, 69, 21);
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, &TSpiderLevelWin::OkClick);
    FitLevelTexts(*this, *GroupBox1, *Ok, {Easy, Medium, Hard});
}

void TSpiderLevelWin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TSpiderLevelWin::FormShow()
{
    if (Level == 2)
        Hard->setChecked(true);
    else if (Level == 1)
        Medium->setChecked(true);
    else
        Easy->setChecked(true);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSpiderLevelWin::OkClick()
{
    Level = Easy->isChecked() ? 0 : Medium->isChecked() ? 1 : 2;
    accept();
}

int MessageBoxQuestions::AskSpiderLevel(QWidget *parent, int current)
{
    TSpiderLevelWin dialog(parent);
    dialog.SetLevel(current);
    if (dialog.exec() != QDialog::Accepted)
        return Cancelled;
    return dialog.GetLevel();
}
