// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include <QBuffer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "Utils.h"

using namespace EngineTest;

namespace {

using Cards = std::vector<CardWrapper *>;

std::vector<std::vector<Card *>> dealtCards(const GameTable &table)
{
    std::vector<std::vector<Card *>> cells;
    for (int i = 0; i < table.GetCellCount(); ++i) {
        std::vector<Card *> cards;
        for (const CardWrapper *w : table.GetCell(i)->GetCards())
            cards.push_back(w->GetCard());
        cells.push_back(cards);
    }
    return cells;
}

// Calls back on every paint of a widget.
class PaintSpy : public QObject {
public:
    PaintSpy(QWidget *widget, std::function<void()> onPaint)
        : OnPaint(std::move(onPaint))
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            OnPaint();
        return false;
    }

private:
    std::function<void()> OnPaint;
};

// A drag of the card at (cell, index) by the offset, with real events,
// pressing the strip that shows of it.
void drag(TinyTable &s, int cell, int index, QPoint by)
{
    const QPoint from = s.Game->CardCentre(cell, index) - QPoint(0, TinyGame::H / 2 - 5);
    Press(s.Table.get(), from);
    MoveTo(s.Table.get(), from + by / 2);
    MoveTo(s.Table.get(), from + by);
    Release(s.Table.get(), from + by);
}

} // namespace

TEST(CardGame, NewGameDealsAndRestartDealsTheSameCards)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;
    ASSERT_EQ(table.GetCellCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(table.GetCell(i)->GetBackground(), table.GetDefaultCellBackground()) << i;
    EXPECT_EQ(game.CellOf(TinyGame::Column0)->GetCount(), 4);
    EXPECT_EQ(game.GetDealPile().size(), 52u);
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("Stock: 3"));
    EXPECT_FALSE(s.Host.UndoEnabled);
    EXPECT_TRUE(s.Host.SuggestMoveEnabled);
    const auto first = dealtCards(table);

    // Some play, then Restart: the same cards in the same places.
    Click(&table, game.CardCentre(TinyGame::Stock, 2));
    drag(s, TinyGame::Column0, 3, QPoint(90, -60));
    game.Tick();
    ASSERT_NE(dealtCards(table), first);
    game.NewGame(false);
    EXPECT_EQ(dealtCards(table), first);
    EXPECT_EQ(table.GetWrapperCount(), 8);
    EXPECT_EQ(game.GetUndoCount(), 0);
    EXPECT_FALSE(game.IsStarted());
    EXPECT_EQ(game.GetElapsedTime(), 0u);
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("Stock: 3"));

    // A new shuffle deals differently (with this seed).
    game.NewGame(true);
    EXPECT_NE(dealtCards(table), first);
}

TEST(CardGame, ShuffleTakesTheRthUnusedCardOfEveryDeck)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    game.Decks = 2;
    srand(2024);
    game.Shuffle();
    const auto &pile = game.GetDealPile();
    ASSERT_EQ(pile.size(), 104u);
    std::map<Card *, int> seen;
    for (Card *card : pile)
        ++seen[card];
    ASSERT_EQ(seen.size(), 52u);
    for (const auto &[card, count] : seen)
        EXPECT_EQ(count, 2);

    // The same draw written another way: rand() mod the cards left picks
    // from the positions not yet taken, in order.
    srand(2024);
    std::vector<int> left(104);
    for (int i = 0; i < 104; ++i)
        left[size_t(i)] = i;
    for (size_t i = 0; i < 104; ++i) {
        const int r = rand() % int(left.size());
        ASSERT_EQ(pile[i], s.TheDeck.GetCard(left[size_t(r)] % 52)) << i;
        left.erase(left.begin() + r);
    }
}

