// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>

#include <QBuffer>

#include <gtest/gtest.h>

#include "LevelGamesSupport.h"
#include "Registry.h"
#include "Spider.h"
#include "Utils.h"

namespace {

using namespace LevelGamesTest;

constexpr int SpiderId = 2;

// The bytes Spider appends to the position: a 32-bit 0 and the 16-bit level.
QByteArray LevelBytes(int level)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    VekIO::WriteLE32(out, int32_t(0));
    VekIO::WriteLE16(out, uint16_t(level));
    return bytes;
}

// Spider at the four-suit level (both decks in the deal pile) with a
// position of the test's own.
struct SpiderTable : LevelTable {
    SpiderTable()
        : LevelTable(SpiderId, Spider::FourSuits)
    {
    }
    Spider &Game() const { return static_cast<Spider &>(*LevelTable::Game); }
    // Every column gets at least a card, so that the stock may deal.
    void Set(Layout cells, int rest = Spider::Stock)
    {
        for (int c = Spider::FirstColumn; c <= Spider::LastColumn; ++c) {
            if (std::none_of(cells.begin(), cells.end(), [c](const auto &cell) { return cell.first == c; }))
                cells.push_back({c, {{c + 1, Diamonds}}});
        }
        ASSERT_TRUE(Load(PositionBytes(cells, rest, LevelBytes(Spider::FourSuits))));
    }
};

TEST(Spider, EachLevelDealsOnlyItsSuits)
{
    struct Row {
        int level;
        int decks;
        std::set<CardSuit> suits;
    };
    const Row rows[] = {
        {Spider::OneSuit, 8, {Spades}},
        {Spider::TwoSuits, 4, {Hearts, Spades}},
        {Spider::FourSuits, 2, {Clubs, Diamonds, Hearts, Spades}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.level);
        LevelTable t(SpiderId, row.level, 7);
        auto &game = static_cast<Spider &>(*t.Game);
        EXPECT_EQ(game.GetLevel(), row.level);
        EXPECT_EQ(int(game.GetDealPile().size()), row.decks * 52);
        EXPECT_EQ(game.GetScore(), 500);
        EXPECT_EQ(t.Count(Spider::Stock), 50);
        EXPECT_EQ(t.Count(Spider::Completed), 0);
        int onTable = 0, faceUp = 0;
        std::set<CardSuit> suits;
        std::map<Card *, int> copies;
        for (int c = 0; c <= Spider::Stock; ++c) {
            for (const CardWrapper *w : t.CellOf(c)->GetCards()) {
                suits.insert(w->GetCard()->GetSuit());
                ++copies[w->GetCard()];
                if (c == Spider::Stock) {
                    EXPECT_FALSE(w->GetFrontUp());
                    continue;
                }
                ++onTable;
                faceUp += w->GetFrontUp() ? 1 : 0;
                // Only the last card of a column shows.
                EXPECT_EQ(w->GetFrontUp(), w == t.CellOf(c)->GetWrapper(-1));
            }
            if (c < Spider::Stock) {
                EXPECT_EQ(t.Count(c), c < 4 ? 6 : 5);
            }
        }
        EXPECT_EQ(onTable, 54);
        EXPECT_EQ(faceUp, 10);
        EXPECT_EQ(suits, row.suits);
        // Every card of the kept suits comes 104 / (13 x suits) times.
        for (const auto &[card, n] : copies)
            EXPECT_EQ(n, 8 / int(row.suits.size()));
    }
}

