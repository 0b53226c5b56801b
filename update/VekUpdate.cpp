// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VekUpdate.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "Registry.h"

// Our own update checker. It keeps its switch under "<program key>\Update"
// and never touches the network on its own: the automatic check does nothing,
// and a check the user asks for says which version is installed and offers
// the page where new versions are published.

namespace {

const QString SwitchValue = QStringLiteral("AutoCheck");

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

// The checker's own key, or an empty string when the record names none.
QString updateKey(const VUPD_UpdateInfo *info)
{
    if (!info || !info->RegistryKey || !*info->RegistryKey)
        return QString();
    return text(info->RegistryKey) + QStringLiteral("\\Update");
}

bool isEnabled(const VUPD_UpdateInfo *info)
{
    const QString key = updateKey(info);
    if (key.isEmpty())
        return false;
    Registry registry;
    int32_t value = 1;
    if (registry.OpenKey(key, false))
        registry.ReadInteger(SwitchValue, value);
    return value != 0;
}

void askedCheck(const VUPD_UpdateInfo *info)
{
    // Dialogs need a widget application; a program without one gets nothing.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    const QString product = info->ProductName ? text(info->ProductName) : QStringLiteral("This program");
    const QString version = QStringLiteral("%1.%2").arg(info->Version >> 16).arg(info->Version & 0xFFFF);
    const QString home = text(info->HomePage);
    QString message = QStringLiteral("%1 %2 is installed.").arg(product, version);
    if (home.isEmpty()) {
        QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Check for updates"), message);
        return;
    }
    message += QStringLiteral("\n\nNew versions are published on the home page:\n%1\n\nOpen it now?").arg(home);
    const auto answer = QMessageBox::question(QApplication::activeWindow(), QStringLiteral("Check for updates"),
                                              message, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        QDesktopServices::openUrl(QUrl(home));
}

} // namespace

extern "C" {

void VUPD_CheckUpdate(VUPD_UpdateInfo *info, int32_t manual)
{
    if (!info)
        return;
    if (manual) {
        askedCheck(info);
        return;
    }
    // The automatic check would read the update-information file; without
    // the user's word this checker never reaches the network, so there is
    // nothing to do (not even a write, which would slow every start).
}

bool VUPD_IsEnabled(VUPD_UpdateInfo *info)
{
    return isEnabled(info);
}

void VUPD_EnableUpdate(VUPD_UpdateInfo *info, bool enable)
{
    const QString key = updateKey(info);
    if (key.isEmpty())
        return;
    Registry registry;
    if (registry.OpenKey(key, true))
        registry.WriteInteger(SwitchValue, enable ? 1 : 0);
}

void VUPD_CleanUp(VUPD_UpdateInfo *)
{
    // Nothing is held between calls: every call opens the store afresh.
}

} // extern "C"
