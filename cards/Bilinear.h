// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Resamples src into dst at width x height. Works on 32-bit pixels (blue in
// bits 0-7, green 8-15, red 16-23). Sample positions are x * srcWidth / width
// with no half-pixel offset and every value is truncated, never rounded:
// destination pixels that land exactly on a source pixel, on the last source
// column or on the last source row are plain copies (bits 24-31 included),
// all others are blended with bits 24-31 zero.
//
// A null source (width or height 0) leaves dst untouched. A width or height of
// 0 or less makes dst a null image.
void BilinearFilter(const QImage &src, QImage &dst, int width, int height);
