// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>

class QIODevice;

// One entry of a deck project: the picture a card is made from and the
// rectangle of it to keep. A Width and Height of 0 mean the whole picture.
//
// Entry record in a project file (little-endian):
//   0  uint32  0 (skipped when read)
//   4  int32   Top
//   8  int32   Left
//  12  int32   Width
//  16  int32   Height
//  20  string  ImageFile (see BaseRecord)
class CardInfo {
public:
    // Empty path, all four numbers 0.
    void Reset();

    bool Write(QIODevice &out) const;
    // False when the record is cut short or its path is damaged; the entry
    // may then be half-read, so callers read into a scratch entry.
    bool Read(QIODevice &in);

    bool HasImage() const { return !ImageFile.isEmpty(); }
    // The path as a file name, and back: stored as the file system's bytes,
    // so that a project is written again exactly as it was read.
    QString FileName() const;
    void SetFileName(const QString &fileName);

    // The part of a picture of that size the entry keeps: null when the
    // whole picture is used, that is when no crop is set (either size below
    // 1) or the crop lies wholly outside the picture; otherwise the crop
    // clipped to the picture.
    QRect CropIn(QSize picture) const;
    // Brings the crop inside a picture of that size: moved in when it fits,
    // otherwise clipped; a crop wholly outside is removed.
    void FitCrop(QSize picture);

    QByteArray ImageFile;
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};
