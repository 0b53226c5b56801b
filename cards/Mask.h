// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace VekSolitaire {

// The rounded-corner outline of a card as a two-colour bitmap: black inside the
// card, white outside it and on its one-pixel outline. The corners are quarter
// ellipses w * 20 / 100 pixels wide and high.
//
// The very first render leaves the outermost pixel frame black where the
// corner curves leave it uncovered (the canvas still had its black pen then);
// every later render draws it white.
class Mask {
public:
    Mask() = default;

    void Render(int width, int height);
    // Owned by the mask; monochrome, colour index 0 black and 1 white.
    const QImage &GetBitmap() const { return Bitmap; }

private:
    QImage Bitmap;
    bool Rendered = false;
};

} // namespace VekSolitaire
