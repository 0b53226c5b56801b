// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Aboutwnd.h"
#include "CardGame.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "FirstFrameReporter.h"
#include "GameFactory.h"
#include "GameTable.h"
#include "Main.h"
#include "Picture.h"
#include "Registry.h"
#include "Ruleswnd.h"
#include "SavedGame.h"
#include "StartupPreload.h"
#include "TableCell.h"

namespace {

const QString SettingsKey = QStringLiteral("Software\\VekSoftware\\VekSolitaire");
const QString StandardDeck = QStringLiteral("Decks/Standard.deck");

// Answers every dialog as the test says and remembers what was shown.
class ScriptedDialogs : public Dialogs {
public:
    bool AskYesNo(QWidget *, const QString &, const QString &text) override
    {
        Asked.append(text);
        return Yes;
    }
    void Tell(QWidget *, const QString &, const QString &text) override { Told.append(text); }
    QString OpenFile(QWidget *, const FileRequest &request) override
    {
        OpenTitles.append(request.Title);
        Folders.append(request.Folder);
        return OpenAnswers.isEmpty() ? QString() : OpenAnswers.takeFirst();
    }
    QString SaveFile(QWidget *, const FileRequest &request) override
    {
        ++SaveRequests;
        Folders.append(request.Folder);
        return SaveAnswers.isEmpty() ? QString() : SaveAnswers.takeFirst();
    }

    bool Yes = true;
    QStringList Asked, Told, OpenTitles, OpenAnswers, SaveAnswers, Folders;
    int SaveRequests = 0;
};

// What the window handed to the update checker, call by call.
struct UpdateCall {
    std::string name;
    int argument;
    const VUPD_UpdateInfo *info;
};
std::vector<UpdateCall> UpdateLog;
bool UpdateEnabledAnswer = true;

UpdateCalls RecordingUpdate()
{
    UpdateCalls calls;
    calls.CheckUpdate = [](VUPD_UpdateInfo *info, int32_t manual) { UpdateLog.push_back({"CheckUpdate", manual, info}); };
    calls.IsEnabled = [](VUPD_UpdateInfo *info) {
        UpdateLog.push_back({"IsEnabled", -1, info});
        return UpdateEnabledAnswer;
    };
    calls.EnableUpdate = [](VUPD_UpdateInfo *info, bool on) { UpdateLog.push_back({"EnableUpdate", on ? 1 : 0, info}); };
    calls.CleanUp = [](VUPD_UpdateInfo *info) { UpdateLog.push_back({"CleanUp", -1, info}); };
    return calls;
}

void WriteSetting(const QString &name, const QVariant &value)
{
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(SettingsKey, true));
    if (value.typeId() == QMetaType::Int)
        registry.WriteInteger(name, value.toInt());
    else
        registry.WriteString(name, value.toString());
}

// Every card on the table, cell by cell, with its face.
std::vector<std::pair<const Card *, bool>> Deal(const GameTable &table)
{
    std::vector<std::pair<const Card *, bool>> cards;
    for (int c = 0; c < table.GetCellCount(); ++c)
        for (const CardWrapper *wrapper : table.GetCell(c)->GetCards())
            cards.emplace_back(wrapper->GetCard(), wrapper->GetFrontUp());
    return cards;
}

QAction *GameItem(TMainWin &window, const QString &name)
{
    for (QAction *action : window.GameTypeMenu->actions())
        if (action->text() == name)
            return action;
    return nullptr;
}

class MainWinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Registry().DeleteKey(QStringLiteral("Software"));
        UpdateLog.clear();
        UpdateEnabledAnswer = true;
        srand(7);
    }

    // On a screen with room for every size unless one is given.
    std::unique_ptr<TMainWin> Make(bool show = true, QSize screen = QSize(4000, 3000))
    {
        TMainWin::Options options;
        options.DataFolder = QStringLiteral(VEK_BIN_DIR);
        options.Answers = &Answers;
        options.Update = RecordingUpdate();
        options.ScreenArea = screen;
        auto window = std::make_unique<TMainWin>(options);
        if (show)
            window->show();
        return window;
    }

    // The window's size before any game has laid out its table.
    QSize FormSize()
    {
        Registry().DeleteKey(QStringLiteral("Software"));
        return Make(false)->size();
    }

    QString TempFile(const QString &name) const { return Dir.filePath(name); }

    ScriptedDialogs Answers;
    QTemporaryDir Dir;
};

