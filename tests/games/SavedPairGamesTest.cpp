// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "MonteCarlo.h"
#include "PairGamesSupport.h"
#include "Pyramid.h"
#include "SavedGame.h"

using namespace PairsTest;

namespace {

QByteArray saved(CardGame &game)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    game.SaveGame(buffer);
    return bytes;
}

// A few moves of each game, leaving a score, a count or a selection.
void playSome(Board &b)
{
    const int32_t id = b.Game->GetGameId();
    if (id == 4)
        b.Table->CardDblClick(b.Cell(28)->GetWrapper(-1)); // Pyramid's stock to its waste
    else if (id == 20 || id == 21)
        b.ClickTop(0); // Golf's stock to its pile
    for (int i = 0; i < 3 && b.Game->GetPossibleMoveCount() > 0; ++i) {
        const PossibleMove *move = b.Game->GetPossibleMove(0);
        if (move->IsPair() && id != 22) {
            CardWrapper *first = move->GetFrom()->GetWrapper(-1);
            CardWrapper *second = move->GetTo()->GetWrapper(-1);
            b.Table->CardClick(first);
            if (second != first)
                b.Table->CardClick(second);
        } else {
            b.Table->CardDblClick(move->GetFrom()->GetWrapper(-1));
        }
    }
    // A selection is never saved.
    if (id == 4 || id == 3)
        b.Table->CardClick(b.Cell(id == 4 ? 21 : 10)->GetWrapper(-1));
    b.Game->Tick(); // no error message left standing
    b.Game->ShowStatus();
}

class SavedPairGames : public ::testing::TestWithParam<int32_t> {};

} // namespace

TEST_P(SavedPairGames, ResumeIdenticallyAndRefuseDamage)
{
    Board b(GetParam(), 7);
    playSome(b);
    ASSERT_GT(b.Game->GetUndoCount(), 0);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("game.veksol"));
    ASSERT_TRUE(GameFactory::SaveGameFile(*b.Game, file));

    Board resumed(GetParam(), 99);
    QString error;
    std::unique_ptr<CardGame> game = GameFactory::ResumeGame(file, &resumed.TheDeck, resumed.Table.get(), W, H, &error);
    ASSERT_NE(game, nullptr) << error.toStdString();
    resumed.Game = std::move(game);
    EXPECT_EQ(PositionKey(resumed), PositionKey(b));
    EXPECT_EQ(resumed.Host.StatusText, b.Host.StatusText);
    EXPECT_EQ(saved(*resumed.Game), saved(*b.Game));
    for (int cell = 0; cell < resumed.Table->GetCellCount(); ++cell) {
        for (CardWrapper *card : resumed.Cell(cell)->GetCards())
            EXPECT_FALSE(card->HasFlags(CardWrapper::Highlight));
    }

    // Damaged files leave the game on the table as it was: one byte short
    // (the variant's own data for Pyramid and Monte Carlo), or a deal pile
    // whose first card is the second again, so that the cells miss a card.
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    const QByteArray whole = damaged.readAll();
    QByteArray duplicate = whole;
    duplicate.replace(41, 4, whole.mid(45, 4));
    const std::string before = PositionKey(resumed);
    for (const QByteArray &bytes : {whole.chopped(1), duplicate}) {
        ASSERT_TRUE(damaged.resize(0) && damaged.seek(0) && damaged.write(bytes) == bytes.size() && damaged.flush());
        EXPECT_EQ(GameFactory::ResumeGame(file, &resumed.TheDeck, resumed.Table.get(), W, H, &error), nullptr);
        EXPECT_EQ(error, GameFactory::CannotResumeMessage());
        EXPECT_EQ(resumed.Table->GetGame(), resumed.Game.get());
        EXPECT_EQ(PositionKey(resumed), before);
    }
}

// Pyramid, Golf, Putt Putt, Monte Carlo, Black Hole.
INSTANTIATE_TEST_SUITE_P(PairGames, SavedPairGames, ::testing::Values(4, 20, 21, 3, 22));

// A card selected before a position is loaded went with the cards the load
// replaced: the selection is forgotten, never touched again (the sanitizer
// build reports any use of the destroyed card), also at a second load.
TEST(SavedPairGamesLoad, LoadingOverASelectionForgetsIt)
{
    for (const int32_t id : {4, 3}) {
        SCOPED_TRACE(id);
        Board b(id, 7);
        const QByteArray bytes = saved(*b.Game);
        const auto selected = [&b, id] {
            if (id == 4)
                return dynamic_cast<Pyramid &>(*b.Game).GetSelected() != nullptr;
            return dynamic_cast<MonteCarlo &>(*b.Game).HasSelection();
        };
        for (int load = 0; load < 2; ++load) {
            // A free card that is not a King: it stays selected.
            for (int cell = 21; cell < 28 && !selected(); ++cell) {
                if (b.Cell(cell)->GetCount() > 0 && b.Cell(cell)->GetCard(-1)->GetValue() != 13)
                    b.Table->CardClick(b.Cell(cell)->GetWrapper(-1));
            }
            ASSERT_TRUE(selected());
            b.Game->PrepareForLoad();
            QBuffer in;
            in.setData(bytes);
            ASSERT_TRUE(in.open(QIODevice::ReadOnly));
            ASSERT_TRUE(b.Game->LoadGame(in));
            EXPECT_FALSE(selected());
        }
    }
}
