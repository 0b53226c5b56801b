// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Aboutwnd.h"

#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "VersionInfo.h"

const QString TAboutWin::CreditsText = QStringLiteral(
    "The standard deck's artwork is Vek Software's own, drawn for Vek Solitaire by its deckgen tool.");

namespace {

// The emblem beside the program, in the data folder.
const QString EmblemFile = QStringLiteral("Emblem.png");

} // namespace

TAboutWin::TAboutWin(QWidget *owner, const VersionInfo *version)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , Version(version ? *version : VersionInfo::Program())
{
    setWindowTitle(QStringLiteral("About - Vek Solitaire"));
    setFixedSize(363, 225);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(4, 8, 353, 73);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(white);

    Image1 = new QLabel(Panel1);
    Image1->setGeometry(8, 4, 64, 64);

    Info = new QLabel(Panel1);
    Info->setGeometry(80, 4, 265, 65);
    Info->setTextFormat(Qt::PlainText);
    Info->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    GroupBox1 = new QGroupBox(QStringLiteral("Credits"), this);
    GroupBox1->setGeometry(4, 140, 353, 53);
    // The caption is bold, the sentence inside it is not.
    QFont bold = GroupBox1->font();
    bold.setBold(true);
    GroupBox1->setFont(bold);
    Credits = new QLabel(CreditsText, GroupBox1);
    Credits->setGeometry(8, 20, 333, 29);
    QFont regular = Credits->font();
    regular.setBold(false);
    Credits->setFont(regular);
    Credits->setWordWrap(true);
    Credits->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Ok = new QPushButton(QStringLiteral("OK"), this);
    Ok->setGeometry(140, 200, 85, 21);
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, &TAboutWin::OkClick);
}

TAboutWin::~TAboutWin() = default;

QString TAboutWin::InfoText(const VersionInfo &version)
{
    return QStringLiteral("Vek Solitaire v%1.%2\n\n%3\nFree software: GNU GPL version 3 or later.")
        .arg(version.Major())
        .arg(version.Minor())
        .arg(version.LegalCopyright());
}

void TAboutWin::OkClick()
{
    close();
}

void TAboutWin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TAboutWin::LoadEmblem()
{
    if (EmblemLoaded)
        return;
    EmblemLoaded = true;
    QPixmap emblem(EmblemFile);
    if (!emblem.isNull() && emblem.size() != QSize(64, 64))
        emblem = emblem.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The emblem's own transparency lets the white panel show through.
    Image1->setPixmap(emblem);
}

void TAboutWin::FormShow()
{
    // Built from the version on every showing, so that it reads the same
    // every time whatever the copyright line holds.
    Info->setText(InfoText(Version));
    LoadEmblem();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
