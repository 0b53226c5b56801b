// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

#include <QRect>
#include <QString>

#include "PossibleMove.h"
#include "Undo.h"

class Card;
class CardWrapper;
class Deck;
class GameHost;
class GameTable;
class QIODevice;
class TableCell;

// The base of every solitaire variant: the name and statistics, the
// shuffled deal pile, the order of steps that sets up a deal, the hooks
// through which the table reports presses, clicks and drops, the undo
// history, the suggestions, the status line with its error expiry, the play
// clock, the end of a deal, pause and card-size changes.
//
// A variant creates its cells (CreateCells), deals (Deal), lays the cells
// out (LayoutCells) and implements the mouse hooks with its rules. The
// virtual operations are declared in their fixed slot order.
class CardGame {
public:
    CardGame(const QString &name, ::Deck *deck, GameTable *table, int cardWidth, int cardHeight);
    CardGame(const CardGame &) = delete;
    CardGame &operator=(const CardGame &) = delete;

    // Slot 0: a variant that plays cards by itself overrides it and calls it.
    virtual void AutoPlay();
    // Slot 1: how many 52-card decks are shuffled together.
    virtual int GetDeckCount();
    // Slots 2 and 3: the statistics in the registry key.
    virtual void LoadStats(const QString &key);
    virtual void SaveStats(const QString &key);
    // Slots 4 to 6: every variant provides them. CreateCells adds the cells
    // in the index order of the variant's rules; Deal takes cards with
    // DealCard and puts them into cells; LayoutCells places and fans the
    // cells for CardWidth x CardHeight and sizes the table with
    // GameTable::Resize.
    virtual void CreateCells() = 0;
    virtual void Deal() = 0;
    virtual void LayoutCells() = 0;
    // Slot 7: fills PossibleMoves with AddPossibleMove.
    virtual void FindMoves();
    // Slot 8.
    virtual ~CardGame();
    // Slot 9: a new deal (shuffle) or the same deal again (Restart).
    virtual void NewGame(bool shuffle);
    // What a saved position is loaded into: the cells of a new deal created,
    // given their background and laid out, with no card dealt and an empty
    // deal pile. LoadGame then fills them.
    void PrepareForLoad();
    // Slot 10: takes back the last step.
    virtual void Undo();
    // Slots 11 to 14: the mouse hooks (see GameTable). OnClick also comes
    // with a null wrapper and card index -1 for a click on an empty area of
    // a framed cell. x, y of OnMouseDown are relative to the card, those of
    // OnMouseUp are table coordinates.
    virtual void OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex);
    // The base takes the double-click as a second click; a variant hands
    // the cells its double-click means nothing on to it.
    virtual void OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex);
    virtual void OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int x, int y);
    // The base clears Moving on every card, so that they snap back.
    virtual void OnMouseUp(int x, int y);
    // Slot 15: the variant's standing status line (empty here).
    virtual void ShowStatus();
    // Slots 16 and 17: the position of a saved game, after its header.
    virtual void SaveGame(QIODevice &stream);
    virtual bool LoadGame(QIODevice &stream);
    // Slot 18: asked when FindMoves found nothing; adds one legal move the
    // suggestions leave out, if any remains. The base tries the variant's
    // own hooks and takes each attempt back: dragging every face-up card
    // onto every other cell, then clicking every face-down top card and
    // every empty framed cell (a stock). A variant whose clicks select cards,
    // or that knows its moves better, overrides it.
    virtual void FindAnyMove();

    // Operations the window calls.
    const QString &GetName() const { return Name; }
    int GetGameId() const { return GameId; }
    void SetGameId(int id) { GameId = id; }
    void SuggestMove();
    // One tick of the play clock: expires an error message after four ticks;
    // returns the seconds played in this deal.
    uint32_t Tick();
    void SetPaused(bool paused);
    bool IsPaused() const { return Paused; }
    void LoadStatistics();
    void SaveStatistics();
    void ResetStats();
    // The registry key of the statistics: "...\Games\" + name.
    QString StatisticsKey() const;
    // Called by the table at every press on a card: the first press of a
    // deal counts it as played; every press of a deal whose end has not been
    // counted runs the play clock (New game, Restart and Open stop it).
    void StartPlay();
    void ResizeCards(int w, int h);
    // The size LayoutCells asks of the table for cards of w x h; the cells
    // stay where they are for the current size. Empty before the first deal.
    QSize TableSizeFor(int w, int h);
    // True while a suggestion is being shown; undo, new deals and further
    // suggestions wait for it to end.
    bool IsShowingSuggestion() const { return ShowingSuggestion; }

    // Runs a call into the game's rules so that a fault in a variant ends
    // that action, not the program: dragged cards snap back, no press stays
    // captured and the status line says what went wrong.
    template <class F> bool Guarded(F &&call) noexcept
    {
        try {
            call();
            return true;
        } catch (const std::exception &e) {
            HookFailed(QString::fromUtf8(e.what()));
        } catch (...) {
            HookFailed(QString());
        }
        return false;
    }

    // Statistics and per-deal values, read-only for the window and tests.
    int32_t GetPlayed() const { return Played; }
    int32_t GetWon() const { return Won; }
    int32_t GetPlayTime() const { return PlayTime; }
    uint32_t GetLongestPlayTime() const { return LongestPlayTime; }
    int32_t GetHiScore() const { return HiScore; }
    int32_t GetScore() const { return Score; }
    uint32_t GetElapsedTime() const { return ElapsedTime; }
    bool IsStarted() const { return Started; }
    // The end of the deal (won or lost) has been counted.
    bool IsEnded() const { return Ended; }
    int GetHintIndex() const { return HintIndex; }
    int GetUndoCount() const { return int(UndoSteps.size()); }
    const std::vector<Card *> &GetDealPile() const { return DealPile; }

    // Helpers for variants (public so that rules can be tested on their own).
    void AddCells(int count);
    Card *NextCard();
    CardWrapper *DealCard();
    void GetMovingCards(std::vector<CardWrapper *> &list) const;
    // The smallest rectangle holding the cards, right and bottom inclusive.
    static void GetCardsBounds(const std::vector<CardWrapper *> &list, QRect &rect);
    // A step with its record group open; prepend makes later records run
    // first on undo.
    std::unique_ptr<UndoStep> NewUndoStep(bool prepend);
    // Closes the step; one with records becomes the newest undo step. Then
    // the suggestions are found again.
    void EndMove(std::unique_ptr<UndoStep> step);
    void AddScore(int32_t delta, UndoStep *step);
    void SetScore(int32_t score) { Score = score; }
    void AddPossibleMove(TableCell *from, int index, TableCell *to);
    void AddPossibleMove(TableCell *first, TableCell *second);
    void AddClickMove(TableCell *cell);
    PossibleMove *GetPossibleMove(int index) const;
    void DeletePossibleMove(int index);
    int GetPossibleMoveCount() const { return int(PossibleMoves.size()); }
    // Highest score first.
    void SortPossibleMoves();
    void ClearPossibleMoves();
    void ClearUndo();
    // Makes the undo steps from index first on a single step, so that one
    // undo takes back a player's action together with what the game then
    // did by itself.
    void JoinUndoSteps(int first);
    void ClearCardFlags(uint32_t bits);
    // True when the cells hold exactly the cards of the deal pile, each as
    // often as the pile has it, and the pile is made of whole decks: a
    // loaded position of a variant that keeps every card on the table must
    // pass it.
    bool CellsHoldDealPile() const;
    // True when the deal pile holds each card of the deck equally often, as
    // every deal made of whole decks does.
    bool DealPileIsWholeDecks() const;
    // True when the cell is empty and shows the placeholder of card's suit.
    bool ShowsSuitOf(int cellIndex, const Card *card) const;
    // For games with one drop target: ends the drag (every card snaps back,
    // as the base OnMouseUp does) and returns the lowest dragged card when the
    // dragged cards covered more than a quarter of cell target; null otherwise.
    CardWrapper *EndDragOnto(int target, int x, int y);
    // Takes the previous deal off the table and paints it empty, so that a
    // question asked before a new deal is not asked over the old cards.
    void ClearTableForNewDeal();
    // Shows text unless an error was shown and no tick has passed since.
    void Status(const QString &text);
    // Shows text with the warning sound; the standing status returns after
    // four ticks.
    void Error(const QString &text);
    // The deal is over: statistics, clock, and the question to play again.
    // Counted once per deal, and only for a deal in play.
    void GameOver(bool won);
    // Fills DealPile from GetDeckCount() decks with the C library's rand().
    void Shuffle();

