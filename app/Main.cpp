// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>

#include <cstring>

#include "Aboutwnd.h"
#include "Addresses.h"
#include "CardGame.h"
#include "Deck.h"
#include "FirstFrameReporter.h"
#include "GameFactory.h"
#include "GameTable.h"
#include "Msgwnd.h"
#include "Picture.h"
#include "Ruleswnd.h"
#include "SavedGame.h"
#include "StartupPreload.h"
#include "Statswnd.h"
#include "TableArea.h"
#include "VersionInfo.h"

TMainWin *MainWin = nullptr;

namespace {

const QString StandardDeck = QStringLiteral("Decks/Standard.deck");
const QString Caption = QStringLiteral("Vek Solitaire");

// The client area of the form at the standard card size: table and status
// bar together.
constexpr int FormClientWidth = 673;
constexpr int FormClientHeight = 448;

const QString DeckFilter = QStringLiteral(
    "All supported formats (*.deck *.RKP *.reko);;Decks (*.deck);;PC REKO Cardsets (*.RKP);;"
    "Amiga REKO Cardsets (*.reko)");
// Metafiles have no reader here; PNG has one.
const QString PictureFilter = QStringLiteral(
    "All (*.jpeg *.jpg *.gif *.bmp *.ico *.png);;JPEG Image File (*.jpeg);;JPEG Image File (*.jpg);;"
    "CompuServe GIF Image (*.gif);;Bitmaps (*.bmp);;Icons (*.ico);;PNG Image File (*.png)");
const QString GameFilter = QStringLiteral("Vek Solitaire games (*.veksol)");

} // namespace

// With a fixed card size the window has a fixed size, but a game sizes its
// table (and so the window) when it lays out its cells. Every call that may
// lay out runs with the size unlocked; the outermost unlock fits the cards to
// the screen and fixes the size again at the end. With automatic sizing the
// window keeps the size the player gives it and the cards are fitted to it.
class TMainWin::SizeUnlock {
public:
    explicit SizeUnlock(TMainWin &window)
        : Window(window)
    {
        if (Window.UnlockDepth++ == 0) {
            Window.setMinimumSize(0, 0);
            Window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
    }
    ~SizeUnlock()
    {
        if (--Window.UnlockDepth == 0) {
            Window.SyncLayout();
            Window.FitCards();
            Window.SyncLayout();
            if (!Window.IsAutomaticSize())
                Window.setFixedSize(Window.size());
        }
    }
    SizeUnlock(const SizeUnlock &) = delete;
    SizeUnlock &operator=(const SizeUnlock &) = delete;

private:
    TMainWin &Window;
};

TMainWin::TMainWin()
    : TMainWin(Options())
{
}

TMainWin::TMainWin(const Options &options)
    : Answers(options.Answers)
    , Update(options.Update)
    , Storage(QStringLiteral("VekSoftware\\VekSolitaire\\Forms\\MainWin"))
{
    MainWin = this;
    ScreenArea = options.ScreenArea;
    const QString dataFolder = options.DataFolder.isEmpty() ? FindDataFolder() : options.DataFolder;
    // The deck is the longest part of the start: it loads while the window is
    // built.
    Preload = options.Preload;
    if (!Preload) {
        OwnPreload = std::make_unique<StartupPreload>(dataFolder);
        Preload = OwnPreload.get();
    }
    if (!Answers) {
        OwnDialogs = std::make_unique<StandardDialogs>();
        Answers = OwnDialogs.get();
    }

    // The form: a window with a system menu, a minimise and a maximise box
    // (the latter for automatic card sizes; a fixed window cannot grow).
    setWindowTitle(Caption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    BuildMenu();
    // The status bar measures the first text.
    Preload->WaitForFonts();
    BuildStatusBar();
    PlayTimer.setInterval(1000);
    connect(&PlayTimer, &QTimer::timeout, this, &TMainWin::PlayTimerTimer);
    RestartTimer.setInterval(500);
    RestartTimer.setSingleShot(true);
    connect(&RestartTimer, &QTimer::timeout, this, &TMainWin::RestartTimerTimer);
    // While the player drags the window's edge the table keeps its cards,
    // centred; they are fitted once the edge rests.
    FitTimer.setInterval(100);
    FitTimer.setSingleShot(true);
    connect(&FitTimer, &QTimer::timeout, this, &TMainWin::FitCards);

    // Fields. The instance marker is taken once the first frame is up (see
    // below) and never waited for.
    std::memset(&UpdateInfo, 0, sizeof UpdateInfo);
    MsgWin = std::make_unique<TMsgWin>();

    // Ended by the desktop session or through quit() rather than by closing
    // the window: what Exit writes is written all the same.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { WriteSettingsAndStatistics(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { WriteSettingsAndStatistics(); });

    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            AppActivate();
        else if (state == Qt::ApplicationInactive)
            AppDeactivate();
    });

