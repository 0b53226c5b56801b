// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Card.h"

#include <limits>

#include <QBuffer>
#include <QIODevice>
#include <QPainter>

#include "Bilinear.h"
#include "JpegCodec.h"
#include "Limits.h"
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
    // Read into a scratch card first: a record whose data is damaged leaves
    // this card as it was.
    Card read;
    qint64 unlimited = std::numeric_limits<qint64>::max();
    if (!read.LoadHeader(in, unlimited, error) || !read.CheckPicture(error))
        return false;
    Value = read.Value;
    Suit = read.Suit;
    if (read.Pending.Size > 0) {
        Source.Clear();
        Scaled = QImage();
        Ratio = 1.0;
        Pending = std::move(read.Pending);
    }
    return true;
}

bool Card::LoadHeader(QIODevice &in, qint64 &budget, QString *error)
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
    // The size comes from the header alone; a record too large is refused
    // before the decoder allocates anything for it.
    int pictureWidth = 0, pictureHeight = 0;
    if (!VekJpeg::ReadSize(reinterpret_cast<const uchar *>(bytes), n, pictureWidth, pictureHeight, error))
        return false;
    if (pictureWidth > VekLimits::MaxRecordSide || pictureHeight > VekLimits::MaxRecordSide) {
        if (error)
            *error = QStringLiteral("the card picture is larger than %1 x %1 pixels").arg(VekLimits::MaxRecordSide);
        return false;
    }
    budget -= VekLimits::DecodedBytes(pictureWidth, pictureHeight);
    if (budget < 0) {
        if (error)
            *error = QStringLiteral("the pictures would take more than the memory allowed");
        return false;
    }

    Value = value;
    Suit = CardSuit(suit);
    Source.Clear();
    Scaled = QImage();
    Ratio = 1.0;
    Pending = PendingPicture{data, offset, n, w, h, pictureWidth, pictureHeight, false, 0, 0, false};
    return true;
}

bool Card::CheckPicture(QString *error) const
{
    if (Pending.Size <= 0)
        return true;
    int width = 0, height = 0;
    return VekJpeg::Check(reinterpret_cast<const uchar *>(Pending.Data.constData() + Pending.Offset), Pending.Size,
                          width, height, error);
}

qint64 Card::DecodedBytes() const
{
    if (Pending.Size > 0)
        return VekLimits::DecodedBytes(Pending.PictureWidth, Pending.PictureHeight);
    return VekLimits::DecodedBytes(Source.width(), Source.height());
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

// ---- Card sets of the two older formats ----------------------------------

namespace {

// A 5-bit channel widened to 8 bits by repeating its top bits.
inline uint32_t widen5(uint32_t c)
{
    return (c << 3) | (c >> 2);
}

inline QRgb rgb555(uint16_t word)
{
    return qRgb(int(widen5((word >> 10) & 31)), int(widen5((word >> 5) & 31)), int(widen5(word & 31)));
}

inline uint16_t le16(const uchar *p)
{
    return uint16_t(p[0] | p[1] << 8);
}

// A value of bits bits spread over 8 bits by repeating it (4 bits: times 17).
inline int replicate(int value, int bits)
{
    int result = 0;
    for (int shift = 8 - bits;; shift -= bits) {
        result |= shift >= 0 ? value << shift : value >> -shift;
        if (shift <= 0)
            break;
    }
    return result & 0xff;
}

inline QRgb paletteEntry(const QByteArray &palette, int v)
{
    if (3 * qsizetype(v) + 2 >= palette.size())
        return qRgb(0, 0, 0);
    const auto *p = reinterpret_cast<const uchar *>(palette.constData()) + 3 * v;
    return qRgb(p[0], p[1], p[2]);
}

// The value of pixel x of a row from its planes, plane 0 the lowest bit.
inline int planarValue(const uchar *row, int rowBytes, int planes, int x)
{
    const uchar mask = uchar(0x80 >> (x & 7));
    int v = 0;
    for (int k = 0; k < planes; ++k)
        if (row[k * rowBytes + (x >> 3)] & mask)
            v |= 1 << k;
    return v;
}

} // namespace

void Card::TakeDecodedPicture()
{
    Pending = PendingPicture();
    Source.SetBitmap(Scaled);
}

bool Card::LoadFromRkp(QIODevice &in, int w, int h, int bitsPerPixel)
{
    if (w <= 0 || h <= 0)
        return false;
    const bool direct = bitsPerPixel == 16;
    const qint64 pixels = qint64(w) * h;
    const qint64 size = 4 + (direct ? 2 * pixels : 512 + pixels);
    if (VekIO::Remaining(in) < size)
        return false;
    const QByteArray data = in.read(size);
    if (data.size() != size)
        return false;
    QImage picture(w, h, QImage::Format_RGB32);
    if (picture.isNull())
        return false;
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData()) + 4;
    QRgb palette[256];
    if (!direct) {
        for (int i = 0; i < 256; ++i)
            palette[i] = rgb555(le16(bytes + 2 * i));
        bytes += 512;
    }
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < w; ++x, bytes += direct ? 2 : 1)
            row[x] = direct ? rgb555(le16(bytes)) : palette[*bytes];
    }
    Scaled = picture;
    TakeDecodedPicture();
    return true;
}

