// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LevelSetting.h"

#include "Registry.h"

namespace LevelSetting {

namespace {
const QString Name = QStringLiteral("Level");
}

bool ReadStored(const QString &key, int32_t &stored)
{
    Registry registry;
    if (!registry.OpenKey(key, false))
        return false;
    const bool ok = registry.ReadInteger(Name, stored);
    registry.CloseKey();
    return ok;
}

void Write(const QString &key, int32_t level)
{
    Registry registry;
    if (!registry.OpenKey(key, true))
        return;
    (void)registry.WriteInteger(Name, level);
    registry.CloseKey();
}

} // namespace LevelSetting
