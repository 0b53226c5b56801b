// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every modal dialog of the deck editor: the unsaved-changes question, error
// messages and the file dialogs. StandardEditorDialogs shows the real ones;
// tests answer directly.
class EditorDialogs {
public:
    enum class Answer { Yes, No, Cancel };

    struct FileRequest {
        QString Title;
        QString Filter;        // Qt filter list: "Deck project (*.vdp)"
        QString DefaultSuffix; // added to a name typed without one
        QString Start;         // the file or folder the dialog starts at
    };

    virtual ~EditorDialogs() = default;

    // A question with Yes, No and Cancel.
    virtual Answer AskYesNoCancel(QWidget *parent, const QString &caption, const QString &text) = 0;
    // A message with the error icon and an OK button.
    virtual void Error(QWidget *parent, const QString &caption, const QString &text) = 0;
    // Existing files; none when the dialog was cancelled.
    virtual QStringList OpenFiles(QWidget *parent, const FileRequest &request) = 0;
    virtual QString OpenFile(QWidget *parent, const FileRequest &request) = 0;
    // A file to write in an existing folder; empty when cancelled.
    virtual QString SaveFile(QWidget *parent, const FileRequest &request) = 0;
};

class StandardEditorDialogs : public EditorDialogs {
public:
    Answer AskYesNoCancel(QWidget *parent, const QString &caption, const QString &text) override;
    void Error(QWidget *parent, const QString &caption, const QString &text) override;
    QStringList OpenFiles(QWidget *parent, const FileRequest &request) override;
    QString OpenFile(QWidget *parent, const FileRequest &request) override;
    QString SaveFile(QWidget *parent, const FileRequest &request) override;
};
