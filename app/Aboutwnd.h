// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class VersionInfo;

// The program's name, version and copyright beside its emblem, and where
// the standard deck's artwork comes from. It lives as long as the main
// window and is shown without blocking.
class TAboutWin : public QDialog {
    Q_OBJECT

public:
    // The version shown is version (the program's own when null).
    explicit TAboutWin(QWidget *owner, const VersionInfo *version = nullptr);
    ~TAboutWin() override;

    // The Info text for a version: name and version, a blank line, the
    // copyright line and the licence line.
    static QString InfoText(const VersionInfo &version);

    void OkClick();

    QFrame *Panel1;
    QLabel *Image1;
    QLabel *Info;
    QGroupBox *GroupBox1;
    QLabel *Credits;
    QPushButton *Ok;

    static const QString CreditsText;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    // Puts the emblem into Image1 at the first showing: reading a picture
    // file is the slowest part of making this window, and no one sees it
    // before then.
    void LoadEmblem();
    bool EmblemLoaded = false;

    const VersionInfo &Version;
};
