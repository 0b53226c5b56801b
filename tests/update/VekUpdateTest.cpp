// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>

#include <gtest/gtest.h>

#include "Registry.h"
#include "VekUpdate.h"

namespace {

VUPD_UpdateInfo Record(const char *key)
{
    VUPD_UpdateInfo info;
    std::memset(&info, 0, sizeof info);
    info.ProductName = "Vek Solitaire";
    info.Version = 1u << 16;
    info.RegistryKey = key;
    return info;
}

TEST(VekUpdate, SwitchIsKeptBelowTheProgramsKey)
{
    const char *key = "Software\\VekSoftware\\UpdateTest";
    Registry().DeleteKey(QString::fromLatin1(key));
    VUPD_UpdateInfo info = Record(key);
    // On unless the user turned it off.
    EXPECT_TRUE(VUPD_IsEnabled(&info));
    VUPD_EnableUpdate(&info, false);
    EXPECT_FALSE(VUPD_IsEnabled(&info));
    VUPD_UpdateInfo again = Record(key);
    EXPECT_FALSE(VUPD_IsEnabled(&again));
    VUPD_EnableUpdate(&info, true);
    EXPECT_TRUE(VUPD_IsEnabled(&info));
    // The automatic check writes nothing; the program's own key gets no value
    // of the checker's.
    VUPD_CheckUpdate(&info, 0);
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(QString::fromLatin1(key) + QStringLiteral("\\Update"), false));
    EXPECT_EQ(registry.GetValueNames(), QStringList{QStringLiteral("AutoCheck")});
    ASSERT_TRUE(registry.OpenKey(QString::fromLatin1(key), false));
    EXPECT_TRUE(registry.GetValueNames().isEmpty());
    VUPD_CleanUp(&info);
}

TEST(VekUpdate, RecordsWithoutAKeyAreHarmless)
{
    VUPD_UpdateInfo info = Record(nullptr);
    EXPECT_FALSE(VUPD_IsEnabled(&info));
    VUPD_EnableUpdate(&info, true);
    VUPD_CheckUpdate(&info, 0);
    EXPECT_FALSE(VUPD_IsEnabled(nullptr));
    VUPD_EnableUpdate(nullptr, true);
    VUPD_CheckUpdate(nullptr, 1);
    VUPD_CleanUp(nullptr);
}

} // namespace