TEST_F(MainWinTest, FirstStartWithAnEmptyRegistry)
{
    auto window = Make(false);
    EXPECT_EQ(window->GetCardWidth(), 88);
    EXPECT_EQ(window->GetCardHeight(), 130);
    EXPECT_EQ(window->GetDeckFile(), StandardDeck);
    EXPECT_TRUE(window->GetBackgroundFile().isEmpty());
    EXPECT_EQ(window->GetBackgroundPicture(), nullptr);
    EXPECT_TRUE(window->NoBackground->isChecked());
    EXPECT_EQ(window->ClientSize(), QSize(673, 448));
    // The table's area really fills the room above the status bar.
    EXPECT_EQ(window->centralWidget()->size(), QSize(673, 448 - window->statusBar()->height()));
    EXPECT_FALSE(window->GetDeck()->GetCard(0)->GetScaledBitmap().isNull());
    EXPECT_TRUE(Answers.Told.isEmpty());
    EXPECT_EQ(window->GetCurrentGame(), nullptr);

    window->show();
    ASSERT_NE(window->GetCurrentGame(), nullptr);
    EXPECT_EQ(window->GetGameType(), 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vek Solitaire - Klondike"));
    EXPECT_EQ(window->StatusPanelText(0), QStringLiteral("Klondike"));
    EXPECT_TRUE(GameItem(*window, QStringLiteral("Klondike"))->isChecked());
    // A new player's cards take the window's size; the window opens around
    // Klondike's table at the standard size, inside a one-pixel outline, and
    // can be resized.
    EXPECT_TRUE(TMainWin::ItemByTag(window->ResizeMenu, AutomaticSize)->isChecked());
    EXPECT_TRUE(window->IsAutomaticSize());
    EXPECT_EQ(window->GetCardWidth(), 88);
    EXPECT_EQ(window->GetTable()->size(), QSize(7 * 88 + 54, 455));
    EXPECT_EQ(window->height(), window->menuBar()->height() + 455 + 2 + window->statusBar()->height());
    EXPECT_LT(window->minimumSize().width(), window->width());
    EXPECT_GT(window->maximumSize().width(), window->width());
    EXPECT_EQ(Deal(*window->GetTable()).size(), 52u);
}

TEST_F(MainWinTest, MenusFollowTheCatalogueAndListSizesSmallestFirst)
{
    auto window = Make(false);
    const QList<QAction *> games = window->GameTypeMenu->actions();
    ASSERT_EQ(games.size(), GameFactory::GameCount);
    for (int i = 0; i < games.size(); ++i) {
        EXPECT_EQ(games[i]->text(), GameFactory::GetGame(i)->name);
        EXPECT_EQ(games[i]->data().toInt(), GameFactory::GetGame(i)->id);
    }
    QStringList sizes;
    for (QAction *action : window->ResizeMenu->actions())
        sizes.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(sizes.join(QLatin1Char(',')), QStringLiteral("&Automatic,-,54 x 80,68 x 100,88 x 130,101 x 150,114 x 169,"
                                                           "128 x 189,141 x 208,154 x 228,176 x 260"));
    EXPECT_EQ(TMainWin::ItemByTag(window->ResizeMenu, 7)->text(), QStringLiteral("68 x 100"));
    EXPECT_FALSE(window->SuggestMoveMenu->isEnabled());
    EXPECT_FALSE(window->UndoMenu->isEnabled());
    EXPECT_FALSE(window->Recentdecks1->isEnabled());
    EXPECT_EQ(window->NoBackground->text(), QStringLiteral("No &background"));
    EXPECT_EQ(window->Feedback1->text(), QStringLiteral("&Feedback...."));
    EXPECT_EQ(window->Rules1->shortcuts().size(), 2);
}

TEST_F(MainWinTest, StoredCardSizeScalesTheWindowOnce)
{
    const QSize form = FormSize();
    struct Row {
        QVariant cardSize;
        QVariant game;
        QSize cards;
        QSize window;
        int32_t gameType;
    };
    const float small = 54.0f / 88.0f;
    const std::vector<Row> rows = {
        {6, 20, {176, 260}, form * 2, 20},
        {8, 0, {54, 80}, {int(float(form.width()) * small), int(float(form.height()) * small)}, 0},
        {9, 0, {88, 130}, form, 0},      // automatic
        {10, 99, {88, 130}, form, 0},    // outside the list; a game the catalogue lacks
        {-1, -5, {88, 130}, form, 0},
        {QStringLiteral("six"), QStringLiteral("x"), {88, 130}, form, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.cardSize.toString().toStdString());
        SetUp();
        WriteSetting(QStringLiteral("CardSize"), row.cardSize);
        WriteSetting(QStringLiteral("Game"), row.game);
        auto window = Make(false);
        EXPECT_EQ(QSize(window->GetCardWidth(), window->GetCardHeight()), row.cards);
        EXPECT_EQ(window->size(), row.window);
        EXPECT_EQ(window->GetDeck()->GetWidth(), row.cards.width());
        EXPECT_EQ(window->GetTable()->GetCardWidth(), row.cards.width());
        int checked = 0;
        const bool automatic = row.cardSize.toInt() < 0 || row.cardSize.toInt() > 8 || row.cardSize.typeId() != QMetaType::Int;
        for (QAction *action : window->ResizeMenu->actions()) {
            if (action->isChecked()) {
                ++checked;
                EXPECT_EQ(action->text(), automatic ? QStringLiteral("&Automatic")
                                                    : QStringLiteral("%1 x %2").arg(row.cards.width()).arg(row.cards.height()));
            }
        }
        EXPECT_EQ(checked, 1);
        window->show();
        ASSERT_NE(window->GetCurrentGame(), nullptr);
        EXPECT_EQ(window->GetGameType(), row.gameType);
    }
}

// The program reads the deck ahead before its settings are looked at; when
// they ask for something else by the time the window is built, the deck is
// loaded again for them rather than shown at the wrong size.
TEST_F(MainWinTest, AReadAheadForOtherSettingsIsNotUsed)
{
    const QString damaged = TempFile(QStringLiteral("damaged.deck"));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("VEK? not a deck at all");
    }
    WriteSetting(QStringLiteral("Deck"), damaged);
    StartupPreload readAhead{QStringLiteral(VEK_BIN_DIR)};
    EXPECT_EQ(readAhead.File(), damaged);
    EXPECT_EQ(readAhead.Size().Width, 88);
    // Meanwhile the settings return to the standard deck.
    SetUp();
    TMainWin::Options options;
    options.DataFolder = QStringLiteral(VEK_BIN_DIR);
    options.Answers = &Answers;
    options.Update = RecordingUpdate();
    options.Preload = &readAhead;
    TMainWin window(options);
    EXPECT_EQ(window.GetDeckFile(), StandardDeck);
    EXPECT_FALSE(window.GetDeck()->GetCard(0)->GetScaledBitmap().isNull());
    EXPECT_TRUE(Answers.Told.isEmpty());
}

