// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "Picture.h"

using namespace EngineTest;

namespace {

std::vector<QString> hooks(const TinyGame &game)
{
    std::vector<QString> names;
    for (const auto &call : game.Calls)
        names.push_back(call.hook);
    return names;
}

} // namespace

TEST(GameTableMouse, DragDropsIntoTheCellWithTheLargestOverlap)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;
    TableCell *column0 = game.CellOf(TinyGame::Column0);
    CardWrapper *top = column0->GetWrapper(-1);
    const QPoint start = game.CardCentre(TinyGame::Column0, 3);
    const QPoint cardAt = top->Position();

    Press(&table, start, Qt::RightButton); // any button
    ASSERT_EQ(game.Calls.size(), 1u);
    EXPECT_EQ(game.Calls[0].hook, QStringLiteral("down"));
    EXPECT_EQ(game.Calls[0].wrapper, top);
    EXPECT_EQ(game.Calls[0].cell, int(TinyGame::Column0));
    EXPECT_EQ(game.Calls[0].card, 3);
    EXPECT_TRUE(top->IsMoving());
    // The first press starts the clock and counts the deal.
    EXPECT_TRUE(s.Host.PlayTimerEnabled);
    EXPECT_EQ(game.GetPlayed(), 1);

    // The card follows the pointer; its left edge ends at x 80, so it covers
    // a fifth of column 1 and more than half of the empty column 2.
    MoveTo(&table, start + QPoint(30, -20), Qt::RightButton);
    EXPECT_EQ(top->Position(), cardAt + QPoint(30, -20));
    const QPoint end = start + QPoint(80 - cardAt.x(), 10 - cardAt.y());
    MoveTo(&table, end, Qt::RightButton);
    EXPECT_EQ(top->Position(), QPoint(80, 10));
    Release(&table, end, Qt::RightButton);

    EXPECT_EQ(hooks(game).back(), QStringLiteral("up"));
    EXPECT_EQ(game.Calls.back().cell, end.x()); // table coordinates
    EXPECT_EQ(game.LastDropTarget, int(TinyGame::Column2));
    EXPECT_EQ(game.CellOf(TinyGame::Column2)->GetWrapper(-1), top);
    EXPECT_FALSE(top->IsMoving());
    EXPECT_EQ(column0->GetCount(), 3);
    EXPECT_EQ(game.GetUndoCount(), 1);
    EXPECT_TRUE(s.Host.UndoEnabled);
    // The second press of the deal counts nothing more.
    Click(&table, game.CardCentre(TinyGame::Column1, 0));
    EXPECT_EQ(game.GetPlayed(), 1);
}

TEST(GameTableMouse, ClickIsAReleaseOnTheSameUnmovedCard)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;

    // The stock's cards do not move when pressed: a click.
    CardWrapper *stockTop = game.CellOf(TinyGame::Stock)->GetWrapper(-1);
    Click(&table, game.CardCentre(TinyGame::Stock, 2));
    ASSERT_EQ(hooks(game), (std::vector<QString>{"down", "click"}));
    EXPECT_EQ(game.Calls[1].wrapper, stockTop);
    EXPECT_EQ(game.Calls[1].cell, int(TinyGame::Stock));
    EXPECT_EQ(game.Calls[1].card, 2);
    EXPECT_EQ(game.CellOf(TinyGame::Column2)->GetWrapper(-1), stockTop);

    // A card set moving by the press is dropped, even without a move, and
    // snaps back.
    game.Calls.clear();
    CardWrapper *single = game.CellOf(TinyGame::Column1)->GetWrapper(0);
    Click(&table, game.CardCentre(TinyGame::Column1, 0));
    EXPECT_EQ(hooks(game), (std::vector<QString>{"down", "up"}));
    EXPECT_EQ(single->GetCell(), game.CellOf(TinyGame::Column1));
    EXPECT_FALSE(single->IsMoving());

    // A release over another card is a drop too.
    game.Calls.clear();
    Press(&table, game.CardCentre(TinyGame::Stock, 1));
    Release(&table, game.CardCentre(TinyGame::Column0, 0));
    EXPECT_EQ(hooks(game), (std::vector<QString>{"down", "up"}));
}

