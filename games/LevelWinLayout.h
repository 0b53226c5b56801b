// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <initializer_list>

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

// The level dialogs are laid out in fixed pixels for a small font. With a
// wider desktop font the radio texts would be cut off: the buttons, their
// group box and the dialog grow by what the widest text lacks, and OK stays
// in the middle.
inline void FitLevelTexts(QDialog &dialog, QGroupBox &group, QPushButton &ok,
                          std::initializer_list<QRadioButton *> buttons)
{
    int lack = 0;
    for (const QRadioButton *button : buttons)
        lack = std::max(lack, button->sizeHint().width() - button->width());
    if (lack <= 0)
        return;
    for (QRadioButton *button : buttons)
        button->resize(button->width() + lack, button->height());
    group.resize(group.width() + lack, group.height());
    ok.move(ok.x() + lack / 2, ok.y());
    dialog.setFixedSize(dialog.width() + lack, dialog.height());
}