// The read-ahead reads the fonts, then the deck the settings name, scaled
// and with its back made; a second one in the same process does the same.
TEST_F(MainWinTest, TheReadAheadReadsTheFontsThenTheDeck)
{
    for (int round = 0; round < 2; ++round) {
        StartupPreload readAhead{QStringLiteral(VEK_BIN_DIR)};
        readAhead.WaitForFonts();
        bool loaded = false;
        const std::unique_ptr<Deck> deck = readAhead.TakeDeck(loaded);
        EXPECT_TRUE(loaded) << deck->LastError().toStdString();
        EXPECT_EQ(readAhead.File(), QDir(QStringLiteral(VEK_BIN_DIR)).absoluteFilePath(StandardDeck));
        EXPECT_FALSE(deck->GetBack()->GetScaledBitmap().isNull());
        readAhead.Finish();
    }
}

// What waits for the first frame runs once, after the table has painted: the
// instance marker is then taken and the about and rules windows are made.
TEST_F(MainWinTest, TheInstanceMarkerAndSideWindowsComeAfterTheFirstFrame)
{
    const QString marker = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/VekSolitaire.lock");
    QFile::remove(marker);
    auto window = Make(false);
    int runs = 0;
    FirstFrameWatcher watcher([&] { ++runs; });
    window->GetTable()->installEventFilter(&watcher);
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_TRUE(window->findChildren<TAboutWin *>().isEmpty());
    EXPECT_TRUE(window->findChildren<TRulesWin *>().isEmpty());
    window->show();
    window->GetTable()->repaint();
    QCoreApplication::processEvents();
    window->GetTable()->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_EQ(window->findChildren<TAboutWin *>().size(), 1);
    EXPECT_EQ(window->findChildren<TRulesWin *>().size(), 1);
}

TEST_F(MainWinTest, ClosingWritesExactlyTheFourSettings)
{
    {
        auto window = Make();
        // "101 x 150" has tag 1 but stands fourth in the menu.
        TMainWin::ItemByTag(window->ResizeMenu, 1)->trigger();
        GameItem(*window, QStringLiteral("Free Cell"))->trigger();
        window->close();
    }
    Registry registry;
    ASSERT_TRUE(registry.OpenKey(SettingsKey, false));
    QStringList names = registry.GetValueNames();
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Background"), QStringLiteral("CardSize"), QStringLiteral("Deck"),
                                  QStringLiteral("Game")}));
    int32_t value = -1;
    EXPECT_TRUE(registry.ReadInteger(QStringLiteral("CardSize"), value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(registry.ReadInteger(QStringLiteral("Game"), value));
    EXPECT_EQ(value, 1);
    EXPECT_EQ(registry.ReadString(QStringLiteral("Deck")), StandardDeck);
    EXPECT_EQ(registry.ReadString(QStringLiteral("Background")), QString());

    // And the next start takes them up.
    auto again = Make();
    EXPECT_EQ(again->GetCardWidth(), 101);
    EXPECT_EQ(again->GetCurrentGame()->GetName(), QStringLiteral("Free Cell"));
}

TEST_F(MainWinTest, ChoosingTheCheckedSizeOrGameDoesNothing)
{
    auto window = Make();
    CardGame *game = window->GetCurrentGame();
    const auto deal = Deal(*window->GetTable());
    const QSize size = window->size();
    QAction *sizeItem = TMainWin::ItemByTag(window->ResizeMenu, AutomaticSize);
    QAction *gameItem = GameItem(*window, QStringLiteral("Klondike"));
    sizeItem->trigger();
    gameItem->trigger();
    EXPECT_TRUE(sizeItem->isChecked());
    EXPECT_TRUE(gameItem->isChecked());
    EXPECT_EQ(window->GetCurrentGame(), game);
    EXPECT_EQ(Deal(*window->GetTable()), deal);
    EXPECT_EQ(window->size(), size);
    EXPECT_TRUE(Answers.Asked.isEmpty());

    // Another size re-lays the same deal and the window follows the table.
    QAction *larger = TMainWin::ItemByTag(window->ResizeMenu, 3);
    larger->trigger();
    EXPECT_TRUE(larger->isChecked());
    EXPECT_FALSE(sizeItem->isChecked());
    EXPECT_EQ(window->GetDeck()->GetWidth(), 128);
    EXPECT_EQ(window->GetTable()->size(), QSize(7 * 128 + 54, int(3.5 * 189)));
    EXPECT_EQ(window->minimumSize(), window->size());
    EXPECT_EQ(window->GetCurrentGame(), game);
    EXPECT_EQ(Deal(*window->GetTable()), deal);
}

TEST_F(MainWinTest, PlayClockShowsUnboundedMinutesAndStopsWhilePaused)
{
    auto window = Make();
    for (int i = 0; i < 3725; ++i)
        window->PlayTimerTimer();
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("62:05"));
    window->PauseMenuClick();
    window->PlayTimerTimer();
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("62:05"));
    EXPECT_EQ(window->GetCurrentGame()->GetElapsedTime(), 3725u);
}

