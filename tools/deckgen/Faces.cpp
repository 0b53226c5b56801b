// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Faces.h"

#include <cmath>
#include <vector>

#include <QPainter>

#include "Artwork.h"

namespace Art {

namespace {

// The corner index, as printed cards have it: the rank above the suit, in a
// column narrow enough to show whole where a fan leaves the covered card's
// edge in view (10 pixels at 88 x 130, 20 here), and the rank within the top
// 20 rows, which a column fanned by 10 pixels leaves in view at 88 x 130.
constexpr qreal IndexCentre = 10.75;
constexpr qreal IndexWidth = 15.5;
constexpr qreal IndexCapHeight = 15.5;
constexpr qreal IndexBaseline = 19.5;
constexpr qreal IndexSuitCentreY = 29.5;
constexpr qreal IndexSuitHeight = 15;

void drawIndex(QPainter &p, const Fonts &fonts, int rank, CardSuit suit)
{
    const QColor colour = SuitColor(suit);
    QPainterPath text = fonts.Rank(rank, IndexCapHeight);
    // Wide letters and the two digits of "10" are narrowed to the column.
    if (text.boundingRect().width() > IndexWidth)
        text = fonts.Rank(rank, IndexCapHeight, IndexWidth / text.boundingRect().width());
    const QRectF box = text.boundingRect();
    text.translate(IndexCentre - box.center().x(), IndexBaseline);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(text);
    p.drawPath(SuitAt(suit, QPointF(IndexCentre, IndexSuitCentreY), IndexSuitHeight));
}

// Pip positions: column -1, 0 or 1 and the row as a fraction of the pip
// field's height. Pips below the middle are drawn upside down.
struct Spot {
    int column;
    qreal row;
};

const std::vector<Spot> &pipLayout(int rank)
{
    static const std::vector<std::vector<Spot>> layouts = {
        {},
        {},
        {{0, 0}, {0, 1}},
        {{0, 0}, {0, 0.5}, {0, 1}},
        {{-1, 0}, {1, 0}, {-1, 1}, {1, 1}},
        {{-1, 0}, {1, 0}, {0, 0.5}, {-1, 1}, {1, 1}},
        {{-1, 0}, {1, 0}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}},
        {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}},
        {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {0, 0.75}, {-1, 1}, {1, 1}},
        {{-1, 0}, {1, 0}, {-1, 1 / 3.0}, {1, 1 / 3.0}, {0, 0.5}, {-1, 2 / 3.0}, {1, 2 / 3.0}, {-1, 1}, {1, 1}},
        {{-1, 0}, {1, 0}, {0, 1 / 6.0}, {-1, 1 / 3.0}, {1, 1 / 3.0}, {-1, 2 / 3.0}, {1, 2 / 3.0}, {0, 5 / 6.0},
         {-1, 1}, {1, 1}},
    };
    return layouts[size_t(rank)];
}

void drawPips(QPainter &p, int rank, CardSuit suit)
{
    constexpr qreal top = 56, bottom = CardHeight - 56, centreX = CardWidth / 2.0, columnStep = 38;
    constexpr qreal pipHeight = 36;
    p.setPen(Qt::NoPen);
    p.setBrush(SuitColor(suit));
    for (const Spot &spot : pipLayout(rank)) {
        const QPointF centre(centreX + spot.column * columnStep, top + spot.row * (bottom - top));
        p.drawPath(SuitAt(suit, centre, pipHeight, spot.row > 0.5));
    }
}

void drawAceOfSpades(QPainter &p, const Fonts &fonts)
{
    const QPointF c(CardWidth / 2.0, CardHeight / 2.0 - 4);
    const QColor ink = Ink();
    const QColor red = TrueRed();

    // A ring of small spades and dots round the large pip.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 24; ++i) {
        const qreal a = i * M_PI / 12;
        const QPointF at(c.x() + 66 * std::sin(a), c.y() - 84 * std::cos(a));
        if (i % 6 == 0) {
            p.setBrush(red);
            p.drawPath(SuitAt(Spades, at, 13, i == 12));
        } else {
            p.setBrush(ink);
            p.drawEllipse(at, 2.2, 2.2);
        }
    }

    // A scroll either side of the stem, mirrored: out from the stem, up, and
    // rolled in at the end.
    QPainterPath scroll(QPointF(c.x() + 6, c.y() + 57));
    scroll.cubicTo(c.x() + 26, c.y() + 59, c.x() + 44, c.y() + 55, c.x() + 48, c.y() + 41);
    scroll.cubicTo(c.x() + 51, c.y() + 31, c.x() + 39, c.y() + 28, c.x() + 38, c.y() + 36);
    scroll.quadTo(c.x() + 38, c.y() + 42, c.x() + 43, c.y() + 41);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::RoundCap));
    for (int side = -1; side <= 1; side += 2) {
        QTransform m;
        m.translate(c.x(), 0);
        m.scale(side, 1);
        m.translate(-c.x(), 0);
        p.drawPath(m.map(scroll));
    }

    // The large spade with a white inner line and a red heart-shaped jewel.
    const QPainterPath big = SuitAt(Spades, c, 112);
    FillAndStroke(p, big, ink, ink, 0);
    p.setPen(QPen(Paper(), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(SuitAt(Spades, QPointF(c.x(), c.y() - 3), 86));
    FillAndStroke(p, SuitAt(Diamonds, QPointF(c.x(), c.y() + 4), 24), red, Paper(), 1.6);

    // The maker's ribbon under the pip.
    QPainterPath ribbon;
    const qreal y = c.y() + 70;
    ribbon.moveTo(c.x() - 48, y - 7);
    ribbon.quadTo(c.x(), y - 13, c.x() + 48, y - 7);
    ribbon.lineTo(c.x() + 56, y + 3);
    ribbon.lineTo(c.x() + 48, y + 7);
    ribbon.quadTo(c.x(), y + 1, c.x() - 48, y + 7);
    ribbon.lineTo(c.x() - 56, y + 3);
    ribbon.closeSubpath();
    FillAndStroke(p, ribbon, red, ink, 1.2);
    const QPainterPath name = fonts.Text(Fonts::SerifBold, QStringLiteral("VEK SOLITAIRE"), 6.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper());
    p.drawPath(CentredOn(name, QPointF(c.x(), y - 2)));
}

} // namespace

QImage DrawFace(const Fonts &fonts, int rank, CardSuit suit)
{
    QImage image = BlankCard();
    QPainter p(&image);
    Prepare(p);

    // Both corner indices, the second one turned round the card's centre.
    drawIndex(p, fonts, rank, suit);
    p.save();
    p.translate(CardWidth, CardHeight);
    p.rotate(180);
    drawIndex(p, fonts, rank, suit);
    p.restore();

    if (rank == 1) {
        if (suit == Spades)
            drawAceOfSpades(p, fonts);
        else {
            p.setPen(Qt::NoPen);
            p.setBrush(SuitColor(suit));
            p.drawPath(SuitAt(suit, QPointF(CardWidth / 2.0, CardHeight / 2.0), 96));
        }
    } else if (rank <= 10) {
        drawPips(p, rank, suit);
    } else {
        DrawCourt(p, rank, suit);
    }
    return image;
}

} // namespace Art
