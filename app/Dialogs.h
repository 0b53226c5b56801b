// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "Questions.h"

// Every modal dialog the main window opens: the yes/no questions (shared
// with the table, for the end-of-deal question), messages and the file
// dialogs. StandardDialogs shows the real ones; tests answer directly.
class Dialogs : public Questions {
public:
    struct FileRequest {
        QString Title;
        QString Folder; // where the dialog starts
        QString Filter; // Qt filter list: "Decks (*.deck);;..."
        QString DefaultSuffix; // added to a name typed without one
    };

    // A message with an OK button.
    virtual void Tell(QWidget *parent, const QString &caption, const QString &text) = 0;
    // An existing file; empty when the dialog was cancelled.
    virtual QString OpenFile(QWidget *parent, const FileRequest &request) = 0;
    // A file to write in an existing folder; empty when cancelled.
    virtual QString SaveFile(QWidget *parent, const FileRequest &request) = 0;
};

class StandardDialogs : public Dialogs {
public:
    bool AskYesNo(QWidget *parent, const QString &caption, const QString &text) override;
    void Tell(QWidget *parent, const QString &caption, const QString &text) override;
    QString OpenFile(QWidget *parent, const FileRequest &request) override;
    QString SaveFile(QWidget *parent, const FileRequest &request) override;
};
