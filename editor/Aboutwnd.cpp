// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Aboutwnd.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "VersionInfo.h"

TAboutWin::TAboutWin(QWidget *owner, const QString &dataFolder, const VersionInfo *version)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , Version(version ? *version : VersionInfo::Program())
{
    setWindowTitle(QStringLiteral("About - Deck Editor"));

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);
    Image1 = new QLabel(panel);
    Image1->setFixedSize(64, 64);
    QPixmap emblem(dataFolder + QStringLiteral("/Emblem.png"));
    if (!emblem.isNull())
        Image1->setPixmap(emblem.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Info = new QLabel(panel);
    Info->setTextFormat(Qt::PlainText);
    auto *row = new QHBoxLayout(panel);
    row->addWidget(Image1, 0, Qt::AlignTop);
    row->addSpacing(8);
    row->addWidget(Info, 1);

    auto *purpose = new QLabel(QStringLiteral("DeckWright builds card decks for Vek Solitaire from your own pictures."), this);
    purpose->setWordWrap(true);

    Ok = new QPushButton(QStringLiteral("OK"), this);
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, &QDialog::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Ok);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(purpose);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(363);
}

QString TAboutWin::InfoText(const VersionInfo &version)
{
    return QStringLiteral("DeckWright v%1.%2\n\n%3\nFree software: GNU GPL version 3 or later.")
        .arg(version.Major())
        .arg(version.Minor())
        .arg(version.LegalCopyright());
}

void TAboutWin::showEvent(QShowEvent *event)
{
    // Made from its template on every showing, so that it reads the same
    // every time whatever the copyright line holds.
    Info->setText(InfoText(Version));
    QDialog::showEvent(event);
}
