// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include "Card.h"
#include "Mask.h"

class CardGame;
class CardWrapper;
class Deck;
class GameHost;
class Questions;
class TableCell;

// The playing surface. It owns the cells of the current deal and one wrapper
// per card on the table, paints background, cells and cards into its back
// buffer, turns mouse events into calls of the game's hooks, moves dragged
// cards with the mouse and asks the end-of-game question.
//
// Mouse protocol (any button alike): a press on a card captures the mouse and
// calls the game's OnMouseDown, then StartPlay; while captured every Moving
// card follows the pointer; the release is a click (OnClick) when it is over
// the pressed card and that card is not moving, otherwise a drop
// (OnMouseUp, table coordinates). A double-click on a card calls OnDblClick;
// the release that ends it reaches OnMouseUp like any release without a
// pressed card. A click on the table surface reaches OnClick with a null
// card for the framed cell under it, if any.
class GameTable : public QWidget {
    Q_OBJECT

public:
    // The host is the window the table plays in; without one the table keeps
    // its own BasicHost.
    GameTable(QWidget *parent, ::Deck *deck, GameHost *host = nullptr);
    ~GameTable() override;

    void SetGame(CardGame *game) { Game = game; }
    CardGame *GetGame() const { return Game; }
    GameHost &Host() const { return *HostRef; }
    ::Deck *GetDeck() const { return DeckRef; }
    // Who answers the modal questions; null brings back the real dialogs.
    void SetQuestions(Questions *questions);
    Questions &GetQuestions() const { return *Asker; }

    // Destroys every wrapper and every cell; the end-of-game question may be
    // asked again.
    void Clear();
    // Takes the cell, gives it the table's card size and appends it.
    TableCell *AddCell(std::unique_ptr<TableCell> cell);
    TableCell *GetCell(int index) const;
    int IndexOfCell(const TableCell *cell) const;
    int GetCellCount() const { return int(Cells.size()); }
    // A new face-down wrapper for card, in no cell yet.
    CardWrapper *WrapCard(Card *card);
    int GetWrapperCount() const { return int(Wrappers.size()); }

    // New card size: mask, empty-cell picture, wrappers, cells, then the
    // game lays itself out again.
    void ResizeCards(int w, int h);
    int GetCardWidth() const { return CardWidth; }
    int GetCardHeight() const { return CardHeight; }
    // The device pixel ratio the cards were last scaled for: on a
    // high-density screen they have the screen's pixels, while positions,
    // sizes and mouse input stay in the table's own (logical) coordinates.
    qreal GetPixelRatio() const { return PixelRatio; }
    // Makes the table w x h. While the table sizes its window, the window
    // grows or shrinks by the difference; otherwise the window keeps its
    // size and whatever holds the table places it. While the table measures,
    // the size is only noted.
    void Resize(int w, int h);
    void SetSizesWindow(bool sizes) { SizesWindow = sizes; }
    bool SizesItsWindow() const { return SizesWindow; }
    // Whether the table draws the black line around its edge.
    void SetOutlined(bool outlined);
    // While measuring, Resize notes the size asked for (CardGame::TableSizeFor).
    void SetMeasuring(bool measuring) { Measuring = measuring; }
    QSize GetMeasuredSize() const { return MeasuredSize; }

    // The last cell (scanning from the last) whose list holds wrapper: its
    // index and the wrapper's index in it. Outputs untouched when none does.
    bool FindWrapper(const CardWrapper *wrapper, int &cellIndex, int &cardIndex) const;
    int FindCellIndex(const CardWrapper *wrapper) const;
    // The first card, scanning cells from the last (hidden cells skipped) and
    // each from its top card down, whose rectangle holds the point;
    // visibility is not considered.
    CardWrapper *WrapperAtPos(QPoint point) const;
    // The card a press at the point lands on: the topmost visible card in
    // painting order (dragged cards, then later cells, then upper cards).
    CardWrapper *WrapperForPress(QPoint point) const;

    void StatusMsg(const QString &text);
    // The end-of-game question.
    void GameOver(bool won);

    void SetBackground(const QColor &colour);
    QColor GetBackgroundColor() const { return BackgroundColour; }
    // The empty-cell picture, every cell's background. Empty when Cell.jpg
    // could not be loaded.
    Card *GetDefaultCellBackground() { return &DefaultCellPicture; }
    bool LoadDefaultCellBackground(const QString &fileName);
    // Cell.jpg beside the program, or in the installed data folder.
    static QString DefaultCellPictureFile();

    // Renders the frame into the back buffer (the widget's paint event then
    // copies it to the screen).
    void Paint();
    void DrawBackground(QPainter &canvas);
    const QImage &GetBackBuffer() const { return BackBuffer; }
    // Brings every card's position and visibility up to date without drawing.
    void ArrangeCells();
    void Invalidate() { update(); }
    // Paints at once, when the table is on screen.
    void RepaintNow();

    // How long each step of a suggestion stays on the table (milliseconds).
    void SetSuggestionWait(int ms) { SuggestionWait = ms; }
    int GetSuggestionWait() const { return SuggestionWait; }
    // Waits one suggestion step; timers run meanwhile, user input waits.
    void SuggestionPause();

    // The table takes input exactly when nothing blocks it and the game is
    // not paused.
    void UpdateEnabled();
    // Keeps the table from taking mouse input while it lives.
    class InputBlocker {
    public:
        explicit InputBlocker(GameTable &table);
        ~InputBlocker();
        InputBlocker(const InputBlocker &) = delete;
        InputBlocker &operator=(const InputBlocker &) = delete;

    private:
        QPointer<GameTable> Table;
    };

    // The mouse protocol's steps, in table coordinates except where said.
    // inCard is the press point relative to the card.
    void CardMouseDown(CardWrapper *wrapper, QPoint inCard);
    void TableMouseMove(QPoint point);
    void CardMouseUp(QPoint point);
    void CardClick(CardWrapper *wrapper);
    void CardDblClick(CardWrapper *wrapper);
    void TableClick(QPoint point);
    // Forgets a press in progress (after a game hook failed).
    void CancelPress();

    const VekSolitaire::Mask &GetMask() const { return CardMask; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    enum class Press { None, OnCard, OnSurface };

    void paintPaused(QPainter &canvas);

    QColor BackgroundColour{128, 128, 128};
    QImage BackBuffer;
    ::Deck *DeckRef;
    std::vector<std::unique_ptr<CardWrapper>> Wrappers;
    VekSolitaire::Mask CardMask;
    std::vector<std::unique_ptr<TableCell>> Cells;
    CardGame *Game = nullptr;
    int CardWidth = 176;
    int CardHeight = 260;
    qreal PixelRatio = 1.0;
    bool RescalePending = false;
    int LastX = 0;
    int LastY = 0;
    CardWrapper *Pressed = nullptr;
    bool GameOverPrompt = true;
    bool SizesWindow = true;
    bool Outlined = true;
    bool Measuring = false;
    QSize MeasuredSize;
    Card DefaultCellPicture;

    std::unique_ptr<GameHost> OwnHost;
    GameHost *HostRef;
    std::unique_ptr<Questions> DefaultQuestions;
    Questions *Asker;
    bool Captured = false;
    Press PressState = Press::None;
    int SuggestionWait = 300;
    int Blocks = 0;
    QFont PausedFont;
};
