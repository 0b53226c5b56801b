// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cardinfo.h"

#include <algorithm>

#include <QFile>
#include <QIODevice>

#include "Baserecord.h"
#include "Utils.h"

void CardInfo::Reset()
{
    ImageFile.clear();
    Top = Left = Width = Height = 0;
}

bool CardInfo::Write(QIODevice &out) const
{
    return VekIO::WriteLE32(out, uint32_t(0)) && VekIO::WriteLE32(out, Top) && VekIO::WriteLE32(out, Left)
        && VekIO::WriteLE32(out, Width) && VekIO::WriteLE32(out, Height) && BaseRecord::WriteString(out, ImageFile);
}

bool CardInfo::Read(QIODevice &in)
{
    uint32_t reserved;
    return VekIO::ReadLE32(in, reserved) && VekIO::ReadLE32(in, Top) && VekIO::ReadLE32(in, Left)
        && VekIO::ReadLE32(in, Width) && VekIO::ReadLE32(in, Height) && BaseRecord::ReadString(in, ImageFile);
}

QString CardInfo::FileName() const
{
    return QFile::decodeName(ImageFile);
}

void CardInfo::SetFileName(const QString &fileName)
{
    ImageFile = QFile::encodeName(fileName);
}

QRect CardInfo::CropIn(QSize picture) const
{
    if (Width < 1 || Height < 1)
        return QRect();
    // In 64 bits: numbers from a file may be anything.
    const int64_t left = std::max<int64_t>(Left, 0);
    const int64_t top = std::max<int64_t>(Top, 0);
    const int64_t right = std::min<int64_t>(int64_t(Left) + Width, picture.width());
    const int64_t bottom = std::min<int64_t>(int64_t(Top) + Height, picture.height());
    if (left >= right || top >= bottom)
        return QRect();
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

void CardInfo::FitCrop(QSize picture)
{
    if (Width < 1 || Height < 1)
        return;
    if (Width <= picture.width() && Height <= picture.height()) {
        Left = std::clamp(Left, 0, picture.width() - Width);
        Top = std::clamp(Top, 0, picture.height() - Height);
        return;
    }
    const QRect kept = CropIn(picture);
    if (kept.isNull()) {
        Top = Left = Width = Height = 0;
        return;
    }
    Left = kept.x();
    Top = kept.y();
    Width = kept.width();
    Height = kept.height();
}
