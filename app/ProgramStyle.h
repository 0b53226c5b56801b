// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// The program's widget style: the desktop's own, except for the icon of the
// menu bar's overflow button, a chevron drawn here. The stock icon is read
// from a picture file, and the first picture file Qt reads loads every image
// plugin: some 2 ms that the first frame would wait for, for a button that a
// window this wide hardly ever shows.
class ProgramStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