TEST(Spider, OnlySameSuitRunsArePickedUp)
{
    SpiderTable t;
    // Column 0: a face-down 9, a face-up Hearts 7-6-5 under a Spades 4.
    // Column 1: Clubs 10-8-7, a gap. Column 2: a black 8.
    t.Set({{0, {{9, Clubs, false}, {7, Hearts}, {6, Hearts}, {5, Hearts}, {4, Spades}}},
           {1, {{10, Clubs}, {8, Clubs}, {7, Clubs}}},
           {2, {{8, Clubs}}},
           {3, {{7, Hearts}, {6, Hearts}, {5, Hearts}}}});
    const Snapshot before = t.Cells();
    struct Press {
        int cell, index;
    };
    // A face-down card, a run broken by another suit, a run with a gap.
    for (const Press p : {Press{0, 0}, Press{0, 1}, Press{0, 3}, Press{1, 0}}) {
        SCOPED_TRACE(testing::Message() << p.cell << "/" << p.index);
        EngineTest::Press(t.Table.get(), t.PressPoint(p.cell, p.index));
        EXPECT_EQ(t.MovingCount(), 0);
        EngineTest::Release(t.Table.get(), t.PressPoint(p.cell, p.index));
        t.DragOnto(p.cell, p.index, 2);
        EXPECT_EQ(t.Cells(), before);
    }
    // The unbroken part of a run: the Clubs 8-7 of column 1.
    EngineTest::Press(t.Table.get(), t.PressPoint(1, 1));
    EXPECT_EQ(t.MovingCount(), 2);
    EngineTest::Release(t.Table.get(), t.PressPoint(1, 1));

    // The same 7-6-5 alone goes onto the black 8: suit does not matter.
    t.DragOnto(3, 0, 2);
    EXPECT_EQ(t.Count(2), 4);
    EXPECT_EQ(t.Count(3), 0);
    EXPECT_EQ(t.Game().GetScore(), 499);
    EXPECT_EQ(t.CellOf(2)->GetCard(-1), t.CardOf(5, Hearts));
}

// King down to 2 of Spades on a face-down card; dropping the Ace completes
// the suit.
Layout AlmostComplete()
{
    std::vector<Spot> run = {{10, Clubs, false}};
    for (int v = 13; v >= 2; --v)
        run.push_back({v, Spades});
    return {{4, run}, {5, {{3, Diamonds, false}, {1, Spades}}}};
}

TEST(Spider, ACompletedSuitLeavesAndUndoBringsItBack)
{
    SpiderTable t;
    t.Set(AlmostComplete());
    const Snapshot before = t.Cells();
    t.DragOnto(5, 1, 4);

    EXPECT_EQ(t.Count(4), 1);
    EXPECT_TRUE(t.CellOf(4)->GetWrapper(-1)->GetFrontUp());
    EXPECT_TRUE(t.CellOf(5)->GetWrapper(-1)->GetFrontUp());
    ASSERT_EQ(t.Count(Spider::Completed), 13);
    const TableCell *completed = t.CellOf(Spider::Completed);
    // The King went last and shows; the twelve under it are hidden.
    EXPECT_EQ(completed->GetCard(-1), t.CardOf(13, Spades));
    EXPECT_EQ(completed->GetCard(0), t.CardOf(1, Spades));
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(completed->GetWrapper(i)->HasFlags(CardWrapper::Hidden), i < 12) << i;
    EXPECT_EQ(t.Game().GetScore(), 500 - 1 + 100);
    EXPECT_EQ(t.Game().GetUndoCount(), 1);

    t.Game().Undo();
    EXPECT_EQ(t.Cells(), before);
    EXPECT_EQ(t.Game().GetScore(), 500);
}

TEST(Spider, CompletedKingsLieSideBySide)
{
    SpiderTable t;
    std::vector<Spot> done;
    for (CardSuit suit : {Hearts, Spades}) {
        for (int v = 1; v <= 12; ++v)
            done.push_back({v, suit, true, true});
        done.push_back({13, suit});
    }
    t.Set({{Spider::Completed, done}});
    t.Table->ArrangeCells();
    const TableCell *completed = t.CellOf(Spider::Completed);
    const int dx = int(18.0f * (float(W) / 88.0f));
    EXPECT_EQ(completed->GetWrapper(12)->Position(), QPoint(3 * W + 6, t.Table->height() - H - 5));
    EXPECT_EQ(completed->GetWrapper(25)->Position(), completed->GetWrapper(12)->Position() + QPoint(dx, 0));
    EXPECT_TRUE(completed->GetWrapper(25)->IsVisible());
    EXPECT_FALSE(completed->GetWrapper(24)->IsVisible());
}

