// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// deckgen draws the program's own pictures. The build runs it to fill bin/:
//   Decks/Standard.deck   the standard deck (52 faces, back, 4 placeholders)
//   Cell.jpg              the empty-cell picture
//   Symbols.png           the deck editor's 52 rank symbols, 13 x 23 each
//   Emblem.png            the 64 x 64 emblem of the about windows
//   VekSolitaire.png      the 256 x 256 application icon
// and, for looking at the deck, writes contact sheets:
//   deckgen --sheet deck.png --size 88x130 [--from DIR]
// Everything is drawn by this program; the output is the same on every run.
#include <cstdio>

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTemporaryDir>

#include "Artwork.h"
#include "Deck.h"
#include "Faces.h"
#include "JpegCodec.h"
#include "Pictures.h"
#include "Sheet.h"

namespace {

const QString DeckFile = QStringLiteral("Decks/Standard.deck");
const QString CellFile = QStringLiteral("Cell.jpg");
const QString SymbolsFile = QStringLiteral("Symbols.png");
const QString EmblemFile = QStringLiteral("Emblem.png");
const QString IconFile = QStringLiteral("VekSolitaire.png");
constexpr int EmblemSize = 64;
constexpr int IconSize = 256;

void fail(const QString &message)
{
    std::fprintf(stderr, "deckgen: %s\n", qPrintable(message));
}

// A drawn picture becomes the card's source, as the deck editor does it:
// drawn into the display bitmap, then frozen.
void give(Card *card, const QImage &picture)
{
    card->GetScaledBitmap() = picture;
    card->DropOriginal();
}

bool writeBytes(const QString &fileName, const QByteArray &bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        fail(QStringLiteral("%1 cannot be written: %2").arg(fileName, file.errorString()));
        return false;
    }
    return true;
}

bool writePng(const QString &fileName, const QImage &image)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        fail(QStringLiteral("%1 cannot be written: %2").arg(fileName, file.errorString()));
        return false;
    }
    return true;
}

bool writeAll(const QString &directory, const Art::Fonts &fonts)
{
    const QDir dir(directory);
    if (!dir.mkpath(QStringLiteral("Decks"))) {
        fail(QStringLiteral("the folder %1 cannot be made").arg(dir.filePath(QStringLiteral("Decks"))));
        return false;
    }

    // Records go out by suit, Ace to King: a fresh deck hands its cards out
    // in that order.
    Deck deck;
    for (int s = Clubs; s <= Spades; ++s)
        for (int rank = 1; rank <= 13; ++rank)
            give(deck.GetCardByValue(rank, CardSuit(s)), Art::DrawFace(fonts, rank, CardSuit(s)));
    give(deck.GetBack(), Art::DrawBack());
    for (int i = 0; i < Deck::PlaceholderCount; ++i)
        give(deck.GetPlaceholder(i), Art::DrawPlaceholder(CardSuit(i)));
    if (!deck.Save(dir.filePath(DeckFile))) {
        fail(deck.LastError());
        return false;
    }

    QByteArray jpeg;
    QString why;
    if (!VekJpeg::Encode(Art::DrawCell(), jpeg, &why)) {
        fail(QStringLiteral("the cell picture cannot be encoded: %1").arg(why));
        return false;
    }
    return writeBytes(dir.filePath(CellFile), jpeg) && writePng(dir.filePath(SymbolsFile), Art::DrawSymbolStrip(fonts))
        && writePng(dir.filePath(EmblemFile), Art::DrawEmblem(fonts, EmblemSize))
        && writePng(dir.filePath(IconFile), Art::DrawEmblem(fonts, IconSize));
}

bool writeSheet(const QString &fileName, const QString &from, int width, int height)
{
    Deck deck;
    if (!deck.Load(QDir(from).filePath(DeckFile))) {
        fail(deck.LastError());
        return false;
    }
    Card cell;
    QString why;
    if (!cell.LoadImage(QDir(from).filePath(CellFile), &why)) {
        fail(why);
        return false;
    }
    return writePng(fileName, ContactSheet(deck, cell, width, height));
}

bool parseSize(const QString &text, int &width, int &height)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okW = false, okH = false;
    if (parts.size() == 2) {
        width = parts[0].toInt(&okW);
        height = parts[1].toInt(&okH);
    }
    return okW && okH && width > 0 && height > 0 && width <= 1024 && height <= 1024;
}

} // namespace

int main(int argc, char **argv)
{
    // Run from the build, often without a display or a session: nothing is
    // shown, and Qt's private runtime folder may as well be a temporary one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws the standard deck and the other pictures of Vek Solitaire."));
    parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Write every picture into <folder>."),
                                       QStringLiteral("folder"));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("Write a contact sheet of the deck to <file> (PNG)."),
                                         QStringLiteral("file"));
    const QCommandLineOption sizeOption(QStringLiteral("size"),
                                        QStringLiteral("Card size on the sheet (default 88x130)."),
                                        QStringLiteral("WxH"), QStringLiteral("88x130"));
    const QCommandLineOption fromOption(QStringLiteral("from"),
                                        QStringLiteral("Take the sheet's deck from <folder> instead of drawing it."),
                                        QStringLiteral("folder"));
    const QCommandLineOption fontsOption(QStringLiteral("fonts"), QStringLiteral("Folder of the DejaVu font files."),
                                         QStringLiteral("folder"), QStringLiteral(VEK_DEJAVU_DIR));
    parser.addOptions({outOption, sheetOption, sizeOption, fromOption, fontsOption});
    parser.process(app);

    if (!parser.isSet(outOption) && !parser.isSet(sheetOption)) {
        fail(QStringLiteral("nothing to do: give --out and/or --sheet (see --help)"));
        return 2;
    }
    int width = 0, height = 0;
    if (!parseSize(parser.value(sizeOption), width, height)) {
        fail(QStringLiteral("the size %1 is not of the form WxH").arg(parser.value(sizeOption)));
        return 2;
    }

    Art::Fonts fonts;
    QString why;
    const bool needFonts = parser.isSet(outOption) || !parser.isSet(fromOption);
    if (needFonts && !fonts.Load(parser.value(fontsOption), &why)) {
        fail(why);
        return 1;
    }

    QString drawn;
    QTemporaryDir scratch;
    if (parser.isSet(outOption)) {
        drawn = parser.value(outOption);
        if (!writeAll(drawn, fonts))
            return 1;
    }
    if (parser.isSet(sheetOption)) {
        // The sheet shows the deck as it comes back from its file, JPEG and
        // all, so it is drawn first when no folder is given.
        QString from = parser.isSet(fromOption) ? parser.value(fromOption) : drawn;
        if (from.isEmpty()) {
            if (!scratch.isValid() || !writeAll(scratch.path(), fonts))
                return 1;
            from = scratch.path();
        }
        if (!writeSheet(parser.value(sheetOption), from, width, height))
            return 1;
    }
    return 0;
}