TEST(CardGame, UndoOfAThreeCardDropTurnsTheUncoveredCardDownAgain)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    TableCell *column0 = game.CellOf(TinyGame::Column0);
    const Cards before = column0->GetCards();
    ASSERT_FALSE(before[0]->GetFrontUp());

    // Pressing the second card drags it with the two above it onto column 2.
    drag(s, TinyGame::Column0, 1, QPoint(90, -20));
    ASSERT_EQ(game.LastDropTarget, int(TinyGame::Column2));
    EXPECT_EQ(game.CellOf(TinyGame::Column2)->GetCards(), (Cards{before[1], before[2], before[3]}));
    EXPECT_TRUE(before[0]->GetFrontUp());
    EXPECT_TRUE(s.Host.UndoEnabled);

    game.Undo();
    EXPECT_EQ(column0->GetCards(), before);
    EXPECT_EQ(game.CellOf(TinyGame::Column2)->GetCount(), 0);
    EXPECT_EQ(before[0]->GetFlags(), 0u);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(before[size_t(i)]->GetFlags(), uint32_t(CardWrapper::FrontUp)) << i;
    EXPECT_FALSE(s.Host.UndoEnabled);
    // Nothing left to undo: nothing happens.
    game.Undo();
    EXPECT_EQ(column0->GetCards(), before);
}

TEST(CardGame, PrependOrderUndoesACardThatMovedTwice)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    TableCell *stock = game.CellOf(TinyGame::Stock);
    TableCell *waste = game.CellOf(TinyGame::Column2);
    // Turn the three stock cards, then once more: the waste comes back to
    // the stock and its first card is turned again, all in one step.
    for (int i = 0; i < 3; ++i)
        Click(s.Table.get(), game.CardCentre(TinyGame::Stock, -1));
    const Cards wasteBefore = waste->GetCards();
    ASSERT_EQ(wasteBefore.size(), 3u);
    Click(s.Table.get(), game.CellCentre(TinyGame::Stock));
    EXPECT_EQ(waste->GetCards(), (Cards{wasteBefore[0]}));
    EXPECT_EQ(stock->GetCount(), 2);
    EXPECT_EQ(game.GetUndoCount(), 4);

    game.Undo();
    EXPECT_EQ(waste->GetCards(), wasteBefore);
    EXPECT_EQ(stock->GetCount(), 0);
    for (CardWrapper *card : wasteBefore)
        EXPECT_EQ(card->GetFlags(), uint32_t(CardWrapper::FrontUp));
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("Stock: 2")); // as the click left it
}

TEST(CardGame, EmptyStepsAddNothingToUndo)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    game.EndMove(game.NewUndoStep(false));
    EXPECT_EQ(game.GetUndoCount(), 0);
    EXPECT_FALSE(s.Host.UndoEnabled);
    Click(s.Table.get(), game.CardCentre(TinyGame::Stock, -1));
    ASSERT_TRUE(s.Host.UndoEnabled);
    game.EndMove(game.NewUndoStep(true));
    EXPECT_EQ(game.GetUndoCount(), 1);
    EXPECT_TRUE(s.Host.UndoEnabled);
}

TEST(CardGame, ScoreComesBackOnUndo)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    auto step = game.NewUndoStep(false);
    game.AddScore(10, step.get());
    game.EndMove(std::move(step));
    game.AddScore(5, nullptr);
    EXPECT_EQ(game.GetScore(), 15);
    game.Undo();
    EXPECT_EQ(game.GetScore(), 0);
}

TEST(CardGame, MovingCardsAndTheirBounds)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    Cards list;
    QRect bounds;
    CardGame::GetCardsBounds(list, bounds);
    EXPECT_EQ(bounds.left(), 10000000);
    EXPECT_EQ(bounds.right(), -1000000);

    s.Table->ArrangeCells();
    TableCell *column0 = game.CellOf(TinyGame::Column0);
    column0->StartMoving(column0->GetWrapper(2));
    CardWrapper *single = game.CellOf(TinyGame::Column1)->GetWrapper(0);
    single->SetMoving(true);
    game.GetMovingCards(list);
    // Later cells first, each from the bottom up.
    EXPECT_EQ(list, (Cards{single, column0->GetWrapper(2), column0->GetWrapper(3)}));
    CardGame::GetCardsBounds(list, bounds);
    EXPECT_EQ(bounds, QRect(QPoint(5, 5), QPoint(50 + 39, 65 + 59)));
}

