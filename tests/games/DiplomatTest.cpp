// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <set>
#include <string>

#include <QBuffer>

#include <gtest/gtest.h>

#include "Diplomat.h"
#include "LevelGamesSupport.h"
#include "Registry.h"
#include "Utils.h"

namespace {

using namespace LevelGamesTest;

constexpr int DiplomatId = 5;

// The bytes Diplomat appends to the position: a 32-bit 0 and the level.
QByteArray LevelBytes(int level)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    VekIO::WriteLE32(out, int32_t(0));
    VekIO::WriteLE32(out, int32_t(level));
    return bytes;
}

struct DiplomatTable : LevelTable {
    explicit DiplomatTable(int level = Diplomat::Normal, unsigned seed = 1)
        : LevelTable(DiplomatId, level, seed)
    {
    }
    Diplomat &Game() const { return static_cast<Diplomat &>(*LevelTable::Game); }
    void Set(const Layout &cells, int rest = Diplomat::Stock)
    {
        ASSERT_TRUE(Load(PositionBytes(cells, rest, LevelBytes(Game().GetLevel()))));
    }
};

TEST(Diplomat, DealsFourFaceUpRows)
{
    DiplomatTable t;
    EXPECT_EQ(t.Answers.DiplomatLevelsShown, std::vector<int>{0});
    EXPECT_EQ(int(t.Game().GetDealPile().size()), 104);
    EXPECT_EQ(t.Count(Diplomat::Stock), 72);
    EXPECT_EQ(t.Count(Diplomat::Waste), 0);
    for (int c = Diplomat::FirstColumn; c <= Diplomat::LastColumn; ++c) {
        EXPECT_EQ(t.Count(c), 4);
        for (const CardWrapper *w : t.CellOf(c)->GetCards())
            EXPECT_TRUE(w->GetFrontUp());
    }
    // The first pass goes to the first column first.
    EXPECT_EQ(t.CellOf(Diplomat::FirstColumn)->GetCard(0), t.Game().GetDealPile()[0]);
    EXPECT_EQ(t.CellOf(Diplomat::FirstColumn)->GetCard(1), t.Game().GetDealPile()[8]);
}

TEST(Diplomat, EmptyColumnsFollowTheLevel)
{
    struct Row {
        int level;
        int value;
        bool taken;
    };
    const Row rows[] = {
        {Diplomat::Hard, 12, false}, {Diplomat::Hard, 13, true},
        {Diplomat::Normal, 12, true}, {Diplomat::Normal, 2, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.level << " " << row.value);
        DiplomatTable t(row.level);
        t.Set({{10, {{5, Clubs}, {row.value, Hearts}}}, {11, {}}});
        t.DragOnto(10, 1, 11);
        EXPECT_EQ(t.Count(11), row.taken ? 1 : 0);
        EXPECT_EQ(t.Count(10), row.taken ? 1 : 2);
        EXPECT_EQ(t.Game().GetUndoCount(), row.taken ? 1 : 0);
    }
}

TEST(Diplomat, ColumnsBuildDownWhateverTheSuitOneCardAtATime)
{
    DiplomatTable t;
    t.Set({{10, {{8, Hearts}}}, {11, {{9, Clubs}, {7, Diamonds}}}, {12, {{6, Hearts}, {5, Spades}}},
           {Diplomat::Waste, {{6, Clubs}}}});
    const Snapshot before = t.Cells();
    // The card under a column's top card stays put.
    EngineTest::Press(t.Table.get(), t.PressPoint(12, 0));
    EXPECT_EQ(t.MovingCount(), 0);
    EngineTest::Release(t.Table.get(), t.PressPoint(12, 0));
    t.DragOnto(12, 0, 11);
    EXPECT_EQ(t.Cells(), before);
    // A red 7 on a red 8; the waste's 6 onto it.
    t.DragOnto(11, 1, 10);
    EXPECT_EQ(t.CellOf(10)->GetCard(-1), t.CardOf(7, Diamonds));
    t.DragOnto(Diplomat::Waste, 0, 10);
    EXPECT_EQ(t.Count(10), 3);
    EXPECT_EQ(t.Count(Diplomat::Waste), 0);
    // A 5 does not go on a 9.
    t.DragOnto(12, 1, 11);
    EXPECT_EQ(t.Count(11), 1);
    t.Game().Undo();
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), before);
}

