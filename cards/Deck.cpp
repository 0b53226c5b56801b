// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Deck.h"

#include <cstdlib>
#include <ctime>
#include <functional>

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include "Limits.h"
#include "Utils.h"

namespace {

constexpr char VekMagic[] = "VekSolitaireDeck"; // 16 bytes, no terminator in the file
constexpr char RkpMagic[] = "PCREKO";
constexpr char RekoMagic[] = "REKO";

// A deck of 57 native pictures is about a megabyte; nothing legitimate comes
// close to this.
constexpr qint64 MaxDeckFileSize = 512 * 1024 * 1024;

constexpr const char *SuitNames[] = {"clubs", "diamonds", "hearts", "spades"};

bool startsWith(QIODevice &in, const char *magic, int length)
{
    if (!in.seek(0))
        return false;
    const QByteArray head = in.read(length);
    return head.size() == length && memcmp(head.constData(), magic, size_t(length)) == 0;
}

QString tooLargeMessage()
{
    return QStringLiteral("its pictures would take more than %1 MB of memory")
        .arg(VekLimits::MaxDeckDecodedBytes / (1024 * 1024));
}

} // namespace

Deck::Deck(NoSeed)
{
    Back = std::make_unique<Card>();
    for (auto &card : Cards)
        card = std::make_unique<Card>();
    for (auto &placeholder : Placeholders)
        placeholder = std::make_unique<Card>();
}

Deck::Deck()
    : Deck(NoSeed{})
{
    srand(unsigned(time(nullptr)));
}

Deck::~Deck() = default;

bool Deck::IsVek(QIODevice &in)
{
    return startsWith(in, VekMagic, 16);
}

bool Deck::IsRkp(QIODevice &in)
{
    return startsWith(in, RkpMagic, 6);
}

bool Deck::IsReko(QIODevice &in)
{
    return startsWith(in, RekoMagic, 4);
}

bool Deck::LoadVekDeck(QIODevice &in)
{
    uint32_t version;
    if (!VekIO::ReadLE32(in, version)) {
        Error = QStringLiteral("the deck file is cut short");
        return false;
    }
    // Only the records' headers are read first, each taking its share of the
    // decoded budget, so a deck of many large pictures is refused before the
    // first of them is decoded; the pictures' data is checked at the end.
    qint64 budget = VekLimits::MaxDeckDecodedBytes;
    QString why;
    if (!Back->LoadHeader(in, budget, &why)) {
        Error = budget < 0 ? tooLargeMessage() : QStringLiteral("the back of the deck cannot be read: %1").arg(why);
        return false;
    }
    Width = NativeWidth;
    Height = NativeHeight;
    Ratio = 1.0;
    for (int i = 0; i < CardCount; ++i) {
        if (!Cards[size_t(i)]->LoadHeader(in, budget, &why)) {
            Error = budget < 0 ? tooLargeMessage()
                               : QStringLiteral("card %1 of the deck cannot be read: %2").arg(i + 1).arg(why);
            return false;
        }
        const Card &card = *Cards[size_t(i)];
        // Games index their piles by suit and rank, so a playing card must
        // carry a real one.
        if (card.GetSuit() > Spades || card.GetValue() < 1 || card.GetValue() > 13) {
            Error = QStringLiteral("card %1 of the deck has no valid rank and suit").arg(i + 1);
            return false;
        }
    }
    // Games find cards by rank and suit: each may be there only once.
    uint64_t seen = 0;
    for (const auto &card : Cards) {
        const uint64_t bit = uint64_t(1) << (card->GetSuit() * 13 + card->GetValue() - 1);
        if (seen & bit) {
            Error = QStringLiteral("the deck holds the %1 of %2 twice")
                        .arg(card->GetValue())
                        .arg(QLatin1String(SuitNames[card->GetSuit()]));
            return false;
        }
        seen |= bit;
    }
    uint32_t placeholders;
    if (!VekIO::ReadLE32(in, placeholders)) {
        Error = QStringLiteral("the deck file is cut short");
        return false;
    }
    // The deck has four placeholders; records beyond them are not read.
    for (uint32_t i = 0; i < placeholders && i < uint32_t(PlaceholderCount); ++i) {
        if (!Placeholders[i]->LoadHeader(in, budget, &why)) {
            Error = budget < 0 ? tooLargeMessage()
                               : QStringLiteral("placeholder %1 of the deck cannot be read: %2").arg(i + 1).arg(why);
            return false;
        }
    }
    // With pictures kept from before (records without one) counted too.
    if (DecodedBytes() > VekLimits::MaxDeckDecodedBytes) {
        Error = tooLargeMessage();
        return false;
    }
    if (!Back->CheckPicture(&why)) {
        Error = QStringLiteral("the back of the deck cannot be read: %1").arg(why);
        return false;
    }
    for (int i = 0; i < CardCount; ++i) {
        if (!Cards[size_t(i)]->CheckPicture(&why)) {
            Error = QStringLiteral("card %1 of the deck cannot be read: %2").arg(i + 1).arg(why);
            return false;
        }
    }
    for (int i = 0; i < PlaceholderCount; ++i) {
        if (!Placeholders[size_t(i)]->CheckPicture(&why)) {
            Error = QStringLiteral("placeholder %1 of the deck cannot be read: %2").arg(i + 1).arg(why);
            return false;
        }
    }
    return true;
}