    // Every relative path of the program resolves in its data folder.
    QDir::setCurrent(dataFolder);

    BuildGameTypeMenu();

    // The form's size: a client area of 673 x 448 below the menu.
    resize(FormClientWidth, FormClientHeight);
    SyncLayout();
    resize(FormClientWidth, FormClientHeight + menuBar()->height());

    LoadSettings();
    if (DeckFile.isEmpty())
        DeckFile = StandardDeck;

    QStringList deckProblems;
    {
        WaitWindow wait(MsgWin.get());
        deckProblems = LoadDeck();
        Area = new TableArea(this);
        Table = new GameTable(Area, TheDeck.get(), this);
        Table->SetQuestions(Answers);
        Area->SetTable(Table);
        Area->SetBackgroundSource([this] { return BackgroundPicture.get(); });
        Area->SetOnResized([this] {
            if (IsAutomaticSize() && Game)
                FitTimer.start();
        });
        setCentralWidget(Area);
        SyncLayout();
        Table->ResizeCards(CardWidth, CardHeight);
    }
    if (!deckProblems.isEmpty())
        Tell(QStringLiteral("The deck cannot be loaded.\n\n") + deckProblems.join(QLatin1Char('\n')));

    // Nothing on the first frame needs the instance marker, the about window
    // or the rules window: they are made once it is up (or when first asked
    // for, if that is sooner).
    Table->installEventFilter(new FirstFrameWatcher(
        [this] {
            TakeInstanceMarker();
            MakeSideWindows();
        },
        this));

    SetUpUpdateCheck();

    ApplySizeMode();
    if (!IsAutomaticSize())
        setFixedSize(size());
    SizeWindowToGame = !Storage.RestorePlacement(*this) && IsAutomaticSize();
    RecentDecks.SetEntries(Storage.ReadList(QStringLiteral("RecentDecks")));
    UpdateRecentDecksMenu();
    SaveGameFolder = Storage.ReadString(QStringLiteral("SaveGameDir"));
    OpenGameFolder = Storage.ReadString(QStringLiteral("OpenGameDir"));
}

TMainWin::~TMainWin()
{
    FormDestroy();
    if (MainWin == this)
        MainWin = nullptr;
}

void TMainWin::MakeSideWindows()
{
    if (!AboutWin)
        AboutWin = std::make_unique<TAboutWin>(this);
    if (!RulesWin)
        RulesWin = std::make_unique<TRulesWin>(this);
}

TRulesWin *TMainWin::GetRulesWindow()
{
    MakeSideWindows();
    return RulesWin.get();
}

TAboutWin *TMainWin::GetAboutWindow()
{
    MakeSideWindows();
    return AboutWin.get();
}

void TMainWin::TakeInstanceMarker()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty() || InstanceMutex)
        return;
    InstanceMutex = std::make_unique<QLockFile>(runtime + QStringLiteral("/VekSolitaire.lock"));
    InstanceMutex->setStaleLockTime(0);
    InstanceMutex->tryLock(0);
}

QStringList TMainWin::LoadDeck()
{
    QStringList problems;
    bool loaded = false;
    if (Preload) {
        TheDeck = Preload->TakeDeck(loaded);
        if (Preload->File() != QDir::current().absoluteFilePath(DeckFile)
            || Preload->Size().Width != CardWidth || Preload->Size().Height != CardHeight) {
            loaded = false; // read ahead for other settings: load again
        } else if (!loaded) {
            problems.append(TheDeck->LastError());
        }
        Preload = nullptr;
        OwnPreload.reset();
    }
    if (!TheDeck) { // the deck was taken before: start from an empty one
        TheDeck = std::make_unique<::Deck>();
        loaded = false;
        problems.clear();
    }
    if (!loaded && problems.isEmpty()) {
        loaded = TheDeck->Load(DeckFile);
        if (!loaded)
            problems.append(TheDeck->LastError());
    }
    if (!loaded && DeckFile != StandardDeck) {
        DeckFile = StandardDeck;
        if (!TheDeck->Load(DeckFile))
            problems.append(TheDeck->LastError());
    }
    TheDeck->Resize(CardWidth, CardHeight, devicePixelRatioF());
    return problems;
}

QString TMainWin::FindDataFolder()
{
    return FindDataFolder(QCoreApplication::applicationDirPath());
}

