// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Deckproject.h"

#include <cstring>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

#include "Baserecord.h"
#include "Bilinear.h"
#include "Card.h"
#include "Deck.h"
#include "Utils.h"

namespace {

const char Magic[16] = {'V', 'e', 'k', 'S', 'o', 'l', 'i', 't', 'a', 'i', 'r', 'e', 'P', 'r', 'o', 'j'};
constexpr uint32_t FileVersion = 1;

const char *const SuitNames[4] = {"Clubs", "Diamonds", "Hearts", "Spades"};
const char *const RankNames[13] = {"Ace", "Two", "Three", "Four", "Five", "Six", "Seven",
                                   "Eight", "Nine", "Ten", "Jack", "Queen", "King"};

} // namespace

DeckProject::DeckProject(const RankSymbolList &symbols)
    : Symbols(symbols)
{
    for (auto &entry : Cards)
        entry = std::make_unique<CardInfo>();
}

DeckProject::~DeckProject() = default;

CardInfo *DeckProject::GetCardInfo(int index) const
{
    if (index < 0 || index >= Count)
        return nullptr;
    return Cards[size_t(index)].get();
}

QString DeckProject::Label(int index)
{
    if (index == 0)
        return QStringLiteral("Back side");
    if (index >= 1 && index < FirstCard)
        return QStringLiteral("Placeholder %1").arg(index);
    if (index >= FirstCard && index < Count) {
        const int card = index - FirstCard;
        return QStringLiteral("%1 of %2").arg(QLatin1String(RankNames[card % 13]), QLatin1String(SuitNames[card / 13]));
    }
    return QString();
}

void DeckProject::SetRankSymbols(bool on)
{
    if (on)
        Flags |= RankSymbolsFlag;
    else
        Flags &= ~RankSymbolsFlag;
}

void DeckProject::Clear()
{
    for (auto &entry : Cards)
        entry->Reset();
    Flags = RankSymbolsFlag;
    Folder.clear();
}

bool DeckProject::Load(const QString &path)
{
    // A pipe or a device is refused before it is opened: opening a pipe
    // waits for a writer, and a device may never end.
    if (!VekIO::CheckIsFile(path, &Error))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Error = file.errorString();
        return false;
    }
    // Read whole: even a project of 57 longest paths is a few megabytes.
    constexpr qint64 Largest = 24 + Count * (24 + qint64(BaseRecord::MaxStringBytes));
    QBuffer in;
    in.setData(file.read(Largest + 1));
    if (in.size() > Largest) {
        Error = QStringLiteral("it is too large to be a deck project");
        return false;
    }
    in.open(QIODevice::ReadOnly);
    if (!Read(in))
        return false;
    Folder = QFileInfo(path).absolutePath();
    return true;
}

bool DeckProject::Read(QIODevice &in)
{
    char magic[sizeof Magic];
    if (in.read(magic, sizeof magic) != qint64(sizeof magic) || memcmp(magic, Magic, sizeof Magic) != 0) {
        Error = QStringLiteral("it is not a deck project");
        return false;
    }
    uint32_t version, flags = RankSymbolsFlag;
    if (!VekIO::ReadLE32(in, version) || (version != 0 && !VekIO::ReadLE32(in, flags))) {
        Error = QStringLiteral("the file is cut short");
        return false;
    }
    // Everything is read into scratch entries first, so that a damaged file
    // changes nothing.
    std::array<CardInfo, Count> read;
    for (int i = 0; i < Count; ++i) {
        if (!read[size_t(i)].Read(in)) {
            Error = QStringLiteral("the file is cut short or damaged in the entry of the %1").arg(Label(i));
            return false;
        }
    }
    for (int i = 0; i < Count; ++i)
        *Cards[size_t(i)] = read[size_t(i)];
    Flags = flags;
    Error.clear();
    return true;
}

bool DeckProject::Save(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        Error = file.errorString();
        return false;
    }
    bool ok = file.write(Magic, sizeof Magic) == qint64(sizeof Magic) && VekIO::WriteLE32(file, FileVersion)
        && VekIO::WriteLE32(file, Flags);
    for (int i = 0; ok && i < Count; ++i)
        ok = Cards[size_t(i)]->Write(file);
    if (!ok) {
        Error = file.errorString().isEmpty() ? QStringLiteral("the file could not be written") : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        Error = file.errorString();
        return false;
    }
    Folder = QFileInfo(path).absolutePath();
    Error.clear();
    return true;
}

QString DeckProject::ImagePath(const CardInfo &entry) const
{
    const QString stored = entry.FileName();
    if (stored.isEmpty() || QFileInfo::exists(stored))
        return stored;
    // Projects made elsewhere may carry backslash paths, or pictures that
    // travelled with the project file.
    QString slashed = stored;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo::exists(slashed))
        return slashed;
    if (!Folder.isEmpty()) {
        const QString beside = QDir(Folder).filePath(slashed.section(QLatin1Char('/'), -1));
        if (QFileInfo::exists(beside))
            return beside;
    }
    return stored;
}

