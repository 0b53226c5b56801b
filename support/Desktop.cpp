// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop side of the support library: the folder dialog, file types,
// the registry store, tool-bar layouts and shortcuts, each the freedesktop
// way.
#include "VekSupport.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QToolBar>

namespace {

// An XDG base folder: the variable when it holds an absolute path, else the
// fallback under the home folder.
QString xdgFolder(const char *variable, const char *fallback)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallback);
}

QString dataHome()
{
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

QString configHome()
{
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

// Writes the file only when its content differs; true when it was written.
bool writeIfChanged(const QString &path, const QByteArray &content)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return false;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
}

// A value in a desktop entry: backslashes, newlines and tabs escaped.
QString entryValue(const QString &text)
{
    QString value;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            value += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            value += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            value += QLatin1String("\\r");
        else
            value += c;
    }
    return value;
}

// One argument of an Exec line, quoted by the desktop-entry rules: inside
// double quotes, '"', '`', '$' and '\' take a backslash; '%' is doubled.
QString execArgument(const QString &argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// The Exec value: the quoted program and arguments, then the value escaping
// every string in a desktop entry gets.
QString execLine(const QString &program, const QStringList &arguments, const QString &tail = QString())
{
    QStringList parts{execArgument(program)};
    for (const QString &argument : arguments)
        parts << execArgument(argument);
    if (!tail.isEmpty())
        parts << tail;
    return entryValue(parts.join(QLatin1Char(' ')));
}

bool isPlainName(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+') ||
               c == QLatin1Char('_');
    });
}

// ---- The registry store ----------------------------------------------------

// The same file and layout as the programs' own store: one INI file, each
// backslash key a group.
QString registryFile()
{
    return configHome() + QStringLiteral("/VekSoftware/registry.ini");
}

QString groupOf(const char *key)
{
    if (!key)
        return QString();
    QStringList parts;
    for (const QString &part : QString::fromUtf8(key).split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        if (part.contains(QLatin1Char('/')))
            return QString();
        parts << part;
    }
    return parts.join(QLatin1Char('/'));
}

bool groupExists(QSettings &settings, const QString &group)
{
    settings.beginGroup(group);
    const bool exists = !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
    settings.endGroup();
    return exists;
}

// The main window's tool bars in layout order: by area, then row, then place.
QList<QToolBar *> bands(QMainWindow *window)
{
    QList<QToolBar *> bars;
    for (QToolBar *bar : window->findChildren<QToolBar *>())
        if (bar->parentWidget() == window)
            bars << bar;
    std::stable_sort(bars.begin(), bars.end(), [window](QToolBar *a, QToolBar *b) {
        const int areaA = window->toolBarArea(a), areaB = window->toolBarArea(b);
        if (areaA != areaB)
            return areaA < areaB;
        const bool vertical = areaA == Qt::LeftToolBarArea || areaA == Qt::RightToolBarArea;
        const QPoint pa = a->pos(), pb = b->pos();
        return vertical ? std::pair(pa.x(), pa.y()) < std::pair(pb.x(), pb.y())
                        : std::pair(pa.y(), pa.x()) < std::pair(pb.y(), pb.x());
    });
    return bars;
}

} // namespace