QString TMainWin::FindDataFolder(const QString &programFolder)
{
    const QString &beside = programFolder;
    if (QFileInfo::exists(beside + QStringLiteral("/Decks")))
        return beside;
    const QString installed = QDir::cleanPath(beside + QStringLiteral("/../share/VekSolitaire"));
    if (QFileInfo::exists(installed + QStringLiteral("/Decks")))
        return installed;
    return beside;
}

// ---- The form ----

void TMainWin::BuildMenu()
{
    auto item = [this](QMenu *menu, const QString &caption, const QKeySequence &shortcut, void (TMainWin::*handler)()) {
        QAction *action = menu->addAction(caption);
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const QKeySequence none;

    File1 = menuBar()->addMenu(QStringLiteral("&Game"));
    NewGameMenu = item(File1, QStringLiteral("&New game"), QKeySequence(Qt::CTRL | Qt::Key_N), &TMainWin::NewGameMenuClick);
    Restart = item(File1, QStringLiteral("&Restart"), QKeySequence(Qt::CTRL | Qt::Key_R), &TMainWin::RestartClick);
    File1->addSeparator();
    PauseMenu = item(File1, QStringLiteral("&Pause"), QKeySequence(Qt::CTRL | Qt::Key_P), &TMainWin::PauseMenuClick);
    File1->addSeparator();
    OpenGameMenu = item(File1, QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O), &TMainWin::OpenGameMenuClick);
    SaveGameMenu = item(File1, QStringLiteral("Sa&ve"), QKeySequence(Qt::CTRL | Qt::Key_S), &TMainWin::SaveGameMenuClick);
    SaveAsMenu = item(File1, QStringLiteral("Save &as..."), none, &TMainWin::SaveAsMenuClick);
    File1->addSeparator();
    SuggestMoveMenu = item(File1, QStringLiteral("Suggest a &move"), QKeySequence(Qt::Key_F5), &TMainWin::SuggestMoveMenuClick);
    SuggestMoveMenu->setEnabled(false);
    UndoMenu = item(File1, QStringLiteral("&Undo move"), QKeySequence(Qt::CTRL | Qt::Key_Z), &TMainWin::UndoMenuClick);
    UndoMenu->setEnabled(false);
    File1->addSeparator();
    Statistics1 = item(File1, QStringLiteral("&Statistics..."), QKeySequence(Qt::CTRL | Qt::Key_X), &TMainWin::Statistics1Click);
    File1->addSeparator();
    Exit = item(File1, QStringLiteral("E&xit"), none, &TMainWin::ExitClick);

    Game1 = menuBar()->addMenu(QStringLiteral("&Options"));
    GameTypeMenu = Game1->addMenu(QStringLiteral("Game &type"));
    GameTypeGroup = new QActionGroup(this);
    GameTypeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    Game1->addSeparator();
    ResizeMenu = Game1->addMenu(QStringLiteral("&Cards size"));
    SizeGroup = new QActionGroup(this);
    // The sizes that do not fit the screen say why.
    ResizeMenu->setToolTipsVisible(true);
    // Automatic first, then the sizes smallest first; the tag is the index
    // into CardSizes.
    for (const int tag : {AutomaticSize, 8, 7, 0, 1, 2, 3, 4, 5, 6}) {
        const bool automatic = tag == AutomaticSize;
        const CardSize size = automatic ? CardSize{} : CardSizes[size_t(tag)];
        QAction *action = ResizeMenu->addAction(automatic ? QStringLiteral("&Automatic")
                                                          : QStringLiteral("%1 x %2").arg(size.Width).arg(size.Height));
        action->setData(tag);
        action->setCheckable(true);
        action->setChecked(automatic);
        SizeGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, action](bool checked) { ResizeClick(action, checked); });
        if (automatic)
            ResizeMenu->addSeparator();
    }
    SizeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    Game1->addSeparator();
    Opendeck1 = item(Game1, QStringLiteral("Open &deck..."), QKeySequence(Qt::CTRL | Qt::Key_D), &TMainWin::Opendeck1Click);
    Recentdecks1 = Game1->addMenu(QStringLiteral("&Recent decks"));
    Recentdecks1->setEnabled(false);
    Game1->addSeparator();
    Setbackground1 = item(Game1, QStringLiteral("Set &background..."), none, &TMainWin::Setbackground1Click);
    NoBackground = item(Game1, QStringLiteral("No &background"), none, &TMainWin::NoBackgroundClick);
    NoBackground->setCheckable(true);
    NoBackground->setChecked(true);

    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Rules1 = item(Help1, QStringLiteral("&Rules..."), none, &TMainWin::Rules1Click);
    Rules1->setShortcuts({QKeySequence(Qt::Key_F1), QKeySequence(Qt::Key_Help)});
    Help1->addSeparator();
    About1 = item(Help1, QStringLiteral("&About..."), none, &TMainWin::About1Click);
    Help1->addSeparator();
    Homepage1 = item(Help1, QStringLiteral("&Homepage..."), none, &TMainWin::Homepage1Click);
    Feedback1 = item(Help1, QStringLiteral("&Feedback...."), none, &TMainWin::Feedback1Click);
    Help1->addSeparator();
    AutoUpdateMenu = item(Help1, QStringLiteral("Automatic &updates check"), none, &TMainWin::AutoUpdateMenuClick);
    AutoUpdateMenu->setCheckable(true);
    Checkforupdates1 = item(Help1, QStringLiteral("&Check for updates..."), none, &TMainWin::Checkforupdates1Click);
}