TEST(CardGame, SuggestionsCycleAndAMoveStartsOver)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    game.Suggestions = {{0, 3, 2}, {1, 0, 2}, {0, 1, 2}};
    game.NewGame(false);
    TableCell *column0 = game.CellOf(TinyGame::Column0);
    TableCell *column1 = game.CellOf(TinyGame::Column1);
    TableCell *target = game.CellOf(TinyGame::Column2);
    const Cards c0 = column0->GetCards();
    const Cards c1 = column1->GetCards();

    std::vector<Cards> painted;
    bool enabledWhilePainting = false;
    PaintSpy spy(&table, [&] {
        painted.push_back(target->GetCards());
        enabledWhilePainting |= table.isEnabled();
    });
    const auto show = [&] {
        painted.clear();
        game.SuggestMove();
        return painted;
    };
    // Shown, taken back, shown, taken back.
    const auto blink = [](const Cards &shown) { return std::vector<Cards>{shown, {}, shown, {}}; };

    EXPECT_EQ(show(), blink({c0[3]}));
    EXPECT_EQ(show(), blink({c1[0]}));
    // A run of three keeps its order on the target.
    EXPECT_EQ(show(), blink({c0[1], c0[2], c0[3]}));
    EXPECT_EQ(show(), blink({c0[3]}));
    EXPECT_FALSE(enabledWhilePainting);
    EXPECT_TRUE(table.isEnabled());
    EXPECT_EQ(column0->GetCards(), c0);
    EXPECT_EQ(column1->GetCards(), c1);
    for (CardWrapper *card : c0)
        EXPECT_EQ(card->GetCell(), column0);
    EXPECT_EQ(game.GetUndoCount(), 0);

    // Any completed move starts the cycle over.
    EXPECT_EQ(game.GetHintIndex(), 1);
    Click(&table, game.CardCentre(TinyGame::Stock, -1));
    EXPECT_EQ(game.GetHintIndex(), 0);
    CardWrapper *turned = target->GetWrapper(-1);
    EXPECT_EQ(show(), (std::vector<Cards>{{turned, c0[3]}, {turned}, {turned, c0[3]}, {turned}}));
}

TEST(CardGame, PairSuggestionFramesBothTopCardsAndRestoresTheirFlags)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    game.Suggestions = {{0, -1, 1}};
    game.NewGame(false);
    CardWrapper *a = game.CellOf(TinyGame::Column0)->GetWrapper(-1);
    CardWrapper *b = game.CellOf(TinyGame::Column1)->GetWrapper(-1);
    b->AddFlags(CardWrapper::Highlight);
    const uint32_t flagsA = a->GetFlags();
    const uint32_t flagsB = b->GetFlags();
    std::vector<bool> framed;
    PaintSpy spy(&table, [&] {
        framed.push_back(a->HasFlags(CardWrapper::Highlight) && b->HasFlags(CardWrapper::Highlight));
    });
    game.SuggestMove();
    EXPECT_EQ(framed, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(a->GetFlags(), flagsA);
    EXPECT_EQ(b->GetFlags(), flagsB);
}

TEST(CardGame, NoSuggestionIsAnErrorOnlyWhenNothingCanMove)
{
    TinyTable s;
    // The game lists nothing, but a card can still move.
    s.Game->SuggestMove();
    EXPECT_EQ(s.Game->GetPossibleMoveCount(), 1);
    EXPECT_EQ(s.Host.Beeps, 0);
    for (int c = 0; c < s.Table->GetCellCount(); ++c)
        s.Table->GetCell(c)->Clear();
    s.Game->EndMove(nullptr);
    s.Game->SuggestMove();
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("No move is available"));
    EXPECT_EQ(s.Host.Beeps, 1);
}

