// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The deck reader: every format Deck::Load knows, detected by its magic. A
// deck that loads is scaled and has every picture decoded, so the decoders
// run on what the load let through.
#include <atomic>

#include "Deck.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    VekFuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Deck deck;
    const QString file = VekFuzz::WriteInput(QStringLiteral("input.deck"), data, size);
    if (deck.Load(file)) {
        deck.Resize(88, 130);
        const std::atomic<bool> stop{false};
        deck.DecodePictures(stop);
        for (int i = 0; i < Deck::CardCount; ++i)
            deck.GetCard(i)->GetBitmap();
    }
    return 0;
}
