// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GifDecoder.h"

#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

namespace VekGif {

namespace {

struct MemorySource {
    const QByteArray *data;
    qsizetype pos = 0;
};

extern "C" int readFromMemory(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *src = static_cast<MemorySource *>(gif->UserData);
    const qsizetype left = src->data->size() - src->pos;
    const int n = int(qMin<qsizetype>(left, qMax(length, 0)));
    memcpy(buffer, src->data->constData() + src->pos, size_t(n));
    src->pos += n;
    return n;
}

struct GifCloser {
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

bool fail(QString *error, const char *what, int code)
{
    if (error) {
        const char *detail = GifErrorString(code);
        *error = detail ? QStringLiteral("%1: %2").arg(QLatin1String(what), QLatin1String(detail))
                        : QString::fromLatin1(what);
    }
    return false;
}

QRgb colourOf(const ColorMapObject *map, int index, QRgb fallback)
{
    if (!map || index < 0 || index >= map->ColorCount)
        return fallback;
    const GifColorType &c = map->Colors[index];
    return qRgb(c.Red, c.Green, c.Blue);
}

} // namespace

bool DecodeFirstImage(const QByteArray &data, QImage &out, qint64 maxPixels, QString *error)
{
    MemorySource source{&data};
    int code = 0;
    GifPtr gif(DGifOpen(&source, readFromMemory, &code));
    if (!gif)
        return fail(error, "the GIF picture cannot be read", code);

    const int screenW = gif->SWidth;
    const int screenH = gif->SHeight;
    const auto tooLarge = [maxPixels](qint64 w, qint64 h) { return w * h > maxPixels; };
    if (tooLarge(screenW, screenH)) {
        if (error)
            *error = QStringLiteral("the GIF picture is larger than %1 megapixels").arg(maxPixels / 1000000);
        return false;
    }
    int transparent = -1;

    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            return fail(error, "the GIF picture is damaged", gif->Error);
        if (type == TERMINATE_RECORD_TYPE) {
            if (error)
                *error = QStringLiteral("the GIF file holds no picture");
            return false;
        }
        if (type == EXTENSION_RECORD_TYPE) {
            int extCode = 0;
            GifByteType *ext = nullptr;
            if (DGifGetExtension(gif.get(), &extCode, &ext) == GIF_ERROR)
                return fail(error, "the GIF picture is damaged", gif->Error);
            while (ext) {
                if (extCode == GRAPHICS_EXT_FUNC_CODE && ext[0] >= 4 && (ext[1] & 0x01))
                    transparent = ext[4];
                if (DGifGetExtensionNext(gif.get(), &ext) == GIF_ERROR)
                    return fail(error, "the GIF picture is damaged", gif->Error);
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;

        if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
            return fail(error, "the GIF picture is damaged", gif->Error);
        const GifImageDesc &desc = gif->Image;
        const int w = screenW > 0 ? screenW : desc.Width;
        const int h = screenH > 0 ? screenH : desc.Height;
        if (w <= 0 || h <= 0 || w > MaxDimension || h > MaxDimension || desc.Width <= 0 || desc.Height <= 0
            || desc.Width > MaxDimension || desc.Height > MaxDimension) {
            if (error)
                *error = QStringLiteral("the GIF picture has an unsupported size");
            return false;
        }
        if (tooLarge(w, h) || tooLarge(desc.Width, desc.Height)) {
            if (error)
                *error = QStringLiteral("the GIF picture is larger than %1 megapixels").arg(maxPixels / 1000000);
            return false;
        }
        const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        const QRgb background = colourOf(gif->SColorMap, gif->SBackGroundColor, qRgb(255, 255, 255));

        QImage image(w, h, QImage::Format_RGB32);
        if (image.isNull()) {
            if (error)
                *error = QStringLiteral("not enough memory for the GIF picture");
            return false;
        }
        image.fill(background);

        std::vector<GifPixelType> line(size_t(desc.Width));
        auto storeRow = [&](int row) {
            const int y = desc.Top + row;
            if (y < 0 || y >= h)
                return;
            auto *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int i = 0; i < desc.Width; ++i) {
                const int x = desc.Left + i;
                if (x < 0 || x >= w || line[size_t(i)] == transparent)
                    continue;
                dst[x] = colourOf(map, line[size_t(i)], background);
            }
        };
        auto readRow = [&](int row) {
            if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR)
                return false;
            storeRow(row);
            return true;
        };

        if (desc.Interlace) {
            static const int offsets[] = {0, 4, 2, 1};
            static const int steps[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int row = offsets[pass]; row < desc.Height; row += steps[pass])
                    if (!readRow(row))
                        return fail(error, "the GIF picture is damaged", gif->Error);
        } else {
            for (int row = 0; row < desc.Height; ++row)
                if (!readRow(row))
                    return fail(error, "the GIF picture is damaged", gif->Error);
        }
        out = std::move(image);
        return true;
    }
}

} // namespace VekGif
