// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include "Deckproject.h"

class QTemporaryDir;

namespace EditorTest {

// 52 rank symbols, 13 x 23, white with a mark that differs for each.
RankSymbolList MakeSymbols();
// A 32-bit picture whose every pixel differs from its neighbours, unlike
// that of another seed.
QImage TestPicture(int width, int height, int seed);
// Writes the picture as PNG into dir; returns its path.
QString SavePicture(const QTemporaryDir &dir, const QString &name, const QImage &picture);

} // namespace EditorTest