TEST_F(MainWinTest, PauseDisablesExactlyTheSixItems)
{
    auto window = Make();
    window->SetSuggestMoveEnabled(true);
    window->SetUndoEnabled(true);
    std::vector<QAction *> all;
    for (QMenu *menu : {window->File1, window->Game1, window->Help1})
        for (QAction *action : menu->actions())
            all.push_back(action);
    std::set<QAction *> before;
    for (QAction *action : all)
        if (action->isEnabled())
            before.insert(action);

    window->PauseMenu->trigger();
    EXPECT_TRUE(window->GetCurrentGame()->IsPaused());
    EXPECT_EQ(window->PauseMenu->text(), QStringLiteral("R&esume"));
    std::set<QAction *> disabled;
    for (QAction *action : all)
        if (before.count(action) && !action->isEnabled())
            disabled.insert(action);
    EXPECT_EQ(disabled, (std::set<QAction *>{window->NewGameMenu, window->Restart, window->OpenGameMenu,
                                              window->SaveGameMenu, window->SaveAsMenu, window->SuggestMoveMenu}));
    EXPECT_FALSE(window->GetTable()->isEnabled());
    // The game finding moves while paused does not bring suggestions back.
    window->SetSuggestMoveEnabled(true);
    EXPECT_FALSE(window->SuggestMoveMenu->isEnabled());

    window->PauseMenu->trigger();
    EXPECT_EQ(window->PauseMenu->text(), QStringLiteral("&Pause"));
    for (QAction *action : all)
        EXPECT_EQ(action->isEnabled(), before.count(action) == 1) << action->text().toStdString();
}

TEST_F(MainWinTest, AutomaticPauseLeavesTheUsersPauseAlone)
{
    auto window = Make();
    CardGame *game = window->GetCurrentGame();
    window->AppDeactivate();
    EXPECT_TRUE(game->IsPaused());
    EXPECT_TRUE(window->IsAutoPaused());
    EXPECT_EQ(window->PauseMenu->text(), QStringLiteral("&Pause"));
    EXPECT_TRUE(window->NewGameMenu->isEnabled());
    window->AppActivate();
    EXPECT_FALSE(game->IsPaused());
    EXPECT_FALSE(window->IsAutoPaused());

    window->PauseMenuClick();
    window->AppDeactivate();
    EXPECT_FALSE(window->IsAutoPaused());
    window->AppActivate();
    EXPECT_TRUE(game->IsPaused());
    EXPECT_EQ(window->PauseMenu->text(), QStringLiteral("R&esume"));

    // A new game type starts unpaused, with the menu to match.
    GameItem(*window, QStringLiteral("Golf"))->trigger();
    ASSERT_EQ(window->GetCurrentGame()->GetName(), QStringLiteral("Golf"));
    EXPECT_FALSE(window->GetCurrentGame()->IsPaused());
    EXPECT_TRUE(window->GetTable()->isEnabled());
    EXPECT_EQ(window->PauseMenu->text(), QStringLiteral("&Pause"));
    for (QAction *action : {window->NewGameMenu, window->Restart, window->OpenGameMenu, window->SaveGameMenu,
                            window->SaveAsMenu})
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
}

TEST_F(MainWinTest, NewGameAndRestartAskFirst)
{
    auto window = Make();
    const auto deal = Deal(*window->GetTable());
    Answers.Yes = false;
    window->NewGameMenu->trigger();
    window->Restart->trigger();
    EXPECT_EQ(Answers.Asked, (QStringList{QStringLiteral("Do you really want to start a new game?"),
                                          QStringLiteral("Do you really want to restart the game?")}));
    EXPECT_EQ(Deal(*window->GetTable()), deal);

    Answers.Yes = true;
    window->NewGameMenu->trigger();
    const auto second = Deal(*window->GetTable());
    EXPECT_NE(second, deal);
    window->Restart->trigger();
    EXPECT_EQ(Deal(*window->GetTable()), second);
}

