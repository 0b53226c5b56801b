// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pictures.h"

#include <QPainter>

#include "Artwork.h"

namespace Art {

namespace {

const QColor CellFill(116, 116, 116);
const QColor CellLine(166, 166, 166);

QPainterPath roundedRect(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

} // namespace

QImage DrawBack()
{
    const QColor field(30, 58, 128);
    const QColor thread(84, 122, 196);
    QImage image = BlankCard();
    QPainter p(&image);
    Prepare(p);

    // A white margin, then the patterned field.
    const QRectF inner(9, 9, CardWidth - 18, CardHeight - 18);
    const QPainterPath fieldShape = roundedRect(inner, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(field);
    p.drawPath(fieldShape);

    p.save();
    p.setClipPath(fieldShape);
    // A trellis of fine diagonal threads with a small lozenge in every mesh,
    // laid out from the card's centre so the back looks the same either way
    // up. Crossings lie on the grid points (cx + i * h, cy + j * h) with i + j
    // even, mesh centres on those with i + j odd.
    constexpr qreal step = 11, h = step / 2;
    const QPointF c(CardWidth / 2.0, CardHeight / 2.0);
    p.setPen(QPen(thread, 1.6));
    for (int k = -40; k <= 40; ++k) {
        const qreal d = k * step;
        p.drawLine(c + QPointF(d - CardHeight, -CardHeight), c + QPointF(d + CardHeight, CardHeight));
        p.drawLine(c + QPointF(d + CardHeight, -CardHeight), c + QPointF(d - CardHeight, CardHeight));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(thread);
    for (int j = -26; j <= 26; ++j)
        for (int i = -18; i <= 18; ++i) {
            if ((i + j) % 2 == 0)
                continue;
            const QPointF m = c + QPointF(i * h, j * h);
            const qreal r = 2.2;
            p.drawPolygon(QPolygonF({m + QPointF(0, -r), m + QPointF(r, 0), m + QPointF(0, r), m + QPointF(-r, 0)}));
        }

    // A medallion in the middle with the four suits round a small lozenge.
    QPainterPath medallion;
    medallion.addEllipse(c, 30, 40);
    FillAndStroke(p, medallion, field, Paper(), 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(thread, 1.4));
    p.drawEllipse(c, 25, 35);
    p.setPen(Qt::NoPen);
    p.setBrush(thread.lighter(125));
    p.drawPath(SuitAt(Spades, c + QPointF(0, -17), 16));
    p.drawPath(SuitAt(Hearts, c + QPointF(0, 17), 16, true));
    p.drawPath(SuitAt(Clubs, c + QPointF(-13, 0), 16));
    p.drawPath(SuitAt(Diamonds, c + QPointF(13, 0), 16));
    p.restore();

    // Two frame lines inside the field keep the pattern calm at the edge.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(field, 5));
    p.drawPath(roundedRect(inner.adjusted(2.5, 2.5, -2.5, -2.5), 4));
    p.setPen(QPen(Paper(), 2));
    p.drawPath(roundedRect(inner.adjusted(6, 6, -6, -6), 3));
    return image;
}

QImage DrawCell()
{
    QImage image = Canvas(CardWidth, CardHeight, TableGrey());
    QPainter p(&image);
    Prepare(p);
    FillAndStroke(p, roundedRect(QRectF(2, 2, CardWidth - 4, CardHeight - 4), CornerRadius - 1), CellFill, CellLine, 3);
    return image;
}

QImage DrawPlaceholder(CardSuit suit)
{
    QImage image = DrawCell();
    QPainter p(&image);
    Prepare(p);
    FillAndStroke(p, SuitAt(suit, QPointF(CardWidth / 2.0, CardHeight / 2.0), 96), QColor(124, 124, 124), CellLine, 4);
    return image;
}

QImage DrawSymbolStrip(const Fonts &fonts)
{
    QImage strip = Canvas(52 * SymbolWidth, SymbolHeight, Paper());
    QPainter p(&strip);
    Prepare(p);
    p.setPen(Qt::NoPen);
    for (int s = Clubs; s <= Spades; ++s) {
        const CardSuit suit = CardSuit(s);
        p.setBrush(SuitColor(suit));
        for (int rank = 1; rank <= 13; ++rank) {
            const qreal left = ((s * 13) + rank - 1) * SymbolWidth;
            QPainterPath text = fonts.Rank(rank, 10, rank == 10 ? 0.6 : 1.0);
            text.translate(left + SymbolWidth / 2.0 - text.boundingRect().center().x(), 11);
            p.drawPath(text);
            p.drawPath(SuitAt(suit, QPointF(left + SymbolWidth / 2.0, 17), 9));
        }
    }
    return strip;
}

QImage DrawEmblem(const Fonts &fonts, int size)
{
    QImage image = TransparentCanvas(size, size);
    QPainter p(&image);
    Prepare(p);
    p.scale(size / 64.0, size / 64.0);
    auto card = [&](QPointF centre, qreal angle, CardSuit suit, qreal shift) {
        p.save();
        p.translate(centre);
        p.rotate(angle);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawPath(roundedRect(QRectF(-14, -20.5, 30, 44), 4));
        FillAndStroke(p, roundedRect(QRectF(-15, -22, 30, 44), 4), Paper(), QColor(70, 70, 76), 1.3);
        p.setPen(Qt::NoPen);
        p.setBrush(SuitColor(suit));
        p.drawPath(SuitAt(suit, QPointF(shift, 1), 21));
        p.drawPath(CentredOn(fonts.Rank(1, 6.5), QPointF(-10, -15.5)));
        p.restore();
    };
    card(QPointF(24, 32), -14, Hearts, -4);
    card(QPointF(40, 31), 10, Spades, 0);
    return image;
}

} // namespace Art
