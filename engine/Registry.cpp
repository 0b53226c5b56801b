// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

// A name QSettings would split or rewrite cannot be stored faithfully.
bool isStorableName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

QString Registry::DefaultFileName()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/VekSoftware/registry.ini");
}

Registry::Registry()
    : Registry(DefaultFileName())
{
}

Registry::Registry(const QString &fileName)
    : Settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
}

Registry::~Registry()
{
    Flush();
}

QString Registry::FileName() const
{
    return Settings->fileName();
}

QString Registry::groupOf(const QString &key)
{
    QStringList parts;
    for (const QString &part : key.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        if (part.contains(QLatin1Char('/')))
            return QString();
        parts.append(part);
    }
    // The root is the empty, but not null, group.
    return parts.isEmpty() ? QStringLiteral("") : parts.join(QLatin1Char('/'));
}

bool Registry::groupExists(const QString &group) const
{
    if (group.isEmpty())
        return true;
    Settings->beginGroup(group);
    const bool exists = !Settings->childKeys().isEmpty() || !Settings->childGroups().isEmpty();
    Settings->endGroup();
    return exists;
}

bool Registry::OpenKey(const QString &key, bool create)
{
    const QString group = groupOf(key);
    if (group.isNull())
        return false;
    if (create ? !Settings->isWritable() : !groupExists(group))
        return false;
    Current = key;
    CurrentGroup = group;
    return true;
}

void Registry::CloseKey()
{
    Flush();
    Current.clear();
    CurrentGroup = QString();
}

bool Registry::KeyExists(const QString &key) const
{
    const QString group = groupOf(key);
    return !group.isNull() && groupExists(group);
}

QStringList Registry::GetKeyNames() const
{
    if (CurrentGroup.isNull())
        return {};
    Settings->beginGroup(CurrentGroup);
    QStringList names = Settings->childGroups();
    Settings->endGroup();
    return names;
}

QStringList Registry::GetValueNames() const
{
    if (CurrentGroup.isNull())
        return {};
    Settings->beginGroup(CurrentGroup);
    QStringList names = Settings->childKeys();
    Settings->endGroup();
    return names;
}

bool Registry::DeleteKey(const QString &key)
{
    const QString group = groupOf(key);
    if (group.isEmpty() || !Settings->isWritable())
        return false;
    if (!groupExists(group))
        return false;
    Settings->remove(group);
    Dirty = true;
    return true;
}

QString Registry::valuePath(const QString &name) const
{
    if (CurrentGroup.isNull() || !isStorableName(name))
        return QString();
    return CurrentGroup.isEmpty() ? name : CurrentGroup + QLatin1Char('/') + name;
}

bool Registry::ValueExists(const QString &name) const
{
    const QString path = valuePath(name);
    return !path.isNull() && Settings->contains(path);
}

bool Registry::ReadInteger(const QString &name, int32_t &value) const
{
    const QString path = valuePath(name);
    if (path.isNull() || !Settings->contains(path))
        return false;
    bool ok = false;
    const int read = Settings->value(path).toString().toInt(&ok);
    if (!ok)
        return false;
    value = read;
    return true;
}

QString Registry::ReadString(const QString &name) const
{
    const QString path = valuePath(name);
    if (path.isNull())
        return QString();
    return Settings->value(path).toString();
}

bool Registry::WriteInteger(const QString &name, int32_t value)
{
    const QString path = valuePath(name);
    if (path.isNull() || !Settings->isWritable() || Settings->status() != QSettings::NoError)
        return false;
    Settings->setValue(path, QString::number(value));
    Dirty = true;
    return true;
}

bool Registry::WriteString(const QString &name, const QString &value)
{
    const QString path = valuePath(name);
    if (path.isNull() || !Settings->isWritable() || Settings->status() != QSettings::NoError)
        return false;
    Settings->setValue(path, value);
    Dirty = true;
    return true;
}

bool Registry::DeleteValue(const QString &name)
{
    const QString path = valuePath(name);
    if (path.isNull() || !Settings->contains(path) || !Settings->isWritable())
        return false;
    Settings->remove(path);
    Dirty = true;
    return true;
}

bool Registry::Flush()
{
    if (Dirty) {
        // QSettings writes through a temporary file, but does not make the folder.
        const QFileInfo file(Settings->fileName());
        if (!file.dir().exists())
            QDir().mkpath(file.absolutePath());
        Dirty = false;
    }
    Settings->sync();
    return Settings->status() == QSettings::NoError;
}
