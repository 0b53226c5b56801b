// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>

#include <QBuffer>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "GameFactory.h"
#include "Klondike.h"
#include "SavedGame.h"

using namespace EngineTest;

TEST(GameFactory, CatalogueInMenuOrder)
{
    struct Entry {
        const char *name;
        int id;
    };
    // "Rouge et Noir" stands before "Putt Putt".
    const Entry expected[] = {
        {"Baker's Dozen", 10}, {"Black Hole", 22},     {"Canfield", 6},       {"Chinese Solitaire", 25},
        {"Cruel", 24},         {"Diplomat", 5},        {"Eagle Wing", 11},    {"Forty Thieves", 7},
        {"Free Cell", 1},      {"Golf", 20},           {"Josephine", 8},      {"Klondike", 0},
        {"La Belle Lucie", 16}, {"Monte Carlo", 3},    {"Mount Sunflower", 23}, {"Pyramid", 4},
        {"Rouge et Noir", 13}, {"Putt Putt", 21},      {"Scorpion", 14},      {"Seahaven", 12},
        {"Spider", 2},         {"St Helena", 18},      {"Streets", 9},        {"Trefoil", 17},
        {"Wasp", 19},          {"Yukon", 15},
    };
    // The window enumerates until it gets none.
    int position = 0;
    while (const GameFactory::GameInfo *game = GameFactory::GetGame(position)) {
        ASSERT_LT(position, 26);
        EXPECT_EQ(game->name, QString::fromUtf8(expected[position].name)) << position;
        EXPECT_EQ(game->id, expected[position].id) << position;
        EXPECT_EQ(GameFactory::FindGame(game->id), game) << position;
        ++position;
    }
    EXPECT_EQ(position, 26);
}

TEST(GameFactory, LookUps)
{
    ASSERT_NE(GameFactory::FindGame(0), nullptr);
    EXPECT_EQ(GameFactory::FindGame(0)->name, QStringLiteral("Klondike"));
    ASSERT_NE(GameFactory::FindGame(25), nullptr);
    EXPECT_EQ(GameFactory::FindGame(25)->name, QStringLiteral("Chinese Solitaire"));
    for (int id : {26, -1, 1000})
        EXPECT_EQ(GameFactory::FindGame(id), nullptr) << id;
    for (int position : {26, -1, -26, 1 << 30})
        EXPECT_EQ(GameFactory::GetGame(position), nullptr) << position;
    EXPECT_EQ(GameFactory::GetGame(16)->name, QStringLiteral("Rouge et Noir"));
    EXPECT_EQ(GameFactory::GetGame(17)->name, QStringLiteral("Putt Putt"));
}

TEST(GameFactory, UnknownIdIsUnimplemented)
{
    Deck deck;
    GameTable table(nullptr, &deck);
    for (int id : {26, -1}) {
        try {
            GameFactory::CreateGame(id, &deck, &table, 88, 130);
            ADD_FAILURE() << id;
        } catch (const GameFactory::UnimplementedGame &e) {
            EXPECT_STREQ(e.what(), "Unimplemented game");
        }
    }
}

// Every game of the catalogue is created with its id and its own name (a
// game derived from another has its own name, which keys its statistics),
// or, while it is not built, raises "Unimplemented game". Every built game
// can be dealt, saved and resumed into the same bytes.
TEST(GameFactory, EveryGameIsCreatedDealtSavedAndResumed)
{
    Deck deck;
    FillDeck(deck, 88, 130);
    BasicHost host;
    ScriptedQuestions answers;
    GameTable table(nullptr, &deck, &host);
    table.SetQuestions(&answers);
    table.ResizeCards(88, 130);
    int built = 0;
    for (int position = 0; position < GameFactory::GameCount; ++position) {
        const GameFactory::GameInfo *info = GameFactory::GetGame(position);
        std::unique_ptr<CardGame> game;
        try {
            game = GameFactory::CreateGame(info->id, &deck, &table, 88, 130);
        } catch (const GameFactory::UnimplementedGame &e) {
            EXPECT_EQ(info->creator, nullptr) << info->name.toStdString();
            EXPECT_STREQ(e.what(), "Unimplemented game");
            continue;
        }
        ++built;
        SCOPED_TRACE(info->name.toStdString());
        EXPECT_EQ(game->GetGameId(), info->id);
        EXPECT_EQ(game->GetName(), info->name);
        EXPECT_TRUE(game->StatisticsKey().endsWith(QStringLiteral("\\Games\\") + info->name));

        table.SetGame(game.get());
        srand(99);
        game->NewGame(true);
        QByteArray first;
        {
            QBuffer out(&first);
            out.open(QIODevice::WriteOnly);
            game->SaveGame(out);
        }
        QBuffer in(&first);
        in.open(QIODevice::ReadOnly);
        game->PrepareForLoad();
        ASSERT_TRUE(game->LoadGame(in));
        QByteArray second;
        {
            QBuffer out(&second);
            out.open(QIODevice::WriteOnly);
            game->SaveGame(out);
        }
        EXPECT_EQ(second, first);
        table.SetGame(nullptr);
        game.reset();
        table.Clear();
    }
    EXPECT_GE(built, 1);
    EXPECT_NE(GameFactory::FindGame(0)->creator, nullptr);
}