void TMainWin::BuildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(false);
    const int widths[3] = {120, 50, 50};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(bar);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setMinimumWidth(widths[i]);
        if (i < 2)
            panel->setFixedWidth(widths[i]);
        // The status text takes what is left.
        bar->addWidget(panel, i == 2 ? 1 : 0);
        Panels[size_t(i)] = panel;
    }
}

void TMainWin::BuildGameTypeMenu()
{
    for (int position = 0;; ++position) {
        const GameFactory::GameInfo *info = GameFactory::GetGame(position);
        if (!info)
            break;
        QAction *action = GameTypeMenu->addAction(info->name);
        action->setData(info->id);
        action->setCheckable(true);
        GameTypeGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, action](bool checked) { GameTypeMenuClick(action, checked); });
    }
}

void TMainWin::SetUpUpdateCheck()
{
    std::memset(&UpdateInfo, 0, sizeof UpdateInfo);
    UpdateInfo.ProductName = Addresses::ProductName;
    UpdateInfo.UpdateInfoUrl = Addresses::UpdateInfo;
    UpdateInfo.Version = VersionInfo::Program().PackedVersion();
    UpdateInfo.HomePage = Addresses::HomePage;
    UpdateInfo.RegistryKey = Addresses::SettingsKey;
    Update.CheckUpdate(&UpdateInfo, 0);
    AutoUpdateMenu->setChecked(Update.IsEnabled(&UpdateInfo));
}

void TMainWin::SyncLayout()
{
    // Lays out menu, table and status bar for the window's size now, even
    // while the window is hidden, so that the table knows its real size.
    if (QLayout *frame = layout()) {
        frame->invalidate();
        frame->activate();
    }
}

void TMainWin::ApplySizeMode()
{
    const bool automatic = IsAutomaticSize();
    Table->SetSizesWindow(!automatic);
    Area->SetFloating(automatic);
    if (automatic) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else if (isMaximized() || isFullScreen()) {
        showNormal();
    }
}

QSize TMainWin::AvailableArea() const
{
    QSize area = ScreenArea;
    if (area.isEmpty()) {
        const QScreen *shown = screen();
        if (!shown)
            shown = QGuiApplication::primaryScreen();
        if (!shown)
            return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        area = shown->availableGeometry().size();
    }
    // The frame the window manager puts around the window, once it is known.
    return area - (frameGeometry().size() - size());
}

void TMainWin::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // A move alone never refits the cards; a frame that has become known
    // (or changed) since the last fit may need smaller ones.
    if (Game && frameGeometry().size() - size() != FittedFrame)
        QTimer::singleShot(0, this, [this] { SizeUnlock unlock(*this); });
}

QSize TMainWin::TableSizeFor(CardSize size) const
{
    QSize table;
    Game->Guarded([&] { table = Game->TableSizeFor(size.Width, size.Height); });
    return table;
}