TEST_F(MainWinTest, GameFileLife)
{
    auto window = Make();
    const QString first = TempFile(QStringLiteral("first.veksol"));
    const QString second = TempFile(QStringLiteral("second.veksol"));

    // Right after start "Save" asks for a name.
    Answers.SaveAnswers = {first};
    window->SaveGameMenu->trigger();
    EXPECT_EQ(Answers.SaveRequests, 1);
    EXPECT_EQ(window->GetGameFile(), first);
    EXPECT_EQ(GameFactory::GetSavedGameId(first), 0);
    // Then it writes without asking.
    QFile::remove(first);
    window->SaveGameMenu->trigger();
    EXPECT_EQ(Answers.SaveRequests, 1);
    EXPECT_TRUE(QFile::exists(first));

    window->Restart->trigger();
    EXPECT_EQ(window->GetGameFile(), first);
    window->NewGameMenu->trigger();
    EXPECT_TRUE(window->GetGameFile().isEmpty());

    Answers.SaveAnswers = {second};
    window->SaveAsMenu->trigger();
    EXPECT_EQ(window->GetGameFile(), second);
    window->StartRestartTimer();
    EXPECT_TRUE(window->RestartTimer.isActive());
    window->RestartTimerTimer();
    EXPECT_FALSE(window->RestartTimer.isActive());
    EXPECT_TRUE(window->GetGameFile().isEmpty());

    Answers.SaveAnswers = {second};
    window->SaveAsMenu->trigger();
    GameItem(*window, QStringLiteral("Pyramid"))->trigger();
    EXPECT_TRUE(window->GetGameFile().isEmpty());

    // Opening a saved game: that game, that file.
    Answers.OpenAnswers = {first};
    window->OpenGameMenu->trigger();
    EXPECT_TRUE(Answers.Told.isEmpty()) << Answers.Told.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(window->GetGameType(), 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vek Solitaire - Klondike"));
    EXPECT_TRUE(GameItem(*window, QStringLiteral("Klondike"))->isChecked());
    EXPECT_FALSE(GameItem(*window, QStringLiteral("Pyramid"))->isChecked());
    EXPECT_EQ(window->GetGameFile(), first);
    const int asked = Answers.SaveRequests;
    window->SaveGameMenu->trigger();
    EXPECT_EQ(Answers.SaveRequests, asked);
}

TEST_F(MainWinTest, GameDialogsStartInTheLastFolderThatWorked)
{
    auto window = Make();
    const QString savedGames =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Saved games");
    // A folder that cannot take the file is not remembered.
    Answers.SaveAnswers = {QStringLiteral("/proc/game.veksol"), TempFile(QStringLiteral("game.veksol"))};
    window->SaveAsMenu->trigger();
    window->SaveAsMenu->trigger();
    Answers.OpenAnswers = {QString()};
    window->OpenGameMenu->trigger();
    EXPECT_EQ(Answers.Folders, QStringList({savedGames, savedGames, Dir.path()}));
    EXPECT_TRUE(QFileInfo(savedGames).isDir());
}

TEST_F(MainWinTest, StoredPathsWithBackslashes)
{
    // A file named with a backslash is used as it is.
    const QString named = TempFile(QStringLiteral("my\\deck.deck"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VEK_BIN_DIR "/Decks/Standard.deck"), named));
    WriteSetting(QStringLiteral("Deck"), named);
    EXPECT_EQ(Make()->GetDeckFile(), named);
    // Once the file exists only with a slash, the entry is an older one.
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("my")) && QFile::rename(named, TempFile("my/deck.deck")));
    EXPECT_EQ(Make()->GetDeckFile(), TempFile(QStringLiteral("my/deck.deck")));
    EXPECT_TRUE(Answers.Told.isEmpty()) << Answers.Told.join(QLatin1Char('|')).toStdString();
}

TEST_F(MainWinTest, RefusedFilesKeepTheGame)
{
    auto window = Make();
    CardGame *game = window->GetCurrentGame();
    const auto deal = Deal(*window->GetTable());
    const QString other = TempFile(QStringLiteral("notes.veksol"));
    {
        QFile file(other);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a saved game at all");
    }
    Answers.OpenAnswers = {other, TempFile(QStringLiteral("missing.veksol"))};
    window->OpenGameMenuClick();
    window->OpenGameMenuClick();
    EXPECT_EQ(Answers.Told, (QStringList{GameFactory::CannotResumeMessage(), GameFactory::CannotResumeMessage()}));
    EXPECT_EQ(Answers.Told.value(0), QStringLiteral("The game you selected cannot be resumed."));
    EXPECT_EQ(window->GetCurrentGame(), game);
    EXPECT_EQ(window->GetTable()->GetGame(), game);
    EXPECT_EQ(Deal(*window->GetTable()), deal);
    EXPECT_TRUE(window->GetGameFile().isEmpty());

    // A save that cannot be written says so and changes nothing.
    const QString good = TempFile(QStringLiteral("good.veksol"));
    Answers.SaveAnswers = {good, TempFile(QStringLiteral("no/such/folder/game.veksol"))};
    window->SaveAsMenuClick();
    QFile saved(good);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    window->NewGameMenuClick();
    Answers.Told.clear();
    window->SaveAsMenuClick();
    ASSERT_EQ(Answers.Told.size(), 1);
    EXPECT_TRUE(Answers.Told[0].contains(QStringLiteral("no/such/folder/game.veksol")));
    EXPECT_TRUE(window->GetGameFile().isEmpty());
    saved.seek(0);
    EXPECT_EQ(saved.readAll(), bytes);
}

