// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The twelve court figures. Each is a bust in a frame, drawn once in the top
// half and again turned round the card's centre, so the card reads the same
// either way up. The rank decides the headgear, the hair and what the figure
// holds; the suit decides the colours, the beard and the side it holds it on.
#include <QPainter>

#include "Artwork.h"
#include "Faces.h"

namespace Art {

namespace {

const QColor Gold(236, 184, 40);
const QColor Red(204, 34, 44);
const QColor Blue(40, 84, 170);
const QColor Green(36, 124, 76);
const QColor Black(44, 44, 54);
const QColor Purple(112, 52, 136);
const QColor White(252, 250, 244);
const QColor Skin(250, 218, 188);
const QColor SkinShade(214, 160, 128);
const QColor Metal(214, 220, 230);
const QColor Wood(128, 82, 44);
const QColor Line(30, 28, 34);
const QColor Cream(252, 246, 228);

const QColor HairBrown(116, 72, 36);
const QColor HairDark(50, 40, 36);
const QColor HairBlonde(232, 190, 92);
const QColor HairGrey(196, 196, 202);
const QColor HairAuburn(176, 78, 34);

constexpr qreal Outline = 1.5;

// The frame the figure stands in, and the line that halves it.
const QRectF Frame(30, 34, 116, 192);
constexpr qreal Middle = CardHeight / 2.0;

enum class Held { Sceptre, Sword, Flower, Halberd, Torch };
enum class Beard { None, Round, Pointed, Forked, Square };

struct Look {
    QColor robe, trim, accent, hair;
    int side; // +1: holds its attribute on its right (our right), -1: on the left
    Beard beard;
    Held held;
};

Look lookFor(int rank, CardSuit suit)
{
    // Index: suit * 3 + (rank - 11), that is Jack, Queen, King of each suit.
    static const Look looks[12] = {
        // Clubs
        {Green, Gold, Red, HairAuburn, 1, Beard::None, Held::Halberd},
        {Red, Gold, Blue, HairBlonde, -1, Beard::None, Held::Flower},
        {Blue, Gold, Red, HairDark, 1, Beard::Round, Held::Sceptre},
        // Diamonds
        {Gold, Red, Blue, HairBrown, -1, Beard::None, Held::Torch},
        {Blue, Gold, Red, HairDark, 1, Beard::None, Held::Flower},
        {Red, Gold, Green, HairGrey, -1, Beard::Forked, Held::Sceptre},
        // Hearts
        {Blue, Red, Gold, HairBlonde, 1, Beard::None, Held::Torch},
        {Purple, Gold, Red, HairAuburn, -1, Beard::None, Held::Flower},
        {Red, Blue, Gold, HairAuburn, 1, Beard::Pointed, Held::Sword},
        // Spades
        {Red, Black, Gold, HairDark, -1, Beard::None, Held::Halberd},
        {Green, Gold, Red, HairDark, 1, Beard::None, Held::Sceptre},
        {Black, Gold, Red, HairGrey, -1, Beard::Square, Held::Sword},
    };
    return looks[size_t(suit) * 3 + size_t(rank - 11)];
}

QColor darker(QColor c, int percent = 140) { return c.darker(percent); }

void fill(QPainter &p, const QPainterPath &path, QColor colour)
{
    FillAndStroke(p, path, colour, Line, Outline);
}

QPainterPath ellipse(QPointF c, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(c, rx, ry);
    return path;
}

QPainterPath rect(qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.addRect(QRectF(x, y, w, h));
    return path;
}

// Figure geometry in card pixels for the top half. The head is drawn at its
// own size round (cx, faceY) and enlarged by HeadScale.
constexpr qreal HeadScale = 1.12;

struct Figure {
    qreal cx;           // centre line of the head
    qreal faceY = 77;   // centre of the face
    qreal faceRx = 14, faceRy = 17;
    qreal shoulders = 98; // where the robe meets the neck
    QPointF hand;
};

// ---- what the figure holds -------------------------------------------------

void drawSceptre(QPainter &p, const Figure &f, const Look &look, CardSuit suit, bool small)
{
    const qreal x = f.hand.x();
    const qreal top = small ? 66 : 58;
    fill(p, rect(x - 2.2, top, 4.4, Middle - top), Gold);
    fill(p, ellipse(QPointF(x, top - 1), 4.2, 4.2), Gold);
    const QPainterPath finial = SuitAt(suit, QPointF(x, top - 13), small ? 15 : 19);
    FillAndStroke(p, finial, SuitColor(suit) == Ink() ? look.accent : SuitColor(suit), Line, 1.2);
}

void drawSword(QPainter &p, const Figure &f)
{
    const qreal x = f.hand.x();
    QPainterPath blade;
    blade.moveTo(x, 38);
    blade.lineTo(x + 4, 46);
    blade.lineTo(x + 4, 102);
    blade.lineTo(x - 4, 102);
    blade.lineTo(x - 4, 46);
    blade.closeSubpath();
    fill(p, blade, Metal);
    p.setPen(QPen(QColor(150, 156, 170), 1.2));
    p.drawLine(QPointF(x, 48), QPointF(x, 100));
    fill(p, rect(x - 13, 102, 26, 5), Gold);
    fill(p, ellipse(QPointF(x - 13, 104.5), 3, 3), Gold);
    fill(p, ellipse(QPointF(x + 13, 104.5), 3, 3), Gold);
    fill(p, rect(x - 2.5, 107, 5, 16), Wood);
}

void drawFlower(QPainter &p, const Figure &f, const Look &look)
{
    // The bloom leans a little outwards from the hand.
    const QPointF bloom(f.hand.x() + (f.hand.x() > f.cx ? 4 : -4), 70);
    QPainterPath stem(f.hand);
    stem.cubicTo(f.hand + QPointF(0, -20), bloom + QPointF(0, 24), bloom);
    p.setPen(QPen(Line, 4.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    p.setPen(QPen(Green, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);
    // Two leaves on the stem.
    for (int s = -1; s <= 1; s += 2) {
        const QPointF base = stem.pointAtPercent(s < 0 ? 0.45 : 0.6);
        QPainterPath leaf(base);
        const QPointF tip = base + QPointF(11 * s, -6);
        leaf.quadTo(base + QPointF(6 * s, -11), tip);
        leaf.quadTo(base + QPointF(8 * s, 2), base);
        fill(p, leaf, Green);
    }
    // Petals round a golden heart.
    for (int i = 0; i < 6; ++i) {
        const qreal a = i * M_PI / 3;
        fill(p, ellipse(bloom + QPointF(6.5 * std::cos(a), 6.5 * std::sin(a)), 4.8, 4.8), look.accent);
    }
    fill(p, ellipse(bloom, 4, 4), Gold);
}

void drawHalberd(QPainter &p, const Figure &f, int side)
{
    const qreal x = f.hand.x();
    fill(p, rect(x - 2, 50, 4, Middle - 50), Wood);
    // Spear point.
    QPainterPath point;
    point.moveTo(x, 36);
    point.lineTo(x + 4, 50);
    point.lineTo(x - 4, 50);
    point.closeSubpath();
    fill(p, point, Metal);
    // Axe blade towards the figure's outside, a hook towards its head.
    QPainterPath blade;
    blade.moveTo(x, 52);
    blade.lineTo(x + 10 * side, 48);
    blade.quadTo(x + 15 * side, 59, x + 10 * side, 70);
    blade.lineTo(x, 66);
    blade.closeSubpath();
    fill(p, blade, Metal);
    QPainterPath hook;
    hook.moveTo(x, 55);
    hook.quadTo(x - 8 * side, 55, x - 11 * side, 50);
    hook.quadTo(x - 8 * side, 60, x, 62);
    hook.closeSubpath();
    fill(p, hook, Metal);
    fill(p, rect(x - 3, 66, 6, 4), Gold);
}

void drawTorch(QPainter &p, const Figure &f, const Look &look)
{
    const qreal x = f.hand.x();
    QPainterPath handle;
    handle.moveTo(x - 5, 62);
    handle.lineTo(x + 5, 62);
    handle.lineTo(x + 2.5, Middle);
    handle.lineTo(x - 2.5, Middle);
    handle.closeSubpath();
    fill(p, handle, Wood);
    fill(p, rect(x - 6, 58, 12, 6), look.trim);
    QPainterPath flame;
    flame.moveTo(x, 37);
    flame.cubicTo(x + 4, 42, x + 10, 46, x + 7, 56);
    flame.quadTo(x, 60, x - 7, 56);
    flame.cubicTo(x - 9, 48, x - 2, 44, x, 34);
    flame.closeSubpath();
    fill(p, flame, QColor(244, 128, 32));
    QPainterPath core;
    core.moveTo(x, 44);
    core.cubicTo(x + 3, 48, x + 5, 52, x + 3, 56);
    core.quadTo(x, 58, x - 3, 56);
    core.cubicTo(x - 4, 52, x - 1, 49, x, 44);
    core.closeSubpath();
    FillAndStroke(p, core, QColor(255, 220, 70), Line, 0);
}

// ---- the figure ----------------------------------------------------------

void drawRobe(QPainter &p, const Figure &f, const Look &look, int rank, CardSuit suit)
{
    const qreal cx = f.cx, top = f.shoulders;
    QPainterPath robe;
    robe.moveTo(Frame.left() - 2, Middle + 2);
    robe.lineTo(Frame.left() - 2, top + 7);
    robe.cubicTo(Frame.left() + 6, top + 1, cx - 30, top, cx - 10, top);
    robe.lineTo(cx + 10, top);
    robe.cubicTo(cx + 30, top, Frame.right() - 6, top + 1, Frame.right() + 2, top + 7);
    robe.lineTo(Frame.right() + 2, Middle + 2);
    robe.closeSubpath();
    fill(p, robe, look.robe);

    // A hem along the middle of the card, with a row of dots.
    fill(p, rect(Frame.left() - 2, Middle - 8, Frame.width() + 4, 10), look.trim);
    p.setPen(Qt::NoPen);
    p.setBrush(look.accent == look.trim ? White : look.accent);
    for (qreal x = Frame.left() + 5; x < Frame.right(); x += 8)
        p.drawEllipse(QPointF(x, Middle - 3.5), 1.7, 1.7);

    // Shoulder seams in the trim colour.
    p.setPen(QPen(look.trim, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int s = -1; s <= 1; s += 2) {
        QPainterPath seam(QPointF(cx + s * 26, top + 2));
        seam.quadTo(QPointF(cx + s * 34, top + 12), QPointF(cx + s * 33, Middle - 8));
        p.drawPath(seam);
    }

    // The front panel, with small suit marks down it.
    QPainterPath panel;
    panel.moveTo(cx - 10, top);
    panel.lineTo(cx + 10, top);
    panel.lineTo(cx + 15, Middle - 8);
    panel.lineTo(cx - 15, Middle - 8);
    panel.closeSubpath();
    fill(p, panel, look.trim);
    p.setPen(Qt::NoPen);
    p.setBrush(look.accent == Gold && look.trim == Gold ? Red : look.accent);
    for (qreal y = top + 15; y < Middle - 12; y += 9)
        p.drawPath(SuitAt(suit, QPointF(cx, y), 7));

    // The collar: ermine for the King, lace for the Queen, a plain band for
    // the Jack.
    if (rank == 13) {
        QPainterPath collar;
        collar.moveTo(cx - 26, top + 1);
        collar.quadTo(cx, top - 6, cx + 26, top + 1);
        collar.quadTo(cx + 20, top + 13, cx, top + 13);
        collar.quadTo(cx - 20, top + 13, cx - 26, top + 1);
        collar.closeSubpath();
        fill(p, collar, White);
        p.setPen(Qt::NoPen);
        p.setBrush(Line);
        for (int i = -2; i <= 2; ++i) {
            const QPointF at(cx + i * 9, top + 5 + (i % 2 ? 2 : 0));
            QPainterPath tail(at + QPointF(0, -2));
            tail.lineTo(at + QPointF(1.6, 2.5));
            tail.lineTo(at + QPointF(-1.6, 2.5));
            tail.closeSubpath();
            p.drawPath(tail);
        }
    } else if (rank == 12) {
        QPainterPath lace;
        lace.moveTo(cx - 22, top + 1);
        for (int i = 0; i < 6; ++i) {
            const qreal x0 = cx - 22 + i * (44 / 6.0);
            lace.quadTo(x0 + 22 / 6.0, top + 12 - qAbs(i - 2.5) * 2, x0 + 44 / 6.0, top + 1);
        }
        lace.quadTo(cx, top - 5, cx - 22, top + 1);
        lace.closeSubpath();
        fill(p, lace, White);
    } else {
        QPainterPath band;
        band.moveTo(cx - 20, top + 1);
        band.quadTo(cx, top - 4, cx + 20, top + 1);
        band.lineTo(cx + 17, top + 7);
        band.quadTo(cx, top + 3, cx - 17, top + 7);
        band.closeSubpath();
        fill(p, band, look.accent);
    }
}

void drawLongHair(QPainter &p, const Figure &f, const Look &look)
{
    const qreal cx = f.cx;
    QPainterPath hair;
    hair.moveTo(cx - 15, 64);
    hair.cubicTo(cx - 30, 72, cx - 28, 100, cx - 24, 112);
    hair.quadTo(cx - 18, 116, cx - 10, 110);
    hair.lineTo(cx + 10, 110);
    hair.quadTo(cx + 18, 116, cx + 24, 112);
    hair.cubicTo(cx + 28, 100, cx + 30, 72, cx + 15, 64);
    hair.closeSubpath();
    fill(p, hair, look.hair);
}

void drawFace(QPainter &p, const Figure &f, const Look &look, int rank)
{
    const qreal cx = f.cx, cy = f.faceY;
    fill(p, rect(cx - 6.5, cy + 10, 13, (f.shoulders - cy) / HeadScale - 6), Skin); // neck
    fill(p, ellipse(QPointF(cx, cy), f.faceRx, f.faceRy), Skin);

    // Eyes look towards what the figure holds.
    const qreal glance = look.side * 0.8;
    p.setPen(Qt::NoPen);
    for (int s = -1; s <= 1; s += 2) {
        p.setBrush(White);
        p.drawEllipse(QPointF(cx + s * 5.5, cy - 2), 3.0, 1.9);
        p.setBrush(Line);
        p.drawEllipse(QPointF(cx + s * 5.5 + glance, cy - 2), 1.5, 1.6);
    }
    p.setPen(QPen(darker(look.hair, 150), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (int s = -1; s <= 1; s += 2)
        p.drawLine(QPointF(cx + s * 2.5, cy - 6.5), QPointF(cx + s * 9, cy - 7.2));
    // Nose.
    p.setPen(QPen(SkinShade, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath nose(QPointF(cx + glance * 0.5, cy - 2));
    nose.lineTo(cx - 1.8 + glance, cy + 5);
    nose.lineTo(cx + 1.4 + glance, cy + 6);
    p.drawPath(nose);
    // Cheeks for the Queen and the Jack.
    if (rank != 13) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 160, 150));
        p.drawEllipse(QPointF(cx - 8.5, cy + 5), 2.6, 1.8);
        p.drawEllipse(QPointF(cx + 8.5, cy + 5), 2.6, 1.8);
    }
    // Mouth.
    p.setPen(QPen(QColor(190, 50, 60), rank == 12 ? 2.4 : 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx - 3.5, cy + 10), QPointF(cx + 3.5, cy + 10));
}

void drawKingHair(QPainter &p, const Figure &f, const Look &look)
{
    const qreal cx = f.cx, cy = f.faceY;
    // Side locks.
    for (int s = -1; s <= 1; s += 2) {
        QPainterPath lock(QPointF(cx + s * 12, cy - 16));
        lock.cubicTo(cx + s * 21, cy - 10, cx + s * 20, cy + 4, cx + s * 17, cy + 10);
        lock.lineTo(cx + s * 13, cy + 4);
        lock.quadTo(cx + s * 14, cy - 6, cx + s * 10, cy - 12);
        lock.closeSubpath();
        fill(p, lock, look.hair);
    }
    // The beard round the chin, its shape set by the suit.
    QPainterPath beard;
    beard.moveTo(cx - 14, cy + 1);
    beard.quadTo(cx - 12, cy + 8, cx - 6, cy + 8);
    beard.lineTo(cx + 6, cy + 8);
    beard.quadTo(cx + 12, cy + 8, cx + 14, cy + 1);
    switch (look.beard) {
    case Beard::Pointed:
        beard.cubicTo(cx + 15, cy + 16, cx + 6, cy + 24, cx, cy + 32);
        beard.cubicTo(cx - 6, cy + 24, cx - 15, cy + 16, cx - 14, cy + 1);
        break;
    case Beard::Forked:
        beard.cubicTo(cx + 15, cy + 16, cx + 10, cy + 24, cx + 7, cy + 31);
        beard.quadTo(cx + 3, cy + 24, cx, cy + 24);
        beard.quadTo(cx - 3, cy + 24, cx - 7, cy + 31);
        beard.cubicTo(cx - 10, cy + 24, cx - 15, cy + 16, cx - 14, cy + 1);
        break;
    case Beard::Square:
        beard.cubicTo(cx + 15, cy + 14, cx + 13, cy + 24, cx + 11, cy + 28);
        beard.lineTo(cx - 11, cy + 28);
        beard.cubicTo(cx - 13, cy + 24, cx - 15, cy + 14, cx - 14, cy + 1);
        break;
    default:
        beard.cubicTo(cx + 15, cy + 16, cx + 10, cy + 27, cx, cy + 27);
        beard.cubicTo(cx - 10, cy + 27, cx - 15, cy + 16, cx - 14, cy + 1);
        break;
    }
    beard.closeSubpath();
    fill(p, beard, look.hair);
    // Lips showing through, and the moustache above them.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 60, 70));
    p.drawEllipse(QPointF(cx, cy + 11), 3.2, 1.5);
    p.setPen(QPen(Line, 1.0));
    p.setBrush(look.hair);
    for (int s = -1; s <= 1; s += 2) {
        QPainterPath m(QPointF(cx, cy + 6.5));
        m.cubicTo(cx + s * 4, cy + 5, cx + s * 9, cy + 7, cx + s * 11, cy + 11);
        m.cubicTo(cx + s * 7, cy + 9, cx + s * 3, cy + 9.5, cx, cy + 8.5);
        m.closeSubpath();
        p.drawPath(m);
    }
}

void drawQueenFringe(QPainter &p, const Figure &f, const Look &look)
{
    const qreal cx = f.cx, cy = f.faceY;
    QPainterPath fringe;
    fringe.moveTo(cx - 15, cy - 4);
    fringe.cubicTo(cx - 16, cy - 14, cx - 10, cy - 18, cx, cy - 17);
    fringe.cubicTo(cx + 10, cy - 18, cx + 16, cy - 14, cx + 15, cy - 4);
    fringe.quadTo(cx + 10, cy - 12, cx + 1, cy - 11);
    fringe.lineTo(cx - 1, cy - 11);
    fringe.quadTo(cx - 10, cy - 12, cx - 15, cy - 4);
    fringe.closeSubpath();
    fill(p, fringe, look.hair);
}

void drawJackHair(QPainter &p, const Figure &f, const Look &look)
{
    const qreal cx = f.cx, cy = f.faceY;
    // A short bob curled at the jaw.
    for (int s = -1; s <= 1; s += 2) {
        QPainterPath bob(QPointF(cx + s * 8, cy - 17));
        bob.cubicTo(cx + s * 20, cy - 14, cx + s * 19, cy - 2, cx + s * 18, cy + 4);
        bob.quadTo(cx + s * 21, cy + 9, cx + s * 16, cy + 11);
        bob.quadTo(cx + s * 12, cy + 8, cx + s * 13, cy + 2);
        bob.quadTo(cx + s * 13, cy - 8, cx + s * 4, cy - 12);
        bob.closeSubpath();
        fill(p, bob, look.hair);
    }
}

void drawCrown(QPainter &p, const Figure &f, const Look &look, CardSuit suit)
{
    const qreal cx = f.cx, band = f.faceY - 23;
    // Velvet cap inside the crown.
    QPainterPath cap;
    cap.moveTo(cx - 15, band + 1);
    cap.cubicTo(cx - 15, band - 15, cx + 15, band - 15, cx + 15, band + 1);
    cap.closeSubpath();
    fill(p, cap, look.robe == Gold ? Red : look.robe);
    // Five points, the middle one tallest.
    const qreal xs[5] = {-18, -9, 0, 9, 18};
    const qreal tips[5] = {11, 12, 15, 12, 11};
    QPainterPath points;
    points.moveTo(cx - 18, band + 1);
    points.lineTo(cx - 18, band - tips[0]);
    for (int i = 0; i < 4; ++i) {
        points.lineTo(cx + (xs[i] + xs[i + 1]) / 2, band - 4);
        points.lineTo(cx + xs[i + 1], band - tips[i + 1]);
    }
    points.lineTo(cx + 18, band + 1);
    points.closeSubpath();
    fill(p, points, Gold);
    for (int i = 0; i < 5; ++i)
        fill(p, ellipse(QPointF(cx + xs[i], band - tips[i] - 1.5), 2.3, 2.3), i == 2 ? look.accent : Gold);
    // The band, with the suit as its middle jewel.
    fill(p, rect(cx - 18, band, 36, 9), Gold);
    FillAndStroke(p, SuitAt(suit, QPointF(cx, band + 4.5), 8), SuitColor(suit) == Ink() ? look.accent : SuitColor(suit),
                  Line, 0.8);
    fill(p, ellipse(QPointF(cx - 11, band + 4.5), 2.2, 2.2), White);
    fill(p, ellipse(QPointF(cx + 11, band + 4.5), 2.2, 2.2), White);
}

void drawCoronet(QPainter &p, const Figure &f, const Look &look, CardSuit suit)
{
    const qreal cx = f.cx, band = f.faceY - 20;
    // A veil falling behind the head to the shoulders is drawn by the caller;
    // here the coronet: rounded lobes with pearls.
    QPainterPath lobes;
    lobes.moveTo(cx - 16, band + 1);
    for (int i = 0; i < 4; ++i) {
        const qreal x0 = cx - 16 + i * 8;
        lobes.cubicTo(x0 - 2, band - 10, x0 + 10, band - 10, x0 + 8, band + 1);
    }
    lobes.closeSubpath();
    fill(p, lobes, Gold);
    for (int i = 0; i < 4; ++i)
        fill(p, ellipse(QPointF(cx - 12 + i * 8, band - 8), 1.9, 1.9), White);
    FillAndStroke(p, SuitAt(suit, QPointF(cx, band - 12), 10), SuitColor(suit), Line, 1.0);
    fill(p, rect(cx - 16, band, 32, 5.5), Gold);
    fill(p, ellipse(QPointF(cx, band + 2.75), 2.4, 2.0), look.accent == Gold ? Red : look.accent);
}

void drawVeil(QPainter &p, const Figure &f, const Look &look)
{
    const qreal cx = f.cx, band = f.faceY - 20;
    QPainterPath veil;
    veil.moveTo(cx - 14, band);
    veil.cubicTo(cx - 34, band + 8, cx - 36, band + 30, cx - 34, f.shoulders + 8);
    veil.lineTo(cx + 34, f.shoulders + 8);
    veil.cubicTo(cx + 36, band + 30, cx + 34, band + 8, cx + 14, band);
    veil.closeSubpath();
    fill(p, veil, look.trim == Gold ? look.accent.lighter(150) : look.trim.lighter(150));
}

void drawCap(QPainter &p, const Figure &f, const Look &look, CardSuit suit)
{
    const qreal cx = f.cx, brow = f.faceY - 17;
    const int s = -look.side; // the feather sweeps away from what the Jack holds
    // The feather first, so the cap covers its root.
    QPainterPath feather;
    const QPointF root(cx + s * 10, brow - 6);
    const QPointF tip(cx + s * 19, brow - 21);
    feather.moveTo(root);
    feather.cubicTo(root + QPointF(-s * 2, -12), tip + QPointF(-s * 8, 4), tip);
    feather.cubicTo(tip + QPointF(s * 1, 9), root + QPointF(s * 10, -3), root);
    feather.closeSubpath();
    fill(p, feather, look.accent);
    p.setPen(QPen(White, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath quill(root);
    quill.quadTo(root + QPointF(s * 3, -11), tip);
    p.drawPath(quill);

    // A soft cap, tilted a little, over a band across the brow.
    QPainterPath crown;
    crown.moveTo(cx - 18, brow + 1);
    crown.cubicTo(cx - 22, brow - 14, cx + 4 * look.side, brow - 18, cx + 20, brow - 4);
    crown.lineTo(cx + 18, brow + 1);
    crown.closeSubpath();
    fill(p, crown, look.robe == Gold ? Red : look.robe.darker(115));
    QPainterPath band;
    band.addRoundedRect(QRectF(cx - 19, brow - 2, 38, 7), 3, 3);
    fill(p, band, look.trim);
    const QColor mark = look.trim == Gold || look.trim == White ? SuitColor(suit) : White;
    FillAndStroke(p, SuitAt(suit, QPointF(cx, brow + 1.5), 6.5), mark, Line, 0);
}

// The arm that holds the attribute: a sleeve from the shoulder to the hand.
void drawArm(QPainter &p, const Figure &f, const Look &look)
{
    const int side = f.hand.x() > f.cx ? 1 : -1;
    QPainterPath arm(QPointF(f.cx + side * 24, f.shoulders + 4));
    arm.cubicTo(QPointF(f.cx + side * 40, f.shoulders + 6), f.hand + QPointF(side * 6, -14), f.hand + QPointF(0, -4));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Line, 14, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arm);
    p.setPen(QPen(look.trim, 11, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arm);
    fill(p, ellipse(f.hand + QPointF(0, -5), 7.5, 3.5), look.accent);
}

void drawHand(QPainter &p, QPointF at)
{
    fill(p, ellipse(at, 5.5, 4.8), Skin);
    p.setPen(QPen(SkinShade, 1.0));
    p.drawLine(at + QPointF(-2.5, -1), at + QPointF(2.5, -1));
    p.drawLine(at + QPointF(-2.5, 1.5), at + QPointF(2.5, 1.5));
}

void drawHalf(QPainter &p, int rank, CardSuit suit, const Look &look)
{
    Figure f;
    f.cx = CardWidth / 2.0 - look.side * 5;
    f.hand = QPointF(f.cx + look.side * 35, 117);

    switch (look.held) {
    case Held::Sceptre:
        drawSceptre(p, f, look, suit, rank == 12);
        break;
    case Held::Sword:
        drawSword(p, f);
        break;
    case Held::Halberd:
        drawHalberd(p, f, look.side);
        break;
    case Held::Torch:
        drawTorch(p, f, look);
        break;
    case Held::Flower:
        break; // held in front of the robe, below
    }

    // The head is drawn at its own size round the face's centre.
    auto headSpace = [&] {
        p.translate(f.cx, f.faceY);
        p.scale(HeadScale, HeadScale);
        p.translate(-f.cx, -f.faceY);
    };

    if (rank == 12) {
        drawVeil(p, f, look);
        p.save();
        headSpace();
        drawLongHair(p, f, look);
        p.restore();
    }
    drawRobe(p, f, look, rank, suit);
    drawArm(p, f, look);
    if (look.held == Held::Flower)
        drawFlower(p, f, look);

    p.save();
    headSpace();
    drawFace(p, f, look, rank);
    switch (rank) {
    case 13:
        drawKingHair(p, f, look);
        drawCrown(p, f, look, suit);
        break;
    case 12:
        drawQueenFringe(p, f, look);
        drawCoronet(p, f, look, suit);
        break;
    default:
        drawJackHair(p, f, look);
        drawCap(p, f, look, suit);
        break;
    }
    p.restore();
    drawHand(p, f.hand);

    // The suit in the frame's corner, away from the held attribute.
    p.setPen(Qt::NoPen);
    p.setBrush(SuitColor(suit));
    p.drawPath(SuitAt(suit, QPointF(CardWidth / 2.0 - look.side * 44, Frame.top() + 15), 20));
}

} // namespace

void DrawCourt(QPainter &p, int rank, CardSuit suit)
{
    const Look look = lookFor(rank, suit);
    FillAndStroke(p, [] {
        QPainterPath path;
        path.addRect(Frame);
        return path;
    }(), Cream, Line, 0);

    // The top half, then the same turned round the card's centre.
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn) {
            p.translate(CardWidth, CardHeight);
            p.rotate(180);
        }
        p.setClipRect(QRectF(Frame.left(), Frame.top(), Frame.width(), Middle - Frame.top()));
        drawHalf(p, rank, suit, look);
        p.restore();
    }

    // The line between the halves and the frame itself.
    QPainterPath divider;
    divider.addRect(QRectF(Frame.left(), Middle - 1.8, Frame.width(), 3.6));
    FillAndStroke(p, divider, look.trim == Black ? Gold : look.trim, Line, 1.0);
    p.setPen(QPen(SuitColor(suit), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(Frame);
}

} // namespace Art
