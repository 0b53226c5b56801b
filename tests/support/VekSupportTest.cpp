// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VekSupport.h"

#include <dlfcn.h>

#include <cstring>
#include <string>
#include <vector>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

struct Item {
    VekNode node;
    int value;
};

int byValue(const void *a, const void *b)
{
    const Item *x = reinterpret_cast<const Item *>(*static_cast<VekNode *const *>(a));
    const Item *y = reinterpret_cast<const Item *>(*static_cast<VekNode *const *>(b));
    return x->value - y->value;
}

std::vector<int> values(VekList *list)
{
    std::vector<int> out;
    for (VekNode *n = list->Head; n->Succ; n = n->Succ)
        out.push_back(reinterpret_cast<Item *>(n)->value);
    return out;
}

} // namespace

TEST(SupportList, EmptyListAndSentinels)
{
    VekList list;
    NewList(&list);
    EXPECT_EQ(RemHead(&list), nullptr);
    EXPECT_EQ(RemTail(&list), nullptr);
    EXPECT_EQ(CountNodes(&list), 0);
    EXPECT_EQ(GetNode(&list, 0), nullptr);
    EXPECT_EQ(SortList(&list, byValue), 1);

    Item a{{}, 1}, b{{}, 2}, c{{}, 3};
    AddTail(&list, &b.node);
    AddHead(&list, &a.node);
    AddTail(&list, &c.node);
    EXPECT_EQ(values(&list), (std::vector<int>{1, 2, 3}));
    // At the ends nothing moves and the sentinels come back.
    EXPECT_EQ(NodeUp(&a.node), reinterpret_cast<VekNode *>(&list.Head));
    EXPECT_EQ(NodeDown(&c.node), reinterpret_cast<VekNode *>(&list.Tail));
    EXPECT_EQ(values(&list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(NodeUp(&c.node), &b.node);
    EXPECT_EQ(values(&list), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(NodeDown(&a.node), &c.node);
    EXPECT_EQ(values(&list), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(GetNodeIndex(&list, &b.node), 2);
    Item stray{{}, 9};
    EXPECT_EQ(GetNodeIndex(&list, &stray.node), 3);
    EXPECT_EQ(RemTail(&list), &b.node);
    EXPECT_EQ(RemHead(&list), &c.node);
    EXPECT_EQ(values(&list), (std::vector<int>{1}));
}

TEST(SupportList, SortList)
{
    VekList list;
    NewList(&list);
    std::vector<Item> items;
    for (int v : {5, 3, 9, 3, 1, 7})
        items.push_back(Item{{}, v});
    for (Item &item : items)
        AddTail(&list, &item.node);
    EXPECT_EQ(SortList(&list, byValue), 1);
    EXPECT_EQ(values(&list), (std::vector<int>{1, 3, 3, 5, 7, 9}));
    EXPECT_EQ(RemTail(&list), &items[2].node);
}

TEST(SupportStrings, MatchStr)
{
    EXPECT_EQ(MatchStr("photo.jpg", "*.bmp;*.jpg", 0), 1);
    EXPECT_EQ(MatchStr("Photo.JPG", "*.jpg", 0), 0);
    EXPECT_EQ(MatchStr("abc", "a*c*", 0), 1);
    EXPECT_EQ(MatchStr("abc", "a*d", 0), 0);
    EXPECT_EQ(MatchStr("abc", "A*c", 0), 1);
    EXPECT_EQ(MatchStr("abc", "A*C", 0), 0);
    EXPECT_EQ(MatchStr("abc", "", 0), 0);
    EXPECT_EQ(MatchStr("a.jpg.jpg", "*.jpg", 0), 0);
    EXPECT_EQ(MatchStr("ABC", "abc", 0), 1);
    EXPECT_EQ(MatchStr("", "*", 0), 1);
    // A pattern in read-only memory is never written to.
    static const char pattern[] = "*.png;*.gif";
    EXPECT_EQ(MatchStr("x.gif", pattern, 0), 1);
}

TEST(SupportStrings, BoundedCopiesAndTimes)
{
    char buffer[8] = "xxxxxxx";
    EXPECT_STREQ(stccpy(buffer, "abcdef", 4), "abc");
    char untouched[4] = "zzz";
    stccpy(untouched, "abc", 0);
    EXPECT_STREQ(untouched, "zzz");

    char path[12] = "dir";
    AddPart(path, "file.txt", sizeof path);
    EXPECT_STREQ(path, "dir/file.t");
    char empty[8] = "";
    AddPart(empty, "name", sizeof empty);
    EXPECT_STREQ(empty, "");
    char full[4] = "abc";
    AddPart(full, "x", sizeof full);
    EXPECT_STREQ(full, "abc");

    char date[VEK_DATE_TEXT_SIZE], clock[VEK_TIME_TEXT_SIZE];
    const VekSystemTime time{2026, 12, 1, 7, 14, 5, 9, 0};
    SysTimeToText(&time, date, clock);
    EXPECT_STREQ(date, "07-12-2026");
    EXPECT_STREQ(clock, "14:05:09");
    const VekSystemTime wild{65535, 65535, 0, 65535, 65535, 65535, 65535, 0};
    SysTimeToText(&wild, date, clock);
    EXPECT_STREQ(date, "35-35-5535");
    EXPECT_STREQ(clock, "35:35:35");
}

TEST(SupportFiles, StringsOnStreamsAndSizes)
{
    QTemporaryDir dir;
    const std::string name = QFile::encodeName(dir.filePath(QStringLiteral("s.bin"))).toStdString();
    const std::string longText(70000, 'q');
    FILE *out = std::fopen(name.c_str(), "wb");
    FPutString(longText.c_str(), out);
    FPutString("tail", out);
    std::fclose(out);
    EXPECT_EQ(GetFileSize(name.c_str()), 2 + 65535 + 2 + 4);

    FILE *in = std::fopen(name.c_str(), "rb");
    std::vector<char> big(0x10000);
    FGetString(big.data(), in);
    EXPECT_EQ(std::strlen(big.data()), 65535u);
    char small[3];
    EXPECT_EQ(FGetStringN(small, sizeof small, in), 2);
    EXPECT_STREQ(small, "ta");
    EXPECT_EQ(FGetStringN(small, sizeof small, in), -1);
    std::fclose(in);

    EXPECT_EQ(SetFileSize(name.c_str(), 10), 1);
    EXPECT_EQ(GetFileSize(name.c_str()), 10);
    EXPECT_EQ(SetFileSize(name.c_str(), -5), 0);
    EXPECT_EQ(SetFileSize((name + "-missing").c_str(), 1), -1);
    EXPECT_EQ(GetFileSize(dir.path().toUtf8().constData()), 0);

    const QString deep = dir.filePath(QStringLiteral("a/b/c"));
    EXPECT_NE(RecursiveCreateDir(QFile::encodeName(deep).constData()), 0);
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_NE(RecursiveCreateDir(QFile::encodeName(deep).constData()), 0);
    EXPECT_EQ(RecursiveCreateDir(name.c_str()), 0);
}

TEST(SupportRegistry, DeleteKeyTreeAndCoolBar)
{
    const QString file = QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("VekSoftware/registry.ini"));
    {
        QSettings settings(file, QSettings::IniFormat);
        for (const char *sub : {"A", "B", "C"}) {
            settings.setValue(QStringLiteral("Software/T/Top/%1/Deep/V").arg(QLatin1String(sub)), 1);
            settings.setValue(QStringLiteral("Software/T/Top/%1/W").arg(QLatin1String(sub)), 2);
        }
        settings.setValue(QStringLiteral("Software/T/Keep"), 3);
    }
    RecursiveDeleteKey("");
    RecursiveDeleteKey("Software\\T\\Top");
    QSettings settings(file, QSettings::IniFormat);
    EXPECT_FALSE(settings.childGroups().isEmpty());
    settings.beginGroup(QStringLiteral("Software/T"));
    EXPECT_EQ(settings.childGroups(), QStringList());
    EXPECT_EQ(settings.value(QStringLiteral("Keep")).toInt(), 3);
    settings.endGroup();

    QMainWindow window;
    QToolBar *first = window.addToolBar(QStringLiteral("one"));
    window.addToolBarBreak();
    QToolBar *second = window.addToolBar(QStringLiteral("two"));
    WS_RegSaveCoolBarStatus("Software\\T\\Bars", &window);
    window.removeToolBarBreak(second);
    WS_RegLoadCoolBarStatus("Software\\T\\Bars", &window);
    EXPECT_FALSE(window.toolBarBreak(first));
    EXPECT_TRUE(window.toolBarBreak(second));
    settings.sync();
    EXPECT_EQ(settings.value(QStringLiteral("Software/T/Bars/CoolBar1/Break")).toInt(), 1);
}

TEST(SupportDesktop, RegisterExtWritesOnceAndShortcuts)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    RegisterExt("vdx", "/opt/My Games/vek$run", nullptr);
    const QString entry = home.filePath(QStringLiteral("data/applications/vek-extension-vdx.desktop"));
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("Exec=\"/opt/My Games/vek\\\\$run\" %f\n")) << text.constData();
    EXPECT_TRUE(text.contains("MimeType=application/x-extension-vdx;\n"));
    const QString list = home.filePath(QStringLiteral("config/mimeapps.list"));
    // Dated back, so that any second write shows.
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    for (const QString &written : {entry, list, home.filePath(QStringLiteral("data/mime/packages/vek-extension-vdx.xml"))}) {
        QFile touched(written);
        ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
        touched.setFileTime(old, QFileDevice::FileModificationTime);
    }
    RegisterExt("vdx", "/opt/My Games/vek$run", nullptr);
    EXPECT_EQ(QFileInfo(entry).lastModified(), old);
    EXPECT_EQ(QFileInfo(list).lastModified(), old);

    char path[VEK_SHORTCUT_PATH_SIZE];
    void *link = &path;
    EXPECT_STREQ(CheckShortcut(nullptr, "/usr/bin/true", "-x \"a b\"", path, &link, 0, VEK_FOLDER_STARTUP, "Vek", 0,
                               nullptr),
                 "");
    const std::string made =
        CheckShortcut(nullptr, "/usr/bin/true", "-x \"a b\"", path, &link, 1, VEK_FOLDER_STARTUP, "Vek", 0, nullptr);
    EXPECT_EQ(link, nullptr);
    QFile shortcut(QString::fromStdString(made));
    ASSERT_TRUE(shortcut.open(QIODevice::ReadOnly));
    EXPECT_TRUE(shortcut.readAll().contains("Exec=\"/usr/bin/true\" \"-x\" \"a b\"\nPath=/usr/bin\n"));
    EXPECT_TRUE(QFileInfo(shortcut).isExecutable());
    EXPECT_EQ(CheckShortcut(nullptr, "", "", path, nullptr, 0, VEK_FOLDER_STARTUP, "Vek", 0, nullptr), made);
    EXPECT_STREQ(CheckShortcut(nullptr, "/bin/x", "", path, nullptr, 1, 0x7777, "Vek", 0, nullptr), "");
    qputenv("XDG_CONFIG_HOME", config);
    qunsetenv("XDG_DATA_HOME");
}

TEST(SupportLibrary, EveryNameIsExported)
{
    void *library = dlopen(VEK_SUPPORT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const char *name :
         {"NewList", "AddHead", "AddTail", "RemoveNode", "RemHead", "RemTail", "NodeUp", "NodeDown", "GetNode",
          "GetNodeIndex", "CountNodes", "SortList", "MyAllocMem", "FreeMem", "SysTimeToText", "FPutString",
          "FGetString", "FGetStringN", "stccpy", "AddPart", "RecursiveCreateDir", "GetFileSize", "SetFileSize",
          "MatchStr", "IsWinNT", "AskDirectory", "RegisterExt", "RecursiveDeleteKey", "WS_RegSaveCoolBarStatus",
          "WS_RegLoadCoolBarStatus", "CheckShortcut"})
        EXPECT_NE(dlsym(library, name), nullptr) << name;
    dlclose(library);
}