void TMainWin::FitCards()
{
    FitTimer.stop();
    // Only the game whose cells are on the table can measure them.
    if (!Game || !Table || Table->GetGame() != Game.get() || Table->GetCellCount() == 0)
        return;
    const CardFit::TableMeasure measure = [this](CardSize size) { return TableSizeFor(size); };
    FittedFrame = frameGeometry().size() - size();
    // Menu and status bar, and for a floating table its outline.
    const QSize chrome = size() - Area->size();
    const QSize outline = IsAutomaticSize() ? QSize(2, 2) : QSize(0, 0);
    const QSize screenRoom = AvailableArea() - chrome - outline;
    std::array<bool, CardSizes.size()> fits{};
    const int fixedTag = CardFit::ChooseFixed(measure, screenRoom, SizeChoice, fits);
    for (size_t tag = 0; tag < CardSizes.size(); ++tag) {
        QAction *item = ItemByTag(ResizeMenu, int(tag));
        item->setEnabled(fits[tag]);
        if (fits[tag]) {
            item->setToolTip(QString());
            continue;
        }
        const QSize needed = measure(CardSizes[tag]) + chrome + outline;
        item->setToolTip(QStringLiteral("Too large for this screen: the window would need %1 x %2 pixels, "
                                        "the screen has room for %3 x %4.")
                             .arg(needed.width())
                             .arg(needed.height())
                             .arg(screenRoom.width() + chrome.width() + outline.width())
                             .arg(screenRoom.height() + chrome.height() + outline.height()));
    }

    CardSize chosen = CardSizes[size_t(fixedTag)];
    if (IsAutomaticSize()) {
        CheckMenuItemByTag(ResizeMenu, AutomaticSize);
        const QSize smallest = measure(CardFit::Proportional(CardFit::SmallestWidth)) + chrome + outline;
        setMinimumSize(smallest.boundedTo(AvailableArea()));
        if (SizeWindowToGame && !isMaximized() && !isFullScreen()) {
            // A first start: the table at the standard size, if it fits.
            SizeWindowToGame = false;
            const QSize standard = measure(CardSizes[0]) + chrome + outline;
            resize(standard.boundedTo(AvailableArea()).expandedTo(minimumSize()));
            SyncLayout();
        }
        chosen = CardFit::ChooseAutomatic(measure, Area->Room());
    } else {
        CheckMenuItemByTag(ResizeMenu, fixedTag);
    }
    if (chosen.Width == CardWidth && chosen.Height == CardHeight)
        return;
    CardWidth = chosen.Width;
    CardHeight = chosen.Height;
    Table->ResizeCards(CardWidth, CardHeight);
}

QSize TMainWin::ClientSize() const
{
    return QSize(width(), height() - menuBar()->height());
}

QString TMainWin::StatusPanelText(int panel) const
{
    return panel >= 0 && panel < 3 ? Panels[size_t(panel)]->text() : QString();
}

QAction *TMainWin::ItemByTag(QMenu *menu, int tag)
{
    for (QAction *action : menu->actions()) {
        if (action->data().isValid() && action->data().toInt() == tag)
            return action;
    }
    return nullptr;
}

void TMainWin::CheckMenuItemByTag(QMenu *menu, int tag)
{
    if (QAction *action = ItemByTag(menu, tag))
        action->setChecked(true);
}

void TMainWin::Tell(const QString &text)
{
    Answers->Tell(this, Caption, text);
}

// ---- The engine's host ----

void TMainWin::SetStatusText(const QString &text)
{
    Panels[2]->setText(text);
}

Picture *TMainWin::GetBackgroundPicture()
{
    return BackgroundPicture.get();
}

void TMainWin::SetUndoEnabled(bool enabled)
{
    UndoMenu->setEnabled(enabled);
}

void TMainWin::SetSuggestMoveEnabled(bool enabled)
{
    // While the player has paused, suggestions stay off whatever the game
    // finds (an undo during the pause finds moves again).
    SuggestMoveMenu->setEnabled(enabled && !(Game && Game->IsPaused() && !AutoPaused));
}

void TMainWin::SetPlayTimerEnabled(bool enabled)
{
    if (enabled)
        PlayTimer.start();
    else
        PlayTimer.stop();
}

bool TMainWin::IsPlayTimerEnabled() const
{
    return PlayTimer.isActive();
}

void TMainWin::StartRestartTimer()
{
    RestartTimer.start();
}

void TMainWin::Beep()
{
    QApplication::beep();
}

void TMainWin::ResetGameStats()
{
    if (Game)
        Game->ResetStats();
}

// ---- Games ----

void TMainWin::DisposeGame()
{
    if (!Game)
        return;
    Game->SaveStatistics();
    Table->SetGame(nullptr);
    Game.reset();
}

void TMainWin::AdoptGame()
{
    Panels[0]->setText(Game->GetName());
    setWindowTitle(Caption + QStringLiteral(" - ") + Game->GetName());
    CheckMenuItemByTag(GameTypeMenu, GameType);
}

void TMainWin::StartCurrentGame()
{
    if (StartGame(GameType, true) || Game)
        return;
    // Start-up always ends with a game: Klondike when the stored one cannot
    // be played.
    if (GameType != 0)
        StartGame(0, true);
}

