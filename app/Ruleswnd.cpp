// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ruleswnd.h"

#include <QFile>
#include <QFont>
#include <QGroupBox>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TRulesWin::TRulesWin(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint)
    , Storage(QStringLiteral("VekSoftware\\VekSolitaire\\Forms\\RulesWin"))
{
    setWindowTitle(QStringLiteral("Rules - VekSolitaire"));
    setFixedSize(488, 354);

    GroupBox1 = new QGroupBox(QStringLiteral("Game"), this);
    GroupBox1->setGeometry(4, 4, 477, 45);
    Game = new QLabel(QStringLiteral("Game"), GroupBox1);
    Game->setGeometry(2, 15, 473, 22);
    Game->setAlignment(Qt::AlignCenter);
    Game->setTextFormat(Qt::PlainText);
    QFont bold = Game->font();
    bold.setBold(true);
    bold.setPixelSize(13);
    Game->setFont(bold);

    GroupBox2 = new QGroupBox(QStringLiteral("Rules"), this);
    GroupBox2->setGeometry(4, 52, 477, 265);
    Rules = new QPlainTextEdit(GroupBox2);
    Rules->setGeometry(8, 16, 461, 245);
    Rules->setReadOnly(true);
    Rules->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Dismiss = new QPushButton(QStringLiteral("Dismiss"), this);
    Dismiss->setGeometry(212, 324, 75, 25);
    Dismiss->setDefault(true);
    connect(Dismiss, &QPushButton::clicked, this, &TRulesWin::DismissClick);

    Placed = !Storage.ReadString(QStringLiteral("Placement")).isEmpty();
    Storage.RestorePlacement(*this);
}

TRulesWin::~TRulesWin() = default;

QString TRulesWin::RulesFile(const QString &gameName)
{
    return QStringLiteral("Rules/") + gameName + QStringLiteral(".txt");
}

bool TRulesWin::LoadRules(const QString &gameName, QString *error)
{
    Game->setText(gameName);
    const QString name = RulesFile(gameName);
    QFile file(name);
    QByteArray text;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        text = file.readAll();
        if (file.error() == QFileDevice::NoError) {
            Rules->setPlainText(QString::fromUtf8(text));
            return true;
        }
    }
    if (error)
        *error = QStringLiteral("Cannot open file \"%1\". %2").arg(name, file.errorString());
    // An open window must not go on showing the last game's rules under
    // the new name.
    if (isVisible())
        Rules->setPlainText(QStringLiteral("The rules of this game could not be found in the file \"%1\".").arg(name));
    return false;
}

void TRulesWin::DismissClick()
{
    close();
}

void TRulesWin::ShowOver(const QWidget &owner)
{
    if (!Placed && !isVisible()) {
        const QRect over = owner.frameGeometry();
        move(over.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
        Placed = true;
    }
    show();
}

void TRulesWin::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TRulesWin::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Storage.SavePlacement(*this);
}