TEST(GameTableMouse, DoubleClickReachesTheGame)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    CardWrapper *single = game.CellOf(TinyGame::Column1)->GetWrapper(0);
    DoubleClick(s.Table.get(), game.CardCentre(TinyGame::Column1, 0));
    EXPECT_EQ(hooks(game), (std::vector<QString>{"down", "up", "dblclick", "up"}));
    EXPECT_EQ(game.Calls[2].wrapper, single);
    EXPECT_EQ(game.Calls[2].cell, int(TinyGame::Column1));
    EXPECT_EQ(game.Calls[2].card, 0);
    EXPECT_EQ(single->GetCell(), game.CellOf(TinyGame::Foundation));
}

TEST(GameTableMouse, SurfaceClicksReachOnlyFramedCells)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;
    Click(&table, game.CellCentre(TinyGame::Column2));
    ASSERT_EQ(hooks(game), (std::vector<QString>{"click", "up"}));
    EXPECT_EQ(game.Calls[0].wrapper, nullptr);
    EXPECT_EQ(game.Calls[0].cell, int(TinyGame::Column2));
    EXPECT_EQ(game.Calls[0].card, -1);

    // The bare cell is not clickable, and neither is the open table.
    game.Calls.clear();
    Click(&table, game.CellCentre(TinyGame::Bare));
    Click(&table, QPoint(table.width() - 2, 2 + TinyGame::H * 2));
    EXPECT_EQ(hooks(game), (std::vector<QString>{"up", "up"}));
    // No card was pressed: the clock has not started.
    EXPECT_FALSE(s.Host.PlayTimerEnabled);
}

TEST(GameTableMouse, PressesGoToTheTopmostVisibleCard)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;
    TableCell *column0 = game.CellOf(TinyGame::Column0);
    // A dragged card lies above every cell.
    CardWrapper *dragged = column0->GetWrapper(0);
    dragged->SetMoving(true);
    dragged->SetPosition(game.CellOf(TinyGame::Column1)->GetX(), 5);
    EXPECT_EQ(table.WrapperForPress(QPoint(dragged->Left() + 3, 8)), dragged);
    // At rest, the upper card wins where cards overlap; hidden cards never.
    dragged->SetMoving(false);
    table.ArrangeCells();
    EXPECT_EQ(table.WrapperForPress(QPoint(10, 30)), column0->GetWrapper(1));
    // A hidden top card is found by WrapperAtPos, which ignores
    // visibility, but never pressed.
    column0->GetWrapper(3)->AddFlags(CardWrapper::Hidden);
    table.ArrangeCells();
    EXPECT_EQ(table.WrapperAtPos(QPoint(10, 110)), column0->GetWrapper(3));
    EXPECT_EQ(table.WrapperForPress(QPoint(10, 110)), nullptr);
}

TEST(GameTableMouse, AFaultInAHookEndsTheActionOnly)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    game.ThrowOnPress = true;
    game.CellOf(TinyGame::Column1)->GetWrapper(0)->SetMoving(true);
    Press(s.Table.get(), game.CardCentre(TinyGame::Column0, 3));
    EXPECT_TRUE(s.Host.StatusText.contains(QStringLiteral("the rules tripped")));
    EXPECT_EQ(s.Host.Beeps, 1);
    EXPECT_FALSE(game.CellOf(TinyGame::Column1)->GetWrapper(0)->IsMoving());
    Release(s.Table.get(), QPoint(1, 1));
    game.ThrowOnPress = false;
    Click(s.Table.get(), game.CardCentre(TinyGame::Stock, 2));
    EXPECT_EQ(hooks(game).back(), QStringLiteral("click"));
}

