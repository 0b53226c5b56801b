// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Mask.h"

#include <algorithm>
#include <vector>

namespace VekSolitaire {

namespace {

constexpr uint BlackIndex = 0;
constexpr uint WhiteIndex = 1;

// Whether pixel (x, y) lies inside the rounded rectangle (0, 0, w, h) whose
// corners are quarter ellipses r pixels wide and high. Pixels are tested at
// their centres.
bool insideShape(int x, int y, int w, int h, int r)
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return false;
    const double half = r / 2.0;
    if (half <= 0)
        return true;
    const double px = x + 0.5, py = y + 0.5;
    double cx, cy;
    if (px < half)
        cx = half;
    else if (px > w - half)
        cx = w - half;
    else
        return true;
    if (py < half)
        cy = half;
    else if (py > h - half)
        cy = h - half;
    else
        return true;
    const double dx = (px - cx) / half, dy = (py - cy) / half;
    return dx * dx + dy * dy <= 1.0;
}

} // namespace

void Mask::Render(int w, int h)
{
    if (w <= 0 || h <= 0) {
        Bitmap = QImage();
        return;
    }
    const int r = w * 20 / 100;
    Bitmap = QImage(w, h, QImage::Format_MonoLSB);
    Bitmap.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});

    std::vector<char> inside(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            inside[size_t(y) * w + x] = insideShape(x, y, w, h, r);
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && inside[size_t(y) * w + x]; };

    // Written a row of bits at a time (bit x % 8 of byte x / 8 in this
    // format): a call per pixel cost more than the shape itself.
    for (int y = 0; y < h; ++y) {
        uchar *line = Bitmap.scanLine(y);
        std::fill(line, line + Bitmap.bytesPerLine(), uchar(0));
        for (int x = 0; x < w; ++x) {
            uint index;
            if (in(x, y)) {
                // The outline: shape pixels with a neighbour outside the shape.
                const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
                index = edge ? WhiteIndex : BlackIndex;
            } else {
                // Outside the shape. On the first render the canvas's black
                // pen framed the whole rectangle before the rounded card was
                // drawn over it, so the frame stays black in the corners.
                const bool frame = x == 0 || y == 0 || x == w - 1 || y == h - 1;
                index = (frame && !Rendered) ? BlackIndex : WhiteIndex;
            }
            if (index)
                line[x >> 3] |= uchar(1u << (x & 7));
        }
    }
    Rendered = true;
}

} // namespace VekSolitaire