TEST(Diplomat, TheStockTurnsOneCardOnceThrough)
{
    DiplomatTable t;
    t.Set({{Diplomat::Stock, {{4, Clubs, false}}}}, Diplomat::Waste);
    // The test position keeps only one card on the stock.
    const Snapshot before = t.Cells();
    ASSERT_EQ(t.Count(Diplomat::Stock), 1);
    const int waste = t.Count(Diplomat::Waste);
    t.ClickCell(Diplomat::Stock);
    EXPECT_EQ(t.Count(Diplomat::Stock), 0);
    EXPECT_EQ(t.Count(Diplomat::Waste), waste + 1);
    EXPECT_TRUE(t.CellOf(Diplomat::Waste)->GetWrapper(-1)->GetFrontUp());
    const Snapshot turned = t.Cells();
    t.ClickCell(Diplomat::Stock);
    EXPECT_EQ(t.Cells(), turned);
    EXPECT_EQ(t.Game().GetUndoCount(), 1);
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), before);
}

TEST(Diplomat, BothAcesOfASuitStartTwoFoundations)
{
    DiplomatTable t;
    t.Set({{10, {{1, Spades}}}, {11, {{1, Spades}}}, {12, {{2, Spades}}}, {13, {{2, Spades}}}, {14, {{1, Hearts}}}});
    // Suggestions: each Ace to the first foundation only; the Aces onto
    // both 2s; every top card to each of the three empty columns.
    int toFoundations = 0;
    for (int i = 0; i < t.Game().GetPossibleMoveCount(); ++i) {
        const PossibleMove *move = t.Game().GetPossibleMove(i);
        if (Diplomat::IsFoundation(t.Table->IndexOfCell(move->GetTo()))) {
            ++toFoundations;
            EXPECT_EQ(move->GetTo(), t.CellOf(Diplomat::FirstFoundation));
        }
    }
    EXPECT_EQ(toFoundations, 3);
    EXPECT_EQ(t.Game().GetPossibleMoveCount(), 3 + 3 * 2 + 5 * 3);
    t.DragOnto(10, 0, 2);
    t.DragOnto(11, 0, 2); // the second Ace does not go on the first
    EXPECT_EQ(t.Count(2), 1);
    t.DragOnto(11, 0, 3);
    EXPECT_EQ(t.Count(3), 1);
    t.DragOnto(12, 0, 2);
    t.DragOnto(13, 0, 3);
    EXPECT_EQ(t.Count(2), 2);
    EXPECT_EQ(t.Count(3), 2);
    // The Hearts Ace cannot go on a Spades 2.
    t.DragOnto(14, 0, 3);
    EXPECT_EQ(t.Count(3), 2);
}

TEST(Diplomat, TheLevelLivesInTheRegistryAndInSavedGames)
{
    DiplomatTable t(Diplomat::Hard);
    t.Game().SaveStatistics();
    {
        LevelTable other(DiplomatId, Questions::Cancelled);
        auto &fresh = static_cast<Diplomat &>(*other.Game);
        EXPECT_EQ(fresh.GetLevel(), Diplomat::Normal);
        fresh.LoadStatistics();
        EXPECT_EQ(fresh.GetLevel(), Diplomat::Hard);
        // A restart keeps the level without asking.
        fresh.NewGame(false);
        EXPECT_EQ(other.Answers.DiplomatLevelsShown.size(), 1u);
        EXPECT_EQ(fresh.GetLevel(), Diplomat::Hard);
    }
    const QByteArray saved = t.Save();
    EXPECT_EQ(saved.right(8), LevelBytes(Diplomat::Hard));
    DiplomatTable other;
    other.LevelTable::Game->PrepareForLoad();
    ASSERT_TRUE(other.Load(saved));
    EXPECT_EQ(other.Game().GetLevel(), Diplomat::Hard);
    EXPECT_EQ(other.Save(), saved);
    QByteArray bad = saved;
    bad.replace(bad.size() - 4, 4, LevelBytes(2).right(4));
    EXPECT_FALSE(other.Load(bad));
    EXPECT_FALSE(other.Load(saved.left(saved.size() - 2)));
}

// ---- A whole game, found by a small search and played with the mouse ----

// Cards as value * 4 + suit; the table by cell index as the game has it.
struct Model {
    std::array<std::vector<int>, 18> cells;

