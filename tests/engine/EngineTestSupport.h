// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QString>

#include "BasicHost.h"
#include "CardGame.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "Questions.h"
#include "TableCell.h"

namespace EngineTest {

// The colour of playing card i (0..51), of the back and of the placeholders;
// every card of the test deck is one plain colour, so a pixel tells which
// card shows.
QRgb CardColour(int i);
QRgb BackColour();
QRgb PlaceholderColour(int i);
// Fills a deck with plain-coloured pictures (values 1..13, suits in order)
// and scales it to w x h.
void FillDeck(Deck &deck, int w, int h);
// The colour of a back-buffer pixel without its unused top byte.
QRgb PixelAt(const QImage &image, int x, int y);

// Answers questions as told and remembers what was asked.
class ScriptedQuestions : public Questions {
public:
    bool AskYesNo(QWidget *parent, const QString &caption, const QString &text) override;
    // The level dialogs answer LevelAnswer (Cancelled: closed without OK)
    // and remember the level each was opened at.
    int AskSpiderLevel(QWidget *parent, int current) override;
    int AskDiplomatLevel(QWidget *parent, int current) override;

    bool Answer = false;
    QStringList Captions;
    QStringList Texts;
    int LevelAnswer = Cancelled;
    std::vector<int> SpiderLevelsShown;
    std::vector<int> DiplomatLevelsShown;
    // Runs as each question is asked, to look at the table behind it.
    std::function<void()> WhenAsked;
};

// A small game to drive the framework. Cells (card size 40 x 60):
//
//   [0] column   [1] column   [2] column        fanned down by 20 pixels
//   [3] stock    [4] bare     [5] foundation    squared
//
// Column 0 gets four cards (the bottom one face down), column 1 one card
// face up, the stock three cards face down. Face-up column cards can be
// dragged with everything above them onto any other column or the
// foundation; a click on the stock turns its top card onto column 2, and on
// an empty stock brings column 2 back first; a double-click sends a
// column's top card to the foundation.
class TinyGame : public CardGame {
public:
    static constexpr int W = 40;
    static constexpr int H = 60;
    static constexpr int Fan = 20;
    enum Cell { Column0 = 0, Column1 = 1, Column2 = 2, Stock = 3, Bare = 4, Foundation = 5 };

    TinyGame(::Deck *deck, GameTable *table);

    int GetDeckCount() override { return Decks; }
    void CreateCells() override;
    void Deal() override;
    void LayoutCells() override;
    void FindMoves() override;
    void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex) override;
    void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y) override;
    void OnMouseUp(int x, int y) override;
    void ShowStatus() override;

    TableCell *CellOf(int index) const { return Table->GetCell(index); }
    // Where a card of a cell lies now (the table's layout brought up to date).
    QPoint CardCentre(int cell, int index) const;
    QPoint CellCentre(int cell) const;

    struct Call {
        QString hook;
        CardWrapper *wrapper;
        int cell;
        int card;
    };
    std::vector<Call> Calls;
    int Decks = 1;
    // Suggestions FindMoves offers: (from, index, to), or a pair when index
    // is -1.
    struct Suggestion {
        int from;
        int index;
        int to;
    };
    std::vector<Suggestion> Suggestions;
    // The foundation count that wins the deal.
    int WinAt = 1000;
    bool ThrowOnPress = false;
    int LastDropTarget = -1;
};

// A deck, a host, a table and the tiny game on it, dealt.
struct TinyTable {
    TinyTable();
    ~TinyTable();
    Deck TheDeck;
    BasicHost Host;
    ScriptedQuestions Answers;
    std::unique_ptr<GameTable> Table;
    std::unique_ptr<TinyGame> Game;
};

// Real mouse events sent through the application to the widget.
void Press(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void MoveTo(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void Release(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void Click(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void DoubleClick(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);

} // namespace EngineTest
