// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

// The modal dialog that asks for the difficulty of a new Spider deal: how
// many suits the 104 cards have. Set the level before showing it and read it
// after; only OK changes it.
class TSpiderLevelWin : public QDialog {
    Q_OBJECT

public:
    explicit TSpiderLevelWin(QWidget *parent = nullptr);

    void SetLevel(int32_t level) { Level = level; }
    int32_t GetLevel() const { return Level; }

    QGroupBox *GroupBox1;
    QRadioButton *Easy;
    QRadioButton *Medium;
    QRadioButton *Hard;
    QPushButton *Ok;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void OkClick();

    int32_t Level = 0;
};
