// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>
#include <vector>

#include <QPainter>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using namespace EngineTest;

namespace {

// Cells and wrappers on their own, without a table.
struct Pile {
    explicit Pile(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto wrapper = std::make_unique<CardWrapper>();
            wrapper->SetSize(40, 60);
            cell.Add(wrapper.get(), true);
            wrappers.push_back(std::move(wrapper));
        }
        cell.SetCardSize(40, 60);
    }
    CardWrapper *at(int i) { return wrappers[size_t(i)].get(); }

    TableCell cell;
    std::vector<std::unique_ptr<CardWrapper>> wrappers;
};

} // namespace

TEST(TableCell, ListOperationsKeepOneCellPerCard)
{
    Pile a(3);
    TableCell other;
    EXPECT_EQ(a.cell.GetWrapper(-1), a.at(2));
    EXPECT_EQ(a.cell.GetWrapper(3), nullptr);
    EXPECT_EQ(a.cell.GetCard(3), nullptr);
    EXPECT_EQ(other.GetWrapper(-1), nullptr);
    EXPECT_EQ(other.GetCard(-1), nullptr);

    // Adding a card that is already in the cell moves it to the top.
    a.cell.Add(a.at(0), true);
    EXPECT_EQ(a.cell.GetCards(), (std::vector<CardWrapper *>{a.at(1), a.at(2), a.at(0)}));
    // At the bottom, from another cell: it leaves that cell.
    other.Add(a.at(2), false);
    EXPECT_EQ(a.cell.GetCount(), 2);
    EXPECT_EQ(a.at(2)->GetCell(), &other);
    other.Add(a.at(1), false);
    EXPECT_EQ(other.GetCards(), (std::vector<CardWrapper *>{a.at(1), a.at(2)}));

    // Insert within the same cell, and past the end (clamped).
    other.Insert(a.at(2), 0);
    EXPECT_EQ(other.GetCards(), (std::vector<CardWrapper *>{a.at(2), a.at(1)}));
    other.Insert(a.at(0), 99);
    EXPECT_EQ(other.IndexOf(a.at(0)), 2);
    EXPECT_EQ(a.cell.GetCount(), 0);

    // Pop and Remove leave the card's cell as it was.
    EXPECT_EQ(other.Pop(), a.at(0));
    EXPECT_EQ(a.at(0)->GetCell(), &other);
    other.Remove(a.at(1));
    EXPECT_EQ(a.at(1)->GetCell(), &other);
    EXPECT_EQ(other.IndexOf(a.at(1)), -1);
    EXPECT_EQ(a.cell.Pop(), nullptr);

    // Changing the kind forgets the cards but leaves them alone.
    other.SetKind(CellKind::Bare);
    EXPECT_EQ(other.GetCount(), 0);
    EXPECT_EQ(a.at(2)->GetCell(), &other);
}

TEST(TableCell, StartMovingMarksTheCardAndEverythingAbove)
{
    Pile pile(4);
    pile.cell.StartMoving(pile.at(1));
    EXPECT_FALSE(pile.at(0)->IsMoving());
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(pile.at(i)->IsMoving()) << i;
    // A card of another cell marks nothing.
    Pile other(2);
    other.cell.StartMoving(pile.at(0));
    EXPECT_FALSE(other.at(0)->IsMoving());
    EXPECT_FALSE(other.at(1)->IsMoving());
}

TEST(TableCell, ContainsOnlyForFramedCells)
{
    TableCell cell;
    cell.SetPosition(10, 20);
    cell.SetCardSize(40, 60);
    EXPECT_TRUE(cell.Contains(10, 20));
    EXPECT_TRUE(cell.Contains(49, 79));
    EXPECT_FALSE(cell.Contains(50, 50));
    EXPECT_FALSE(cell.Contains(20, 80));
    EXPECT_FALSE(cell.Contains(9, 30));
    cell.SetKind(CellKind::Bare);
    EXPECT_FALSE(cell.Contains(20, 30));
    cell.SetKind(CellKind::Hidden);
    EXPECT_FALSE(cell.Contains(20, 30));
}

