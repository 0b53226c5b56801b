// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QImage>
#include <QList>
#include <QString>

#include "Cardinfo.h"

class Card;

// The rank symbols painted into the corners of the playing cards: 52
// pictures of 13 x 23 pixels, by suit (clubs, diamonds, hearts, spades) and
// Ace to King within a suit, each on a plain background whose colour is that
// of its top-left pixel.
using RankSymbolList = QList<QImage>;

// A deck project: for each of the 57 pictures of a deck (the back, four
// placeholders and the 52 playing cards) the picture file to take and the
// rectangle of it to keep, and whether rank symbols are painted on the
// playing cards. It is saved as a ".vdp" file and turned into a native deck.
//
// Project file (little-endian): the 16 bytes "VekSolitaireProj", a uint32
// version (1 when we write), a uint32 Flags present only when the version is
// not 0 (bit 0: rank symbols), then the 57 entry records (see CardInfo) in
// entry order.
//
// Entry order: 0 the back, 1-4 the placeholders, then the playing cards by
// suit, Ace to King within a suit: index = 5 + suit x 13 + rank - 1.
class DeckProject {
public:
    static constexpr int Count = 57;
    static constexpr int FirstCard = 5;
    static constexpr int SymbolWidth = 13;
    static constexpr int SymbolHeight = 23;
    static constexpr uint32_t RankSymbolsFlag = 1;

    // The symbols stay the caller's and must outlive the project.
    explicit DeckProject(const RankSymbolList &symbols);
    ~DeckProject();
    DeckProject(const DeckProject &) = delete;
    DeckProject &operator=(const DeckProject &) = delete;

    int GetCount() const { return Count; }
    CardInfo *GetCardInfo(int index) const;
    // What the editor calls entry index: "Back side", "Placeholder 1" ...
    // "Ace of Clubs" ... "King of Spades".
    static QString Label(int index);

    bool GetRankSymbols() const { return (Flags & RankSymbolsFlag) != 0; }
    void SetRankSymbols(bool on);
    uint32_t GetFlags() const { return Flags; }

    // Every entry reset, rank symbols on, no project file.
    void Clear();

    // Reads a project file. The whole file is checked before anything
    // changes: a file that cannot be read, lacks the magic or ends (or holds
    // an impossible path length) before its 57th entry returns false with
    // the project untouched and the reason in LastError().
    bool Load(const QString &path);
    // The same for a project at the stream's position.
    bool Read(QIODevice &in);
    // Writes the project file; an existing file is replaced only by a
    // complete new one. False with the reason in LastError().
    bool Save(const QString &path);
    const QString &LastError() const { return Error; }

    // Where an entry's picture is found: its path as stored; if that does not
    // exist, the same with backslashes made slashes; then the file's name in
    // the folder of the project file last loaded or saved. The stored path
    // when none of them exists.
    QString ImagePath(const CardInfo &entry) const;

    // A width x height picture of the entry: its picture cropped and scaled,
    // with the rank symbols of a playing card (index above 4) at their own
    // size in the top-right and bottom-left corners when they are on. An
    // entry without a picture gets its rectangle reset and a blank picture,
    // as does one whose picture cannot be read (reason in *error).
    QImage MakeThumbnail(CardInfo &entry, int index, int width, int height, QString *error = nullptr) const;

    // Builds a native deck from the entries and writes it to path. The back
    // and the 52 playing cards must have pictures; a placeholder without one
    // stays empty. Stops without writing anything, with the reason in *error,
    // at the first picture that cannot be read or when the deck file cannot
    // be written.
    bool Make(const QString &path, QString *error = nullptr) const;
    // Makes card from entry at the native size 176 x 260, with its rank
    // symbols when symbols is set. An entry without a picture leaves the card
    // alone; a picture that cannot be read returns false.
    bool MakeCard(Card &card, const CardInfo &entry, bool symbols, QString *error = nullptr) const;
    // Paints the card's rank symbol, enlarged to 26 x 46 with the bilinear
    // filter, into the top-right and bottom-left corners of its display
    // bitmap; the symbol's background does not show.
    void DrawRankSymbols(Card &card) const;

    static QRgb BlankColor() { return 0xFFD8D8D8; }

private:
    // Draws symbol at (x, y) onto target, leaving out the pixels of the
    // symbol's own background colour.
    static void DrawTransparent(QImage &target, const QImage &symbol, int x, int y);
    const QImage *Symbol(int index) const;

    std::array<std::unique_ptr<CardInfo>, Count> Cards;
    const RankSymbolList &Symbols;
    uint32_t Flags = RankSymbolsFlag;
    QString Folder; // of the project file last loaded or saved
    QString Error;
};
