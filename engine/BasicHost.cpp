// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BasicHost.h"

#include <QApplication>

void BasicHost::Beep()
{
    ++Beeps;
    QApplication::beep();
}
