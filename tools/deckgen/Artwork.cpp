// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Artwork.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTransform>

namespace Art {

namespace {

QPainterPath makeHeart()
{
    QPainterPath p;
    p.moveTo(50, 97);
    p.cubicTo(41, 82, 4, 62, 4, 31);
    p.cubicTo(4, 13, 16, 3, 29, 3);
    p.cubicTo(40, 3, 47, 10, 50, 20);
    p.cubicTo(53, 10, 60, 3, 71, 3);
    p.cubicTo(84, 3, 96, 13, 96, 31);
    p.cubicTo(96, 62, 59, 82, 50, 97);
    p.closeSubpath();
    return p;
}

QPainterPath makeDiamond()
{
    QPainterPath p;
    p.moveTo(50, 2);
    p.quadTo(63, 29, 88, 50);
    p.quadTo(63, 71, 50, 98);
    p.quadTo(37, 71, 12, 50);
    p.quadTo(37, 29, 50, 2);
    p.closeSubpath();
    return p;
}

QPainterPath makeSpade()
{
    QPainterPath p;
    p.moveTo(50, 2);
    p.cubicTo(58, 18, 96, 36, 96, 61);
    p.cubicTo(96, 76, 85, 84, 73, 84);
    p.cubicTo(63, 84, 56, 79, 53, 72);
    p.cubicTo(54, 85, 59, 92, 69, 98);
    p.lineTo(31, 98);
    p.cubicTo(41, 92, 46, 85, 47, 72);
    p.cubicTo(44, 79, 37, 84, 27, 84);
    p.cubicTo(15, 84, 4, 76, 4, 61);
    p.cubicTo(4, 36, 42, 18, 50, 2);
    p.closeSubpath();
    return p;
}

QPainterPath makeClub()
{
    // Three round leaves and a flared stem, joined into one outline. The
    // union flattens curves into lines, so it is built ten times larger and
    // scaled down afterwards to keep the leaves round.
    const qreal k = 10;
    QPainterPath leaves;
    leaves.setFillRule(Qt::WindingFill);
    const qreal r = 23 * k;
    leaves.addEllipse(QPointF(50 * k, 26 * k), r, r);
    leaves.addEllipse(QPointF(26.5 * k, 60 * k), r, r);
    leaves.addEllipse(QPointF(73.5 * k, 60 * k), r, r);
    QPainterPath heart;
    heart.addPolygon(QPolygonF({QPointF(50 * k, 30 * k), QPointF(30 * k, 62 * k), QPointF(70 * k, 62 * k)}));
    heart.closeSubpath();
    QPainterPath stem;
    stem.moveTo(47 * k, 58 * k);
    stem.cubicTo(47 * k, 78 * k, 42 * k, 91 * k, 31 * k, 98 * k);
    stem.lineTo(69 * k, 98 * k);
    stem.cubicTo(58 * k, 91 * k, 53 * k, 78 * k, 53 * k, 58 * k);
    stem.closeSubpath();
    QPainterPath club = leaves.united(heart).united(stem);
    return QTransform::fromScale(1 / k, 1 / k).map(club);
}

} // namespace

QString RankText(int rank)
{
    switch (rank) {
    case 1:
        return QStringLiteral("A");
    case 11:
        return QStringLiteral("J");
    case 12:
        return QStringLiteral("Q");
    case 13:
        return QStringLiteral("K");
    default:
        return QString::number(rank);
    }
}

const QPainterPath &SuitShape(CardSuit suit)
{
    static const std::array<QPainterPath, 4> shapes = {makeClub(), makeDiamond(), makeHeart(), makeSpade()};
    return shapes[size_t(suit) & 3];
}

QPainterPath SuitAt(CardSuit suit, QPointF centre, qreal height, bool flipped)
{
    const qreal s = height / 100.0;
    QTransform t;
    t.translate(centre.x(), centre.y());
    if (flipped)
        t.rotate(180);
    t.scale(s, s);
    t.translate(-50, -50);
    return t.map(SuitShape(suit));
}

bool Fonts::Load(const QString &directory, QString *error)
{
    static const char *const files[FaceCount] = {"DejaVuSans-Bold.ttf", "DejaVuSans.ttf", "DejaVuSerif-Bold.ttf"};
    for (int i = 0; i < FaceCount; ++i) {
        const QString file = QDir(directory).filePath(QString::fromLatin1(files[i]));
        // Outlines are taken at a large size and scaled down; no hinting, so
        // they are the font's own design.
        QRawFont raw(file, 200, QFont::PreferNoHinting);
        if (!raw.isValid()) {
            if (error)
                *error = QStringLiteral("the font %1 cannot be read (the package fonts-dejavu-core provides it)")
                             .arg(QFileInfo(file).absoluteFilePath());
            return false;
        }
        Raw[size_t(i)] = raw;
    }
    return true;
}

QPainterPath Fonts::Text(Face face, const QString &text, qreal capHeight, qreal squeeze) const
{
    const QRawFont &raw = Raw[size_t(face)];
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    QPainterPath path;
    QPointF pen(0, 0);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        path.addPath(raw.pathForGlyph(glyphs[i]).translated(pen));
        pen += advances[i];
    }
    const qreal s = capHeight / raw.capHeight();
    return QTransform::fromScale(s * squeeze, s).map(path);
}

QPainterPath Fonts::Rank(int rank, qreal capHeight, qreal squeeze) const
{
    if (rank == 10) {
        // Two digits where other ranks have one letter: narrowed by the
        // caller's squeeze and set close together.
        const QPainterPath one = Text(SansBold, QStringLiteral("1"), capHeight, squeeze);
        const QPainterPath zero = Text(SansBold, QStringLiteral("0"), capHeight, squeeze);
        const qreal gap = capHeight * 0.06;
        return one.united(zero.translated(one.boundingRect().right() + gap - zero.boundingRect().left(), 0));
    }
    QPainterPath text = Text(SansBold, RankText(rank), capHeight, squeeze);
    const QRectF box = text.boundingRect();
    if (box.bottom() <= 0)
        return text;
    // Shrink round the top, so the letter ends on the baseline.
    const qreal s = -box.top() / box.height();
    QTransform t;
    t.translate(box.center().x(), box.top());
    t.scale(s, s);
    t.translate(-box.center().x(), -box.top());
    return t.map(text);
}

QImage Canvas(int width, int height, QColor fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage TransparentCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Prepare(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPainterPath CentredOn(const QPainterPath &path, QPointF centre)
{
    return path.translated(centre - path.boundingRect().center());
}

void FillAndStroke(QPainter &painter, const QPainterPath &path, QColor fill, QColor line, qreal width)
{
    painter.setPen(width > 0 ? QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    painter.drawPath(path);
}

QImage BlankCard()
{
    QImage image = Canvas(CardWidth, CardHeight, TableGrey());
    QPainter p(&image);
    Prepare(p);
    const QRectF body(0.75, 0.75, CardWidth - 1.5, CardHeight - 1.5);
    QPainterPath shape;
    shape.addRoundedRect(body, CornerRadius, CornerRadius);
    FillAndStroke(p, shape, Paper(), QColor(96, 96, 100), 1.5);
    return image;
}

} // namespace Art
