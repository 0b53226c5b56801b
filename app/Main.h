// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include "CardFit.h"
#include "Dialogs.h"
#include "FormStorage.h"
#include "GameHost.h"
#include "VekUpdate.h"

class CardGame;
class Deck;
class GameTable;
class Picture;
class QAction;
class QActionGroup;
class QLabel;
class QLockFile;
class QMenu;
class StartupPreload;
class TAboutWin;
class TMsgWin;
class TRulesWin;
class TableArea;

// The update checker's four functions; the window calls them through this
// table so that tests can watch the calls.
struct UpdateCalls {
    void (*CheckUpdate)(VUPD_UpdateInfo *info, int32_t manual) = VUPD_CheckUpdate;
    bool (*IsEnabled)(VUPD_UpdateInfo *info) = VUPD_IsEnabled;
    void (*EnableUpdate)(VUPD_UpdateInfo *info, bool enable) = VUPD_EnableUpdate;
    void (*CleanUp)(VUPD_UpdateInfo *info) = VUPD_CleanUp;
};


// The game program's one main window. It owns the deck, the table and the
// current game, carries the menu, the status bar and the two timers, keeps
// the settings, and is the host through which the engine reaches the window.
// From the moment it is first shown until it is destroyed a game exists.
class TMainWin : public QMainWindow, public GameHost {
    Q_OBJECT

public:
    struct Options {
        // Where the data (Decks/, Rules/, Cell.jpg) lives; it becomes the
        // current directory. Empty: beside the program, else the installed
        // data folder.
        QString DataFolder;
        // Who answers the dialogs; null for the real ones.
        Dialogs *Answers = nullptr;
        UpdateCalls Update;
        // The deck and fonts read ahead since before the application was
        // made; null: the window starts its own read-ahead.
        StartupPreload *Preload = nullptr;
        // The room the screen leaves for windows; empty: that of the screen
        // the window is on.
        QSize ScreenArea;
    };

    TMainWin();
    explicit TMainWin(const Options &options);
    ~TMainWin() override;

    // The data folder of an installation: beside the program when "Decks"
    // is there, else share/VekSolitaire next to the program's folder.
    static QString FindDataFolder();
    // The same for a program in programFolder; usable before the application
    // object exists and on any thread.
    static QString FindDataFolder(const QString &programFolder);

    // GameHost.
    void SetStatusText(const QString &text) override;
    Picture *GetBackgroundPicture() override;
    void SetUndoEnabled(bool enabled) override;
    void SetSuggestMoveEnabled(bool enabled) override;
    void SetPlayTimerEnabled(bool enabled) override;
    bool IsPlayTimerEnabled() const override;
    void StartRestartTimer() override;
    void Beep() override;

    // Called by the statistics window.
    void ResetGameStats();

    void StartCurrentGame();
    // Starts a game of that id; false (with the current game kept) when the
    // catalogue cannot create it.
    bool StartGame(int32_t id, bool shuffle);
    // Loads a deck file; false, with a message naming the file, when it
    // cannot be loaded (the deck keeps its pictures).
    bool OpenDeck(const QString &path);
    // Replaces the background picture; false, with a message, when the file
    // cannot be loaded (the table then has no background).
    bool SetBackgroundFile(const QString &path);

    void LoadSettings();
    void SaveSettings();
    // Writes the settings, the window's state and the current game's
    // statistics: at Exit, and when the program is ended otherwise (the
    // desktop session ending, a signal).
    void WriteSettingsAndStatistics();
    // The deck file and card size LoadSettings will choose, read ahead so
    // that the deck can load while the window is being built.
    static QString StoredDeckFile();
    // (The standard size when the cards take the window's size.)
    static CardSize StoredCardSize();

    // Menu handlers.
    void NewGameMenuClick();
    void RestartClick();
    void PauseMenuClick();
    void OpenGameMenuClick();
    void SaveGameMenuClick();
    void SaveAsMenuClick();
    void SuggestMoveMenuClick();
    void UndoMenuClick();
    void Statistics1Click();
    void ExitClick();
    void GameTypeMenuClick(QAction *item, bool checkedNow);
    void ResizeClick(QAction *item, bool checkedNow);
    void Opendeck1Click();
    void RecentDecksClick(const QString &file);
    void Setbackground1Click();
    void NoBackgroundClick();
    void Rules1Click();
    void About1Click();
    void Homepage1Click();
    void Feedback1Click();
    void AutoUpdateMenuClick();
    void Checkforupdates1Click();
    void PlayTimerTimer();
    void RestartTimerTimer();
    // The application lost or regained activation.
    void AppDeactivate();
    void AppActivate();