bool Deck::checkCardSet(int w, int h, int count, int minimumCount)
{
    if (w <= 0 || h <= 0 || w > VekLimits::MaxRecordSide || h > VekLimits::MaxRecordSide) {
        Error = QStringLiteral("the card set's pictures have an impossible size (%1 x %2)").arg(w).arg(h);
        return false;
    }
    if (VekLimits::DecodedBytes(w, h) * (CardCount + 1 + PlaceholderCount) > VekLimits::MaxDeckDecodedBytes) {
        Error = QStringLiteral("the card set's pictures are too large (%1 x %2)").arg(w).arg(h);
        return false;
    }
    if (count < minimumCount) {
        Error = QStringLiteral("the card set holds %1 pictures, too few for a back and 52 cards").arg(count);
        return false;
    }
    return true;
}

bool Deck::LoadRkp(QIODevice &in)
{
    uint16_t skipped, w, h;
    uint32_t ignored;
    uint8_t bitsPerPixel, count;
    if (!VekIO::ReadLE16(in, skipped) || !VekIO::ReadLE32(in, ignored) || !VekIO::ReadLE32(in, ignored)
        || !VekIO::ReadLE16(in, w) || !VekIO::ReadLE16(in, h) || !VekIO::ReadU8(in, bitsPerPixel)
        || !VekIO::ReadU8(in, count)) {
        Error = QStringLiteral("the card set is cut short");
        return false;
    }
    // The count may or may not include the back: 52 or more is a full set.
    if (!checkCardSet(w, h, count, CardCount))
        return false;
    Width = w;
    Height = h;
    const auto read = [&](Card &card) { return card.LoadFromRkp(in, w, h, bitsPerPixel); };
    return loadCardSetPictures(in, read, count > CardCount);
}