TEST(CardGame, ErrorOutlastsStatusUntilTheFourthTick)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    game.Error(QStringLiteral("Not there"));
    game.Status(QStringLiteral("Something else"));
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("Not there"));
    EXPECT_EQ(s.Host.Beeps, 1);
    for (uint32_t tick = 1; tick <= 3; ++tick) {
        EXPECT_EQ(game.Tick(), tick);
        EXPECT_EQ(s.Host.StatusText, QStringLiteral("Not there")) << tick;
    }
    EXPECT_EQ(game.Tick(), 4u);
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("Stock: 3"));
    // Once a tick has passed, a status replaces the error at once.
    game.Error(QStringLiteral("Again"));
    game.Tick();
    game.Status(QStringLiteral("Fine"));
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("Fine"));
    EXPECT_EQ(PlayClockText(3725), QStringLiteral("62:05"));
    EXPECT_EQ(PlayClockText(6000), QStringLiteral("100:00"));
}

TEST(CardGame, ADealIsReportedOnce)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    game.WinAt = 1;
    // Never started: no report.
    game.GameOver(true);
    EXPECT_EQ(game.GetWon(), 0);
    EXPECT_TRUE(s.Answers.Captions.isEmpty());

    Click(s.Table.get(), game.CardCentre(TinyGame::Stock, -1));
    for (int i = 0; i < 90; ++i)
        game.Tick();
    // Winning double-click: the foundation gets its card.
    DoubleClick(s.Table.get(), game.CardCentre(TinyGame::Column1, 0));
    EXPECT_EQ(game.GetPlayed(), 1);
    EXPECT_EQ(game.GetWon(), 1);
    EXPECT_EQ(game.GetPlayTime(), 90);
    EXPECT_EQ(game.GetLongestPlayTime(), 90u);
    EXPECT_FALSE(s.Host.PlayTimerEnabled);
    EXPECT_EQ(game.GetUndoCount(), 0);
    EXPECT_FALSE(s.Host.UndoEnabled);
    EXPECT_EQ(s.Answers.Captions, QStringList{QStringLiteral("Congratulations - Vek Solitaire")});

    // Winning again without a new deal counts nothing.
    DoubleClick(s.Table.get(), game.CardCentre(TinyGame::Column0, -1));
    game.GameOver(true);
    EXPECT_EQ(game.GetWon(), 1);
    EXPECT_EQ(game.GetPlayTime(), 90);
    EXPECT_EQ(s.Answers.Captions.size(), 1);

    // A restarted deal counts as played again; only the deal that ends adds
    // its time, and a shorter one leaves the longest time.
    game.NewGame(false);
    Click(s.Table.get(), game.CardCentre(TinyGame::Stock, -1));
    for (int i = 0; i < 5; ++i)
        game.Tick();
    game.NewGame(false);
    Click(s.Table.get(), game.CardCentre(TinyGame::Stock, -1));
    for (int i = 0; i < 3; ++i)
        game.Tick();
    game.GameOver(false);
    EXPECT_EQ(game.GetPlayed(), 3);
    EXPECT_EQ(game.GetWon(), 1);
    EXPECT_EQ(game.GetPlayTime(), 93);
    EXPECT_EQ(game.GetLongestPlayTime(), 90u);
}

namespace {

class Statistics : public ::testing::Test {
protected:
    Statistics()
        : saved(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    }
    ~Statistics() override { qputenv("XDG_CONFIG_HOME", saved); }

    QVariant stored(const QString &name) const
    {
        QSettings ini(dir.path() + QStringLiteral("/VekSoftware/registry.ini"), QSettings::IniFormat);
        return ini.value(QStringLiteral("Software/VekSoftware/VekSolitaire/Games/Tiny Game/") + name);
    }
    void store(const QString &name, const QString &value) const
    {
        QSettings ini(dir.path() + QStringLiteral("/VekSoftware/registry.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Software/VekSoftware/VekSolitaire/Games/Tiny Game/") + name, value);
    }