    // State, for the other windows and for tests.
    CardGame *GetCurrentGame() const { return Game.get(); }
    GameTable *GetTable() const { return Table; }
    // Made when first asked for, if the first frame has not made them yet.
    TRulesWin *GetRulesWindow();
    TAboutWin *GetAboutWindow();
    ::Deck *GetDeck() const { return TheDeck.get(); }
    int GetCardWidth() const { return CardWidth; }
    int GetCardHeight() const { return CardHeight; }
    // The size the player chose: a tag of CardSizes, or AutomaticSize. A
    // fixed size whose table does not fit the screen is kept as the choice
    // while a smaller one is used.
    int GetSizeChoice() const { return SizeChoice; }
    bool IsAutomaticSize() const { return SizeChoice == AutomaticSize; }
    // The room the screen leaves for the window, less its frame.
    QSize AvailableArea() const;
    // Fits the cards to the screen and, with automatic sizing, to the window;
    // brings the card-size menu in line.
    void FitCards();
    // Waits for the edge of the window to rest, then fits the cards.
    QTimer FitTimer;
    int32_t GetGameType() const { return GameType; }
    const QString &GetDeckFile() const { return DeckFile; }
    const QString &GetBackgroundFile() const { return BackgroundFile; }
    const QString &GetGameFile() const { return GameFile; }
    bool IsAutoPaused() const { return AutoPaused; }
    const QStringList &GetRecentDecks() const { return RecentDecks.Entries(); }
    QString StatusPanelText(int panel) const;
    const VUPD_UpdateInfo &GetUpdateInfo() const { return UpdateInfo; }
    // The area below the menu: the table and the status bar.
    QSize ClientSize() const;
    // The menu item of a tag in a radio menu (card sizes, game types).
    static QAction *ItemByTag(QMenu *menu, int tag);

    // Menus and items, named as in the menu table.
    QMenu *File1, *Game1, *Help1;
    QAction *NewGameMenu, *Restart, *PauseMenu, *OpenGameMenu, *SaveGameMenu, *SaveAsMenu;
    QAction *SuggestMoveMenu, *UndoMenu, *Statistics1, *Exit;
    QMenu *GameTypeMenu, *ResizeMenu, *Recentdecks1;
    QAction *Opendeck1, *Setbackground1, *NoBackground;
    QAction *Rules1, *About1, *Homepage1, *Feedback1, *AutoUpdateMenu, *Checkforupdates1;
    QTimer PlayTimer;
    QTimer RestartTimer;

protected:
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class SizeUnlock;

    void BuildMenu();
    void BuildStatusBar();
    void BuildGameTypeMenu();
    void SetUpUpdateCheck();
    void FormShow();
    void FormClose();
    void FormDestroy();
    static void CheckMenuItemByTag(QMenu *menu, int tag);
    // Brings the pause caption and the six items it disables in line with
    // the current game.
    void ShowPauseState();
    void UpdateRecentDecksMenu();
    // The play clock's panel for the current deal: empty until it has run.
    void ShowPlayClock();
    // Disposes of the current game: statistics saved, game deleted.
    void DisposeGame();
    // Shows a new current game: name, caption, menu check, status.
    void AdoptGame();
    void SyncLayout();
    // A fixed window or one the player sizes, as the size choice asks.
    void ApplySizeMode();
    // The size of the current game's table for that card size.
    QSize TableSizeFor(CardSize size) const;
    void Tell(const QString &text);
    Dialogs::FileRequest GameFileRequest(const QString &title, const QString &folder) const;
    // The folder a game dialog starts in: the remembered one while it
    // exists, else "Saved games" in the user's data folder.
    static QString StartFolder(const QString &remembered);
    // After a game file was written or opened.
    void RememberGameFolder(const QString &file);
    // The hooks of the statistics, rules and about windows.
    void ShowStatisticsWindow();
    void ShowRulesWindow();
    bool IsRulesWindowVisible() const;
    void ShowAboutWindow();

    // The deck as the settings ask, the standard deck when that fails; the
    // problems found, for the user.
    QStringList LoadDeck();
    // Takes the marker of a running instance (a lock file in the runtime
    // folder), once.
    void TakeInstanceMarker();
    // Makes the about and rules windows, in that order, unless they exist.
    void MakeSideWindows();

    std::unique_ptr<QLockFile> InstanceMutex;
    GameTable *Table = nullptr;
    TableArea *Area = nullptr;
    std::unique_ptr<::Deck> TheDeck;
    // The read-ahead of the deck, until LoadDeck takes the deck from it.
    std::unique_ptr<StartupPreload> OwnPreload;
    StartupPreload *Preload = nullptr;
    std::unique_ptr<CardGame> Game;
    int CardWidth = 88;
    int CardHeight = 130;
    int SizeChoice = AutomaticSize;
    // A window of automatic size placed for the first time takes the size of
    // its first table at the standard card size.
    bool SizeWindowToGame = false;
    // The window manager's frame round the window when the cards were last
    // fitted; the frame is known only some time after the window is shown.
    QSize FittedFrame;
    QSize ScreenArea;
    int32_t GameType = 0;
    QString DeckFile;
    QString BackgroundFile;
    VUPD_UpdateInfo UpdateInfo;
    std::unique_ptr<Picture> BackgroundPicture;
    QString GameFile;
    bool AutoPaused = false;

    std::unique_ptr<TMsgWin> MsgWin;
    // Made just after the first frame and kept to the end; only shown and
    // hidden.
    std::unique_ptr<TRulesWin> RulesWin;
    std::unique_ptr<TAboutWin> AboutWin;
    std::unique_ptr<StandardDialogs> OwnDialogs;
    Dialogs *Answers;
    UpdateCalls Update;
    FormStorage Storage;
    RecentFiles RecentDecks;
    QString SaveGameFolder;
    QString OpenGameFolder;
    QActionGroup *GameTypeGroup = nullptr;
    QActionGroup *SizeGroup = nullptr;
    std::array<QLabel *, 3> Panels{};
    int UnlockDepth = 0;
    bool Shown = false;
    bool Destroyed = false;
};

// The one main window while it exists.
extern TMainWin *MainWin;
