// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormStorage.h"

#include <QByteArray>
#include <QWidget>

#include "Registry.h"

FormStorage::FormStorage(const QString &section)
    : StorageKey(QStringLiteral("Software\\") + section)
{
}

void FormStorage::SavePlacement(const QWidget &window)
{
    WriteString(QStringLiteral("Placement"), QString::fromLatin1(window.saveGeometry().toBase64()));
}

bool FormStorage::RestorePlacement(QWidget &window) const
{
    const QString stored = ReadString(QStringLiteral("Placement"));
    if (stored.isEmpty())
        return false;
    const QSize size = window.size();
    const bool fixed = window.minimumSize() == window.maximumSize();
    window.restoreGeometry(QByteArray::fromBase64(stored.toLatin1()));
    if (fixed)
        window.resize(size);
    return true;
}

QString FormStorage::ReadString(const QString &name) const
{
    Registry registry;
    if (!registry.OpenKey(StorageKey, false))
        return QString();
    return registry.ReadString(name);
}

void FormStorage::WriteString(const QString &name, const QString &value)
{
    Registry registry;
    if (registry.OpenKey(StorageKey, true))
        registry.WriteString(name, value);
}

QStringList FormStorage::ReadList(const QString &name) const
{
    QStringList entries;
    Registry registry;
    if (!registry.OpenKey(StorageKey + QLatin1Char('\\') + name, false))
        return entries;
    for (int i = 0; i < RecentFiles::MaxEntries; ++i) {
        const QString entry = registry.ReadString(QString::number(i));
        if (entry.isEmpty())
            break;
        entries.append(entry);
    }
    return entries;
}

void FormStorage::WriteList(const QString &name, const QStringList &entries)
{
    Registry registry;
    const QString key = StorageKey + QLatin1Char('\\') + name;
    registry.DeleteKey(key);
    if (!registry.OpenKey(key, true))
        return;
    for (int i = 0; i < entries.size(); ++i) {
        if (!registry.WriteString(QString::number(i), entries[i]))
            return;
    }
}

void RecentFiles::Add(const QString &file)
{
    Files.removeAll(file);
    Files.prepend(file);
    while (Files.size() > MaxEntries)
        Files.removeLast();
}

void RecentFiles::Remove(const QString &file)
{
    Files.removeAll(file);
}

void RecentFiles::SetEntries(const QStringList &entries)
{
    Files.clear();
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        if (!it->isEmpty())
            Add(*it);
}
