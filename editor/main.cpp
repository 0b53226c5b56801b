// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <exception>

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include "Main.h"
#include "VersionInfo.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DeckWright"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(VersionInfo::Program().Major()).arg(VersionInfo::Program().Minor()));
    QGuiApplication::setDesktopFileName(QStringLiteral("DeckWright"));
    try {
        QApplication::setWindowIcon(QIcon(TMainWin::FindDataFolder() + QStringLiteral("/VekSolitaire.png")));
        TMainWin window;
        window.show();
        return app.exec();
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Deck Editor"), QString::fromUtf8(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Deck Editor"), QStringLiteral("An unexpected error ended the program."));
    }
    return 1;
}