TEST(TableCell, OverlapFollowsTheIntegerFormula)
{
    TableCell empty;
    empty.SetPosition(100, 100);
    empty.SetCardSize(40, 60);
    const auto rect = [](int l, int t, int r, int b) {
        QRect q;
        q.setCoords(l, t, r, b);
        return q;
    };
    EXPECT_EQ(empty.Overlap(rect(100, 100, 139, 159)), 100);
    // One corner pixel in common: no area.
    EXPECT_EQ(empty.Overlap(rect(139, 159, 178, 218)), 0);
    EXPECT_EQ(empty.Overlap(rect(140, 100, 179, 159)), 0);
    // Half the width: 19 * 59 * 100 / (39 * 59), truncated.
    EXPECT_EQ(empty.Overlap(rect(120, 100, 159, 159)), 48);
    EXPECT_EQ(empty.Overlap(rect(90, 110, 129, 169)), 29 * 49 * 100 / (39 * 59));

    // With cards the target is the top card where it lies.
    Pile pile(2);
    pile.at(1)->SetPosition(300, 300);
    EXPECT_EQ(pile.cell.Overlap(rect(300, 300, 339, 359)), 100);
    EXPECT_EQ(pile.cell.Overlap(rect(0, 0, 39, 59)), 0);

    // A target without area never divides by zero.
    TableCell thin;
    thin.SetCardSize(1, 60);
    EXPECT_EQ(thin.Overlap(rect(0, 0, 10, 10)), 0);
}

TEST(TableCell, LayoutFansVisibleCardsAndSquaresPiles)
{
    Pile pile(5);
    pile.cell.SetPosition(10, 10);
    pile.cell.SetOffset(0, 20);
    pile.cell.Arrange(PaintPass::Resting);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pile.at(i)->Position(), QPoint(10, 10 + 20 * i)) << i;
        EXPECT_TRUE(pile.at(i)->IsVisible()) << i;
    }
    // A hidden card leaves no gap.
    pile.at(2)->AddFlags(CardWrapper::Hidden);
    pile.cell.Arrange(PaintPass::Resting);
    EXPECT_FALSE(pile.at(2)->IsVisible());
    EXPECT_EQ(pile.at(3)->Position(), QPoint(10, 50));
    EXPECT_EQ(pile.at(4)->Position(), QPoint(10, 70));

    // A squared pile shows its two top cards at rest, all of them when
    // dragging.
    pile.at(2)->ClearFlags(CardWrapper::Hidden);
    pile.cell.SetOffset(0, 0);
    pile.cell.Arrange(PaintPass::Resting);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pile.at(i)->IsVisible(), i >= 3) << i;
    pile.cell.Arrange(PaintPass::Moving);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(pile.at(i)->IsVisible()) << i;

    // A dragged card keeps the mouse's position until it stops moving.
    pile.at(4)->SetMoving(true);
    pile.at(4)->SetPosition(200, 200);
    pile.cell.Arrange(PaintPass::Resting);
    EXPECT_EQ(pile.at(4)->Position(), QPoint(200, 200));
    pile.at(4)->SetMoving(false);
    pile.cell.Arrange(PaintPass::Resting);
    EXPECT_EQ(pile.at(4)->Position(), QPoint(10, 10));

    // Cards of a hidden cell are invisible.
    pile.cell.SetKind(CellKind::Hidden);
    CardWrapper *card = pile.at(0);
    pile.cell.Add(card, true);
    pile.cell.Arrange(PaintPass::Resting);
    EXPECT_FALSE(card->IsVisible());
}

// Painting, checked by pixels of the back buffer.
class CellPainting : public ::testing::Test {
protected:
    CellPainting() { FillDeck(deck, 40, 60); }

