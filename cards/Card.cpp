// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Card.h"

#include <QBuffer>
#include <QIODevice>
#include <QPainter>

#include "Bilinear.h"
#include "JpegCodec.h"
#include "Utils.h"

bool Card::LoadImage(const QString &fileName, QString *error)
{
    Picture loaded;
    if (!loaded.Load(fileName, error))
        return false;
    Pending = PendingPicture();
    Source = std::move(loaded);
    Scaled = Source.Bitmap32();
    Ratio = 1.0;
    return true;
}

void Card::PaintTo(QPainter &canvas, unsigned x, unsigned y) const
{
    RealizeDisplay();
    if (Scaled.isNull())
        return;
    const QPoint at(static_cast<int>(x), static_cast<int>(y));
    if (Scaled.format() == QImage::Format_RGB32 || Scaled.format() == QImage::Format_ARGB32_Premultiplied) {
        canvas.drawImage(at, Scaled);
        return;
    }
    if (PaintCache.isNull() || PaintCacheKey != Scaled.cacheKey()) {
        PaintCache = Scaled.convertToFormat(QImage::Format_RGB32);
        PaintCacheKey = Scaled.cacheKey();
    }
    canvas.drawImage(at, PaintCache);
}

void Card::CropImage(int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    Realize();
    const QImage whole = Scaled.format() == QImage::Format_RGB32 ? Scaled : Scaled.convertToFormat(QImage::Format_RGB32);
    QImage cropped(w, h, QImage::Format_RGB32);
    cropped.fill(Qt::black);
    QPainter p(&cropped);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), whole, QRect(x, y, w, h));
    p.end();
    Scaled = cropped;
    Source.SetBitmap(Scaled);
}

const QImage &Card::GetBitmap()
{
    Realize();
    return Source.Bitmap32();
}

void Card::ScaleImage(int w, int h, qreal ratio)
{
    Ratio = ratio > 0 ? ratio : 1.0;
    ScaleTo(qRound(w * Ratio), qRound(h * Ratio));
    ApplyRatio();
}

void Card::ScaleImage(int w, int h)
{
    Ratio = 1.0;
    ScaleTo(w, h);
    ApplyRatio();
}

void Card::ScaleTo(int w, int h)
{
    if (Pending.Size > 0) {
        if (Pending.DisplayReady && !(Pending.Rescale && w == Pending.Width && h == Pending.Height))
            Pending.DisplayReady = false;
        Pending.Rescale = true;
        Pending.Width = w;
        Pending.Height = h;
        return;
    }
    const QImage &src = GetBitmap();
    if (src.width() == w && src.height() == h) {
        Scaled = src;
        return;
    }
    BilinearFilter(src, Scaled, w, h);
}

bool Card::Load(QIODevice &in, QString *error)
{
    uint32_t reserved;
    int32_t w, h, n;
    uint8_t value, suit;
    if (!VekIO::ReadLE32(in, reserved) || !VekIO::ReadLE32(in, w) || !VekIO::ReadLE32(in, h)
        || !VekIO::ReadU8(in, value) || !VekIO::ReadU8(in, suit) || !VekIO::ReadLE32(in, n)) {
        if (error)
            *error = QStringLiteral("the card record is cut short");
        return false;
    }
    if (n <= 0) {
        Value = value;
        Suit = CardSuit(suit);
        return true;
    }
    if (n > VekIO::Remaining(in)) {
        if (error)
            *error = QStringLiteral("the card picture is cut short");
        return false;
    }
    // A deck in memory keeps its pictures where they lie (the card shares
    // the buffer); any other stream is read.
    QByteArray data;
    qsizetype offset = 0;
    const char *bytes;
    if (auto *memory = qobject_cast<QBuffer *>(&in)) {
        data = memory->data();
        offset = memory->pos();
        bytes = data.constData() + offset;
        memory->seek(memory->pos() + n);
    } else {
        data = in.read(n);
        if (data.size() != n) {
            if (error)
                *error = QStringLiteral("the card picture is cut short");
            return false;
        }
        bytes = data.constData();
    }
    int pictureWidth = 0, pictureHeight = 0;
    if (!VekJpeg::Check(reinterpret_cast<const uchar *>(bytes), n, pictureWidth, pictureHeight, error))
        return false;

    Value = value;
    Suit = CardSuit(suit);
    Source.Clear();
    Scaled = QImage();
    Ratio = 1.0;
    Pending = PendingPicture{data, offset, n, w, h, pictureWidth, pictureHeight, false, 0, 0, false};
    return true;
}

void Card::DecodePending()
{
    const PendingPicture pending = std::move(Pending);
    Pending = PendingPicture();
    QImage decoded;
    if (!VekJpeg::Decode(reinterpret_cast<const uchar *>(pending.Data.constData() + pending.Offset), pending.Size,
                         VekJpeg::DecodeMode::BestQuality, decoded))
        return; // checked when read, so only a damaged stream body gets here
    Source.SetBitmap(decoded);
    if (pending.DisplayReady)
        return; // Scaled and ImageFlag were made from these very pixels
    Scaled = decoded;
    if (pending.Rescale)
        ScaleTo(pending.Width, pending.Height);
    ApplyRatio();
    FindImage(decoded, pending.RecordWidth, pending.RecordHeight);
}

void Card::DecodeDisplay()
{
    // At the picture's own size the display bitmap is the source itself.
    if (!Pending.Rescale || (Pending.Width == Pending.PictureWidth && Pending.Height == Pending.PictureHeight)) {
        DecodePending();
        return;
    }
    // One buffer a thread, kept for the next picture: most deck pictures are
    // of one size.
    thread_local QImage decoded;
    if (!VekJpeg::DecodeInto(reinterpret_cast<const uchar *>(Pending.Data.constData() + Pending.Offset), Pending.Size,
                             VekJpeg::DecodeMode::BestQuality, decoded)) {
        // As when the source itself fails to decode: no picture.
        decoded = QImage();
        Pending = PendingPicture();
        return;
    }
    BilinearFilter(decoded, Scaled, Pending.Width, Pending.Height);
    ApplyRatio();
    FindImage(decoded, Pending.RecordWidth, Pending.RecordHeight);
    Pending.DisplayReady = true;
}

void Card::FindImage(const QImage &decoded, int recordWidth, int recordHeight)
{
    // The picture counts as present once any pixel of it is not black. The
    // record's own W and H bound the scan, but never beyond the decoded rows.
    const int rows = qMin(recordHeight, decoded.height());
    const int columns = qMin(qMax(recordWidth, 0), decoded.width());
    for (int y = 0; y < rows && !ImageFlag; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(decoded.constScanLine(y));
        for (int x = 0; x < columns; ++x) {
            if (row[x] & 0xffffff) {
                ImageFlag = true;
                break;
            }
        }
    }
}

bool Card::Save(QIODevice &out)
{
    const QImage &bmp = GetBitmap();
    QByteArray jpeg;
    if (!bmp.isNull() && !VekJpeg::Encode(bmp, jpeg))
        return false;
    return VekIO::WriteLE32(out, uint32_t(0)) && VekIO::WriteLE32(out, int32_t(bmp.width()))
        && VekIO::WriteLE32(out, int32_t(bmp.height())) && VekIO::WriteU8(out, Value)
        && VekIO::WriteU8(out, uint8_t(Suit)) && VekIO::WriteLE32(out, int32_t(jpeg.size()))
        && out.write(jpeg) == jpeg.size();
}