    QTemporaryDir dir;
    QByteArray saved;
};

} // namespace

TEST_F(Statistics, FiveValuesGoToTheRegistryAndComeBack)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    EXPECT_EQ(game.StatisticsKey(), QStringLiteral("Software\\VekSoftware\\VekSolitaire\\Games\\Tiny Game"));
    Click(s.Table.get(), game.CardCentre(TinyGame::Stock, -1));
    for (int i = 0; i < 42; ++i)
        game.Tick();
    game.GameOver(true);

    // No key yet: loading changes nothing.
    game.LoadStatistics();
    EXPECT_EQ(game.GetPlayed(), 1);
    EXPECT_EQ(game.GetWon(), 1);

    game.SaveStatistics();
    EXPECT_EQ(stored(QStringLiteral("Played")).toInt(), 1);
    EXPECT_EQ(stored(QStringLiteral("Won")).toInt(), 1);
    EXPECT_EQ(stored(QStringLiteral("PlayTime")).toInt(), 42);
    EXPECT_EQ(stored(QStringLiteral("LongestPlayTime")).toInt(), 42);
    EXPECT_EQ(stored(QStringLiteral("HiScore")).toInt(), 0);

    store(QStringLiteral("HiScore"), QStringLiteral("77"));
    TinyGame other(&s.TheDeck, s.Table.get());
    other.LoadStatistics();
    EXPECT_EQ(other.GetPlayed(), 1);
    EXPECT_EQ(other.GetWon(), 1);
    EXPECT_EQ(other.GetPlayTime(), 42);
    EXPECT_EQ(other.GetLongestPlayTime(), 42u);
    EXPECT_EQ(other.GetHiScore(), 77);

    // A damaged value leaves its counter; the others are still read.
    store(QStringLiteral("Played"), QStringLiteral("lots"));
    store(QStringLiteral("Won"), QStringLiteral("5"));
    other.LoadStatistics();
    EXPECT_EQ(other.GetPlayed(), 1);
    EXPECT_EQ(other.GetWon(), 5);

    // Reset keeps the deal in progress but zeroes every stored value.
    other.ResetStats();
    other.SaveStatistics();
    for (const char *name : {"Played", "Won", "PlayTime", "LongestPlayTime", "HiScore"})
        EXPECT_EQ(stored(QLatin1String(name)).toString(), QStringLiteral("0")) << name;
}

namespace {

// A position written out by hand: elapsed 75 s, score -3, a deal pile of two
// cards, six cells of which the first holds two cards.
QByteArray handWrittenPosition(uint32_t firstFlags)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    VekIO::WriteLE32(out, int32_t(0));
    VekIO::WriteLE32(out, uint32_t(75));
    VekIO::WriteLE32(out, int32_t(-3));
    VekIO::WriteLE16(out, uint16_t(2));
    for (uint16_t v : {1, 0, 13, 3})
        VekIO::WriteLE16(out, v);
    VekIO::WriteLE16(out, uint16_t(6));
    VekIO::WriteLE16(out, uint16_t(2));
    for (uint16_t v : {5, 2})
        VekIO::WriteLE16(out, v);
    VekIO::WriteLE32(out, firstFlags);
    for (uint16_t v : {13, 3})
        VekIO::WriteLE16(out, v);
    VekIO::WriteLE32(out, uint32_t(8));
    for (int i = 1; i < 6; ++i)
        VekIO::WriteLE16(out, uint16_t(0));
    return bytes;
}

} // namespace