int AskDirectory(VekWindow *owner, char *path)
{
    if (!path || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return 0;
    const QString folder = QFileDialog::getExistingDirectory(owner, QString());
    if (folder.isEmpty())
        return 0;
    const QByteArray bytes = QFile::encodeName(folder);
    if (bytes.size() + 1 > VEK_ASK_DIRECTORY_SIZE)
        return 0;
    std::memcpy(path, bytes.constData(), size_t(bytes.size()) + 1);
    return 1;
}

void RegisterExt(const char *extension, const char *program, const char *icon)
{
    if (!extension || !*extension || !program || !*program)
        return;
    const QString ext = QString::fromUtf8(extension);
    if (!isPlainName(ext))
        return;
    const QString programPath = QFile::decodeName(program);
    const QString type = QStringLiteral("application/x-extension-") + ext.toLower();
    const QString id = QStringLiteral("vek-extension-") + ext.toLower();
    const QString iconName =
        icon && *icon ? QFile::decodeName(icon) : QFileInfo(programPath).completeBaseName();

    const QString mime =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"%1\">\n"
                       "    <comment>%2 file</comment>\n"
                       "    <glob pattern=\"*.%3\"/>\n"
                       "  </mime-type>\n"
                       "</mime-info>\n")
            .arg(type, ext.toUpper(), ext);
    const QString mimeFolder = dataHome() + QStringLiteral("/mime");
    const bool mimeWritten =
        writeIfChanged(mimeFolder + QStringLiteral("/packages/") + id + QStringLiteral(".xml"), mime.toUtf8());

    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nMimeType=%3;\n"
                                         "Icon=%4\nNoDisplay=true\n")
                              .arg(entryValue(QFileInfo(programPath).completeBaseName()),
                                   execLine(programPath, {}, QStringLiteral("%f")), type, entryValue(iconName));
    const QString appFolder = dataHome() + QStringLiteral("/applications");
    const bool entryWritten = writeIfChanged(appFolder + QLatin1Char('/') + id + QStringLiteral(".desktop"), entry.toUtf8());

    // The default application, in mimeapps.list's [Default Applications].
    const QString listPath = configHome() + QStringLiteral("/mimeapps.list");
    QFile listFile(listPath);
    QStringList lines;
    if (listFile.open(QIODevice::ReadOnly))
        lines = QString::fromUtf8(listFile.readAll()).split(QLatin1Char('\n'));
    listFile.close();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QString line = type + QLatin1Char('=') + id + QStringLiteral(".desktop;");
    int section = lines.indexOf(QStringLiteral("[Default Applications]"));
    if (section < 0) {
        if (!lines.isEmpty())
            lines << QString();
        lines << QStringLiteral("[Default Applications]") << line;
    } else {
        int at = section + 1;
        bool replaced = false;
        for (; at < lines.size() && !lines[at].startsWith(QLatin1Char('[')); ++at) {
            if (lines[at].startsWith(type + QLatin1Char('='))) {
                lines[at] = line;
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            while (at > section + 1 && lines[at - 1].trimmed().isEmpty())
                --at;
            lines.insert(at, line);
        }
    }
    writeIfChanged(listPath, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());

    const QString updateMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (mimeWritten && !updateMime.isEmpty())
        QProcess::execute(updateMime, {mimeFolder});
    const QString updateDesktop = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (entryWritten && !updateDesktop.isEmpty())
        QProcess::execute(updateDesktop, {appFolder});
}

void RecursiveDeleteKey(const char *key)
{
    const QString group = groupOf(key);
    // An empty key would be the whole store.
    if (group.isEmpty())
        return;
    QSettings settings(registryFile(), QSettings::IniFormat);
    if (!groupExists(settings, group))
        return;
    // Inside the group, so that a value of the parent key with the same name
    // stays where it is.
    settings.beginGroup(group);
    settings.remove(QString());
    settings.endGroup();
    settings.sync();
}

void WS_RegSaveCoolBarStatus(const char *key, VekCoolBar *bar)
{
    const QString group = groupOf(key);
    if (group.isNull() || !bar)
        return;
    QDir().mkpath(QFileInfo(registryFile()).absolutePath());
    QSettings settings(registryFile(), QSettings::IniFormat);
    const QList<QToolBar *> list = bands(bar);
    for (int i = 0; i < list.size(); ++i) {
        const QString band = (group.isEmpty() ? QString() : group + QLatin1Char('/')) + QStringLiteral("CoolBar%1/").arg(i);
        settings.setValue(band + QStringLiteral("Break"), QString::number(bar->toolBarBreak(list[i]) ? 1 : 0));
        settings.setValue(band + QStringLiteral("Width"), QString::number(list[i]->width()));
    }
    settings.sync();
}

void WS_RegLoadCoolBarStatus(const char *key, VekCoolBar *bar)
{
    const QString group = groupOf(key);
    if (group.isNull() || !bar)
        return;
    QSettings settings(registryFile(), QSettings::IniFormat);
    const QList<QToolBar *> list = bands(bar);
    for (int i = 0; i < list.size(); ++i) {
        const QString band = (group.isEmpty() ? QString() : group + QLatin1Char('/')) + QStringLiteral("CoolBar%1").arg(i);
        if (!groupExists(settings, band))
            continue;
        bool ok = false;
        const int rowBreak = settings.value(band + QStringLiteral("/Break")).toString().toInt(&ok);
        if (ok) {
            if (rowBreak && !bar->toolBarBreak(list[i]))
                bar->insertToolBarBreak(list[i]);
            else if (!rowBreak && bar->toolBarBreak(list[i]))
                bar->removeToolBarBreak(list[i]);
        }
        // A tool bar sizes itself; the kept width is what it takes at least.
        const int width = settings.value(band + QStringLiteral("/Width")).toString().toInt(&ok);
        if (ok && width > 0 && width <= QWIDGETSIZE_MAX)
            list[i]->setMinimumWidth(width);
    }
}

