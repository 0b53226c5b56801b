// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameHost.h"

QString PlayClockText(uint32_t seconds)
{
    return QString::asprintf("%02u:%02u", seconds / 60, seconds % 60);
}
