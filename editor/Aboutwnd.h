// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class VersionInfo;

// The deck editor's name, version and copyright beside the emblem. It lives
// as long as the main window and is shown without blocking.
class TAboutWin : public QDialog {
    Q_OBJECT

public:
    TAboutWin(QWidget *owner, const QString &dataFolder, const VersionInfo *version = nullptr);

    // Name and version, a blank line, the copyright line and the licence.
    static QString InfoText(const VersionInfo &version);

    QLabel *Image1;
    QLabel *Info;
    QPushButton *Ok;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const VersionInfo &Version;
};
