// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableArea.h"

#include <QEvent>
#include <QPainter>
#include <QResizeEvent>

#include "CardGame.h"
#include "GameTable.h"
#include "Picture.h"

TableArea::TableArea(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TableArea::SetTable(GameTable *table)
{
    Table = table;
    Table->setParent(this);
    Table->installEventFilter(this);
    PlaceTable();
}

void TableArea::SetFloating(bool floating)
{
    Floating = floating;
    if (Table)
        Table->SetOutlined(!floating);
    PlaceTable();
    update();
}

QSize TableArea::Room() const
{
    return Floating ? QSize(std::max(width() - 2, 0), std::max(height() - 2, 0)) : size();
}

void TableArea::PlaceTable()
{
    if (!Table)
        return;
    if (!Floating) {
        Table->move(0, 0);
        return;
    }
    const QSize room = Room();
    Table->move(1 + (room.width() - Table->width()) / 2, 1 + (room.height() - Table->height()) / 2);
}

void TableArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A table that sizes its window takes the area the window gives it.
    if (Table && !Floating)
        Table->resize(size());
    PlaceTable();
    if (OnResized)
        OnResized();
}

bool TableArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Table && event->type() == QEvent::Resize && Floating) {
        PlaceTable();
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void TableArea::paintEvent(QPaintEvent *event)
{
    QPainter canvas(this);
    // The table paints itself; the rest is the same surface around it.
    QRegion around(rect());
    if (Table && Table->isVisible())
        around -= Table->geometry();
    around &= event->region();
    if (around.isEmpty())
        return;
    canvas.setClipRegion(around);
    const CardGame *game = Table ? Table->GetGame() : nullptr;
    Picture *picture = BackgroundSource ? BackgroundSource() : nullptr;
    const QImage *tile = nullptr;
    if (picture && !picture->isEmpty() && !picture->Bitmap32().isNull() && picture->Bitmap32().width() > 0)
        tile = &picture->Bitmap32();
    if (game && game->IsPaused()) {
        canvas.fillRect(rect(), Qt::black);
    } else if (tile) {
        // Tiled on from the table's own tiles, so that the seams line up.
        const QPoint origin = Table ? Table->pos() : QPoint();
        const int startX = origin.x() % tile->width() - (origin.x() % tile->width() > 0 ? tile->width() : 0);
        const int startY = origin.y() % tile->height() - (origin.y() % tile->height() > 0 ? tile->height() : 0);
        for (int y = startY; y < height(); y += tile->height())
            for (int x = startX; x < width(); x += tile->width())
                canvas.drawImage(x, y, *tile);
    } else {
        canvas.fillRect(rect(), Table ? Table->GetBackgroundColor() : QColor(128, 128, 128));
        canvas.setPen(Qt::black);
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(0, 0, width() - 1, height() - 1);
    }
}
