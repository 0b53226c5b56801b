// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

// The modal dialog that asks for the difficulty of a new Diplomat deal: what
// may fill an empty column. Set the level before showing it and read it
// after; only OK changes it.
class TDiplomatLevelWin : public QDialog {
    Q_OBJECT

public:
    explicit TDiplomatLevelWin(QWidget *parent = nullptr);

    void SetLevel(int32_t level) { Level = level; }
    int32_t GetLevel() const { return Level; }

    QGroupBox *GroupBox1;
    QRadioButton *Normal;
    QRadioButton *Hard;
    QPushButton *Ok;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void OkClick();

    int32_t Level = 0;
};
