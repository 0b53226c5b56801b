// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "FreeCellFamily.h"
#include "GameFactory.h"
#include "SavedGame.h"

using namespace EngineTest;
using namespace FreeCellTest;

namespace {

constexpr int FreeCellId = 1;
constexpr int SeahavenId = 12;
enum : int { Free0, Free1, Free2, Free3, Found0, Found1, Found2, Found3, Col0, Col1, Col2, Col3, Col4, Col5, Col6, Col7 };

} // namespace

TEST(FreeCell, DealsEveryCardFaceUpAndLaysTheTableOut)
{
    GameSetup s(FreeCellId, 1234);
    FreeCell &game = *s.Game;
    EXPECT_EQ(game.GetName(), QStringLiteral("Free Cell"));
    ASSERT_EQ(s.Table->GetCellCount(), 16);
    const auto &pile = game.GetDealPile();
    for (int k = 0; k < 52; ++k) {
        const CardWrapper *card = s.Cell(Col0 + k % 8)->GetWrapper(k / 8);
        ASSERT_TRUE(card && card->GetCard() == pile[size_t(k)] && card->GetFrontUp()) << k;
    }
    EXPECT_EQ(s.Cell(Col3)->GetCount() + s.Cell(Col4)->GetCount(), 7 + 6);
    EXPECT_EQ(s.Cell(Found3)->GetPicture(), s.TheDeck.GetPlaceholder(3));
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("Cards to move: 52"));
    // 8 x 94 + 12 by 4 x 130 + 15, the foundations against the right edge.
    EXPECT_EQ(s.Table->size(), QSize(764, 535));
    EXPECT_EQ(s.Cell(Found0)->GetX(), 764 - 4 * 88 - 10);
    EXPECT_EQ(QPoint(s.Cell(Col7)->GetX(), s.Cell(Col7)->GetY()), QPoint(664, 145));
    // The fan step is truncated: 14 x 54 / 88 = 8.6.
    s.Table->ResizeCards(54, 80);
    EXPECT_EQ(s.Cell(Col0)->GetDY(), 8);
}

// Two free cells and one column empty: the limit is 1 + 2 + 1 = 4.
TEST(FreeCell, RunsMoveUpToTheLimitOntoACard)
{
    GameSetup s(FreeCellId, 1);
    FreeCell &game = *s.Game;
    s.Lay({{Free0, "KD"}, {Free1, "KC"}, {Col0, "KH 9S 8H 7C 6D 5S"}, {Col1, "10H"}, {Col2, "QC 8D 7S 6H 5C"},
           {Col3, "9C"}, {Col5, "QD"}, {Col6, "QH"}, {Col7, "JS"}});
    // Looking for suggestions never reports the limit.
    EXPECT_EQ(s.Host.Beeps, 0);

    s.Host.Log.clear();
    s.DragOnto(s.Wrapper("9S"), Col1);
    EXPECT_EQ(s.Names(Col0), QStringLiteral("KH 9S 8H 7C 6D 5S"));
    // The refusal stays on the line; the count comes back when it expires.
    EXPECT_EQ(s.Host.Log, QStringList({"You can only move 4 cards!", "Cannot move those cards there at the moment..."}));
    for (int tick = 0; tick < 4; ++tick)
        game.Tick();
    EXPECT_EQ(s.Host.Log.last(), QStringLiteral("Cards to move: 52"));
    EXPECT_EQ(s.Host.Beeps, 2);

    s.DragOnto(s.Wrapper("8D"), Col3);
    EXPECT_EQ(s.Names(Col3), QStringLiteral("9C 8D 7S 6H 5C"));
    game.Undo();
    EXPECT_EQ(s.Names(Col2), QStringLiteral("QC 8D 7S 6H 5C"));
    EXPECT_EQ(s.Names(Col3), QStringLiteral("9C"));

    // No free cell and the target the only empty column: the top 2 of 6 go.
    s.Lay({{Free0, "KD"}, {Free1, "KC"}, {Free2, "KH"}, {Free3, "KS"}, {Col0, "2D QH JS 10D 9C 8H 7S"},
           {Col2, "QC"}, {Col3, "QS"}, {Col4, "JH"}, {Col5, "JD"}, {Col6, "10C"}, {Col7, "10S"}});
    s.DragOnto(s.Wrapper("QH"), Col1);
    EXPECT_EQ(s.Names(Col0), QStringLiteral("2D QH JS 10D 9C"));
    EXPECT_EQ(s.Names(Col1), QStringLiteral("8H 7S"));
    EXPECT_EQ(s.Host.Beeps, 2);
}