    CardWrapper *card(int i, bool up = true)
    {
        auto wrapper = std::make_unique<CardWrapper>();
        wrapper->SetSize(40, 60);
        wrapper->SetCard(deck.GetCard(i));
        wrapper->SetBack(deck.GetBack());
        wrapper->SetFrontUp(up);
        wrappers.push_back(std::move(wrapper));
        return wrappers.back().get();
    }
    QImage paint(std::initializer_list<TableCell *> cells)
    {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        QPainter canvas(&image);
        canvas.setBrush(QColor(128, 128, 128));
        for (PaintPass pass : {PaintPass::Resting, PaintPass::Moving}) {
            for (TableCell *cell : cells)
                cell->Paint(canvas, pass);
        }
        return image;
    }

    Deck deck;
    std::vector<std::unique_ptr<CardWrapper>> wrappers;
};

TEST_F(CellPainting, SquaredPileShowsOnlyItsTwoTopCards)
{
    TableCell pile;
    pile.SetCardSize(40, 60);
    pile.SetPosition(10, 10);
    for (int i = 0; i < 3; ++i)
        pile.Add(card(i), true);
    QImage image = paint({&pile});
    EXPECT_EQ(PixelAt(image, 30, 40), CardColour(2));

    // The top card dragged away uncovers the second one.
    wrappers[2]->SetMoving(true);
    wrappers[2]->SetPosition(100, 100);
    image = paint({&pile});
    EXPECT_EQ(PixelAt(image, 30, 40), CardColour(1));
    EXPECT_EQ(PixelAt(image, 120, 130), CardColour(2));

    // With the two top cards away the bottom card stays undrawn: the cell
    // shows its outline and the brush.
    wrappers[1]->SetMoving(true);
    wrappers[1]->SetPosition(150, 10);
    image = paint({&pile});
    EXPECT_EQ(PixelAt(image, 30, 40), qRgb(128, 128, 128));
    EXPECT_EQ(PixelAt(image, 10, 10), qRgb(0, 0, 0));
    EXPECT_EQ(PixelAt(image, 49, 69), qRgb(0, 0, 0));
    EXPECT_EQ(PixelAt(image, 160, 20), CardColour(1));
}

TEST_F(CellPainting, FannedColumnShowsEveryStripAndTheTopCardWhole)
{
    TableCell column;
    column.SetCardSize(40, 60);
    column.SetPosition(10, 10);
    column.SetOffset(0, 15);
    column.Add(card(0, false), true);
    for (int i = 1; i < 4; ++i)
        column.Add(card(i), true);
    column.GetWrapper(2)->AddFlags(CardWrapper::Hidden);
    const QImage image = paint({&column});
    EXPECT_EQ(PixelAt(image, 20, 12), BackColour());
    EXPECT_EQ(PixelAt(image, 20, 27), CardColour(1));
    // The hidden card takes no step: the top card follows card 1.
    EXPECT_EQ(PixelAt(image, 20, 42), CardColour(3));
    EXPECT_EQ(PixelAt(image, 20, 99), CardColour(3));
    EXPECT_EQ(PixelAt(image, 20, 100), qRgb(1, 2, 3));
}

TEST_F(CellPainting, HighlightFramesTheCardInRed)
{
    TableCell column;
    column.SetKind(CellKind::Bare);
    column.SetCardSize(40, 60);
    column.SetPosition(20, 20);
    column.SetOffset(0, 15);
    column.Add(card(5), true);
    column.Add(card(6), true);
    wrappers[0]->AddFlags(CardWrapper::Highlight);
    wrappers[1]->AddFlags(CardWrapper::Highlight);
    const QImage image = paint({&column});
    const QRgb red = qRgb(255, 0, 0);
    // The covered card's frame shows where its strip shows.
    EXPECT_EQ(PixelAt(image, 30, 20), red);
    EXPECT_EQ(PixelAt(image, 20, 30), red);
    EXPECT_EQ(PixelAt(image, 30, 25), CardColour(5));
    // The top card: frame on its outermost pixels, the card inside.
    for (const QPoint p : {QPoint(20, 35), QPoint(59, 35), QPoint(40, 35), QPoint(40, 94), QPoint(20, 94)})
        EXPECT_EQ(PixelAt(image, p.x(), p.y()), red) << p.x() << "," << p.y();
    EXPECT_EQ(PixelAt(image, 21, 36), CardColour(6));
    EXPECT_EQ(PixelAt(image, 58, 93), CardColour(6));
    EXPECT_EQ(PixelAt(image, 60, 50), qRgb(1, 2, 3));
}