const QImage *DeckProject::Symbol(int index) const
{
    if (index < 0 || index >= Symbols.size() || Symbols[index].isNull())
        return nullptr;
    return &Symbols[index];
}

void DeckProject::DrawTransparent(QImage &target, const QImage &symbol, int x, int y)
{
    if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32)
        target = target.convertToFormat(QImage::Format_RGB32);
    const QImage source = symbol.convertToFormat(QImage::Format_RGB32);
    const QRgb background = source.pixel(0, 0) & 0xFFFFFF;
    for (int row = 0; row < source.height(); ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= target.height())
            continue;
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(row));
        auto *to = reinterpret_cast<QRgb *>(target.scanLine(ty));
        for (int col = 0; col < source.width(); ++col) {
            const int tx = x + col;
            if (tx >= 0 && tx < target.width() && (from[col] & 0xFFFFFF) != background)
                to[tx] = from[col] | 0xFF000000;
        }
    }
}

QImage DeckProject::MakeThumbnail(CardInfo &entry, int index, int width, int height, QString *error) const
{
    QImage thumbnail(width, height, QImage::Format_RGB32);
    thumbnail.fill(BlankColor());
    if (!entry.HasImage()) {
        entry.Top = entry.Left = entry.Width = entry.Height = 0;
        return thumbnail;
    }
    Card card;
    if (!card.LoadImage(ImagePath(entry), error))
        return thumbnail;
    const QRect crop = entry.CropIn(QSize(card.GetBitmap().width(), card.GetBitmap().height()));
    if (!crop.isNull())
        card.CropImage(crop.x(), crop.y(), crop.width(), crop.height());
    card.ScaleImage(width, height);
    {
        QPainter canvas(&thumbnail);
        card.PaintTo(canvas, 0, 0);
    }
    if (GetRankSymbols() && index >= FirstCard) {
        if (const QImage *symbol = Symbol(index - FirstCard)) {
            DrawTransparent(thumbnail, *symbol, width - SymbolWidth, 0);
            DrawTransparent(thumbnail, *symbol, 0, height - SymbolHeight);
        }
    }
    return thumbnail;
}

bool DeckProject::MakeCard(Card &card, const CardInfo &entry, bool symbols, QString *error) const
{
    if (!entry.HasImage())
        return true;
    if (!card.LoadImage(ImagePath(entry), error))
        return false;
    const QImage &picture = card.GetBitmap();
    const QRect crop = entry.CropIn(picture.size());
    if (!crop.isNull())
        card.CropImage(crop.x(), crop.y(), crop.width(), crop.height());
    card.ScaleImage(Deck::NativeWidth, Deck::NativeHeight);
    if (symbols)
        DrawRankSymbols(card);
    card.DropOriginal();
    return true;
}

void DeckProject::DrawRankSymbols(Card &card) const
{
    const QImage *symbol = Symbol(card.GetValue() + card.GetSuit() * 13 - 1);
    if (!symbol)
        return;
    QImage enlarged;
    BilinearFilter(symbol->convertToFormat(QImage::Format_RGB32), enlarged, 2 * SymbolWidth, 2 * SymbolHeight);
    QImage &bitmap = card.GetScaledBitmap();
    DrawTransparent(bitmap, enlarged, bitmap.width() - enlarged.width(), 0);
    DrawTransparent(bitmap, enlarged, 0, bitmap.height() - enlarged.height());
}

bool DeckProject::Make(const QString &path, QString *error) const
{
    // A fresh deck each time: an entry without a picture must not carry a
    // picture over from an earlier deck.
    for (int i = 0; i < Count; ++i) {
        if (i > 0 && i < FirstCard)
            continue; // placeholders may stay empty
        if (!Cards[size_t(i)]->HasImage()) {
            if (error)
                *error = QStringLiteral("The %1 has no picture.").arg(Label(i));
            return false;
        }
    }
    Deck deck;
    QString why;
    auto make = [&](Card &card, int index, bool symbols) {
        const CardInfo &entry = *Cards[size_t(index)];
        if (MakeCard(card, entry, symbols, &why))
            return true;
        if (error)
            *error = QStringLiteral("The picture of the %1 cannot be read:\n%2\n\n%3")
                         .arg(Label(index), ImagePath(entry), why);
        return false;
    };
    if (!make(*deck.GetBack(), 0, false))
        return false;
    for (int i = 0; i < Deck::PlaceholderCount; ++i)
        if (!make(*deck.GetPlaceholder(i), i + 1, false))
            return false;
    for (int j = 0; j < Deck::CardCount; ++j) {
        Card &card = *deck.GetCard(j);
        card.SetValue(uint8_t(j % 13 + 1), CardSuit(j / 13));
        if (!make(card, j + FirstCard, GetRankSymbols()))
            return false;
    }
    if (!deck.Save(path)) {
        if (error)
            *error = QStringLiteral("The deck cannot be written:\n%1").arg(deck.LastError());
        return false;
    }
    return true;
}
