// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include "FormStorage.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The rules of the current game, read from "Rules/" + name + ".txt" in the
// data folder. The window lives as long as the main window and is only
// shown and hidden; it stays open beside the table while the player plays.
class TRulesWin : public QWidget {
    Q_OBJECT

public:
    explicit TRulesWin(QWidget *owner);
    ~TRulesWin() override;

    // The file holding the rules of a game, relative to the data folder.
    static QString RulesFile(const QString &gameName);

    // Shows the game's name and replaces the text by its rules file. False,
    // with the reason in error, when the file cannot be read; the text then
    // says that the rules were not found if the window is on show (so that
    // it never shows another game's rules under this name), and is left as
    // it was otherwise.
    bool LoadRules(const QString &gameName, QString *error);
    void DismissClick();
    // Shows the window; the first time, when no placement was stored, it
    // opens centred over owner.
    void ShowOver(const QWidget &owner);

    QGroupBox *GroupBox1;
    QLabel *Game;
    QGroupBox *GroupBox2;
    QPlainTextEdit *Rules;
    QPushButton *Dismiss;

protected:
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    FormStorage Storage;
    bool Placed = false;
};
