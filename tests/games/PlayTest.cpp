// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Every game the factory creates, dealt from fixed seeds and played with
// random mouse actions (drags of any card onto any cell, the game's own
// suggestions, clicks, double-clicks) and undo, the table checked after each.
// A longer run by hand:
//   VEK_PLAY_SEEDS=20 VEK_PLAY_ACTIONS=2000 tests/games_play_tests
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>

#include <QBuffer>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include "BakersDozen.h"
#include "BlackHole.h"
#include "Canfield.h"
#include "ChineseSolitaire.h"
#include "Cruel.h"
#include "Diplomat.h"
#include "EagleWing.h"
#include "FortyThieves.h"
#include "FreeCell.h"
#include "GameFactory.h"
#include "Golf.h"
#include "Klondike.h"
#include "LaBelleLucie.h"
#include "MonteCarlo.h"
#include "MountSunflower.h"
#include "PairGamesSupport.h"
#include "Pyramid.h"
#include "RougeEtNoir.h"
#include "Rules.h"
#include "SavedGame.h"
#include "Spider.h"
#include "StHelena.h"
#include "Yukon.h"

namespace {

// ---- The foundations of each game: a game that lands later adds its entry ----

using Pile = std::vector<const Card *>;

struct Foundations {
    int32_t gameId;
    std::vector<int> cells;
    // Is the pile (bottom first) a sequence the rules build there?
    std::function<bool(const Pile &)> legal;
    // Is the deal won as it lies? Null: every card lies on a foundation.
    std::function<bool(const GameTable &)> complete;
    int cards = 0; // on the table; 0: 52 for each deck shuffled
};

// From the Ace up in one suit; with wholeRuns, any number of whole runs.
std::function<bool(const Pile &)> UpBySuit(bool wholeRuns)
{
    return [wholeRuns](const Pile &pile) {
        for (size_t i = 0; i < pile.size(); ++i) {
            if (pile[i]->GetValue() != int(i % 13) + 1 || !Rules::SameSuit(pile[i], pile[i - i % 13]))
                return false;
        }
        return wholeRuns ? pile.size() % 13 == 0 : pile.size() <= 13;
    };
}

// Up in one suit from whatever rank the first card has, round from King to
// Ace, at most thirteen cards.
bool UpBySuitRound(const Pile &pile)
{
    for (size_t i = 1; i < pile.size(); ++i) {
        if (pile[i]->GetValue() != pile[i - 1]->GetValue() % 13 + 1 || !Rules::SameSuit(pile[i], pile[0]))
            return false;
    }
    return pile.size() <= 13;
}

// Up from the Ace or down from the King, in one suit.
bool UpOrDownBySuit(const Pile &pile)
{
    const bool up = pile[0]->GetValue() == 1;
    for (size_t i = 0; i < pile.size(); ++i) {
        if (pile[i]->GetValue() != (up ? int(i) + 1 : 13 - int(i)) || !Rules::SameSuit(pile[i], pile[0]))
            return false;
    }
    return pile.size() <= 13;
}

// Up from the Ace in one colour; or, on a run pile, whole runs from the King
// down to the Ace in alternating colours.
bool ByColourOrWholeRuns(const Pile &pile)
{
    if (pile[0]->GetValue() == 1) {
        for (size_t i = 0; i < pile.size(); ++i) {
            if (pile[i]->GetValue() != int(i) + 1 || pile[i]->GetColor() != pile[0]->GetColor())
                return false;
        }
        return pile.size() <= 13;
    }
    for (size_t i = 0; i < pile.size(); ++i) {
        if (pile[i]->GetValue() != 13 - int(i % 13) || (i % 13 && pile[i]->GetColor() == pile[i - 1]->GetColor()))
            return false;
    }
    return pile.size() % 13 == 0;
}

bool KingsAndThirteens(const Pile &pile)
{
    for (size_t i = 0; i < pile.size(); ++i) {
        if (!Rules::IsKing(pile[i]) && (++i >= pile.size() || pile[i - 1]->GetValue() + pile[i]->GetValue() != 13))
            return false;
    }
    return true;
}

bool EqualPairs(const Pile &pile)
{
    for (size_t i = 0; i < pile.size(); i += 2) {
        if (i + 1 >= pile.size() || pile[i]->GetValue() != pile[i + 1]->GetValue())
            return false;
    }
    return true;
}

bool ChainFromAceOfSpades(const Pile &pile)
{
    for (size_t i = 1; i < pile.size(); ++i) {
        if (!Rules::WrappingNeighbours(pile[i], pile[i - 1]))
            return false;
    }
    return Rules::IsAce(pile[0]) && pile[0]->GetSuit() == Spades;
}

bool GolfColumnsEmpty(const GameTable &table)
{
    for (int i = Golf::FirstColumn; i <= Golf::LastColumn; ++i) {
        if (table.GetCell(i)->GetCount() > 0)
            return false;
    }
    return true;
}

std::vector<int> Range(int first, int count)
{
    std::vector<int> cells;
    for (int i = 0; i < count; ++i)
        cells.push_back(first + i);
    return cells;
}

const Foundations *FoundationsOf(int32_t id)
{
    // Catalogue ids: Klondike 0, Free Cell 1, Spider 2, Monte Carlo 3,
    // Pyramid 4, Diplomat 5, Canfield 6, Forty Thieves 7, Josephine 8,
    // Streets 9, Baker's Dozen 10, Eagle Wing 11, Seahaven 12, Rouge et Noir
    // 13, Yukon 15, La Belle Lucie 16, Trefoil 17, St Helena 18, Golf 20,
    // Putt Putt 21, Black Hole 22, Mount Sunflower 23, Cruel 24, Chinese
    // Solitaire 25.
    static const std::vector<Foundations> games = {
        {0, Range(Klondike::FirstFoundation, 4), UpBySuit(false), nullptr},
        {1, Range(FreeCell::FirstFoundation, 4), UpBySuit(false), nullptr},
        {2, {Spider::Completed}, UpBySuit(true), nullptr, Spider::CardTotal},
        {3, {MonteCarlo::Removed}, EqualPairs, nullptr},
        {4, {Pyramid::Removed}, KingsAndThirteens, nullptr},
        {5, Range(Diplomat::FirstFoundation, 8), UpBySuit(false), nullptr},
        {12, Range(FreeCell::FirstFoundation, 4), UpBySuit(false), nullptr},
        // The discard pile takes the stock's cards too: no sequence to check.
        {20, {}, nullptr, GolfColumnsEmpty},
        {21, {}, nullptr, GolfColumnsEmpty},
        {22, {BlackHole::Hole}, ChainFromAceOfSpades, nullptr},
        {6, Range(Canfield::FirstFoundation, 4), UpBySuitRound, nullptr},
        {7, Range(FortyThieves::FirstFoundation, 8), UpBySuit(false), nullptr},
        {8, Range(FortyThieves::FirstFoundation, 8), UpBySuit(false), nullptr},
        {9, Range(FortyThieves::FirstFoundation, 8), UpBySuit(false), nullptr},
        {10, Range(BakersDozen::FirstFoundation, 4), UpBySuit(false), nullptr},
        {11, Range(EagleWing::FirstFoundation, 4), UpBySuitRound, nullptr},
        {13, Range(RougeEtNoir::FirstFoundation, 8), ByColourOrWholeRuns, nullptr},
        {15, Range(Yukon::FirstFoundation, 4), UpBySuit(false), nullptr},
        {16, Range(LaBelleLucie::FirstFoundation, 4), UpBySuit(false), nullptr},
        {17, Range(LaBelleLucie::FirstFoundation, 4), UpBySuit(false), nullptr},
        {18, Range(StHelena::FirstAceFoundation, 8), UpOrDownBySuit, nullptr},
        {23, Range(MountSunflower::FirstFoundation, 4), UpBySuit(false), nullptr},
        {24, Range(Cruel::FirstFoundation, 4), UpBySuit(false), nullptr},
        {25, Range(ChineseSolitaire::FirstFoundation, 4), UpBySuit(false), nullptr},
        // Scorpion (14) and Wasp (19) build in their columns: no foundations.
    };
    for (const Foundations &f : games) {
        if (f.gameId == id)
            return &f;
    }
    return nullptr;
}

// ---- The player ----

int EnvCount(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// The standing status line (what shows once a message has expired); none
// while a message of the last action still shows.
std::optional<QString> StandingStatus(CardGame &game, BasicHost &host)
{
    const QString shown = host.StatusText, probe = QStringLiteral("\x01");
    host.StatusText = probe;
    game.ShowStatus();
    std::optional<QString> standing;
    if (host.StatusText != probe)
        standing = host.StatusText;
    host.StatusText = shown;
    return standing;
}

struct Snapshot {
    QByteArray bytes; // the position without the deal's serial and clock
    std::optional<QString> status;
};

struct Figures {
    int actions = 0, moves = 0, undos = 0, resumes = 0, checks = 0, wins = 0;
};

struct Spot {
    int cell;
    int index;
};

class Player {
public:
    Player(int32_t id, unsigned seed, Figures &figures)
        : Game(id, seed)
        , Rules(FoundationsOf(id))
        , Random(seed * 7919u + unsigned(id))
        , Count(figures)
    {
        Game.Answers.Answer = false; // "play again?" No: play goes on
    }

    // The first fault found, with the action that showed it; empty if none.
    std::string Play(int actions)
    {
        if (std::string fault = CheckTable(); !fault.empty())
            return "after the deal: " + fault;
        for (int i = 0; i < actions; ++i) {
            const Snapshot before = Take();
            const int steps = Game.Game->GetUndoCount();
            const qsizetype ends = Game.Answers.Captions.size();
            const bool undo = Pick(5) == 0;
            std::string fault;
            const std::string what = undo ? Undo(before, fault) : Act();
            ++Count.actions;
            const bool ended = Game.Answers.Captions.size() > ends;
            for (const auto &check : {std::function<std::string()>([&] { return fault; }),
                                      std::function<std::string()>([&] { return CheckTable(); }),
                                      std::function<std::string()>([&] { return CheckSteps(undo, steps, before, ended); }),
                                      std::function<std::string()>([&] { return CheckEnd(ends); }),
                                      std::function<std::string()>([&] { return CheckResume(); })}) {
                ++Count.checks;
                if (std::string found = check(); !found.empty())
                    return "action " + std::to_string(i) + " (" + what + "): " + found;
            }
            if (!undo && Game.Game->GetUndoCount() > steps)
                ++Count.moves;
        }
        return {};
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(Random); }
    TableCell *Cell(int index) const { return Game.Cell(index); }

    Snapshot Take()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        Game.Game->SaveGame(buffer);
        QByteArray bytes = buffer.data();
        bytes.replace(0, 8, QByteArray(8, '\0'));
        return {bytes, StandingStatus(*Game.Game, Game.Host)};
    }

    // Every card a press can land on: top cards, and those of fanned cells.
    std::vector<Spot> Pickable() const
    {
        Game.Table->ArrangeCells();
        std::vector<Spot> spots;
        for (int c = 0; c < Game.Table->GetCellCount(); ++c) {
            for (int i = 0; Cell(c)->GetKind() != CellKind::Hidden && i < Cell(c)->GetCount(); ++i) {
                if (Cell(c)->GetWrapper(i)->IsVisible() && (i == Cell(c)->GetCount() - 1 || Cell(c)->IsFanned()))
                    spots.push_back({c, i});
            }
        }
        return spots;
    }

    // A point on the part of the card that shows.
    QPoint PressPoint(Spot spot) const
    {
        const TableCell *cell = Cell(spot.cell);
        const CardWrapper *card = cell->GetWrapper(spot.index);
        if (spot.index == cell->GetCount() - 1)
            return card->Rect().center();
        return card->Position()
            + QPoint(cell->GetDX() > 0 ? cell->GetDX() / 2 : card->Width() / 2,
                     cell->GetDY() > 0 ? cell->GetDY() / 2 : card->Height() / 2);
    }

    // Drags the card so that its corner lands `off` from where a card put
    // onto the target lines up.
    void Drag(Spot from, int target, QPoint off)
    {
        const TableCell *cell = Cell(target);
        const CardWrapper *top = cell->GetWrapper(-1);
        const QPoint corner = top && top->IsVisible() ? top->Position() + QPoint(cell->GetDX(), cell->GetDY())
                                                      : QPoint(cell->GetX(), cell->GetY());
        const QPoint press = PressPoint(from);
        const QPoint by = corner + off - Cell(from.cell)->GetWrapper(from.index)->Position();
        EngineTest::Press(Game.Table.get(), press);
        EngineTest::MoveTo(Game.Table.get(), press + by / 2);
        EngineTest::MoveTo(Game.Table.get(), press + by);
        EngineTest::Release(Game.Table.get(), press + by);
    }

    static std::string Name(const char *verb, Spot spot)
    {
        return std::string(verb) + " card " + std::to_string(spot.index) + " of cell " + std::to_string(spot.cell);
    }

    std::string Act()
    {
        GameTable *table = Game.Table.get();
        const std::vector<Spot> cards = Pickable();
        const int kind = Pick(20);
        if (kind < 6 && Game.Game->GetPossibleMoveCount() > 0) {
            // A suggestion played with the mouse (copied: every action
            // finds the list again).
            const PossibleMove move = *Game.Game->GetPossibleMove(Pick(Game.Game->GetPossibleMoveCount()));
            const int from = Game.Table->IndexOfCell(move.GetFrom()), to = Game.Table->IndexOfCell(move.GetTo());
            const int fromTop = move.GetFrom()->GetCount() - 1, toTop = move.GetTo()->GetCount() - 1;
            if (move.IsPair() && fromTop >= 0 && toTop >= 0 && Pick(2) == 0) {
                EngineTest::Click(table, PressPoint({from, fromTop}));
                if (to != from && Cell(to)->GetCount() == toTop + 1)
                    EngineTest::Click(table, PressPoint({to, toTop}));
                return "suggested pair of cells " + std::to_string(from) + " and " + std::to_string(to);
            }
            const Spot spot{from, move.IsPair() ? fromTop : move.GetIndex()};
            if (spot.index < 0 || spot.index > fromTop)
                return "nothing";
            Drag(spot, to, QPoint());
            return Name("suggested drag of", spot) + " onto cell " + std::to_string(to);
        }
        std::vector<int> shown;
        for (int c = 0; c < Game.Table->GetCellCount(); ++c) {
            if (Cell(c)->GetKind() != CellKind::Hidden)
                shown.push_back(c);
        }
        if (kind < 12 && !cards.empty()) {
            const Spot from = cards[size_t(Pick(int(cards.size())))];
            const int target = shown[size_t(Pick(int(shown.size())))];
            Drag(from, target, QPoint(Pick(21) - 10, Pick(21) - 10));
            return Name("drag of", from) + " onto cell " + std::to_string(target);
        }
        if (kind < 15 && !cards.empty()) {
            // The first click of a double-click acts as a click: the position
            // after it is one undo step away too.
            const Spot spot = cards[size_t(Pick(int(cards.size())))];
            const QPoint at = PressPoint(spot);
            EngineTest::Click(table, at);
            Midway = {Take(), Game.Game->GetUndoCount()};
            QTest::mouseDClick(table, Qt::LeftButton, Qt::NoModifier, at);
            EngineTest::Release(table, at);
            return Name("double-click on", spot);
        }
        const int c = shown[size_t(Pick(int(shown.size())))];
        if (Cell(c)->GetCount() > 0 && Cell(c)->GetWrapper(-1)->IsVisible()) {
            EngineTest::Click(table, PressPoint({c, Cell(c)->GetCount() - 1}));
            return Name("click on", {c, Cell(c)->GetCount() - 1});
        }
        EngineTest::Click(table, QPoint(Cell(c)->GetX() + 5, Cell(c)->GetY() + 5));
        return "click on the place of cell " + std::to_string(c);
    }

    std::string Undo(const Snapshot &now, std::string &fault)
    {
        const bool any = Game.Game->GetUndoCount() > 0;
        Game.Game->Guarded([this] { Game.Game->Undo(); });
        const Snapshot after = Take();
        if (!any) {
            if (after.bytes != now.bytes)
                fault = "an undo with nothing to undo changed the position";
            return "undo of nothing";
        }
        ++Count.undos;
        if (History.empty()) {
            fault = "an undo step nobody saw made";
        } else if (after.bytes != History.back().bytes) {
            fault = "undo did not give back the position, score and counters";
        } else if (History.back().status && after.status && *History.back().status != *after.status) {
            fault = "undo left the status \"" + after.status->toStdString() + "\", not \""
                + History.back().status->toStdString() + "\"";
        }
        if (!History.empty())
            History.pop_back();
        return "undo";
    }

    // Each action adds at most one undo step (two for a double-click whose
    // first click acted), remembered with the position before it; an action
    // without one leaves the position as it was.
    std::string CheckSteps(bool undo, int before, const Snapshot &position, bool ended)
    {
        const int steps = Game.Game->GetUndoCount();
        std::optional<std::pair<Snapshot, int>> midway;
        std::swap(midway, Midway);
        if (steps == 0 && ended)
            History.clear(); // the end of a deal clears the history
        else if (undo && steps != before - 1 && before > 0)
            return "undo took back more than one step";
        else if (!undo && steps == before + 2 && midway && midway->second == before + 1)
            History.insert(History.end(), {position, midway->first});
        else if (!undo && steps == before + 1)
            History.push_back(midway && midway->second == before ? midway->first : position);
        else if (!undo && steps == before && Take().bytes != position.bytes)
            return "the position changed without an undo step";
        else if (!undo && steps != before)
            return "one action made " + std::to_string(steps - before) + " undo steps";
        return int(History.size()) == steps ? std::string() : "the undo history lost steps";
    }

    std::string CheckTable()
    {
        std::map<const Card *, int> cards;
        std::map<const CardWrapper *, int> wrappers;
        int count = 0;
        for (int c = 0; c < Game.Table->GetCellCount(); ++c) {
            for (const CardWrapper *card : Cell(c)->GetCards()) {
                ++cards[card->GetCard()];
                if (++count, ++wrappers[card] > 1 || card->GetCell() != Cell(c))
                    return "a card lies in two places";
                if (card->IsMoving())
                    return "a card is left moving in cell " + std::to_string(c);
            }
        }
        const int expected = Rules && Rules->cards ? Rules->cards : 52 * Game.Game->GetDeckCount();
        if (count != expected || count != Game.Table->GetWrapperCount())
            return std::to_string(count) + " cards in the cells, not " + std::to_string(expected);
        if (Dealt.empty())
            Dealt = cards;
        if (cards != Dealt)
            return "the cards on the table are not the cards dealt";
        for (int f : Rules ? Rules->cells : std::vector<int>()) {
            Pile pile;
            for (const CardWrapper *card : Cell(f)->GetCards()) {
                if (!card->GetFrontUp())
                    return "a face-down card on foundation " + std::to_string(f);
                pile.push_back(card->GetCard());
            }
            if (Rules->legal && !pile.empty() && !Rules->legal(pile))
                return "foundation " + std::to_string(f) + " is no sequence its rules build";
        }
        return {};
    }

    bool Complete() const
    {
        if (Rules->complete)
            return Rules->complete(*Game.Table);
        int on = 0;
        for (int f : Rules->cells)
            on += Cell(f)->GetCount();
        return on == Game.Table->GetWrapperCount();
    }

    std::string CheckEnd(qsizetype before)
    {
        const QStringList &asked = Game.Answers.Captions;
        if (asked.size() == before)
            return {};
        if (asked.size() > 1)
            return "the end of the deal was announced again";
        if (!asked.back().startsWith(QStringLiteral("Congratulations")))
            return {};
        ++Count.wins;
        return !Rules || Complete() ? std::string() : "a win announced before the foundations were complete";
    }

    // Saved and resumed on a table of its own, the game saves the same bytes
    // and shows the same status. The result depends on the bytes alone, so
    // bytes resumed already are not resumed again.
    std::string CheckResume()
    {
        const QByteArray saved = GameFactory::SaveGameData(*Game.Game);
        if (saved == LastResumed)
            return {};
        GameTable table(nullptr, &Game.TheDeck);
        table.ResizeCards(PairsTest::W, PairsTest::H);
        QString error;
        std::unique_ptr<CardGame> resumed
            = GameFactory::ResumeGameData(saved, &Game.TheDeck, &table, PairsTest::W, PairsTest::H, &error);
        if (!resumed)
            return "the saved game was refused: " + error.toStdString();
        const QByteArray again = GameFactory::SaveGameData(*resumed);
        const auto status = StandingStatus(*resumed, static_cast<BasicHost &>(table.Host()));
        const auto shown = StandingStatus(*Game.Game, Game.Host);
        table.SetGame(nullptr);
        ++Count.resumes;
        LastResumed = saved;
        if (again != saved)
            return "the resumed game saves other bytes";
        if (status && shown && *status != *shown)
            return "resumed, the game shows \"" + status->toStdString() + "\", not \"" + shown->toStdString() + "\"";
        return {};
    }

    PairsTest::Board Game;
    const Foundations *Rules;
    std::mt19937 Random;
    Figures &Count;
    QByteArray LastResumed;
    std::vector<Snapshot> History;
    std::optional<std::pair<Snapshot, int>> Midway;
    std::map<const Card *, int> Dealt;
};

class PlayTest : public ::testing::TestWithParam<int> {};

TEST_P(PlayTest, RandomPlayKeepsTheTableSound)
{
    const GameFactory::GameInfo *info = GameFactory::GetGame(GetParam());
    if (!info->creator)
        GTEST_SKIP() << info->name.toStdString() << " is not built yet";
    const std::string name = info->name.toStdString();
    const int seeds = EnvCount("VEK_PLAY_SEEDS", 2), actions = EnvCount("VEK_PLAY_ACTIONS", 300);
    Figures figures;
    QElapsedTimer clock;
    clock.start();
    for (int seed = 1; seed <= seeds; ++seed) {
        const std::string fault = Player(info->id, unsigned(seed), figures).Play(actions);
        ASSERT_TRUE(fault.empty()) << name << ", seed " << seed << ", " << fault;
    }
    std::cout << "  " << name << (FoundationsOf(info->id) ? "" : " (no foundations listed)") << ": " << seeds
              << " deals, " << figures.actions << " actions, " << figures.moves << " moves, " << figures.undos
              << " undos, " << figures.resumes << " resumes, " << figures.checks << " checks, " << figures.wins
              << " wins, " << clock.elapsed() << " ms\n";
}

std::string GameName(const ::testing::TestParamInfo<int> &info)
{
    std::string name;
    for (const QChar c : GameFactory::GetGame(info.param)->name) {
        if (c.isLetterOrNumber())
            name += char(c.toLatin1());
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, PlayTest, ::testing::Range(0, GameFactory::GameCount), GameName);

} // namespace