bool Card::LoadFromReko(QIODevice &in, int w, int h, int planes, uint32_t mode, const QByteArray &palette)
{
    if (w <= 0 || h <= 0 || planes < 1 || planes > 8)
        return false;
    const qint64 size = qint64(planes) * ((w + 7) / 8) * h;
    if (VekIO::Remaining(in) < size)
        return false;
    const QByteArray data = in.read(size);
    if (data.size() != size)
        return false;
    const QImage before = Scaled;
    Scaled = QImage(w, h, QImage::Format_RGB32);
    if (Scaled.isNull()) {
        Scaled = before;
        return false;
    }
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    if (mode & 0x800)
        DecodeHAMBitmap(bytes, w, h, planes, palette);
    else
        DecodeBitmap(bytes, w, h, planes, palette);
    TakeDecodedPicture();
    return true;
}

void Card::DecodeBitmap(const uchar *data, int w, int h, int planes, const QByteArray &palette)
{
    if (Scaled.width() != w || Scaled.height() != h || Scaled.format() != QImage::Format_RGB32)
        Scaled = QImage(w, h, QImage::Format_RGB32);
    if (Scaled.isNull() || planes < 1 || planes > 8)
        return;
    const int rowBytes = (w + 7) / 8;
    for (int y = 0; y < h; ++y) {
        const uchar *row = data + qsizetype(y) * planes * rowBytes;
        auto *out = reinterpret_cast<QRgb *>(Scaled.scanLine(y));
        for (int x = 0; x < w; ++x)
            out[x] = paletteEntry(palette, planarValue(row, rowBytes, planes, x));
    }
}

void Card::DecodeHAMBitmap(const uchar *data, int w, int h, int planes, const QByteArray &palette)
{
    if (Scaled.width() != w || Scaled.height() != h || Scaled.format() != QImage::Format_RGB32)
        Scaled = QImage(w, h, QImage::Format_RGB32);
    if (Scaled.isNull() || planes < 3 || planes > 8)
        return;
    const int rowBytes = (w + 7) / 8;
    const int dataBits = planes - 2;
    const int dataMask = (1 << dataBits) - 1;
    for (int y = 0; y < h; ++y) {
        const uchar *row = data + qsizetype(y) * planes * rowBytes;
        auto *out = reinterpret_cast<QRgb *>(Scaled.scanLine(y));
        QRgb held = paletteEntry(palette, 0); // every row starts from entry 0
        for (int x = 0; x < w; ++x) {
            const int v = planarValue(row, rowBytes, planes, x);
            const int control = v >> dataBits;
            // Eight planes put the six data bits at the top of the channel;
            // fewer planes spread their data bits over the whole channel.
            const int channel = planes == 8 ? (v * 4) & 0xff : replicate(v & dataMask, dataBits);
            switch (control) {
            case 0:
                held = paletteEntry(palette, v);
                break;
            case 1:
                held = qRgb(qRed(held), qGreen(held), channel);
                break;
            case 2:
                held = qRgb(channel, qGreen(held), qBlue(held));
                break;
            default:
                held = qRgb(qRed(held), channel, qBlue(held));
                break;
            }
            out[x] = held;
        }
    }
}
