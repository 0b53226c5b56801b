// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramStyle.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace {

// Two small arrowheads pointing right (or down), in the text colour.
QIcon chevron(bool down, const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.5));
    for (const int offset : {4, 9}) {
        const QPolygonF head = down ? QPolygonF{{4.0, offset - 1.0}, {8.0, offset + 2.0}, {12.0, offset - 1.0}}
                                    : QPolygonF{{offset - 1.0, 4.0}, {offset + 2.0, 8.0}, {offset - 1.0, 12.0}};
        painter.drawPolyline(head);
    }
    return QIcon(pixmap);
}

} // namespace

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const QPalette palette = widget ? widget->palette() : standardPalette();
        return chevron(icon == SP_ToolBarVerticalExtensionButton, palette.color(QPalette::ButtonText));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}