bool TMainWin::StartGame(int32_t id, bool shuffle)
{
    // The new game is made before the current one goes, so that a game the
    // catalogue cannot create leaves the current one playing.
    std::unique_ptr<CardGame> game;
    try {
        game = GameFactory::CreateGame(id, TheDeck.get(), Table, CardWidth, CardHeight);
    } catch (const std::exception &e) {
        const GameFactory::GameInfo *info = GameFactory::FindGame(id);
        Tell(QStringLiteral("%1 cannot be played: %2")
                 .arg(info ? info->name : QStringLiteral("Game %1").arg(id), QString::fromUtf8(e.what())));
        return false;
    }
    DisposeGame();
    GameType = id;
    Game = std::move(game);
    AdoptGame();
    SetStatusText(QString());
    Table->SetGame(Game.get());
    Game->LoadStatistics();
    {
        SizeUnlock unlock(*this);
        Game->Guarded([&] { Game->NewGame(shuffle); });
    }
    ShowPlayClock();
    // A new game is never paused, whatever the player did to the last one.
    ShowPauseState();
    if (IsRulesWindowVisible())
        Rules1Click();
    return true;
}

void TMainWin::ShowPauseState()
{
    const bool paused = Game && Game->IsPaused();
    PauseMenu->setText(paused ? QStringLiteral("R&esume") : QStringLiteral("&Pause"));
    for (QAction *action : {NewGameMenu, Restart, OpenGameMenu, SaveGameMenu, SaveAsMenu})
        action->setEnabled(!paused);
}

bool TMainWin::OpenDeck(const QString &path)
{
    bool loaded;
    {
        WaitWindow wait(MsgWin.get());
        loaded = TheDeck->Load(path);
        if (loaded)
            TheDeck->Resize(CardWidth, CardHeight, Table->GetPixelRatio());
    }
    if (!loaded) {
        // The deck keeps the pictures it had.
        Tell(QStringLiteral("The deck \"%1\" cannot be loaded.\n\n%2").arg(path, TheDeck->LastError()));
        return false;
    }
    DeckFile = path;
    Table->Invalidate();
    RecentDecks.Add(path);
    UpdateRecentDecksMenu();
    return true;
}

bool TMainWin::SetBackgroundFile(const QString &path)
{
    auto picture = std::make_unique<Picture>();
    QString error;
    // The table tiles the picture: an empty one must never reach it.
    if (!picture->Load(path, &error) || picture->isEmpty() || picture->Bitmap32().isNull()) {
        // The background shown before stays.
        if (!BackgroundPicture)
            NoBackgroundClick();
        Tell(QStringLiteral("The picture \"%1\" cannot be loaded.\n\n%2")
                 .arg(path, error.isEmpty() ? QStringLiteral("It holds no picture.") : error));
        return false;
    }
    BackgroundFile = path;
    NoBackground->setChecked(false);
    BackgroundPicture = std::move(picture);
    if (Table)
        Table->Invalidate();
    return true;
}

void TMainWin::UpdateRecentDecksMenu()
{
    Recentdecks1->clear();
    const QStringList &entries = RecentDecks.Entries();
    for (int i = 0; i < entries.size(); ++i) {
        const QString file = entries[i];
        QAction *action = Recentdecks1->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(file));
        connect(action, &QAction::triggered, this, [this, file] { RecentDecksClick(file); });
    }
    Recentdecks1->setEnabled(!entries.isEmpty());
}

// ---- Form events ----

void TMainWin::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!Shown) {
        Shown = true;
        // On another screen other sizes may fit.
        if (QWindow *handle = windowHandle())
            connect(handle, &QWindow::screenChanged, this, [this] { SizeUnlock unlock(*this); });
        FormShow();
    }
}

