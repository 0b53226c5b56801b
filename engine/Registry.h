// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

#include <QString>
#include <QStringList>

class QSettings;

// The per-user registry: the only code that touches stored settings and
// statistics. Keys are backslash paths such as
// "Software\VekSoftware\VekSolitaire\Games\Klondike"; each key holds named
// integer and string values and sub-keys. Everything lives in one INI file,
// $XDG_CONFIG_HOME/VekSoftware/registry.ini (~/.config/... when the variable
// is unset or not absolute), every key becoming a group.
//
// A key exists as soon as it holds a value or a sub-key; opening a key "with
// create" succeeds on any writable store and the key appears with its first
// value. Key and value names are case-sensitive and may not contain '/'.
// Changes are visible at once to every Registry in the process and reach the
// file when the key is closed or the object is destroyed.
class Registry {
public:
    // The store of the current user; XDG_CONFIG_HOME is read afresh each time.
    Registry();
    // A store in the given INI file.
    explicit Registry(const QString &fileName);
    ~Registry();
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    static QString DefaultFileName();
    QString FileName() const;

    // Makes key the current key. Without create, a key that does not exist
    // is refused and the current key stays as it was.
    bool OpenKey(const QString &key, bool create);
    // Writes pending changes and forgets the current key.
    void CloseKey();
    QString CurrentKey() const { return Current; }

    bool KeyExists(const QString &key) const;
    // Names of the sub-keys of the current key.
    QStringList GetKeyNames() const;
    QStringList GetValueNames() const;
    // Removes a key with all its values and sub-keys.
    bool DeleteKey(const QString &key);

    bool ValueExists(const QString &name) const;
    // False, with value untouched, when the value is missing or does not
    // parse as a 32-bit integer.
    bool ReadInteger(const QString &name, int32_t &value) const;
    // The text of the value; a missing value reads as the empty text.
    QString ReadString(const QString &name) const;
    bool WriteInteger(const QString &name, int32_t value);
    bool WriteString(const QString &name, const QString &value);
    bool DeleteValue(const QString &name);

    // Writes pending changes to the file; false when that failed.
    bool Flush();

private:
    // The group path of a backslash key, or a null string when the key
    // cannot be stored (a '/' inside a name).
    static QString groupOf(const QString &key);
    QString valuePath(const QString &name) const;
    bool groupExists(const QString &group) const;

    std::unique_ptr<QSettings> Settings;
    QString Current;      // backslash form, for CurrentKey()
    QString CurrentGroup; // group path; null when no key is open
    bool Dirty = false;
};