TEST_F(MainWinTest, DecksThatFailToLoad)
{
    const QString damaged = TempFile(QStringLiteral("damaged.deck"));
    {
        QFile source(QStringLiteral(VEK_BIN_DIR "/Decks/Standard.deck"));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(source.read(5000));
    }
    WriteSetting(QStringLiteral("Deck"), damaged);
    auto window = Make();
    // At start: said, and the standard deck instead.
    ASSERT_EQ(Answers.Told.size(), 1);
    EXPECT_TRUE(Answers.Told[0].contains(damaged));
    EXPECT_EQ(window->GetDeckFile(), StandardDeck);
    const QImage face = window->GetDeck()->GetCard(0)->GetScaledBitmap();
    EXPECT_FALSE(face.isNull());

    Answers.Told.clear();
    const QString missing = TempFile(QStringLiteral("missing.deck"));
    for (const QString &file : {damaged, missing}) {
        Answers.OpenAnswers = {file};
        window->Opendeck1->trigger();
    }
    ASSERT_EQ(Answers.Told.size(), 2);
    EXPECT_TRUE(Answers.Told[0].contains(damaged));
    EXPECT_TRUE(Answers.Told[1].contains(missing));
    EXPECT_EQ(Answers.OpenTitles.value(0), QStringLiteral("Choose a deck - VekSolitaire"));
    EXPECT_EQ(window->GetDeckFile(), StandardDeck);
    EXPECT_EQ(window->GetDeck()->GetCard(0)->GetScaledBitmap(), face);
    EXPECT_TRUE(window->GetRecentDecks().isEmpty());
    EXPECT_FALSE(window->Recentdecks1->isEnabled());
}

TEST_F(MainWinTest, RecentDecksKeepEightAndSurviveARestart)
{
    std::vector<QString> copies;
    for (int i = 0; i < 9; ++i) {
        copies.push_back(TempFile(QStringLiteral("deck%1.deck").arg(i)));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VEK_BIN_DIR "/Decks/Standard.deck"), copies.back()));
    }
    {
        auto window = Make();
        for (const QString &file : copies)
            EXPECT_TRUE(window->OpenDeck(file));
        EXPECT_TRUE(window->OpenDeck(copies[3]));
        EXPECT_EQ(window->GetDeckFile(), copies[3]);
        EXPECT_EQ(window->GetDeck()->GetWidth(), 88);
        window->close();
    }
    auto window = Make();
    const QStringList expected = {copies[3], copies[8], copies[7], copies[6], copies[5], copies[4], copies[2], copies[1]};
    EXPECT_EQ(window->GetRecentDecks(), expected);
    EXPECT_EQ(window->GetDeckFile(), copies[3]);
    EXPECT_EQ(window->Recentdecks1->actions().size(), 8);
    EXPECT_TRUE(window->Recentdecks1->isEnabled());

    // An entry that no longer loads leaves the list.
    QFile::remove(copies[8]);
    window->Recentdecks1->actions()[1]->trigger();
    EXPECT_EQ(Answers.Told.size(), 1);
    EXPECT_EQ(window->GetRecentDecks().size(), 7);
    EXPECT_EQ(window->GetDeckFile(), copies[3]);
}

