// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardWrapper.h"

#include <QPainter>

#include "Card.h"

void CardWrapper::paintFrame(QPainter &canvas, int x, int y) const
{
    if (W <= 0 || H <= 0)
        return;
    // A one-pixel frame on the card's outermost pixels.
    const QColor red(255, 0, 0);
    canvas.fillRect(x, y, W, 1, red);
    canvas.fillRect(x, y + H - 1, W, 1, red);
    canvas.fillRect(x, y, 1, H, red);
    canvas.fillRect(x + W - 1, y, 1, H, red);
}

void CardWrapper::PaintTo(QPainter &canvas, int x, int y) const
{
    if (const Card *card = Shown())
        card->PaintTo(canvas, unsigned(x), unsigned(y));
    if (HasFlags(Highlight))
        paintFrame(canvas, x, y);
}

QRect CardWrapper::OpaqueArea(const Card *card, int x, int y)
{
    if (!card)
        return QRect();
    const QImage &image = card->GetScaledBitmap();
    // Card::PaintTo blends only premultiplied pictures; every other format is
    // drawn as opaque pixels.
    if (image.isNull() || image.format() == QImage::Format_ARGB32_Premultiplied)
        return QRect();
    // In table coordinates, whatever the screen's pixel ratio.
    return QRect(QPoint(x, y), image.deviceIndependentSize().toSize());
}

void CardWrapper::PaintUncovered(QPainter &canvas, int x, int y, const QRect &cover) const
{
    const Card *card = Shown();
    if (card) {
        const QImage &image = card->GetScaledBitmap();
        const QRect whole(QPoint(x, y), image.deviceIndependentSize().toSize());
        const QRect hidden = whole & cover;
        if (hidden.isEmpty()) {
            card->PaintTo(canvas, unsigned(x), unsigned(y));
        } else if (hidden != whole) {
            // What shows of a covered card is at most four strips around the
            // cover: above, below, left and right of it.
            const QRect strips[] = {
                QRect(QPoint(whole.left(), whole.top()), QPoint(whole.right(), hidden.top() - 1)),
                QRect(QPoint(whole.left(), hidden.bottom() + 1), QPoint(whole.right(), whole.bottom())),
                QRect(QPoint(whole.left(), hidden.top()), QPoint(hidden.left() - 1, hidden.bottom())),
                QRect(QPoint(hidden.right() + 1, hidden.top()), QPoint(whole.right(), hidden.bottom())),
            };
            // Pictures Card::PaintTo draws as they are can be drawn in part
            // directly; any other, and any of a high-density screen, goes
            // through Card::PaintTo under a clip.
            const bool direct = (image.format() == QImage::Format_RGB32
                                 || image.format() == QImage::Format_ARGB32_Premultiplied)
                && image.devicePixelRatio() == 1.0;
            bool clipped = false;
            for (const QRect &strip : strips) {
                if (strip.isEmpty())
                    continue;
                if (direct) {
                    canvas.drawImage(strip.topLeft(), image, strip.translated(-x, -y));
                } else {
                    canvas.setClipRect(strip);
                    clipped = true;
                    card->PaintTo(canvas, unsigned(x), unsigned(y));
                }
            }
            if (clipped)
                canvas.setClipping(false);
        }
    }
    if (HasFlags(Highlight))
        paintFrame(canvas, x, y);
}
