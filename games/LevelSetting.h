// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QString>

// The "Level" value that games with a difficulty keep beside their
// statistics, under the same registry key.
namespace LevelSetting {

// The level stored under the key, if there is one.
bool ReadStored(const QString &key, int32_t &stored);
void Write(const QString &key, int32_t level);

// Takes the stored level when valid() accepts it; otherwise level keeps the
// one in play.
template <class Valid>
void Read(const QString &key, int32_t &level, Valid valid)
{
    int32_t stored;
    if (ReadStored(key, stored) && valid(stored))
        level = stored;
}

} // namespace LevelSetting
