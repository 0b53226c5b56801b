// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QStringList Run(QWidget *parent, const EditorDialogs::FileRequest &request, QFileDialog::AcceptMode mode,
                QFileDialog::FileMode files)
{
    QFileDialog dialog(parent, request.Title, request.Start, request.Filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(files);
    if (!request.DefaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

} // namespace

EditorDialogs::Answer StandardEditorDialogs::AskYesNoCancel(QWidget *parent, const QString &caption, const QString &text)
{
    switch (QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void StandardEditorDialogs::Error(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox::critical(parent, caption, text);
}

QStringList StandardEditorDialogs::OpenFiles(QWidget *parent, const FileRequest &request)
{
    return Run(parent, request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

QString StandardEditorDialogs::OpenFile(QWidget *parent, const FileRequest &request)
{
    return Run(parent, request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile).value(0);
}

QString StandardEditorDialogs::SaveFile(QWidget *parent, const FileRequest &request)
{
    return Run(parent, request, QFileDialog::AcceptSave, QFileDialog::AnyFile).value(0);
}
