// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Picture.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "GifDecoder.h"
#include "JpegCodec.h"
#include "Limits.h"
#include "Utils.h"

namespace {

// Card sources and backgrounds are small pictures; anything above this is
// refused before it is read into memory.
constexpr qint64 MaxFileSize = 256 * 1024 * 1024;

void refuseLarge(const QString &fileName, QString *error)
{
    if (error)
        *error = QStringLiteral("%1: the picture is larger than %2 megapixels")
                     .arg(fileName)
                     .arg(VekLimits::MaxPicturePixels / 1000000);
}

bool tooLarge(int width, int height)
{
    return qint64(width) * qint64(height) > VekLimits::MaxPicturePixels;
}

bool readWholeFile(const QString &fileName, QByteArray &data, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1 cannot be opened: %2").arg(fileName, file.errorString());
        return false;
    }
    if (file.size() > MaxFileSize) {
        if (error)
            *error = QStringLiteral("%1 is too large for a picture").arg(fileName);
        return false;
    }
    data = file.readAll();
    return true;
}

} // namespace

bool Picture::Load(const QString &fileName, QString *error)
{
    if (!VekIO::CheckIsFile(fileName, error))
        return false;
    const QString ext = QFileInfo(fileName).suffix().toLower();
    QImage image;
    Kind kind = Kind::Other;

    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || ext == QLatin1String("gif")) {
        QByteArray data;
        if (!readWholeFile(fileName, data, error))
            return false;
        QString why;
        if (ext == QLatin1String("gif")) {
            kind = Kind::Gif;
            if (!VekGif::DecodeFirstImage(data, image, VekLimits::MaxPicturePixels, &why)) {
                if (error)
                    *error = QStringLiteral("%1: %2").arg(fileName, why);
                return false;
            }
        } else {
            kind = Kind::Jpeg;
            int width = 0, height = 0;
            if (VekJpeg::ReadSize(reinterpret_cast<const uchar *>(data.constData()), data.size(), width, height)
                && tooLarge(width, height)) {
                refuseLarge(fileName, error);
                return false;
            }
            if (!VekJpeg::Decode(reinterpret_cast<const uchar *>(data.constData()), data.size(),
                                 VekJpeg::DecodeMode::Fast, image, &why)) {
                if (error)
                    *error = QStringLiteral("%1: %2").arg(fileName, why);
                return false;
            }
        }
    } else {
        // Qt's own limit (in MB, for every reader of the process) is set to
        // the same budget, for formats whose header gives no size.
        QImageReader::setAllocationLimit(int(VekLimits::MaxPicturePixels * 4 / (1024 * 1024)) + 1);
        QImageReader reader(fileName, ext.toLatin1());
        reader.setAutoTransform(false);
        const QSize declared = reader.size();
        if (declared.isValid() && tooLarge(declared.width(), declared.height())) {
            refuseLarge(fileName, error);
            return false;
        }
        if (!reader.read(&image)) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(fileName, reader.errorString());
            return false;
        }
        kind = ext == QLatin1String("bmp") ? Kind::Bitmap : Kind::Other;
    }
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("%1 holds no picture").arg(fileName);
        return false;
    }
    Type = kind;
    Image = std::move(image);
    return true;
}

void Picture::SetBitmap(const QImage &bitmap)
{
    Image = bitmap;
    Type = bitmap.isNull() ? Kind::Empty : Kind::Bitmap;
}

void Picture::Clear()
{
    Image = QImage();
    Type = Kind::Empty;
}

const QImage &Picture::Bitmap32()
{
    if (!Image.isNull() && Image.format() != QImage::Format_RGB32)
        Image.convertTo(QImage::Format_RGB32);
    return Image;
}