TEST(Spider, TheStockDealsOnlyOntoFullColumns)
{
    SpiderTable t;
    t.Set({{0, {}}});
    const Snapshot before = t.Cells();
    t.ClickCell(Spider::Stock);
    EXPECT_EQ(t.Cells(), before);
    EXPECT_EQ(t.Host.StatusText, QStringLiteral("There must be a card in every column to add new cards!"));
    EXPECT_EQ(t.Host.Beeps, 1);
    EXPECT_EQ(t.Game().GetUndoCount(), 0);

    // Every column full: one face-up card each, undone in one step.
    t.Set({});
    const Snapshot full = t.Cells();
    const int stock = t.Count(Spider::Stock);
    t.ClickCell(Spider::Stock);
    EXPECT_EQ(t.Count(Spider::Stock), stock - 10);
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(t.Count(c), 2);
        EXPECT_TRUE(t.CellOf(c)->GetWrapper(-1)->GetFrontUp());
    }
    EXPECT_EQ(t.Game().GetScore(), 500);
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), full);

    // An empty stock deals nothing and records nothing.
    t.Set({}, Spider::Completed);
    ASSERT_EQ(t.Count(Spider::Stock), 0);
    const Snapshot emptyStock = t.Cells();
    t.ClickCell(Spider::Stock);
    EXPECT_EQ(t.Cells(), emptyStock);
    EXPECT_EQ(t.Game().GetUndoCount(), 0);
}

TEST(Spider, TheStockCompletesASuitItFinishes)
{
    SpiderTable t;
    Layout cells = AlmostComplete();
    cells[1] = {5, {{3, Diamonds}}};
    cells.push_back({Spider::Stock, {}});
    // The stock's top card goes to the first column, the fifth card to
    // column 4: the Ace there.
    std::vector<Spot> stock;
    for (int i = 0; i < 10; ++i)
        stock.push_back(i == 5 ? Spot{1, Spades, false} : Spot{2 + i, Clubs, false});
    cells.back().second = stock;
    t.Set(cells);
    const Snapshot before = t.Cells();
    t.ClickCell(Spider::Stock);
    EXPECT_EQ(t.Count(Spider::Completed), 13);
    EXPECT_EQ(t.Count(4), 1);
    EXPECT_EQ(t.Game().GetScore(), 600);
    t.Game().Undo();
    EXPECT_EQ(t.Cells(), before);
    EXPECT_EQ(t.Game().GetScore(), 500);
}

TEST(Spider, SuggestionsOfferEveryFittingTopCard)
{
    SpiderTable t;
    t.Set({{0, {{8, Clubs}}}, {1, {{7, Hearts}}}, {2, {{7, Spades}}}, {3, {}}, {4, {{13, Clubs}}},
           {5, {{13, Clubs}}}, {6, {{13, Diamonds}}}, {7, {{13, Diamonds}}}, {8, {{13, Hearts}}}, {9, {{13, Spades}}}});
    // Each of the nine tops can go to the empty column 3; the two 7s also
    // onto the 8.
    EXPECT_EQ(t.Game().GetPossibleMoveCount(), 9 + 2);
}

TEST(Spider, ANewDealAsksForTheLevelARestartDoesNot)
{
    LevelTable t(SpiderId, Spider::TwoSuits);
    auto &game = static_cast<Spider &>(*t.Game);
    EXPECT_EQ(t.Answers.SpiderLevelsShown, std::vector<int>{0});
    game.NewGame(false);
    EXPECT_EQ(t.Answers.SpiderLevelsShown.size(), 1u);
    EXPECT_EQ(game.GetLevel(), Spider::TwoSuits);
    EXPECT_EQ(int(game.GetDealPile().size()), 4 * 52);

    // Closed without OK: the level stays, the deal goes ahead.
    t.Answers.LevelAnswer = EngineTest::ScriptedQuestions::Cancelled;
    game.NewGame(true);
    EXPECT_EQ(t.Answers.SpiderLevelsShown, (std::vector<int>{0, 1}));
    EXPECT_EQ(game.GetLevel(), Spider::TwoSuits);
    EXPECT_EQ(t.Count(Spider::Stock), 50);
}

