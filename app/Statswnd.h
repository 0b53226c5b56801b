// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QDialog>
#include <QString>

#include "FormStorage.h"

class QPushButton;
class QTreeWidget;
class Questions;
class TMainWin;

// The statistics of every game in one table, read from the registry each
// time the window is shown, with a button that zeroes them all. The window
// is made for one showing and deleted after it.
class TStatsWin : public QDialog {
    Q_OBJECT

public:
    // The reset asks through answers and zeroes the current game of owner
    // too (owner may be null: then only the registry is reset).
    TStatsWin(TMainWin *owner, Questions *answers);
    ~TStatsWin() override;

    // "h:mm:ss", the hours not limited to a day.
    static QString FormatPlayTime(uint32_t seconds);
    // Won as a share of played, "66.67%" in the user's number format; 0.00%
    // for a game never played.
    static QString FormatSuccess(uint32_t played, uint32_t won);

    // Builds the rows again from the registry, one per game of the
    // catalogue, ordered by name.
    void FillList();
    void ResetButtonClick();
    void CloseButtonClick();
    // Every way of closing (button, Escape, title bar) ends here.
    void done(int result) override;

    QTreeWidget *Stats;
    QWidget *PanelButtons;
    QPushButton *ResetButton;
    QPushButton *CloseButton;

    static const QString ResetQuestion;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    TMainWin *Owner;
    Questions *Answers;
    FormStorage Storage;
};
