// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The settings read at start: the input is the registry file, and everything
// the program reads from it before its first frame is read — the card size
// and deck the read-ahead uses, the main window's settings, placement, folders
// and recent decks, and the statistics of every game.
#include <memory>

#include <QDir>
#include <QWidget>

#include "BasicHost.h"
#include "CardGame.h"
#include "Deck.h"
#include "FormStorage.h"
#include "FuzzSupport.h"
#include "GameFactory.h"
#include "GameTable.h"
#include "Main.h"
#include "Registry.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    VekFuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Deck deck;
    static BasicHost host;
    static VekFuzz::QuietQuestions answers;
    static GameTable table(nullptr, &deck, &host);
    table.SetQuestions(&answers);
    // A fresh folder for every input: the settings library keeps files it
    // has read and might take a rewritten one for the same.
    static int round = 0;
    const QString config = QStringLiteral("config%1").arg(++round);
    QDir(VekFuzz::Folder().filePath(QStringLiteral("config%1").arg(round - 1))).removeRecursively();
    QDir().mkpath(VekFuzz::Folder().filePath(config + QStringLiteral("/VekSoftware")));
    VekFuzz::WriteInput(config + QStringLiteral("/VekSoftware/registry.ini"), data, size);
    qputenv("XDG_CONFIG_HOME", VekFuzz::Folder().filePath(config).toLocal8Bit());

    TMainWin::StoredDeckFile();
    TMainWin::StoredCardSize();
    Registry registry;
    if (registry.OpenKey(QStringLiteral("Software\\VekSoftware\\VekSolitaire"), false)) {
        int32_t value = 0;
        registry.ReadInteger(QStringLiteral("Game"), value);
        registry.ReadString(QStringLiteral("Background"));
    }
    FormStorage storage(QStringLiteral("VekSoftware\\VekSolitaire\\Forms\\MainWin"));
    QWidget window;
    storage.RestorePlacement(window);
    storage.ReadString(QStringLiteral("SaveGameDir"));
    RecentFiles recent;
    recent.SetEntries(storage.ReadList(QStringLiteral("RecentDecks")));
    for (int position = 0; position < GameFactory::GameCount; ++position) {
        const GameFactory::GameInfo *info = GameFactory::GetGame(position);
        if (!info || !info->creator)
            continue;
        std::unique_ptr<CardGame> game = GameFactory::CreateGame(info->id, &deck, &table, 88, 130);
        game->LoadStatistics();
    }
    return 0;
}
