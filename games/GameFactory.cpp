// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameFactory.h"

#include <array>

#include "BakersDozen.h"
#include "BlackHole.h"
#include "CardGame.h"
#include "Canfield.h"
#include "Golf.h"
#include "Klondike.h"
#include "MonteCarlo.h"
#include "Pyramid.h"
#include "FreeCell.h"
#include "SeaHaven.h"
#include "Spider.h"
#include "Diplomat.h"
#include "EagleWing.h"
#include "FortyThieves.h"

namespace GameFactory {

namespace {

template <class Game>
std::unique_ptr<CardGame> create(Deck *deck, GameTable *table, int cardWidth, int cardHeight)
{
    return std::make_unique<Game>(deck, table, cardWidth, cardHeight);
}

// Menu order: alphabetical except that "Rouge et Noir" stands before
// "Putt Putt". The ids are not in that order.
const std::array<GameInfo, GameCount> &catalogue()
{
    static const std::array<GameInfo, GameCount> games = {{
        {QStringLiteral("Baker's Dozen"), 10, create<BakersDozen>},
        {QStringLiteral("Black Hole"), 22, create<BlackHole>},
        {QStringLiteral("Canfield"), 6, create<Canfield>},
        {QStringLiteral("Chinese Solitaire"), 25, nullptr},
        {QStringLiteral("Cruel"), 24, nullptr},
        {QStringLiteral("Diplomat"), 5, create<Diplomat>},
        {QStringLiteral("Eagle Wing"), 11, create<EagleWing>},
        {QStringLiteral("Forty Thieves"), 7, create<FortyThieves>},
        {QStringLiteral("Free Cell"), 1, create<FreeCell>},
        {QStringLiteral("Golf"), 20, create<Golf>},
        {QStringLiteral("Josephine"), 8, create<Josephine>},
        {QStringLiteral("Klondike"), 0, create<Klondike>},
        {QStringLiteral("La Belle Lucie"), 16, nullptr},
        {QStringLiteral("Monte Carlo"), 3, create<MonteCarlo>},
        {QStringLiteral("Mount Sunflower"), 23, nullptr},
        {QStringLiteral("Pyramid"), 4, create<Pyramid>},
        {QStringLiteral("Rouge et Noir"), 13, nullptr},
        {QStringLiteral("Putt Putt"), 21, create<PuttPutt>},
        {QStringLiteral("Scorpion"), 14, nullptr},
        {QStringLiteral("Seahaven"), 12, create<SeaHaven>},
        {QStringLiteral("Spider"), 2, create<Spider>},
        {QStringLiteral("St Helena"), 18, nullptr},
        {QStringLiteral("Streets"), 9, create<Streets>},
        {QStringLiteral("Trefoil"), 17, nullptr},
        {QStringLiteral("Wasp"), 19, nullptr},
        {QStringLiteral("Yukon"), 15, nullptr},
    }};
    return games;
}

} // namespace

const GameInfo *FindGame(int32_t id)
{
    for (const GameInfo &game : catalogue())
        if (game.id == id)
            return &game;
    return nullptr;
}

const GameInfo *GetGame(int position)
{
    if (unsigned(position) >= unsigned(GameCount))
        return nullptr;
    return &catalogue()[size_t(position)];
}

std::unique_ptr<CardGame> CreateGame(int32_t id, Deck *deck, GameTable *table, int cardWidth, int cardHeight)
{
    const GameInfo *info = FindGame(id);
    if (!info || !info->creator)
        throw UnimplementedGame();
    std::unique_ptr<CardGame> game = info->creator(deck, table, cardWidth, cardHeight);
    game->SetGameId(info->id);
    return game;
}

} // namespace GameFactory
