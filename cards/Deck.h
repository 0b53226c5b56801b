// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include <QString>

#include "Card.h"

class QIODevice;

// The card pictures a game is played with: 52 playing cards, one back and four
// placeholders (the pictures of empty foundations, in the suit order clubs,
// diamonds, hearts, spades). The 57 card objects live as long as the deck;
// loading replaces their contents only, so pointers to them stay valid.
//
// Native deck file (little-endian): the 16 bytes "VekSolitaireDeck", a uint32
// version (0), the back's record, 52 card records in any order, a uint32
// placeholder count P (4 when we write) and P placeholder records.
//
// Two older card-set formats are read too. A PC card set ("PCREKO"): a 22-byte
// little-endian header with the card size, the bits per pixel and the picture
// count, then the back, the 52 cards by rank (Ace first; clubs, diamonds,
// hearts, spades within a rank) and, when the count is above 52, the four
// placeholders. An Amiga card set ("REKO"): a 22-byte big-endian header (the
// height before the width, the display mode, the plane count, the picture
// count), the palette, two pictures nobody shows, the back, the 52 cards in
// the same order and, when the count is above 55, the placeholders.
class Deck {
public:
    static constexpr int CardCount = 52;
    static constexpr int PlaceholderCount = 4;
    static constexpr int NativeWidth = 176;
    static constexpr int NativeHeight = 260;

    // Seeds the C library's random generator from the clock.
    Deck();
    ~Deck();
    Deck(const Deck &) = delete;
    Deck &operator=(const Deck &) = delete;

    // Loads a deck file of any supported format, detected by its magic. The
    // file is read whole before any card changes: a file that cannot be read,
    // has no known magic or is damaged anywhere returns false, leaves every
    // card as it was and puts the reason in LastError().
    bool Load(const QString &fileName);
    const QString &LastError() const { return Error; }

    static bool IsVek(QIODevice &in);
    static bool IsRkp(QIODevice &in);
    static bool IsReko(QIODevice &in);
    // Read the native format, a PC card set or an Amiga card set after its
    // magic into this deck. Used by Load on a scratch copy; on their own they
    // may leave the deck half-read on failure.
    bool LoadVekDeck(QIODevice &in);
    bool LoadRkp(QIODevice &in);
    bool LoadReko(QIODevice &in);

    // Writes the native format. The file is replaced only once it has been
    // written completely; returns whether it was.
    bool Save(const QString &fileName);

    // Scales every picture to w x h; nothing happens when the size is the
    // current one.
    void Resize(int w, int h);
    // Makes the display bitmaps not made yet (the back, the placeholders, then
    // the cards), stopping early once stop is set.
    void DecodePictures(const std::atomic<bool> &stop);
    // The same for the back and the placeholders alone, which a deal shows
    // before its first face.
    void DecodeBackAndPlaceholders();

    Card *GetCard(int i) const;
    Card *GetPlaceholder(int i) const;
    Card *GetBack() const { return Back.get(); }

    // Makes all 52 cards available to Pick again.
    void Shuffle();
    // A card not handed out since the last Shuffle, chosen with rand().
    Card *Pick();
    // The card of that rank and suit; a card without rank and suit is given
    // them when none has them yet. Null when every card is taken.
    Card *GetCardByValue(int value, CardSuit suit);

    int GetWidth() const { return Width; }
    int GetHeight() const { return Height; }
    int GetRemaining() const { return Remaining; }

    // Card sets of the two older formats: pictures of at most this size.
    static constexpr int MaxCardSetPictureSide = 4096;

private:
    void copyPicturesFrom(const Deck &other);
    // Checks a card set's picture size and count before anything is read.
    bool checkCardSet(int w, int h, int count, int minimumCount);
    // The back, the 52 cards by rank and suit and, when asked and present,
    // the placeholders, each read with read.
    bool loadCardSetPictures(QIODevice &in, const std::function<bool(Card &)> &read, bool placeholders);

    std::array<std::unique_ptr<Card>, CardCount> Cards;
    std::unique_ptr<Card> Back;
    std::array<std::unique_ptr<Card>, PlaceholderCount> Placeholders;
    uint8_t Remaining = 0;
    uint16_t Width = NativeWidth;
    uint16_t Height = NativeHeight;
    QString Error;

    struct NoSeed {};
    explicit Deck(NoSeed);
};