TEST_F(CellPainting, FramedCellDrawsOutlineBackgroundAndPicture)
{
    TableCell cell;
    cell.SetCardSize(40, 60);
    cell.SetPosition(10, 10);
    QImage image = paint({&cell});
    EXPECT_EQ(PixelAt(image, 10, 10), qRgb(0, 0, 0));
    EXPECT_EQ(PixelAt(image, 49, 40), qRgb(0, 0, 0));
    EXPECT_EQ(PixelAt(image, 30, 40), qRgb(128, 128, 128));
    EXPECT_EQ(PixelAt(image, 50, 40), qRgb(1, 2, 3));

    // The background covers the outline.
    cell.SetBackground(deck.GetPlaceholder(1));
    image = paint({&cell});
    EXPECT_EQ(PixelAt(image, 10, 10), PlaceholderColour(1));
    // A picture without image data is not drawn.
    cell.SetPicture(deck.GetPlaceholder(2));
    image = paint({&cell});
    EXPECT_EQ(PixelAt(image, 30, 40), PlaceholderColour(1));

    // A bare cell draws its cards only, a hidden cell nothing.
    TableCell bare;
    bare.SetKind(CellKind::Bare);
    bare.SetCardSize(40, 60);
    bare.SetPosition(100, 10);
    image = paint({&bare});
    EXPECT_EQ(PixelAt(image, 100, 10), qRgb(1, 2, 3));
    TableCell hidden;
    hidden.SetKind(CellKind::Hidden);
    hidden.SetPosition(100, 100);
    hidden.Add(card(9), true);
    image = paint({&hidden});
    EXPECT_EQ(PixelAt(image, 120, 120), qRgb(1, 2, 3));
}

// Drawing only the strips of covered cards must give exactly the picture of
// drawing every card whole, including cards without a picture and cards
// whose picture has transparency.
TEST_F(CellPainting, StripsGiveTheSamePictureAsWholeCards)
{
    Card translucent;
    QImage glass(40, 60, QImage::Format_ARGB32_Premultiplied);
    glass.fill(qRgba(0, 60, 0, 128));
    translucent.GetScaledBitmap() = glass;
    Card blank;

    for (int dx : {0, 7, -5}) {
        for (int dy : {0, 15, -9}) {
            wrappers.clear();
            TableCell column;
            column.SetCardSize(40, 60);
            column.SetPosition(80, 80);
            column.SetOffset(dx, dy);
            for (int i = 0; i < 7; ++i)
                column.Add(card(i, i % 3 != 0), true);
            wrappers[2]->SetCard(&translucent);
            wrappers[4]->SetCard(&blank);
            wrappers[5]->AddFlags(CardWrapper::Highlight);
            wrappers[1]->AddFlags(CardWrapper::Hidden);
            const QImage fast = paint({&column});

            QImage whole(200, 200, QImage::Format_RGB32);
            whole.fill(qRgb(1, 2, 3));
            QPainter canvas(&whole);
            canvas.setBrush(QColor(128, 128, 128));
            column.Arrange(PaintPass::Resting);
            TableCell frameOnly;
            frameOnly.SetCardSize(40, 60);
            frameOnly.SetPosition(80, 80);
            frameOnly.Paint(canvas, PaintPass::Resting);
            for (int i = 0; i < 7; ++i) {
                if (wrappers[size_t(i)]->IsVisible())
                    wrappers[size_t(i)]->PaintTo(canvas, wrappers[size_t(i)]->Left(), wrappers[size_t(i)]->Top());
            }
            canvas.end();
            EXPECT_EQ(fast, whole) << "fan " << dx << "," << dy;
        }
    }
}