TEST(Spider, TheLevelLivesInTheRegistryAndInSavedGames)
{
    LevelTable t(SpiderId, Spider::FourSuits);
    auto &game = static_cast<Spider &>(*t.Game);
    game.SaveStatistics();
    {
        LevelTable other(SpiderId, Questions::Cancelled);
        auto &fresh = static_cast<Spider &>(*other.Game);
        EXPECT_EQ(fresh.GetLevel(), Spider::OneSuit);
        fresh.LoadStatistics();
        EXPECT_EQ(fresh.GetLevel(), Spider::FourSuits);
        // A level the game does not know is ignored.
        Registry registry;
        ASSERT_TRUE(registry.OpenKey(fresh.StatisticsKey(), true));
        ASSERT_TRUE(registry.WriteInteger(QStringLiteral("Level"), 5));
        registry.CloseKey();
        fresh.SetLevel(Spider::TwoSuits);
        fresh.LoadStatistics();
        EXPECT_EQ(fresh.GetLevel(), Spider::TwoSuits);
    }

    // The saved game ends with a 32-bit 0 and the 16-bit level.
    const QByteArray saved = t.Save();
    EXPECT_EQ(saved.right(6), LevelBytes(Spider::FourSuits));
    LevelTable other(SpiderId, Spider::OneSuit);
    auto &loaded = static_cast<Spider &>(*other.Game);
    other.Game->PrepareForLoad();
    ASSERT_TRUE(other.Load(saved));
    EXPECT_EQ(loaded.GetLevel(), Spider::FourSuits);
    EXPECT_EQ(other.Save(), saved);

    // A level out of range, or cards that are not the level's, are refused.
    QByteArray badLevel = saved;
    badLevel.replace(badLevel.size() - 2, 2, LevelBytes(3).right(2));
    EXPECT_FALSE(other.Load(badLevel));
    QByteArray oneSuit = saved;
    oneSuit.replace(oneSuit.size() - 2, 2, LevelBytes(Spider::OneSuit).right(2));
    EXPECT_FALSE(other.Load(oneSuit));
    EXPECT_EQ(loaded.GetLevel(), Spider::FourSuits);
    EXPECT_FALSE(other.Load(saved.left(saved.size() - 1)));
}

// ---- A whole game at one suit, found by a small search and played with
// the mouse ----

// The ranks of the columns (bottom first, the lowest `down` face down) and
// of the stock: a model of the table the search plays on.
struct Model {
    std::array<std::vector<int>, 10> cols;
    std::array<int, 10> down{};
    std::vector<int> stock;
    int completed = 0;

    std::string Key() const
    {
        std::string key;
        for (int c = 0; c < 10; ++c) {
            key += char('a' + down[size_t(c)]);
            for (int v : cols[size_t(c)])
                key += char('A' + v);
            key += '|';
        }
        return key + std::to_string(stock.size());
    }
    // The lowest index of the movable run on top of column c.
    int RunStart(int c) const
    {
        const auto &col = cols[size_t(c)];
        int k = int(col.size()) - 1;
        while (k > down[size_t(c)] && col[size_t(k - 1)] == col[size_t(k)] + 1)
            --k;
        return k;
    }
    void TurnUp(int c)
    {
        if (down[size_t(c)] >= int(cols[size_t(c)].size()) && down[size_t(c)] > 0)
            down[size_t(c)] = int(cols[size_t(c)].size()) - 1;
    }
    void Complete(int c)
    {
        auto &col = cols[size_t(c)];
        const int n = int(col.size());
        if (n < 13)
            return;
        for (int k = 0; k < 13; ++k) {
            if (col[size_t(n - 1 - k)] != k + 1)
                return;
        }
        col.resize(size_t(n - 13));
        completed += 13;
        TurnUp(c);
    }
};

// One move: a run from column `from` starting at `index` onto column `to`,
// or (from -1) a deal from the stock.
struct Move {
    int from, index, to;
};

void Apply(Model &m, const Move &move)
{
    if (move.from < 0) {
        for (int c = 0; c < 10 && !m.stock.empty(); ++c) {
            m.cols[size_t(c)].push_back(m.stock.back());
            m.stock.pop_back();
            m.Complete(c);
        }
        return;
    }
    auto &src = m.cols[size_t(move.from)];
    auto &dst = m.cols[size_t(move.to)];
    dst.insert(dst.end(), src.begin() + move.index, src.end());
    src.resize(size_t(move.index));
    m.TurnUp(move.from);
    m.Complete(move.to);
}

