// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QString runFileDialog(QWidget *parent, const Dialogs::FileRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.Title, request.Folder, request.Filter);
    dialog.setAcceptMode(mode);
    // Open dialogs take existing files only; save dialogs an existing folder.
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.DefaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

bool StandardDialogs::AskYesNo(QWidget *parent, const QString &caption, const QString &text)
{
    return MessageBoxQuestions().AskYesNo(parent, caption, text);
}

void StandardDialogs::Tell(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

QString StandardDialogs::OpenFile(QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString StandardDialogs::SaveFile(QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}