protected:
    GameHost &Host() const;
    // The cards of the position on the table are about to be destroyed (a
    // new deal, or a saved position being loaded): a variant that keeps
    // pointers to them drops them here.
    virtual void CardsGone() {}
    // The wrapper and cell lists of the table, for the helpers.
    int CellCount() const;
    TableCell *CellAt(int index) const;

    std::vector<std::unique_ptr<UndoStep>> UndoSteps;
    std::vector<std::unique_ptr<PossibleMove>> PossibleMoves;
    std::vector<Card *> DealPile;
    int32_t HintIndex = 0;
    int32_t DealIndex = 0;
    int32_t StatusTicks = -1; // -1: no error pending, else ticks since it
    int32_t GameId = 0;
    bool Paused = false;
    QString Name;
    ::Deck *Deck;
    GameTable *Table;
    int32_t CardWidth;
    int32_t CardHeight;
    int32_t Played = 0;
    int32_t Won = 0;
    bool Started = false;
    bool Ended = false;
    // Tells this deal from any other of the run, also once it has been saved
    // and resumed; 0 for a position saved without one.
    uint32_t DealSerial = 0;
    uint32_t ElapsedTime = 0;
    int32_t PlayTime = 0;
    uint32_t LongestPlayTime = 0;
    int32_t Score = 0;
    int32_t HiScore = 0;

private:
    // The first steps of every deal: counters reset, the previous cells and
    // cards gone.
    void ResetDeal();
    // The variant's cells, each with the table's empty-cell picture.
    void CreateCellsWithBackground();
    void HookFailed(const QString &what) noexcept;

    // One attempt of FindAnyMove: true when it changed the position, which
    // is then put back as it was.
    bool TakeBackAttempt(size_t history);

    bool ShowingSuggestion = false;
    // While FindAnyMove tries moves: no message, sound or end of deal.
    bool Probing = false;
};
