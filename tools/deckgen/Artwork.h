// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include "Card.h"

class QPainter;

// What every picture of the standard deck shares: sizes, colours, the four
// suit shapes and text set from the DejaVu font files.
namespace Art {

constexpr int CardWidth = 176;
constexpr int CardHeight = 260;
// Radius of the card's rounded corners, in pixels at 176 x 260.
constexpr qreal CornerRadius = 10;

// The table's default colour: what shows around a card's rounded corners.
inline QColor TableGrey() { return QColor(128, 128, 128); }
inline QColor Paper() { return QColor(255, 255, 255); }
inline QColor Ink() { return QColor(22, 22, 26); }
inline QColor TrueRed() { return QColor(208, 0, 16); }
inline QColor SuitColor(CardSuit suit) { return (suit == Diamonds || suit == Hearts) ? TrueRed() : Ink(); }

// "A", "2" ... "10", "J", "Q", "K".
QString RankText(int rank);

// The outline of a suit symbol in a 100 x 100 box; its ink reaches from about
// y = 2 to y = 98 and is centred on x = 50.
const QPainterPath &SuitShape(CardSuit suit);
// The suit symbol scaled to `height` pixels (the box's height) and centred on
// `centre`, upside down when `flipped`.
QPainterPath SuitAt(CardSuit suit, QPointF centre, qreal height, bool flipped = false);

// The font files we set text with. Glyph outlines come straight from the
// files, unhinted, so no font configuration of the machine can change them.
class Fonts {
public:
    enum Face { SansBold, Sans, SerifBold, FaceCount };

    bool Load(const QString &directory, QString *error);
    // The text as outlines with its baseline at y = 0 and its pen starting at
    // x = 0, scaled so that capital letters are `capHeight` pixels high;
    // `squeeze` narrows it (1 = the font's own width).
    QPainterPath Text(Face face, const QString &text, qreal capHeight, qreal squeeze = 1.0) const;
    // A card rank in bold, as Text, but kept above the baseline: the J and
    // the tail of the Q would otherwise reach into whatever lies below. The
    // two digits of "10" are set close together.
    QPainterPath Rank(int rank, qreal capHeight, qreal squeeze = 1.0) const;

private:
    std::array<QRawFont, FaceCount> Raw;
};

// A 32-bit picture filled with one colour.
QImage Canvas(int width, int height, QColor fill);
// A 32-bit picture with an alpha channel, fully transparent.
QImage TransparentCanvas(int width, int height);
// Antialiased painting, shapes and text alike.
void Prepare(QPainter &painter);

// `path` moved so that the centre of its bounding box lies on `centre`.
QPainterPath CentredOn(const QPainterPath &path, QPointF centre);
// Fills `path` and draws its outline in one go.
void FillAndStroke(QPainter &painter, const QPainterPath &path, QColor fill, QColor line, qreal width);

// The white card body every face starts from: grey outside the rounded
// corners, a thin grey edge.
QImage BlankCard();

} // namespace Art
