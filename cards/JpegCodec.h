// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Direct libjpeg(-turbo) decoding and encoding. Errors never end the process:
// they come back as false with a message. Damaged picture data, which
// libjpeg only warns about, is an error too.
namespace VekJpeg {

enum class DecodeMode {
    Fast,        // pictures chosen as card sources, backgrounds, the cell picture
    BestQuality, // the pictures inside deck records
};

// Pictures larger than this in either direction are refused before anything is
// allocated for them.
constexpr int MaxDimension = 16384;

// Decodes to 32-bit pixels (QImage::Format_RGB32), so that nothing has to be
// converted before a picture is scaled or painted.
bool Decode(const uchar *data, qsizetype size, DecodeMode mode, QImage &out, QString *error = nullptr);

// As Decode, but into out's own pixels when out already is a 32-bit picture of
// that size that no other image shares: a buffer decoded into over and over
// stays in memory that has been touched already. When the stream turns out
// damaged, out keeps its size but not its pixels.
bool DecodeInto(const uchar *data, qsizetype size, DecodeMode mode, QImage &out, QString *error = nullptr);

// Reads the picture's header, makes the decoder ready to start and reads the
// compressed picture data through, without making pixels: false, with a
// message, for anything Decode in DecodeMode::BestQuality would refuse.
// width and height receive the picture's size.
bool Check(const uchar *data, qsizetype size, int &width, int &height, QString *error = nullptr);

// Encodes a baseline JPEG at the encoder's default quality in the best-quality
// mode without smoothing. Any image format is accepted.
bool Encode(const QImage &image, QByteArray &out, QString *error = nullptr);

} // namespace VekJpeg