bool Deck::LoadReko(QIODevice &in)
{
    uint32_t ignored, mode;
    uint16_t w, h;
    uint8_t planes, count;
    if (!VekIO::ReadBE32(in, ignored) || !VekIO::ReadBE32(in, ignored) || !VekIO::ReadBE16(in, h)
        || !VekIO::ReadBE16(in, w) || !VekIO::ReadBE32(in, mode) || !VekIO::ReadU8(in, planes)
        || !VekIO::ReadU8(in, count)) {
        Error = QStringLiteral("the card set is cut short");
        return false;
    }
    const bool ham = mode & 0x800;
    if (planes < 1 || planes > 8 || (ham && planes < 3)) {
        Error = QStringLiteral("the card set's pictures have %1 planes, which cannot be shown").arg(planes);
        return false;
    }
    // Two pictures nobody shows, the back and the 52 cards.
    if (!checkCardSet(w, h, count, CardCount + 3))
        return false;
    const qint64 paletteSize = 3 * (qint64(1) << (ham ? planes - 2 : planes));
    const QByteArray palette = in.read(paletteSize);
    if (palette.size() != paletteSize) {
        Error = QStringLiteral("the card set is cut short");
        return false;
    }
    Width = w;
    Height = h;
    const auto read = [&](Card &card) { return card.LoadFromReko(in, w, h, planes, mode, palette); };
    Card discarded;
    if (!read(discarded) || !read(discarded)) {
        Error = QStringLiteral("the card set is cut short");
        return false;
    }
    return loadCardSetPictures(in, read, count > CardCount + 3);
}

bool Deck::loadCardSetPictures(QIODevice &in, const std::function<bool(Card &)> &read, bool placeholders)
{
    if (!read(*Back)) {
        Error = QStringLiteral("the back of the card set is cut short");
        return false;
    }
    for (int rank = 1; rank <= 13; ++rank) {
        for (int suit = Clubs; suit <= Spades; ++suit) {
            Card *card = GetCardByValue(rank, CardSuit(suit));
            if (!card) {
                Error = QStringLiteral("the deck it is loaded into holds a card twice");
                return false;
            }
            if (!read(*card)) {
                Error = QStringLiteral("the card set is cut short at the %1 of %2")
                            .arg(rank)
                            .arg(QLatin1String(SuitNames[suit]));
                return false;
            }
        }
    }
    // A set that ends where its placeholders would begin is complete: they
    // are never shown from these formats anyway.
    if (!placeholders || VekIO::Remaining(in) == 0)
        return true;
    for (auto &placeholder : Placeholders) {
        if (!read(*placeholder)) {
            Error = QStringLiteral("the card set's placeholders are cut short");
            return false;
        }
    }
    return true;
}

qint64 Deck::DecodedBytes() const
{
    qint64 bytes = Back->DecodedBytes();
    for (const auto &card : Cards)
        bytes += card->DecodedBytes();
    for (const auto &placeholder : Placeholders)
        bytes += placeholder->DecodedBytes();
    return bytes;
}

void Deck::copyPicturesFrom(const Deck &other)
{
    *Back = *other.Back;
    for (int i = 0; i < CardCount; ++i)
        *Cards[size_t(i)] = *other.Cards[size_t(i)];
    for (int i = 0; i < PlaceholderCount; ++i)
        *Placeholders[size_t(i)] = *other.Placeholders[size_t(i)];
    Width = other.Width;
    Height = other.Height;
    Ratio = other.Ratio;
}

bool Deck::Load(const QString &fileName)
{
    Error.clear();
    if (!VekIO::CheckIsFile(fileName, &Error))
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Error = QStringLiteral("%1 cannot be opened: %2").arg(fileName, file.errorString());
        return false;
    }
    if (file.size() > MaxDeckFileSize) {
        Error = QStringLiteral("%1 is too large to be a deck").arg(fileName);
        return false;
    }
    QByteArray data = file.readAll();
    file.close();
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);

    // Everything is read into a scratch deck that starts as a copy of this
    // one (a record without picture keeps the picture it had), and copied
    // back only when the whole file was read.
    Deck scratch{NoSeed{}};
    scratch.copyPicturesFrom(*this);
    for (auto &placeholder : scratch.Placeholders)
        placeholder->ClearImage();

    bool ok;
    if (IsVek(in)) {
        ok = scratch.LoadVekDeck(in);
    } else if (IsRkp(in)) {
        ok = scratch.LoadRkp(in);
    } else if (IsReko(in)) {
        ok = scratch.LoadReko(in);
    } else {
        scratch.Error = QStringLiteral("this is not a deck file");
        ok = false;
    }
    if (ok && scratch.DecodedBytes() > VekLimits::MaxDeckDecodedBytes) {
        // Each reader has checked this before decoding anything; kept as the
        // last word on what may replace the current pictures.
        scratch.Error = tooLargeMessage();
        ok = false;
    }
    if (!ok) {
        Error = QStringLiteral("%1: %2").arg(fileName, scratch.Error);
        return false;
    }
    // Cards keep their place in Cards and their Used marks; only pictures,
    // ranks and suits come from the file.
    for (int i = 0; i < CardCount; ++i)
        scratch.Cards[size_t(i)]->SetUsed(Cards[size_t(i)]->HasBeenUsed());
    copyPicturesFrom(scratch);
    return true;
}