TEST_F(MainWinTest, BackgroundPictures)
{
    const QString good = TempFile(QStringLiteral("wood.png"));
    QImage tile(16, 8, QImage::Format_RGB32);
    tile.fill(qRgb(90, 60, 30));
    ASSERT_TRUE(tile.save(good));
    const QString broken = TempFile(QStringLiteral("broken.jpg"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xD8\xFF garbage");
    }

    // A stored picture that no longer loads: said, and no background.
    WriteSetting(QStringLiteral("Background"), broken);
    auto window = Make();
    ASSERT_EQ(Answers.Told.size(), 1);
    EXPECT_TRUE(Answers.Told[0].contains(broken));
    EXPECT_TRUE(window->GetBackgroundFile().isEmpty());
    EXPECT_EQ(window->GetBackgroundPicture(), nullptr);
    EXPECT_TRUE(window->NoBackground->isChecked());
    ASSERT_NE(window->GetCurrentGame(), nullptr);

    Answers.OpenAnswers = {good};
    window->Setbackground1->trigger();
    EXPECT_EQ(window->GetBackgroundFile(), good);
    ASSERT_NE(window->GetBackgroundPicture(), nullptr);
    EXPECT_EQ(window->GetBackgroundPicture()->width(), 16);
    EXPECT_FALSE(window->NoBackground->isChecked());

    // A picture from the dialog that is refused (damaged, a named pipe, a
    // device): said, and the one shown before stays.
    const Picture *shown = window->GetBackgroundPicture();
    const QString pipe = TempFile(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    for (const QString &refused : {broken, pipe, QStringLiteral("/dev/zero")}) {
        Answers.OpenAnswers = {refused};
        window->Setbackground1->trigger();
        EXPECT_TRUE(Answers.Told.last().contains(refused));
        EXPECT_EQ(window->GetBackgroundFile(), good);
        EXPECT_EQ(window->GetBackgroundPicture(), shown);
        EXPECT_FALSE(window->NoBackground->isChecked());
    }
    EXPECT_EQ(Answers.Told.size(), 4);
    EXPECT_TRUE(Answers.Told.last().contains("/dev/zero is not a file"));

    Answers.OpenAnswers = {good};
    window->Setbackground1->trigger();
    window->NoBackground->trigger();
    EXPECT_TRUE(window->NoBackground->isChecked());
    EXPECT_EQ(window->GetBackgroundPicture(), nullptr);
    EXPECT_TRUE(window->GetBackgroundFile().isEmpty());
}

// A stored deck and background that name a named pipe or a device: the
// window still comes up at once, says why, and uses the standard deck and no
// background.
TEST_F(MainWinTest, StoredPathsThatAreNotFilesAreRefusedAtStart)
{
    const QString pipe = TempFile(QStringLiteral("pipe.deck"));
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    for (const auto &[deck, background] : {std::pair{pipe, QStringLiteral("/dev/zero")}, {QStringLiteral("/dev/zero"), pipe}}) {
        SetUp();
        Answers.Told.clear();
        WriteSetting(QStringLiteral("Deck"), deck);
        WriteSetting(QStringLiteral("Background"), background);
        auto window = Make();
        EXPECT_TRUE(Answers.Told.join('\n').contains(deck + " is not a file"));
        EXPECT_TRUE(Answers.Told.join('\n').contains(background + " is not a file"));
        EXPECT_EQ(window->GetDeckFile(), StandardDeck);
        EXPECT_EQ(window->GetBackgroundPicture(), nullptr);
        ASSERT_NE(window->GetCurrentGame(), nullptr);
    }
}

TEST_F(MainWinTest, UpdateCheckerCallsInOrder)
{
    UpdateEnabledAnswer = false;
    {
        auto window = Make();
        EXPECT_FALSE(window->AutoUpdateMenu->isChecked());
        window->AutoUpdateMenu->trigger();
        window->Checkforupdates1->trigger();
        window->AutoUpdateMenu->trigger();
        const VUPD_UpdateInfo &info = window->GetUpdateInfo();
        EXPECT_STREQ(info.ProductName, "Vek Solitaire");
        EXPECT_STREQ(info.RegistryKey, "Software\\VekSoftware\\VekSolitaire");
        EXPECT_EQ(info.Version, 1u << 16);
        EXPECT_EQ(info.Reserved1, 0u);
        EXPECT_EQ(info.Reserved2, 0u);
        ASSERT_NE(info.UpdateInfoUrl, nullptr);
        ASSERT_NE(info.HomePage, nullptr);
        for (const UpdateCall &call : UpdateLog)
            EXPECT_EQ(call.info, &info);
    }
    std::vector<std::pair<std::string, int>> calls;
    for (const UpdateCall &call : UpdateLog)
        calls.emplace_back(call.name, call.argument);
    const std::vector<std::pair<std::string, int>> expected = {
        {"CheckUpdate", 0}, {"IsEnabled", -1}, {"EnableUpdate", 1}, {"CheckUpdate", 1}, {"EnableUpdate", 0}, {"CleanUp", -1}};
    EXPECT_EQ(calls, expected);
}

// The play clock runs from a deal's first press: a new deal, a restart, a
// game-type change and a resumed game wait for theirs, and a deal nobody
// pressed on ends without counting a loss or any play time.
TEST_F(MainWinTest, ThePlayClockStartsWithTheDealsFirstPress)
{
    auto window = Make();
    const QString file = TempFile(QStringLiteral("clock.veksol"));
    CardGame *game = window->GetCurrentGame();
    EXPECT_FALSE(window->PlayTimer.isActive());
    const auto playFor = [&](int seconds) {
        window->GetCurrentGame()->StartPlay();
        EXPECT_TRUE(window->PlayTimer.isActive());
        for (int i = 0; i < seconds; ++i)
            window->PlayTimerTimer();
    };
    playFor(7);
    Answers.SaveAnswers = {file};
    window->SaveAsMenu->trigger();

    window->NewGameMenu->trigger();
    EXPECT_FALSE(window->PlayTimer.isActive());
    EXPECT_EQ(window->StatusPanelText(1), QString());
    // Nobody pressed on this deal: its end counts nothing.
    game->GameOver(false);
    EXPECT_EQ(game->GetPlayTime(), 0);
    EXPECT_EQ(game->GetPlayed(), 1);
    EXPECT_EQ(Answers.Asked.size(), 1); // only "start a new game?"

    playFor(2);
    window->Restart->trigger();
    EXPECT_FALSE(window->PlayTimer.isActive());
    playFor(2);
    GameItem(*window, QStringLiteral("Golf"))->trigger();
    EXPECT_FALSE(window->PlayTimer.isActive());
    playFor(2);

    // Resumed, the deal keeps its seven seconds and was counted already.
    Answers.OpenAnswers = {file};
    window->OpenGameMenu->trigger();
    game = window->GetCurrentGame();
    ASSERT_EQ(game->GetGameId(), 0);
    EXPECT_FALSE(window->PlayTimer.isActive());
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("00:07"));
    const int32_t played = game->GetPlayed();
    playFor(1);
    EXPECT_EQ(game->GetElapsedTime(), 8u);
    EXPECT_EQ(game->GetPlayed(), played);
}

TEST_F(MainWinTest, StatisticsSurviveAGameChange)
{
    auto window = Make();
    window->GetCurrentGame()->StartPlay();
    EXPECT_EQ(window->GetCurrentGame()->GetPlayed(), 1);
    GameItem(*window, QStringLiteral("Golf"))->trigger();
    GameItem(*window, QStringLiteral("Klondike"))->trigger();
    EXPECT_EQ(window->GetCurrentGame()->GetPlayed(), 1);
}

// Klondike's table; the window's menu and status bar come on top.
QSize KlondikeTable(CardSize size)
{
    return {7 * size.Width + 54, int(3.5 * size.Height)};
}

TEST(CardFit, TheLargestSizeWhoseTableFits)
{
    std::array<bool, CardSizes.size()> fits{};
    const QSize laptop(1366, 700);
    // 176 x 260 is chosen; 128 x 189 is the widest that fits.
    EXPECT_EQ(CardFit::ChooseFixed(KlondikeTable, laptop, 6, fits), 3);
    EXPECT_TRUE(fits[3] && fits[0] && fits[8]);
    EXPECT_FALSE(fits[4] || fits[6]);
    // A choice that fits is kept; where nothing fits the narrowest is used.
    EXPECT_EQ(CardFit::ChooseFixed(KlondikeTable, laptop, 1, fits), 1);
    EXPECT_EQ(CardFit::ChooseFixed(KlondikeTable, QSize(100, 100), AutomaticSize, fits), 8);
    // Automatic: the widest card in proportion that fits, to the pixel.
    EXPECT_EQ(CardFit::ChooseAutomatic(KlondikeTable, laptop), (CardSize{135, 199}));
    EXPECT_EQ(CardFit::ChooseAutomatic(KlondikeTable, KlondikeTable({88, 130})), (CardSize{88, 130}));
    EXPECT_EQ(CardFit::ChooseAutomatic(KlondikeTable, QSize(10, 10)), (CardSize{54, 80}));
}

// On a laptop screen Monte Carlo's table cannot take large cards: the sizes
// that do not fit are disabled and say why, a smaller one is used, and the
// choice is kept for a larger screen.
TEST_F(MainWinTest, SizesThatDoNotFitTheScreenAreDisabled)
{
    WriteSetting(QStringLiteral("CardSize"), 6);
    WriteSetting(QStringLiteral("Game"), 3);
    {
        auto window = Make(true, QSize(1366, 768));
        ASSERT_EQ(window->GetCurrentGame()->GetName(), QStringLiteral("Monte Carlo"));
        EXPECT_EQ(window->GetCardWidth(), 88);
        EXPECT_LE(window->height(), 768);
        EXPECT_EQ(window->GetSizeChoice(), 6);
        EXPECT_TRUE(TMainWin::ItemByTag(window->ResizeMenu, 0)->isChecked());
        for (int tag : {0, 7, 8, AutomaticSize})
            EXPECT_TRUE(TMainWin::ItemByTag(window->ResizeMenu, tag)->isEnabled()) << tag;
        for (int tag = 1; tag <= 6; ++tag) {
            EXPECT_FALSE(TMainWin::ItemByTag(window->ResizeMenu, tag)->isEnabled()) << tag;
            EXPECT_TRUE(TMainWin::ItemByTag(window->ResizeMenu, tag)->toolTip().startsWith("Too large for this screen"));
        }
        // Klondike's table is smaller: more sizes fit.
        GameItem(*window, QStringLiteral("Klondike"))->trigger();
        EXPECT_EQ(window->GetCardWidth(), 128);
        EXPECT_TRUE(TMainWin::ItemByTag(window->ResizeMenu, 3)->isEnabled());
        window->close();
    }
    auto large = Make(true);
    EXPECT_EQ(large->GetCardWidth(), 176);
}

TEST_F(MainWinTest, AutomaticSizeFitsTheCardsToTheWindow)
{
    auto window = Make();
    GameTable *table = window->GetTable();
    const auto deal = Deal(*table);
    window->resize(1200, 900);
    window->FitCards();
    const QSize room = window->centralWidget()->size() - QSize(2, 2);
    const CardSize cards{window->GetCardWidth(), window->GetCardHeight()};
    EXPECT_GT(cards.Width, 88);
    EXPECT_EQ(cards, CardFit::Proportional(cards.Width));
    EXPECT_TRUE(CardFit::Fits(KlondikeTable(cards), room));
    EXPECT_FALSE(CardFit::Fits(KlondikeTable(CardFit::Proportional(cards.Width + 1)), room));
    EXPECT_EQ(table->size(), KlondikeTable(cards));
    // Centred in the room within the outline; the same deal, rescaled.
    EXPECT_EQ(table->pos(), QPoint(1 + (room.width() - table->width()) / 2, 1 + (room.height() - table->height()) / 2));
    EXPECT_EQ(Deal(*table), deal);
    EXPECT_EQ(window->GetDeck()->GetWidth(), cards.Width);

    // A fixed size fixes the window around the table again.
    TMainWin::ItemByTag(window->ResizeMenu, 0)->trigger();
    EXPECT_EQ(table->size(), KlondikeTable({88, 130}));
    EXPECT_EQ(window->centralWidget()->size(), table->size());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

} // namespace
