// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorTestSupport.h"

#include <QPainter>
#include <QTemporaryDir>

namespace EditorTest {

RankSymbolList MakeSymbols()
{
    RankSymbolList symbols;
    for (int i = 0; i < 52; ++i) {
        QImage symbol(13, 23, QImage::Format_RGB32);
        symbol.fill(Qt::white);
        QPainter p(&symbol);
        p.fillRect(2, 2 + i % 10, 9, 8, QColor(200, 4 * i, 0));
        symbols.append(symbol);
    }
    return symbols;
}

QImage TestPicture(int width, int height, int seed)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb((x * 7 + seed * 4) & 255, (y * 5 + seed * 9) & 255, (x * y + seed) & 255);
    }
    return picture;
}

QString SavePicture(const QTemporaryDir &dir, const QString &name, const QImage &picture)
{
    const QString path = dir.filePath(name);
    picture.save(path, "PNG");
    return path;
}

} // namespace EditorTest