TEST(FreeCell, APressLiftsTheRunFromThePressedCardAndTheDropMovesExactlyThat)
{
    GameSetup s(FreeCellId, 1);
    s.Lay({{Found0, "AC 2C"}, {Col0, "KD 5C 9H 8S 7D 6C"}, {Col1, "9D"}, {Col2, "KS"}, {Col3, "7H"}});
    const auto moving = [&] {
        QStringList names;
        for (int c : {Found0, Col0})
            for (const CardWrapper *w : s.Cell(c)->GetCards())
                if (w->IsMoving())
                    names.append(NameOf(w->GetCard()));
        return names.join(' ');
    };
    // The top card alone, a deeper card of the run with what lies on it; one
    // below the run, or on a foundation, lifts nothing.
    const std::pair<const char *, const char *> rows[] = {
        {"6C", "6C"}, {"7D", "7D 6C"}, {"9H", "9H 8S 7D 6C"}, {"5C", ""}, {"2C", ""}};
    for (const auto &[pressed, lifted] : rows) {
        Press(s.Table.get(), s.Grip(pressed));
        EXPECT_EQ(moving(), QString(lifted)) << pressed;
        Release(s.Table.get(), s.Grip(pressed));
    }
    s.DragOnto(s.Wrapper("2C"), Free0);
    EXPECT_EQ(s.Names(Found0), QStringLiteral("AC 2C"));

    // The whole run does not fit on the red 9, and no part of it is taken
    // instead of what the player holds.
    s.DragOnto(s.Wrapper("9H"), Col1);
    EXPECT_EQ(s.Names(Col1), QStringLiteral("9D"));
    // The top card alone goes where it is dropped; the run from the 8 then
    // goes onto the 9.
    s.DragOnto(s.Wrapper("6C"), Col3);
    EXPECT_EQ(s.Names(Col3), QStringLiteral("7H 6C"));
    s.DragOnto(s.Wrapper("8S"), Col1);
    EXPECT_EQ(s.Names(Col0), QStringLiteral("KD 5C 9H"));
    EXPECT_EQ(s.Names(Col1), QStringLiteral("9D 8S 7D"));
}

TEST(FreeCell, AutoPlayGoesUpToTwoAboveTheLowestFoundation)
{
    {
        SCOPED_TRACE("a foundation is empty: Aces and twos only");
        GameSetup s(FreeCellId, 1);
        s.Lay({{Free0, "2S"}, {Col0, "AS"}, {Col1, "3H 2H AH"}, {Col2, "AD"}, {Col3, "3S"}});
        s.Game->AutoPlay();
        // Each Ace takes the first empty foundation, in the order found.
        EXPECT_EQ(s.Names(Found0) + "|" + s.Names(Found1) + "|" + s.Names(Found2), "AS 2S|AH 2H|AD");
        EXPECT_EQ(s.Names(Col1) + s.Names(Col3), "3H3S");
    }
    SCOPED_TRACE("foundations at 5, 7, 6, 5: anything that fits up to 7");
    GameSetup s(FreeCellId, 1);
    FreeCell &game = *s.Game;
    s.Lay({{Found0, "AC 2C 3C 4C 5C"}, {Found1, "AD 2D 3D 4D 5D 6D 7D"}, {Found2, "AH 2H 3H 4H 5H 6H"},
           {Found3, "AS 2S 3S 4S 5S"}, {Col0, "8H 7H"}, {Col1, "8D"}, {Col2, "7S 6S"}, {Col3, "9C 7C"}});
    game.AutoPlay();
    EXPECT_EQ(s.Names(Col0) + "|" + s.Names(Col1) + "|" + s.Names(Col2) + "|" + s.Names(Col3), "8H|8D||9C 7C");
    EXPECT_EQ(game.GetCardsToMove(), 52 - 3);
    // One step, undone last card first; the counter follows the 23 cards
    // left on the foundations.
    ASSERT_EQ(game.GetUndoCount(), 1);
    game.Undo();
    EXPECT_EQ(s.Names(Col0) + "|" + s.Names(Col2), "8H 7H|7S 6S");
    EXPECT_EQ(s.Host.StatusText, QStringLiteral("Cards to move: 29"));
}

