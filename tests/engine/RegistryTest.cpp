// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Registry.h"

namespace {

const QString GamesKey = QStringLiteral("Software\\VekSoftware\\VekSolitaire\\Games");

// Points the per-user store at a fresh folder for one test.
class RegistryTest : public ::testing::Test {
protected:
    RegistryTest()
        : saved(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    }
    ~RegistryTest() override { qputenv("XDG_CONFIG_HOME", saved); }

    QString file() const { return dir.path() + QStringLiteral("/VekSoftware/registry.ini"); }

    QTemporaryDir dir;
    QByteArray saved;
};

} // namespace

TEST_F(RegistryTest, StoreFollowsXdgConfigHome)
{
    EXPECT_EQ(Registry::DefaultFileName(), file());
    {
        Registry registry;
        EXPECT_EQ(registry.FileName(), file());
        ASSERT_TRUE(registry.OpenKey(GamesKey + QStringLiteral("\\Klondike"), true));
        EXPECT_TRUE(registry.WriteInteger(QStringLiteral("Played"), 3));
        registry.CloseKey();
    }
    // Keys are groups of one INI file.
    QSettings ini(file(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Software/VekSoftware/VekSolitaire/Games/Klondike/Played")).toInt(), 3);

    // A relative XDG_CONFIG_HOME is not a place to write to.
    qputenv("XDG_CONFIG_HOME", "relative/folder");
    EXPECT_TRUE(Registry::DefaultFileName().endsWith(QStringLiteral("/.config/VekSoftware/registry.ini")));
    EXPECT_TRUE(QDir::isAbsolutePath(Registry::DefaultFileName()));
}

TEST_F(RegistryTest, KeysExistOnceTheyHoldSomething)
{
    Registry registry;
    const QString key = GamesKey + QStringLiteral("\\Baker's Dozen");
    EXPECT_FALSE(registry.OpenKey(key, false));
    EXPECT_FALSE(registry.KeyExists(key));
    EXPECT_FALSE(registry.WriteInteger(QStringLiteral("Played"), 1)); // no key open
    ASSERT_TRUE(registry.OpenKey(key, true));
    EXPECT_TRUE(registry.WriteString(QStringLiteral("Name"), QStringLiteral("a \\ path/with \"quotes\"")));
    EXPECT_TRUE(registry.KeyExists(key));
    EXPECT_TRUE(registry.KeyExists(GamesKey));
    EXPECT_TRUE(registry.KeyExists(QStringLiteral("\\") + key)); // a leading backslash is the root

    Registry other;
    ASSERT_TRUE(other.OpenKey(key, false));
    EXPECT_EQ(other.ReadString(QStringLiteral("Name")), QStringLiteral("a \\ path/with \"quotes\""));
    EXPECT_EQ(other.ReadString(QStringLiteral("Missing")), QString());
    ASSERT_TRUE(other.OpenKey(GamesKey, false));
    EXPECT_EQ(other.GetKeyNames(), QStringList{QStringLiteral("Baker's Dozen")});

    EXPECT_TRUE(registry.DeleteKey(key));
    EXPECT_FALSE(registry.KeyExists(key));
    EXPECT_FALSE(registry.DeleteKey(key));
}

TEST_F(RegistryTest, IntegersThatDoNotParseAreNotIntegers)
{
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("Software\\Test"), true));
    ASSERT_TRUE(registry.WriteInteger(QStringLiteral("Low"), -2147483647 - 1));
    ASSERT_TRUE(registry.WriteString(QStringLiteral("Text"), QStringLiteral("12abc")));
    ASSERT_TRUE(registry.WriteString(QStringLiteral("Huge"), QStringLiteral("4294967296")));
    ASSERT_TRUE(registry.WriteString(QStringLiteral("Number"), QStringLiteral("42")));
    int32_t value = 99;
    EXPECT_TRUE(registry.ReadInteger(QStringLiteral("Low"), value));
    EXPECT_EQ(value, -2147483647 - 1);
    value = 99;
    EXPECT_FALSE(registry.ReadInteger(QStringLiteral("Text"), value));
    EXPECT_FALSE(registry.ReadInteger(QStringLiteral("Huge"), value));
    EXPECT_FALSE(registry.ReadInteger(QStringLiteral("Missing"), value));
    EXPECT_EQ(value, 99);
    EXPECT_TRUE(registry.ReadInteger(QStringLiteral("Number"), value));
    EXPECT_EQ(value, 42);
    EXPECT_EQ(registry.GetValueNames().size(), 4);
    EXPECT_TRUE(registry.DeleteValue(QStringLiteral("Number")));
    EXPECT_FALSE(registry.ValueExists(QStringLiteral("Number")));
}

TEST_F(RegistryTest, NamesThatCannotBeStoredAreRefused)
{
    Registry registry;
    EXPECT_FALSE(registry.OpenKey(QStringLiteral("Software\\a/b"), true));
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("Software\\Test"), true));
    EXPECT_FALSE(registry.WriteInteger(QStringLiteral("x/y"), 1));
    EXPECT_FALSE(registry.WriteInteger(QString(), 1));
    EXPECT_FALSE(registry.KeyExists(QStringLiteral("Software\\Test\\x")));
}