// ---- Shortcuts -----------------------------------------------------------------

namespace {

QString shortcutFolder(int folder)
{
    switch (folder) {
    case VEK_FOLDER_DESKTOP:
    case VEK_FOLDER_DESKTOPDIRECTORY:
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    case VEK_FOLDER_PROGRAMS:
        return dataHome() + QStringLiteral("/applications");
    case VEK_FOLDER_STARTUP:
        return configHome() + QStringLiteral("/autostart");
    default:
        return QString();
    }
}

// The Name= of a desktop entry's main group, or a null string.
QString entryName(const QByteArray &content)
{
    bool inMain = false;
    for (const QByteArray &raw : content.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('['))
            inMain = line == "[Desktop Entry]";
        else if (inMain && line.startsWith("Name=")) {
            QString value = QString::fromUtf8(line.mid(5));
            value.replace(QLatin1String("\\\\"), QLatin1String("\\"));
            return value;
        }
    }
    return QString();
}

// Copies the path into the caller's buffer; an empty one when it does not fit.
char *handOut(const QString &path, char *shortcut)
{
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.size() + 1 > VEK_SHORTCUT_PATH_SIZE)
        shortcut[0] = '\0';
    else
        std::memcpy(shortcut, bytes.constData(), size_t(bytes.size()) + 1);
    return shortcut;
}

} // namespace

char *CheckShortcut(VekWindow *, const char *target, const char *arguments, char *shortcut, void **link, int create,
                    int folder, const char *name, int, const char *iconPath)
{
    if (link)
        *link = nullptr;
    shortcut[0] = '\0';
    const QString folderPath = shortcutFolder(folder);
    if (folderPath.isEmpty() || !name || !*name)
        return shortcut;
    const QString shortcutName = QString::fromUtf8(name);

    const QDir dir(folderPath);
    for (const QFileInfo &item : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        const bool desktopFile = item.suffix() == QLatin1String("desktop");
        QString shown = desktopFile ? item.completeBaseName() : item.fileName();
        if (desktopFile) {
            QFile file(item.filePath());
            if (!file.open(QIODevice::ReadOnly)) {
                if (shown != shortcutName)
                    continue;
                throw std::runtime_error("Error loading the existing shortcut");
            }
            const QString named = entryName(file.readAll());
            if (named == shortcutName)
                shown = named;
        }
        if (shown == shortcutName)
            return handOut(item.absoluteFilePath(), shortcut);
    }
    if (!create)
        return shortcut;

    QString fileName = shortcutName;
    fileName.replace(QLatin1Char('/'), QLatin1Char('-'));
    const QString path = dir.filePath(fileName + QStringLiteral(".desktop"));
    const QString targetPath = target ? QFile::decodeName(target) : QString();
    QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=") + entryValue(shortcutName) +
                    QLatin1Char('\n');
    if (!targetPath.isEmpty()) {
        const QStringList args =
            arguments && *arguments ? QProcess::splitCommand(QString::fromUtf8(arguments)) : QStringList();
        entry += QStringLiteral("Exec=") + execLine(targetPath, args) + QLatin1Char('\n');
        const int slash = targetPath.lastIndexOf(QLatin1Char('/'));
        if (slash > 0)
            entry += QStringLiteral("Path=") + entryValue(targetPath.left(slash)) + QLatin1Char('\n');
    }
    if (iconPath && *iconPath)
        entry += QStringLiteral("Icon=") + entryValue(QFile::decodeName(iconPath)) + QLatin1Char('\n');

    if (!QDir().mkpath(folderPath))
        throw std::runtime_error("Unable to create shortcut file");
    QSaveFile file(path);
    const QByteArray bytes = entry.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("Unable to create shortcut file");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    return handOut(path, shortcut);
}