    std::string Key() const
    {
        std::string key;
        for (const auto &cell : cells) {
            for (int card : cell)
                key += char(' ' + card);
            key += '|';
        }
        return key;
    }
    bool Accepts(int card, int target) const
    {
        const auto &cell = cells[size_t(target)];
        if (Diplomat::IsFoundation(target))
            return cell.empty() ? card / 4 == 1 : card % 4 == cell.back() % 4 && card / 4 == cell.back() / 4 + 1;
        return cell.empty() || card / 4 + 1 == cell.back() / 4;
    }
    int OnFoundations() const
    {
        int n = 0;
        for (int f = Diplomat::FirstFoundation; f <= Diplomat::LastFoundation; ++f)
            n += int(cells[size_t(f)].size());
        return n;
    }
};

struct Move {
    int from, to; // from the stock: a turn onto the waste
};

std::vector<Move> Moves(const Model &m)
{
    std::vector<std::pair<int, Move>> ranked;
    for (int from = Diplomat::Waste; from <= Diplomat::LastColumn; ++from) {
        if (Diplomat::IsFoundation(from) || m.cells[size_t(from)].empty())
            continue;
        const auto &source = m.cells[size_t(from)];
        const int card = source.back();
        bool empty = false;
        for (int to = Diplomat::FirstFoundation; to <= Diplomat::LastColumn; ++to) {
            if (to == from || !m.Accepts(card, to))
                continue;
            if (Diplomat::IsFoundation(to)) {
                ranked.push_back({0, {from, to}});
                to = Diplomat::FirstColumn - 1;
                continue;
            }
            if (m.cells[size_t(to)].empty()) {
                // A lone card moving to another empty column gains nothing.
                if (empty || source.size() == 1)
                    continue;
                empty = true;
                ranked.push_back({3, {from, to}});
                continue;
            }
            // Off a card it already lies on in order, a move gains little.
            const bool settled = Diplomat::IsColumn(from) && source.size() > 1
                && source[source.size() - 2] / 4 == card / 4 + 1;
            if (!settled)
                ranked.push_back({from == Diplomat::Waste ? 1 : 2, {from, to}});
        }
    }
    if (!m.cells[Diplomat::Stock].empty())
        ranked.push_back({5, {Diplomat::Stock, Diplomat::Waste}});
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    // A card that can go up goes up: the search tries nothing else then.
    if (!ranked.empty() && ranked.front().first == 0)
        ranked.resize(1);
    std::vector<Move> moves;
    for (const auto &r : ranked)
        moves.push_back(r.second);
    return moves;
}

bool Solve(const Model &m, std::vector<Move> &path, std::set<std::string> &seen)
{
    if (m.OnFoundations() == 104)
        return true;
    // A won game takes a few hundred moves; deeper paths wander.
    if (path.size() > 500 || seen.size() > 100000 || !seen.insert(m.Key()).second)
        return false;
    for (const Move &move : Moves(m)) {
        Model next = m;
        next.cells[size_t(move.to)].push_back(next.cells[size_t(move.from)].back());
        next.cells[size_t(move.from)].pop_back();
        path.push_back(move);
        if (Solve(next, path, seen))
            return true;
        path.pop_back();
    }
    return false;
}

TEST(Diplomat, AGameIsWonWithTheMouse)
{
    DiplomatTable t(Diplomat::Normal, 26);
    Model m;
    for (int c = 0; c < 18; ++c) {
        for (const CardWrapper *w : t.CellOf(c)->GetCards())
            m.cells[size_t(c)].push_back(w->GetCard()->GetValue() * 4 + w->GetCard()->GetSuit());
    }
    std::vector<Move> path;
    std::set<std::string> seen;
    ASSERT_TRUE(Solve(m, path, seen));
    EXPECT_GE(path.size(), 104u + 72u);

    for (const Move &move : path) {
        if (move.from == Diplomat::Stock)
            t.ClickCell(Diplomat::Stock);
        else
            t.DragOnto(move.from, t.Count(move.from) - 1, move.to);
        m.cells[size_t(move.to)].push_back(m.cells[size_t(move.from)].back());
        m.cells[size_t(move.from)].pop_back();
        for (int c = 0; c < 18; ++c)
            ASSERT_EQ(t.Count(c), int(m.cells[size_t(c)].size())) << c;
    }
    EXPECT_EQ(t.Game().GetWon(), 1);
    EXPECT_EQ(t.Answers.Texts.size(), 1);
}

} // namespace