std::vector<Move> Moves(const Model &m)
{
    std::vector<std::pair<int, Move>> ranked;
    bool emptyColumn = false;
    for (int to = 0; to < 10; ++to)
        emptyColumn = emptyColumn || m.cols[size_t(to)].empty();
    for (int from = 0; from < 10; ++from) {
        const auto &col = m.cols[size_t(from)];
        if (col.empty())
            continue;
        const int start = m.RunStart(from);
        bool toEmpty = false;
        for (int to = 0; to < 10; ++to) {
            if (to == from)
                continue;
            const auto &dst = m.cols[size_t(to)];
            if (dst.empty()) {
                // The whole run, when something lies under it; once.
                if (start > 0 && !toEmpty) {
                    toEmpty = true;
                    ranked.push_back({start == m.down[size_t(from)] ? 2 : 4, {from, start, to}});
                }
                continue;
            }
            const int k = int(col.size()) - 1 - (dst.back() - 1 - col.back());
            if (k < start || k >= int(col.size()) || col[size_t(k)] + 1 != dst.back())
                continue;
            // Off a card it already fits on, a run gains nothing.
            if (k > start)
                continue;
            // Turning a card up comes first.
            ranked.push_back({k == m.down[size_t(from)] ? 0 : 1, {from, k, to}});
        }
    }
    if (!emptyColumn && !m.stock.empty())
        ranked.push_back({5, {-1, 0, 0}});
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<Move> moves;
    for (const auto &r : ranked)
        moves.push_back(r.second);
    return moves;
}

bool Solve(const Model &m, std::vector<Move> &path, std::set<std::string> &seen)
{
    if (m.completed == 104)
        return true;
    if (seen.size() > 200000 || !seen.insert(m.Key()).second)
        return false;
    for (const Move &move : Moves(m)) {
        Model next = m;
        Apply(next, move);
        path.push_back(move);
        if (Solve(next, path, seen))
            return true;
        path.pop_back();
    }
    return false;
}

TEST(Spider, AGameAtOneSuitIsWonWithTheMouse)
{
    LevelTable t(SpiderId, Spider::OneSuit, 3);
    auto &game = static_cast<Spider &>(*t.Game);
    Model m;
    for (int c = 0; c < 10; ++c) {
        for (const CardWrapper *w : t.CellOf(c)->GetCards())
            m.cols[size_t(c)].push_back(w->GetCard()->GetValue());
        m.down[size_t(c)] = t.Count(c) - 1;
    }
    for (const CardWrapper *w : t.CellOf(Spider::Stock)->GetCards())
        m.stock.push_back(w->GetCard()->GetValue());
    std::vector<Move> path;
    std::set<std::string> seen;
    ASSERT_TRUE(Solve(m, path, seen));
    EXPECT_GT(path.size(), 60u);

    int drops = 0;
    for (const Move &move : path) {
        ASSERT_EQ(game.GetUndoCount(), int(&move - path.data()));
        if (move.from < 0) {
            t.ClickCell(Spider::Stock);
        } else {
            t.DragOnto(move.from, move.index, move.to);
            ++drops;
        }
        Apply(m, move);
        for (int c = 0; c < 10; ++c)
            ASSERT_EQ(t.Count(c), int(m.cols[size_t(c)].size())) << c;
    }
    EXPECT_EQ(t.Count(Spider::Completed), 104);
    EXPECT_EQ(game.GetScore(), 500 - drops + 8 * 100);
    EXPECT_EQ(game.GetWon(), 1);
    EXPECT_EQ(t.Answers.Texts.size(), 1);
}

} // namespace

TEST(Spider, ASuggestionFindsARunThatCanMove)
{
    SpiderTable t;
    t.Table->SetSuggestionWait(0);
    // No top card fits anywhere, but the run 9-8 of clubs fits on the 10.
    t.Set({{0, {{9, Clubs}, {8, Clubs}}}, {1, {{10, Hearts}}}, {2, {{13, Clubs}}}, {3, {{13, Clubs}}},
           {4, {{13, Diamonds}}}, {5, {{13, Diamonds}}}, {6, {{13, Hearts}}}, {7, {{13, Hearts}}},
           {8, {{13, Spades}}}, {9, {{13, Spades}}}});
    ASSERT_EQ(t.Game().GetPossibleMoveCount(), 0);
    const Snapshot before = t.Cells();
    t.Game().SuggestMove();
    ASSERT_EQ(t.Game().GetPossibleMoveCount(), 1);
    const PossibleMove *move = t.Game().GetPossibleMove(0);
    EXPECT_TRUE(move->GetFrom() == t.CellOf(0) && move->GetIndex() == 0 && move->GetTo() == t.CellOf(1));
    EXPECT_EQ(t.Cells(), before);
    EXPECT_EQ(t.Game().GetUndoCount() + t.Host.Beeps, 0);
}