void TMainWin::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TMainWin::FormShow()
{
    StartCurrentGame();
    if (!Game) {
        Tell(QStringLiteral("No game can be played."));
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TMainWin::FormClose()
{
    // The rules window keeps its place for the next run.
    if (RulesWin)
        RulesWin->close();
    if (AboutWin)
        AboutWin->close();
    WriteSettingsAndStatistics();
}

void TMainWin::WriteSettingsAndStatistics()
{
    if (Destroyed)
        return;
    SaveSettings();
    Storage.SavePlacement(*this);
    Storage.WriteList(QStringLiteral("RecentDecks"), RecentDecks.Entries());
    Storage.WriteString(QStringLiteral("SaveGameDir"), SaveGameFolder);
    Storage.WriteString(QStringLiteral("OpenGameDir"), OpenGameFolder);
    if (Game)
        Game->SaveStatistics();
}

void TMainWin::ShowPlayClock()
{
    const uint32_t seconds = Game ? Game->GetElapsedTime() : 0;
    Panels[1]->setText(seconds ? PlayClockText(seconds) : QString());
}

void TMainWin::FormDestroy()
{
    if (Destroyed)
        return;
    Destroyed = true;
    Update.CleanUp(&UpdateInfo);
    PlayTimer.stop();
    RestartTimer.stop();
    DisposeGame();
    // The table's cards point into the deck: the table goes first.
    delete Table;
    Table = nullptr;
    BackgroundPicture.reset();
    TheDeck.reset();
    MsgWin.reset();
    RulesWin.reset();
    AboutWin.reset();
}

// ---- Menu handlers ----

void TMainWin::NewGameMenuClick()
{
    if (!Game || !Answers->AskYesNo(this, Caption, QStringLiteral("Do you really want to start a new game?")))
        return;
    {
        SizeUnlock unlock(*this);
        Game->Guarded([&] { Game->NewGame(true); });
    }
    ShowPlayClock();
    GameFile.clear();
}

void TMainWin::RestartClick()
{
    if (!Game || !Answers->AskYesNo(this, Caption, QStringLiteral("Do you really want to restart the game?")))
        return;
    {
        SizeUnlock unlock(*this);
        Game->Guarded([&] { Game->NewGame(false); });
    }
    ShowPlayClock();
}

void TMainWin::PauseMenuClick()
{
    if (!Game)
        return;
    const bool paused = !Game->IsPaused();
    Game->SetPaused(paused);
    SuggestMoveMenu->setEnabled(!paused);
    ShowPauseState();
}

Dialogs::FileRequest TMainWin::GameFileRequest(const QString &title, const QString &folder) const
{
    return {title, StartFolder(folder), GameFilter, QStringLiteral("veksol")};
}

QString TMainWin::StartFolder(const QString &remembered)
{
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    // Made on first use; if it cannot be made the dialog starts where it likes.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/Saved games");
    return QDir().mkpath(folder) ? folder : QString();
}

void TMainWin::RememberGameFolder(const QString &file)
{
    // Saving and opening share the folder that last worked.
    SaveGameFolder = OpenGameFolder = QFileInfo(file).absolutePath();
}

void TMainWin::OpenGameMenuClick()
{
    const QString file = Answers->OpenFile(this, GameFileRequest(QStringLiteral("Open a game"), OpenGameFolder));
    if (file.isEmpty())
        return;
    // The counts of the current game are stored first, so that a saved game
    // of the same kind starts from them.
    if (Game)
        Game->SaveStatistics();
    std::unique_ptr<CardGame> resumed;
    QString error;
    try {
        SizeUnlock unlock(*this);
        resumed = GameFactory::ResumeGame(file, TheDeck.get(), Table, CardWidth, CardHeight, &error);
    } catch (const std::exception &e) {
        error = GameFactory::CannotResumeMessage() + QStringLiteral("\n\n") + QString::fromUtf8(e.what());
    }
    if (!resumed) {
        // The table and the current game are as they were.
        if (Game)
            Table->SetGame(Game.get());
        Tell(error.isEmpty() ? GameFactory::CannotResumeMessage() : error);
        return;
    }
    Game.reset();
    Game = std::move(resumed);
    GameType = Game->GetGameId();
    {
        // The resumed game's table is measured now that it is the current one.
        SizeUnlock unlock(*this);
    }
    AdoptGame();
    SetUndoEnabled(Game->GetUndoCount() > 0);
    SetSuggestMoveEnabled(Game->GetPossibleMoveCount() > 0);
    ShowPauseState();
    ShowPlayClock();
    GameFile = file;
    RememberGameFolder(file);
    if (IsRulesWindowVisible())
        Rules1Click();
}

void TMainWin::SaveGameMenuClick()
{
    if (GameFile.isEmpty()) {
        SaveAsMenuClick();
        return;
    }
    if (!Game)
        return;
    QString error;
    if (!GameFactory::SaveGameFile(*Game, GameFile, &error))
        Tell(QStringLiteral("The game cannot be saved to \"%1\".\n\n%2").arg(GameFile, error));
}

void TMainWin::SaveAsMenuClick()
{
    if (!Game)
        return;
    const QString file = Answers->SaveFile(this, GameFileRequest(QStringLiteral("Save the game"), SaveGameFolder));
    if (file.isEmpty())
        return;
    QString error;
    if (!GameFactory::SaveGameFile(*Game, file, &error)) {
        // "Sa&ve" keeps asking until a file has been written.
        Tell(QStringLiteral("The game cannot be saved to \"%1\".\n\n%2").arg(file, error));
        return;
    }
    GameFile = file;
    RememberGameFolder(file);
}

void TMainWin::SuggestMoveMenuClick()
{
    if (Game)
        Game->Guarded([&] { Game->SuggestMove(); });
}

void TMainWin::UndoMenuClick()
{
    if (!Game)
        return;
    SizeUnlock unlock(*this);
    Game->Guarded([&] { Game->Undo(); });
}

void TMainWin::Statistics1Click()
{
    // The statistics window shows the counts as they are now.
    if (Game)
        Game->SaveStatistics();
    ShowStatisticsWindow();
}

void TMainWin::ExitClick()
{
    close();
}

void TMainWin::GameTypeMenuClick(QAction *item, bool checkedNow)
{
    if (!checkedNow) {
        // It was checked already: nothing happens.
        item->setChecked(true);
        return;
    }
    if (StartGame(item->data().toInt(), true))
        GameFile.clear();
    else
        CheckMenuItemByTag(GameTypeMenu, GameType);
}

void TMainWin::ResizeClick(QAction *item, bool checkedNow)
{
    if (!checkedNow) {
        item->setChecked(true);
        return;
    }
    const int tag = item->data().toInt();
    if (tag < 0 || tag > AutomaticSize)
        return;
    SizeChoice = tag;
    ApplySizeMode();
    WaitWindow wait(MsgWin.get());
    SizeUnlock unlock(*this);
    // Automatic sizing fits the cards to the window as the unlock ends.
    if (tag != AutomaticSize) {
        CardWidth = CardSizes[size_t(tag)].Width;
        CardHeight = CardSizes[size_t(tag)].Height;
        Table->ResizeCards(CardWidth, CardHeight);
    }
}

void TMainWin::Opendeck1Click()
{
    const QString file = Answers->OpenFile(this, {QStringLiteral("Choose a deck - VekSolitaire"),
                                                  QDir::current().absoluteFilePath(QStringLiteral("Decks")),
                                                  DeckFilter, QString()});
    if (!file.isEmpty())
        OpenDeck(file);
}

void TMainWin::RecentDecksClick(const QString &file)
{
    // An entry that no longer loads leaves the list.
    if (!OpenDeck(file)) {
        RecentDecks.Remove(file);
        UpdateRecentDecksMenu();
    }
}

void TMainWin::Setbackground1Click()
{
    const QString file = Answers->OpenFile(this, {QStringLiteral("Load picture"), QString(), PictureFilter, QString()});
    if (!file.isEmpty())
        SetBackgroundFile(file);
}

void TMainWin::NoBackgroundClick()
{
    NoBackground->setChecked(true);
    BackgroundFile.clear();
    BackgroundPicture.reset();
    if (Table)
        Table->Invalidate();
}

void TMainWin::Rules1Click()
{
    ShowRulesWindow();
}

void TMainWin::About1Click()
{
    ShowAboutWindow();
}

void TMainWin::Homepage1Click()
{
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(Addresses::HomePage)));
}

