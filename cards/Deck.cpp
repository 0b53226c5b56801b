// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Deck.h"

#include <cstdlib>
#include <ctime>

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include "Utils.h"

namespace {

constexpr char VekMagic[] = "VekSolitaireDeck"; // 16 bytes, no terminator in the file
constexpr char RkpMagic[] = "PCREKO";
constexpr char RekoMagic[] = "REKO";

// A deck of 57 native pictures is about a megabyte; nothing legitimate comes
// close to this.
constexpr qint64 MaxDeckFileSize = 512 * 1024 * 1024;

bool startsWith(QIODevice &in, const char *magic, int length)
{
    if (!in.seek(0))
        return false;
    const QByteArray head = in.read(length);
    return head.size() == length && memcmp(head.constData(), magic, size_t(length)) == 0;
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
    QString why;
    if (!Back->Load(in, &why)) {
        Error = QStringLiteral("the back of the deck cannot be read: %1").arg(why);
        return false;
    }
    Width = NativeWidth;
    Height = NativeHeight;
    Ratio = 1.0;
    for (int i = 0; i < CardCount; ++i) {
        if (!Cards[size_t(i)]->Load(in, &why)) {
            Error = QStringLiteral("card %1 of the deck cannot be read: %2").arg(i + 1).arg(why);
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
    uint32_t placeholders;
    if (!VekIO::ReadLE32(in, placeholders)) {
        Error = QStringLiteral("the deck file is cut short");
        return false;
    }
    // The deck has four placeholders; records beyond them are not read.
    for (uint32_t i = 0; i < placeholders && i < uint32_t(PlaceholderCount); ++i) {
        if (!Placeholders[i]->Load(in, &why)) {
            Error = QStringLiteral("placeholder %1 of the deck cannot be read: %2").arg(i + 1).arg(why);
            return false;
        }
    }
    return true;
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
    } else if (IsRkp(in) || IsReko(in)) {
        scratch.Error = QStringLiteral("card sets of this format cannot be read yet");
        ok = false;
    } else {
        scratch.Error = QStringLiteral("this is not a deck file");
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
