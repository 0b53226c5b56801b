// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QImage>
#include <QString>

#include "Picture.h"

class QIODevice;
class QPainter;

enum CardSuit : uint8_t { Clubs = 0, Diamonds = 1, Hearts = 2, Spades = 3, NoSuit = 4 };
enum CardColor : uint8_t { Black = 0, Red = 1 };

// One card of a deck: its rank and suit, the mark Deck::Pick uses, and its
// picture twice — the source as it was loaded and the display bitmap at the
// current card size. The same class serves for the 52 playing cards, the back,
// the placeholders and the table's empty-cell picture.
//
// A card is stored in a deck file as one record (little-endian):
//   0  uint32  0
//   4  int32   W, width of the source picture
//   8  int32   H, height of the source picture
//  12  uint8   Value (1 = Ace ... 13 = King)
//  13  uint8   Suit
//  14  int32   N, length of the JPEG data; N <= 0 means no picture
//  18  N bytes baseline JPEG of W x H pixels
class Card {
public:
    static constexpr int RecordHeaderSize = 18;

    Card() = default;

    // Loads a picture file (decoder chosen by extension) as the source and a
    // 32-bit copy of it as the display bitmap. On failure nothing changes and
    // the reason is available through *error.
    bool LoadImage(const QString &fileName, QString *error = nullptr);

    // Draws the display bitmap unchanged with its top-left corner at (x, y).
    void PaintTo(QPainter &canvas, unsigned x, unsigned y) const;

    // The display bitmap; it stays the card's. Callers may draw on it.
    QImage &GetScaledBitmap()
    {
        RealizeDisplay();
        return Scaled;
    }
    const QImage &GetScaledBitmap() const
    {
        RealizeDisplay();
        return Scaled;
    }

    // Crops the display bitmap to the rectangle, which becomes the new source.
    // Parts of the rectangle outside the picture come out black.
    void CropImage(int x, int y, int w, int h);
    // Rebuilds the display bitmap at w x h from the source, never from the
    // current display bitmap, so repeated resizing does not compound.
    void ScaleImage(int w, int h);
    // The same for a card of w x h on a screen of that device pixel ratio:
    // the bitmap has the screen's pixels (w x h times the ratio) and carries
    // the ratio, so that it is painted at w x h without a second scaling.
    void ScaleImage(int w, int h, qreal ratio);
    // The source as a 32-bit bitmap; it stays the card's.
    const QImage &GetBitmap();

    // Reads one deck record at the stream position. Returns false, with the
    // card left exactly as it was, when the record is short, its length runs
    // past the end of the stream or its picture's header is damaged. The
    // picture itself is decoded when it is first needed: a deck loads in a
    // fraction of the time, and a start paints the cards of its first deal
    // without waiting for the other pictures. A picture that then fails to
    // decode leaves the card without one.
    //
    // While the source is only needed to make the display bitmap, it is
    // decoded into a buffer the thread reuses and stays compressed in the
    // card; it is held decoded once it is asked for (GetBitmap, GetSource and
    // what changes the pictures). A deck at 88 x 130 with pictures of
    // 176 x 260 so holds a fifth of the pixels it would, and a start touches
    // little fresh memory.
    bool Load(QIODevice &in, QString *error = nullptr);
    // The same for a record of a deck whose pictures may take at most budget
    // bytes decoded in all, in two steps: LoadHeader reads the record and
    // takes its picture's share (known from the header) off the budget,
    // refusing it when the budget goes below zero; CheckPicture then reads
    // the picture's data through. A deck so refuses pictures too large in
    // all before it decodes any of them.
    bool LoadHeader(QIODevice &in, qint64 &budget, QString *error = nullptr);
    bool CheckPicture(QString *error = nullptr) const;
    // Writes one deck record; false when the picture cannot be encoded or the
    // stream refuses the bytes.
    bool Save(QIODevice &out);

