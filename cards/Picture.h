// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A picture as it was loaded: a plain bitmap, a JPEG stream, a GIF or any
// other format Qt's image reader knows. The decoder is chosen by the file's
// extension. A JPEG picture keeps its compressed stream and is decoded (in the
// fast mode) the first time its bitmap is asked for.
class Picture {
public:
    enum class Kind { Empty, Bitmap, Jpeg, Gif, Other };

    // Loads a file, replacing this picture only when the whole file decoded.
    bool Load(const QString &fileName, QString *error = nullptr);
    // The picture becomes a bitmap (Qt shares the pixels until either side
    // changes them).
    void SetBitmap(const QImage &bitmap);
    void Clear();

    Kind kind() const { return Type; }
    bool isEmpty() const { return Type == Kind::Empty; }
    int width() const { return Image.width(); }
    int height() const { return Image.height(); }

    // The picture as a 32-bit bitmap (QImage::Format_RGB32). Converted in
    // place on first use, so the result belongs to the picture; an empty
    // picture gives a null image.
    const QImage &Bitmap32();
    // The bitmap in whatever format it is held.
    const QImage &bitmap() const { return Image; }

private:
    Kind Type = Kind::Empty;
    QImage Image;
};
