// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The picture loader, as a background or a card source: the first byte of
// the input picks the file's extension (the loader chooses its decoder by
// it), the rest is the file.
#include <array>

#include "Card.h"
#include "FuzzSupport.h"

namespace {

constexpr std::array<const char *, 7> Extensions = {"jpg", "jpeg", "gif", "bmp", "png", "ico", "xyz"};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    VekFuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString name = QStringLiteral("input.") + QLatin1String(Extensions[data[0] % Extensions.size()]);
    const QString file = VekFuzz::WriteInput(name, data + 1, size - 1);
    Card card;
    if (card.LoadImage(file)) {
        card.ScaleImage(88, 130);
        card.GetScaledBitmap();
    }
    return 0;
}