TEST(GameTablePaint, PictureIsTiledFromTheTopLeft)
{
    Deck deck;
    BasicHost host;
    GameTable table(nullptr, &deck, &host);
    QImage tile(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            tile.setPixel(x, y, qRgb(x * 30, y * 40, 99));
    Picture picture;
    picture.SetBitmap(tile);
    host.SetBackgroundPicture(&picture);
    table.resize(30, 23);
    table.Paint();
    const QImage &image = table.GetBackBuffer();
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(PixelAt(image, x, y), qRgb(x % 7 * 30, y % 5 * 40, 99)) << x << "," << y;

    // Larger than the table: drawn once from the corner.
    QImage big(50, 50, QImage::Format_RGB32);
    big.fill(qRgb(5, 6, 7));
    big.setPixel(0, 0, qRgb(200, 0, 0));
    picture.SetBitmap(big);
    table.Paint();
    EXPECT_EQ(PixelAt(image, 0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(PixelAt(image, 29, 22), qRgb(5, 6, 7));

    // An empty picture means the plain colour.
    picture.Clear();
    table.Paint();
    EXPECT_EQ(PixelAt(image, 10, 10), qRgb(128, 128, 128));
}

TEST(GameTablePaint, PausedTableIsBlackWithWhiteTextInTheMiddle)
{
    TinyTable s;
    s.Table->resize(300, 200);
    s.Game->SetPaused(true);
    EXPECT_FALSE(s.Table->isEnabled());
    s.Table->Paint();
    const QImage &image = s.Table->GetBackBuffer();
    QRect text;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = PixelAt(image, x, y);
            if (p == qRgb(0, 0, 0))
                continue;
            ASSERT_GT(qGray(p), 0) << x << "," << y;
            text |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(text.isEmpty()) << "nothing written";
    EXPECT_NEAR(text.center().x(), 150, 6);
    EXPECT_NEAR(text.center().y(), 100, 10);
    EXPECT_GT(text.width(), 40);
    EXPECT_GT(text.height(), 12);

    s.Game->SetPaused(false);
    EXPECT_TRUE(s.Table->isEnabled());
    s.Table->Paint();
    EXPECT_EQ(PixelAt(image, 150, 199), qRgb(0, 0, 0)); // the outline
    EXPECT_EQ(PixelAt(image, 150, 190), qRgb(128, 128, 128));
    EXPECT_EQ(PixelAt(image, 299, 10), qRgb(0, 0, 0));
    EXPECT_EQ(PixelAt(image, 298, 10), qRgb(128, 128, 128));
}

TEST(GameTable, EndOfGameQuestion)
{
    TinyTable s;
    GameTable &table = *s.Table;
    s.Answers.Answer = true;
    table.GameOver(true);
    ASSERT_EQ(s.Answers.Captions.size(), 1);
    EXPECT_EQ(s.Answers.Captions[0], QStringLiteral("Congratulations - Vek Solitaire"));
    EXPECT_EQ(s.Answers.Texts[0], QStringLiteral("Congratulations! You made it!\n\nWould you like to play again?"));
    EXPECT_EQ(s.Host.RestartRequests, 1);

    s.Answers.Answer = false;
    table.GameOver(false);
    EXPECT_EQ(s.Answers.Captions[1], QStringLiteral("Game over - Vek Solitaire"));
    EXPECT_EQ(s.Answers.Texts[1], QStringLiteral("Out of luck today, eh?\n\nWould you like to play again?"));
    EXPECT_EQ(s.Host.RestartRequests, 1);
    // After No, nothing more is asked until the table is cleared.
    table.GameOver(true);
    EXPECT_EQ(s.Answers.Captions.size(), 2);
    s.Game->NewGame(true);
    table.GameOver(true);
    EXPECT_EQ(s.Answers.Captions.size(), 3);
}

// A dragged card that ends the deal has landed before the question comes.
TEST(GameTable, TheWinningMoveIsDrawnBeforeTheQuestion)
{
    TinyTable s;
    CardWrapper *dragged = s.Game->CellOf(TinyGame::Column1)->GetWrapper(-1);
    dragged->AddFlags(CardWrapper::Moving);
    dragged->MoveBy(200, 100);
    bool landed = false;
    s.Answers.WhenAsked = [&] {
        const TableCell *cell = s.Game->CellOf(TinyGame::Column1);
        landed = !dragged->IsMoving() && dragged->Position() == QPoint(cell->GetX(), cell->GetY());
    };
    s.Table->GameOver(true);
    EXPECT_TRUE(landed);
}

TEST(GameTable, ResizingCardsKeepsEveryCardInItsCell)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;
    std::vector<std::vector<CardWrapper *>> before;
    for (int i = 0; i < table.GetCellCount(); ++i)
        before.push_back(table.GetCell(i)->GetCards());

    table.ResizeCards(80, 120);
    EXPECT_EQ(table.GetCardWidth(), 80);
    for (int i = 0; i < table.GetCellCount(); ++i) {
        EXPECT_EQ(table.GetCell(i)->GetCards(), before[size_t(i)]) << i;
        EXPECT_EQ(table.GetCell(i)->GetCardWidth(), 80);
        for (CardWrapper *card : table.GetCell(i)->GetCards()) {
            EXPECT_EQ(card->Width(), 80);
            EXPECT_EQ(card->Height(), 120);
        }
    }
    // The game laid itself out for the new size; the deck followed.
    EXPECT_EQ(game.CellOf(TinyGame::Column1)->GetX(), 5 + 85);
    EXPECT_EQ(game.CellOf(TinyGame::Column0)->GetDY(), 40);
    EXPECT_EQ(table.size(), QSize(3 * 85 + 5, 4 * 120 + 10));
    EXPECT_EQ(s.TheDeck.GetCard(0)->GetScaledBitmap().size(), QSize(80, 120));
    EXPECT_EQ(table.GetMask().GetBitmap().size(), QSize(80, 120));
}

TEST(GameTable, ResizeChangesTheWindowByTheDifference)
{
    Deck deck;
    QWidget window;
    window.resize(400, 300);
    GameTable *table = new GameTable(&window, &deck);
    table->setGeometry(10, 20, 200, 100);
    table->Resize(250, 180);
    EXPECT_EQ(window.size(), QSize(450, 380));
    EXPECT_EQ(table->size(), QSize(250, 180));
}

TEST(GameTable, DefaultCellPictureComesFromCellJpg)
{
    Deck deck;
    GameTable table(nullptr, &deck);
    // No Cell.jpg beside the test program: the picture stays empty.
    EXPECT_TRUE(table.GetDefaultCellBackground()->GetScaledBitmap().isNull());
    EXPECT_FALSE(table.LoadDefaultCellBackground(QStringLiteral("/nonexistent/Cell.jpg")));

    QTemporaryDir dir;
    QImage picture(20, 30, QImage::Format_RGB32);
    picture.fill(qRgb(90, 60, 30));
    const QString file = dir.filePath(QStringLiteral("Cell.png"));
    ASSERT_TRUE(picture.save(file));
    ASSERT_TRUE(table.LoadDefaultCellBackground(file));
    table.ResizeCards(40, 60);
    EXPECT_EQ(table.GetDefaultCellBackground()->GetScaledBitmap().size(), QSize(40, 60));
}

// The table leaves out the background where cells are sure to paint over
// it; the frame must be exactly the one painted over a full background.
TEST(GameTablePaint, SkippingCoveredBackgroundChangesNoPixel)
{
    TinyTable s;
    TinyGame &game = *s.Game;
    GameTable &table = *s.Table;
    table.resize(200, 300);
    // A card in the air, a hidden card and an empty framed cell.
    game.CellOf(TinyGame::Column0)->GetWrapper(2)->AddFlags(CardWrapper::Hidden);
    CardWrapper *flying = game.CellOf(TinyGame::Column1)->GetWrapper(0);
    flying->SetMoving(true);
    flying->SetPosition(70, 30);
    QImage tile(9, 13, QImage::Format_RGB32);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 9; ++x)
            tile.setPixel(x, y, qRgb(x * 20, y * 15, 50));
    Picture picture;
    picture.SetBitmap(tile);

    for (Picture *background : {static_cast<Picture *>(nullptr), &picture}) {
        s.Host.SetBackgroundPicture(background);
        table.Paint();
        QImage expected(table.size(), QImage::Format_RGB32);
        QPainter canvas(&expected);
        canvas.setBrush(table.GetBackgroundColor());
        if (background) {
            for (int y = 0; y < expected.height(); y += 13)
                for (int x = 0; x < expected.width(); x += 9)
                    canvas.drawImage(x, y, tile);
        } else {
            canvas.fillRect(expected.rect(), Qt::black);
            canvas.fillRect(expected.rect().adjusted(1, 1, -1, -1), table.GetBackgroundColor());
        }
        for (PaintPass pass : {PaintPass::Resting, PaintPass::Moving})
            for (int i = 0; i < table.GetCellCount(); ++i)
                table.GetCell(i)->Paint(canvas, pass);
        canvas.end();
        EXPECT_EQ(table.GetBackBuffer(), expected) << (background ? "tiled" : "plain");
    }
}
