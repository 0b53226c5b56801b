// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How much a file may make the program decode. Every size is checked from a
// picture's header, before a decoder allocates anything for it, so a small
// file that declares a huge picture is refused at once.
namespace VekLimits {

// A deck record (a picture inside a deck or card-set file) may be at most
// this wide and this high; the standard deck's are 176 x 260.
constexpr int MaxRecordSide = 4096;

// All the pictures of one deck, decoded at four bytes a pixel, may take at
// most this much; a deck that would take more is refused before any of its
// pictures is decoded.
constexpr qint64 MaxDeckDecodedBytes = qint64(256) * 1024 * 1024;

// Any other picture (a background, a picture brought into a deck) may have at
// most this many pixels: a large camera photo passes.
constexpr qint64 MaxPicturePixels = 100'000'000;

// Bytes a picture of that size takes decoded.
constexpr qint64 DecodedBytes(int width, int height)
{
    return qint64(qMax(width, 0)) * qint64(qMax(height, 0)) * 4;
}

} // namespace VekLimits
