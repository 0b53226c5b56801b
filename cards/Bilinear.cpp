// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bilinear.h"


#include <vector>

namespace {

// One axis of the resampling, computed once per call: the sample position's
// integer part, its fraction, and whether the sample is a plain copy on this
// axis (exactly on a source pixel) or forced to be one (the last source pixel).
struct Sample {
    int index;
    float fraction;
    bool exact;
    bool last;
};

std::vector<Sample> samplesFor(int srcSize, int dstSize)
{
    // The ratio is the exact quotient rounded once to single precision (the
    // 64-bit mantissa of long double holds it exactly enough for that).
    const float ratio = float(static_cast<long double>(srcSize) / dstSize);
    std::vector<Sample> samples(static_cast<size_t>(dstSize));
    for (int i = 0; i < dstSize; ++i) {
        const float f = float(i) * ratio; // single-precision product
        // Truncation toward zero; the clamp only guards against a rounding
        // that would reach past the last source pixel.
        const int index = qMin(int(f), srcSize - 1);
        samples[size_t(i)] = {index, f - float(index), f == float(index), index == srcSize - 1};
    }
    return samples;
}

inline int channel(uint32_t p, int shift)
{
    return int((p >> shift) & 0xff);
}

inline uint32_t blend(uint32_t p00, uint32_t p10, uint32_t p01, uint32_t p11, float dx, float dy)
{
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int c00 = channel(p00, shift), c10 = channel(p10, shift);
        const int c01 = channel(p01, shift), c11 = channel(p11, shift);
        // Left and right edge values, each rounded to single precision; the
        // products are exact in double, so each float() is one rounding.
        const float left = float(c00 + double(c01 - c00) * dy);
        const float right = float(c10 + double(c11 - c10) * dy);
        const int value = int(double(left) + (double(right) - double(left)) * dx);
        result |= uint32_t(value & 0xff) << shift;
    }
    return result;
}

} // namespace

void BilinearFilter(const QImage &srcImage, QImage &dst, int width, int height)
{
    if (srcImage.isNull() || srcImage.width() == 0 || srcImage.height() == 0)
        return;
    const QImage src =
        srcImage.format() == QImage::Format_RGB32 ? srcImage : srcImage.convertToFormat(QImage::Format_RGB32);
    if (width <= 0 || height <= 0) {
        dst = QImage();
        return;
    }
    if (dst.width() != width || dst.height() != height || dst.format() != QImage::Format_RGB32)
        dst = QImage(width, height, QImage::Format_RGB32);
    if (dst.isNull())
        return;

    const int srcW = src.width();
    const int srcH = src.height();
    const std::vector<Sample> xs = samplesFor(srcW, width);
    const std::vector<Sample> ys = samplesFor(srcH, height);

    for (int y = 0; y < height; ++y) {
        const Sample &sy = ys[size_t(y)];
        const auto *row0 = reinterpret_cast<const uint32_t *>(src.constScanLine(sy.index));
        const auto *row1 = sy.last ? row0 : reinterpret_cast<const uint32_t *>(src.constScanLine(sy.index + 1));
        auto *out = reinterpret_cast<uint32_t *>(dst.scanLine(y));
        if (sy.last) {
            for (int x = 0; x < width; ++x)
                out[x] = row0[xs[size_t(x)].index];
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const Sample &sx = xs[size_t(x)];
            if ((sx.exact && sy.exact) || sx.last) {
                out[x] = row0[sx.index];
                continue;
            }
            out[x] = blend(row0[sx.index], row0[sx.index + 1], row1[sx.index], row1[sx.index + 1], sx.fraction,
                           sy.fraction);
        }
    }
}