void TMainWin::Feedback1Click()
{
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(Addresses::FeedbackMail)));
}

void TMainWin::AutoUpdateMenuClick()
{
    // The click has toggled the check mark already.
    Update.EnableUpdate(&UpdateInfo, AutoUpdateMenu->isChecked());
}

void TMainWin::Checkforupdates1Click()
{
    Update.CheckUpdate(&UpdateInfo, 1);
}

// ---- Timers and activation ----

void TMainWin::PlayTimerTimer()
{
    // The clock stands still while the game is paused.
    if (!Game || Game->IsPaused())
        return;
    uint32_t seconds = 0;
    if (Game->Guarded([&] { seconds = Game->Tick(); }))
        Panels[1]->setText(PlayClockText(seconds));
}

void TMainWin::RestartTimerTimer()
{
    RestartTimer.stop();
    if (!Game)
        return;
    {
        SizeUnlock unlock(*this);
        Game->Guarded([&] { Game->NewGame(true); });
    }
    ShowPlayClock();
    GameFile.clear();
}

void TMainWin::AppDeactivate()
{
    if (Game && !Game->IsPaused()) {
        Game->SetPaused(true);
        AutoPaused = true;
    }
}

void TMainWin::AppActivate()
{
    if (!AutoPaused)
        return;
    AutoPaused = false;
    if (Game)
        Game->SetPaused(false);
}

// ---- The statistics, rules and about windows ----

void TMainWin::ShowStatisticsWindow()
{
    // Modal, made for this showing only; the play clock goes on meanwhile.
    TStatsWin window(this, Answers);
    window.exec();
}

void TMainWin::ShowRulesWindow()
{
    MakeSideWindows();
    if (!Game)
        return;
    QString error;
    if (!RulesWin->LoadRules(Game->GetName(), &error)) {
        Tell(error);
        return;
    }
    RulesWin->ShowOver(*this);
    RulesWin->raise();
    RulesWin->activateWindow();
}

bool TMainWin::IsRulesWindowVisible() const
{
    return RulesWin && RulesWin->isVisible();
}

void TMainWin::ShowAboutWindow()
{
    MakeSideWindows();
    AboutWin->show();
    AboutWin->raise();
    AboutWin->activateWindow();
}