TEST(FreeCell, DoubleClickSendsTheTopCardToTheFirstEmptyFreeCell)
{
    GameSetup s(FreeCellId, 1);
    s.Lay({{Free0, "KD"}, {Free2, "KC"}, {Col0, "KH QS"}, {Col1, "QH"}});
    DoubleClick(s.Table.get(), s.Grip("QS"));
    EXPECT_EQ(s.Names(Free1), QStringLiteral("QS"));
    DoubleClick(s.Table.get(), s.Grip("KD")); // a free cell's card stays
    EXPECT_EQ(s.Names(Free0), QStringLiteral("KD"));

    s.Game->MoveCards(Col1, Free3);
    DoubleClick(s.Table.get(), s.Grip("KH"));
    EXPECT_EQ(s.Names(Col0), QStringLiteral("KH"));
    EXPECT_TRUE(s.Host.Log.contains(QStringLiteral("Cannot move the selected card anywhere")));
    EXPECT_EQ(s.Host.Beeps, 1);
    EXPECT_EQ(s.Game->GetUndoCount(), 2);
}

// Suggestions show exactly the cards a move would take; a card is offered
// one free cell, and a free cell's card only the columns.
TEST(FreeCell, SuggestionsFollowTheMoves)
{
    GameSetup s(FreeCellId, 1);
    s.Lay({{Free0, "KD"}, {Free2, "9S"}, {Col0, "QC 9H 8S 7D 6C"}, {Col1, "9D"}, {Col2, "KS"}, {Col3, "KH"},
           {Col4, "KC"}, {Col5, "JH"}, {Col6, "JD"}, {Col7, "10H"}});
    QStringList found;
    for (int i = 0; i < s.Game->GetPossibleMoveCount(); ++i) {
        const PossibleMove *m = s.Game->GetPossibleMove(i);
        found.append(QString("%1:%2>%3").arg(s.Table->IndexOfCell(m->GetFrom())).arg(m->GetIndex()).arg(
            s.Table->IndexOfCell(m->GetTo())));
    }
    EXPECT_EQ(found.join(' '), "2:0>15 8:4>1 8:2>9 9:0>1 10:0>1 11:0>1 12:0>1 13:0>1 14:0>1 15:0>1");
}

// Both games, from a deal the search found a win for.
struct FamilyDeal {
    int id;
    unsigned seed;
    int cells;
};

class FreeCellFamilyPlay : public ::testing::TestWithParam<FamilyDeal> {
protected:
    void SetUp() override
    {
        GameSetup search(GetParam().id, GetParam().seed);
        ASSERT_TRUE(FindWin(search, Moves, 200000));
        EXPECT_EQ(search.Game->GetCardsToMove(), 52); // all taken back
    }

    static void ExpectWonOnce(GameSetup &s)
    {
        for (int f = Found0; f <= Found3; ++f)
            EXPECT_EQ(s.Cell(f)->GetCount(), 13) << f;
        EXPECT_EQ(s.Host.StatusText, QStringLiteral("Cards to move: 0"));
        ASSERT_EQ(s.Answers.Texts.size(), 1);
        EXPECT_TRUE(s.Answers.Texts[0].startsWith(QStringLiteral("Congratulations!")));
        EXPECT_EQ(s.Game->GetWon(), 1);
    }

    std::vector<Move> Moves;
};

TEST_P(FreeCellFamilyPlay, AGameIsWonWithTheMouse)
{
    GameSetup s(GetParam().id, GetParam().seed);
    s.Play(Moves, 0, Moves.size());
    ExpectWonOnce(s);

    // The win is kept under the game's own name only.
    GameSetup other(GetParam().id == FreeCellId ? SeahavenId : FreeCellId, 1);
    other.Owned->LoadStatistics();
    const int otherWins = other.Owned->GetWon();
    s.Game->SaveStatistics();
    GameSetup same(GetParam().id, 1);
    same.Owned->LoadStatistics();
    other.Owned->LoadStatistics();
    EXPECT_EQ(same.Owned->GetWon(), 1);
    EXPECT_EQ(other.Owned->GetWon(), otherWins);
}