TEST(SavedGame, PositionIsReadAndWrittenAsLaidOut)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    Click(s.Table.get(), game.CardCentre(TinyGame::Stock, -1));
    ASSERT_TRUE(game.IsStarted());

    QByteArray input = handWrittenPosition(0xF);
    QBuffer in(&input);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(game.LoadGame(in));
    EXPECT_EQ(game.GetElapsedTime(), 75u);
    EXPECT_EQ(game.GetScore(), -3);
    ASSERT_EQ(game.GetDealPile().size(), 2u);
    EXPECT_EQ(game.GetDealPile()[0], s.TheDeck.GetCard(0));
    EXPECT_EQ(game.GetDealPile()[1], s.TheDeck.GetCard(51));
    TableCell *column0 = game.CellOf(TinyGame::Column0);
    ASSERT_EQ(column0->GetCount(), 2);
    EXPECT_EQ(column0->GetCard(0), s.TheDeck.GetCard(2 * 13 + 4));
    EXPECT_EQ(column0->GetWrapper(0)->GetFlags(), 0xAu); // Moving and Highlight dropped
    EXPECT_EQ(column0->GetWrapper(1)->GetFlags(), uint32_t(CardWrapper::Hidden));
    for (int i = 1; i < 6; ++i)
        EXPECT_EQ(game.CellOf(i)->GetCount(), 0) << i;
    EXPECT_EQ(game.GetUndoCount(), 0);

    column0->GetWrapper(1)->AddFlags(CardWrapper::Moving | CardWrapper::Highlight);
    QByteArray output;
    QBuffer out(&output);
    out.open(QIODevice::WriteOnly);
    game.SaveGame(out);
    // In front, the serial the loaded deal was given (the file had none) and
    // that it has not been counted as played.
    const uint32_t counted = qFromLittleEndian<uint32_t>(output.constData());
    EXPECT_NE(counted >> 2, 0u);
    EXPECT_EQ(counted & 3u, 0u);
    EXPECT_EQ(output.mid(4), handWrittenPosition(0xA).mid(4));
    EXPECT_FALSE(game.IsStarted());
}

TEST(SavedGame, DamagedPositionsChangeNothing)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    const auto before = dealtCards(*s.Table);
    const QByteArray good = handWrittenPosition(2);
    for (int length = 0; length < good.size(); ++length) {
        QByteArray cut = good.left(length);
        QBuffer in(&cut);
        in.open(QIODevice::ReadOnly);
        ASSERT_FALSE(game.LoadGame(in)) << length;
    }
    QByteArray badCard = good;
    badCard[14] = 14; // the first deal-pile card's value
    QByteArray badCells = good;
    badCells[22] = 7; // more cells than the game has
    QByteArray hugeCount = good;
    hugeCount[24] = char(0xff);
    hugeCount[25] = char(0xff);
    for (QByteArray *bytes : {&badCard, &badCells, &hugeCount}) {
        QBuffer in(bytes);
        in.open(QIODevice::ReadOnly);
        EXPECT_FALSE(game.LoadGame(in));
    }
    EXPECT_EQ(dealtCards(*s.Table), before);
    EXPECT_EQ(game.GetElapsedTime(), 0u);
    EXPECT_EQ(game.GetDealPile().size(), 52u);
}

// While a suggestion is on the table only timers run; anything that would
// pull the cards away in the middle of the show waits for its end.
TEST(CardGame, NothingInterruptsASuggestion)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    game.Suggestions = {{0, 3, 2}};
    game.NewGame(false);
    Click(&table, game.CardCentre(TinyGame::Stock, -1));
    const auto before = dealtCards(table);
    ASSERT_EQ(game.GetUndoCount(), 1);
    bool tried = false;
    PaintSpy spy(&table, [&] {
        if (tried)
            return;
        tried = true;
        EXPECT_TRUE(game.IsShowingSuggestion());
        game.Undo();
        game.NewGame(true);
        game.SuggestMove();
    });
    game.SuggestMove();
    EXPECT_TRUE(tried);
    EXPECT_FALSE(game.IsShowingSuggestion());
    EXPECT_EQ(dealtCards(table), before);
    EXPECT_EQ(game.GetUndoCount(), 1);
}
