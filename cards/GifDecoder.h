// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace VekGif {

constexpr int MaxDimension = 16384;

// Renders the first image of a GIF file onto its logical screen, filled with
// the background colour, as a 32-bit bitmap. Transparent pixels show the
// background. A screen or image of more than maxPixels is refused from its
// descriptor, before anything is allocated for it.
bool DecodeFirstImage(const QByteArray &data, QImage &out, qint64 maxPixels, QString *error = nullptr);

} // namespace VekGif
