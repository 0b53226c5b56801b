// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// A window's stored state in the registry, under
// "Software\" + section (for example "VekSoftware\VekSolitaire\Forms\MainWin"):
// its placement ("Placement", the window's saved geometry), any named text
// values, and recent-file lists as sub-keys of numbered entries.
class FormStorage {
public:
    explicit FormStorage(const QString &section);

    QString Key() const { return StorageKey; }

    void SavePlacement(const QWidget &window);
    // Puts the window where it was; a fixed-size window keeps its size.
    // False when no placement is stored.
    bool RestorePlacement(QWidget &window) const;

    QString ReadString(const QString &name) const;
    void WriteString(const QString &name, const QString &value);

    QStringList ReadList(const QString &name) const;
    void WriteList(const QString &name, const QStringList &entries);

private:
    QString StorageKey;
};

// The most recently used files, newest first, without duplicates.
class RecentFiles {
public:
    static constexpr int MaxEntries = 8;

    // Makes file the newest entry (moving it up when it is listed already).
    void Add(const QString &file);
    void Remove(const QString &file);
    void SetEntries(const QStringList &entries);
    const QStringList &Entries() const { return Files; }

private:
    QStringList Files;
};