    // Reads one picture of a PC card set: two ignored 16-bit words, then h
    // rows of w little-endian 5-5-5 words (16 bits per pixel) or, for any
    // other depth, a palette of 256 such words and h rows of w indices. The
    // picture becomes the source and the display bitmap; rank, suit and the
    // image flag stay as they were. False, with the card unchanged, when the
    // stream holds less than the picture or the size is empty.
    bool LoadFromRkp(QIODevice &in, int w, int h, int bitsPerPixel);
    // Reads one picture of an Amiga card set: for each row, the row of each
    // of the planes (plane 0 first, (w + 7) / 8 bytes each). Hold-and-modify
    // pictures when bit 0x800 of mode is set. Otherwise as LoadFromRkp.
    bool LoadFromReko(QIODevice &in, int w, int h, int planes, uint32_t mode, const QByteArray &palette);
    // Turn planar data of w x h pixels into the display bitmap: each pixel's
    // value picks a palette entry (three bytes red, green, blue), or, for
    // hold-and-modify, its top two bits say which channel of the colour held
    // from the pixel on its left it changes. Palette entries the palette does
    // not hold are black.
    void DecodeBitmap(const uchar *data, int w, int h, int planes, const QByteArray &palette);
    void DecodeHAMBitmap(const uchar *data, int w, int h, int planes, const QByteArray &palette);

    // Makes the display bitmap of a picture read from a deck record now
    // rather than when it is first needed.
    void Decode() { RealizeDisplay(); }

    bool HasImage() const
    {
        RealizeDisplay();
        return ImageFlag;
    }
    void ClearImage()
    {
        Realize();
        ImageFlag = false;
    }
    bool IsAssigned() const { return Suit != NoSuit; }
    void SetUsed(bool used) { Used = used; }
    bool HasBeenUsed() const { return Used; }
    // The display bitmap becomes the source (after drawing on it).
    void DropOriginal()
    {
        Realize();
        Source.SetBitmap(Scaled);
    }
    void SetValue(uint8_t value, CardSuit suit)
    {
        Value = value;
        Suit = suit;
    }
    uint8_t GetValue() const { return Value; }
    CardSuit GetSuit() const { return Suit; }
    // Clubs and spades are black, diamonds and hearts red (an unassigned card
    // counts as black).
    CardColor GetColor() const { return (Suit == Diamonds || Suit == Hearts) ? Red : Black; }

    const Picture &GetSource() const
    {
        Realize();
        return Source;
    }
    // What the source picture takes decoded, at four bytes a pixel, whether
    // it has been decoded yet or not.
    qint64 DecodedBytes() const;

private:
    // The display bitmap just made becomes the source too.
    void TakeDecodedPicture();
    // Decodes a picture read from a deck record that has not been decoded yet.
    void Realize() const
    {
        if (Pending.Size > 0)
            const_cast<Card *>(this)->DecodePending();
    }
    void DecodePending();
    // Makes the display bitmap (and the image flag) of such a picture, leaving
    // the source compressed when the display size is another.
    void RealizeDisplay() const
    {
        if (Pending.Size > 0 && !Pending.DisplayReady)
            const_cast<Card *>(this)->DecodeDisplay();
    }
    void DecodeDisplay();
    // Sets ImageFlag when a pixel of the picture within the record's size is
    // not black.
    void FindImage(const QImage &decoded, int recordWidth, int recordHeight);
    void ScaleTo(int w, int h);
    // Gives the display bitmap the device pixel ratio it was made for.
    void ApplyRatio()
    {
        if (!Scaled.isNull() && Scaled.devicePixelRatio() != Ratio)
            Scaled.setDevicePixelRatio(Ratio);
    }

    // A deck record's picture until it is decoded, with the record's size
    // (it bounds the look for a non-black pixel), the picture's own size, the
    // display size asked for meanwhile, if any, and whether Scaled and
    // ImageFlag have been made from it already.
    struct PendingPicture {
        QByteArray Data; // shared with the deck file read into memory
        qsizetype Offset = 0;
        qsizetype Size = 0;
        int RecordWidth = 0;
        int RecordHeight = 0;
        int PictureWidth = 0;
        int PictureHeight = 0;
        bool Rescale = false;
        int Width = 0;
        int Height = 0;
        bool DisplayReady = false;
    };
    PendingPicture Pending;

    Picture Source;
    QImage Scaled;
    qreal Ratio = 1.0;
    // Scaled as 32 bits for painting when it is held in another format (a
    // picture drawn on by a caller); rebuilt only when Scaled changes.
    mutable QImage PaintCache;
    mutable qint64 PaintCacheKey = 0;
    uint8_t Value = 0;
    CardSuit Suit = NoSuit;
    bool Used = false;
    bool ImageFlag = false;
};