bool Deck::Save(const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        Error = QStringLiteral("%1 cannot be written: %2").arg(fileName, file.errorString());
        return false;
    }
    bool ok = file.write(VekMagic, 16) == 16 && VekIO::WriteLE32(file, uint32_t(0)) && Back->Save(file);
    for (int i = 0; ok && i < CardCount; ++i)
        ok = Cards[size_t(i)]->Save(file);
    ok = ok && VekIO::WriteLE32(file, uint32_t(PlaceholderCount));
    for (int i = 0; ok && i < PlaceholderCount; ++i)
        ok = Placeholders[size_t(i)]->Save(file);
    if (!ok) {
        file.cancelWriting();
        Error = QStringLiteral("%1 cannot be written: %2").arg(fileName, file.errorString());
        return false;
    }
    if (!file.commit()) {
        Error = QStringLiteral("%1 cannot be written: %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}

void Deck::Resize(int w, int h, qreal ratio)
{
    if (w == Width && h == Height && ratio == Ratio)
        return;
    Width = uint16_t(w);
    Height = uint16_t(h);
    Ratio = ratio;
    Back->ScaleImage(w, h, ratio);
    for (auto &card : Cards)
        card->ScaleImage(w, h, ratio);
    for (auto &placeholder : Placeholders)
        placeholder->ScaleImage(w, h, ratio);
}

void Deck::DecodePictures(const std::atomic<bool> &stop)
{
    if (stop)
        return;
    Back->Decode();
    for (auto &placeholder : Placeholders) {
        if (stop)
            return;
        placeholder->Decode();
    }
    for (auto &card : Cards) {
        if (stop)
            return;
        card->Decode();
    }
}

void Deck::DecodeBackAndPlaceholders()
{
    Back->Decode();
    for (auto &placeholder : Placeholders)
        placeholder->Decode();
}

Card *Deck::GetCard(int i) const
{
    return i >= 0 && i < CardCount ? Cards[size_t(i)].get() : nullptr;
}

Card *Deck::GetPlaceholder(int i) const
{
    return i >= 0 && i < PlaceholderCount ? Placeholders[size_t(i)].get() : nullptr;
}

void Deck::Shuffle()
{
    for (auto &card : Cards)
        card->SetUsed(false);
    Remaining = CardCount;
}

Card *Deck::Pick()
{
    if (Remaining == 0)
        Shuffle();
    int n = rand() % Remaining;
    --Remaining;
    for (auto &card : Cards) {
        if (card->HasBeenUsed())
            continue;
        if (n-- == 0) {
            card->SetUsed(true);
            return card.get();
        }
    }
    return nullptr; // only when Used marks were changed behind the deck's back
}

Card *Deck::GetCardByValue(int value, CardSuit suit)
{
    for (auto &card : Cards)
        if (card->IsAssigned() && card->GetSuit() == suit && card->GetValue() == value)
            return card.get();
    for (auto &card : Cards) {
        if (!card->IsAssigned()) {
            card->SetValue(uint8_t(value), suit);
            return card.get();
        }
    }
    return nullptr;
}