TEST_P(FreeCellFamilyPlay, ASavedGameResumesAndPlaysOnToTheWin)
{
    GameSetup s(GetParam().id, GetParam().seed);
    const size_t half = Moves.size() / 2;
    s.Play(Moves, 0, half);
    const int counter = s.Game->GetCardsToMove();
    ASSERT_LT(counter, 52);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("game.veksol"));
    ASSERT_TRUE(GameFactory::SaveGameFile(*s.Owned, file));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    // Header, times and score, deal pile, the cells holding all 52 cards,
    // then a 32-bit 0 and the 16-bit counter.
    EXPECT_EQ(bytes.size(), 27 + 12 + 2 + 52 * 4 + 2 + GetParam().cells * 2 + 52 * 8 + 4 + 2);
    EXPECT_EQ(bytes.right(6), QByteArray(4, '\0') + char(counter) + '\0');

    GameSetup resumed(GetParam().id, GetParam().seed + 1);
    const auto expectAsSaved = [&] {
        ASSERT_EQ(resumed.Table->GetCellCount(), GetParam().cells);
        for (int c = 0; c < GetParam().cells; ++c)
            EXPECT_EQ(resumed.Names(c), s.Names(c)) << c;
    };
    ASSERT_TRUE(resumed.Resume(file));
    expectAsSaved();
    EXPECT_EQ(resumed.Host.StatusText, QStringLiteral("Cards to move: %1").arg(counter));
    EXPECT_EQ(resumed.Game->GetPossibleMoveCount(), s.Game->GetPossibleMoveCount());

    // Cut short, or with a card twice in the deal pile, a file is refused.
    QByteArray twice = bytes;
    twice.replace(41, 4, bytes.mid(45, 4));
    for (const QByteArray &damaged : {bytes.left(bytes.size() - 2), twice}) {
        QFile out(dir.filePath(QStringLiteral("damaged.veksol")));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(damaged);
        out.close();
        QString error;
        EXPECT_FALSE(resumed.Resume(out.fileName(), &error));
        EXPECT_EQ(error, GameFactory::CannotResumeMessage());
        expectAsSaved();
    }

    resumed.Play(Moves, half, Moves.size());
    ExpectWonOnce(resumed);
}

INSTANTIATE_TEST_SUITE_P(Games, FreeCellFamilyPlay,
                         ::testing::Values(FamilyDeal{FreeCellId, 7, 16}, FamilyDeal{SeahavenId, 11, 18}),
                         [](const auto &info) { return std::string(info.param.id == FreeCellId ? "FreeCell" : "SeaHaven"); });

TEST(FreeCellFamily, ASuggestionFindsAFreeCellCardForItsFoundation)
{
    for (const int id : {FreeCellId, SeahavenId}) {
        GameSetup s(id, 1);
        s.Table->SetSuggestionWait(0);
        // Free cells full, no column move; only the 6 of clubs may go up.
        std::map<int, QString> cells{{Free0, "6C"}, {Free1, "KH"}, {Free2, "KD"}, {Free3, "KS"}, {Found0, "AC 2C 3C 4C 5C"}};
        const char *tops[] = {"9H", "9D", "9S", "9C", "4H", "4D", "4S", "JH", "JD", "JS"};
        for (int c = 0; c < s.Game->GetColumnCount(); ++c)
            cells[Col0 + c] = tops[c];
        s.Lay(cells);
        ASSERT_EQ(s.Game->GetPossibleMoveCount(), 0) << id;
        s.Game->SuggestMove();
        ASSERT_EQ(s.Game->GetPossibleMoveCount(), 1) << id;
        EXPECT_EQ(s.Game->GetPossibleMove(0)->GetFrom(), s.Cell(Free0));
        EXPECT_EQ(s.Game->GetPossibleMove(0)->GetTo(), s.Cell(Found0));
        // Trying the move left no trace, said nothing and made no sound.
        EXPECT_EQ(s.Names(Free0) + s.Names(Found0), QStringLiteral("6CAC 2C 3C 4C 5C"));
        EXPECT_EQ(s.Game->GetUndoCount() + s.Host.Beeps, 0);
    }
}
