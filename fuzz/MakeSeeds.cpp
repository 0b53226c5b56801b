// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Writes the seed corpora of the fuzz targets, all made here from scratch:
//   make_fuzz_seeds <folder>
// gives <folder>/deck, picture, saved_game and settings.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include "BasicHost.h"
#include "FuzzSupport.h"
#include "CardGame.h"
#include "Deck.h"
#include "GameFactory.h"
#include "GameTable.h"
#include "Registry.h"
#include "SavedGame.h"

namespace {

QImage Pattern(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 40 + seed * 13) & 0xff, (y * 40) & 0xff, (seed * 71) & 0xff));
    return image;
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray Encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    image.save(&out, format);
    return bytes;
}

void Put16(QByteArray &bytes, int value, bool bigEndian)
{
    const char low = char(value & 0xff), high = char((value >> 8) & 0xff);
    bigEndian ? bytes.append(high).append(low) : bytes.append(low).append(high);
}

// A PC card set of count pictures announced, pictures of them present: 15-bit
// words for 16 bits per pixel, else a palette and indices.
QByteArray PcCardSet(int width, int height, int bitsPerPixel, int count, int pictures)
{
    QByteArray bytes("PCREKO");
    bytes.append(10, '\0');
    Put16(bytes, width, false);
    Put16(bytes, height, false);
    bytes.append(char(bitsPerPixel)).append(char(count));
    for (int k = 0; k < pictures; ++k) {
        bytes.append(4, '\0');
        if (bitsPerPixel != 16)
            for (int i = 0; i < 256; ++i)
                Put16(bytes, i * 97 + k, false);
        for (int i = 0; i < width * height; ++i)
            bitsPerPixel == 16 ? Put16(bytes, k * 331 + i * 17, false) : void(bytes.append(char(k + i)));
    }
    return bytes;
}

// An Amiga card set: the header, the palette and the planar pictures.
QByteArray AmigaCardSet(int width, int height, int planes, uint32_t mode, int count, int pictures)
{
    QByteArray bytes("REKO");
    bytes.append(8, '\0');
    Put16(bytes, height, true);
    Put16(bytes, width, true);
    Put16(bytes, int(mode >> 16), true);
    Put16(bytes, int(mode & 0xffff), true);
    bytes.append(char(planes)).append(char(count));
    const int colours = 1 << ((mode & 0x800) ? planes - 2 : planes);
    for (int i = 0; i < 3 * colours; ++i)
        bytes.append(char(i * 29));
    const int pictureBytes = planes * ((width + 7) / 8) * height;
    for (int k = 0; k < pictures; ++k)
        for (int i = 0; i < pictureBytes; ++i)
            bytes.append(char(k * 7 + i * 45));
    return bytes;
}

// A small deck of every record with a picture, and one whose records have
// none; the foreign magics on their own, and small card sets of both older
// formats in each of their picture kinds.
bool MakeDecks(const QDir &folder)
{
    QTemporaryDir scratch;
    const QString bmp = scratch.filePath(QStringLiteral("p.bmp"));
    Deck deck;
    int i = 0;
    for (int suit = Clubs; suit <= Spades; ++suit)
        for (int value = 1; value <= 13; ++value)
            deck.GetCard(i++)->SetValue(uint8_t(value), CardSuit(suit));
    if (!deck.Save(folder.filePath(QStringLiteral("blank.deck"))))
        return false;
    for (int card = 0; card < Deck::CardCount + 1 + Deck::PlaceholderCount; ++card) {
        Card *target = card < Deck::CardCount ? deck.GetCard(card)
                     : card == Deck::CardCount ? deck.GetBack()
                                               : deck.GetPlaceholder(card - Deck::CardCount - 1);
        if (!Pattern(8, 12, card).save(bmp) || !target->LoadImage(bmp))
            return false;
    }
    return deck.Save(folder.filePath(QStringLiteral("pictures.deck")))
        && Write(folder.filePath(QStringLiteral("rkp")), QByteArray("PCREKO") + QByteArray(64, '\0'))
        && Write(folder.filePath(QStringLiteral("reko")), QByteArray("REKO") + QByteArray(64, '\0'))
        && Write(folder.filePath(QStringLiteral("direct.rkp")), PcCardSet(4, 3, 16, 53, 57))
        && Write(folder.filePath(QStringLiteral("palette.rkp")), PcCardSet(3, 2, 8, 52, 53))
        && Write(folder.filePath(QStringLiteral("planar.reko")), AmigaCardSet(9, 2, 2, 0, 56, 59))
        && Write(folder.filePath(QStringLiteral("ham.reko")), AmigaCardSet(3, 2, 8, 0x800, 55, 55));
}

// The picture target reads its first byte as the extension's index.
bool MakePictures(const QDir &folder)
{
    const QImage image = Pattern(6, 5, 3);
    // A 1 x 1 GIF with a two-colour table.
    const QByteArray gif = QByteArray("GIF89a") + QByteArray::fromHex("010001008000000000ffffff")
                         + QByteArray::fromHex("2C000000000100010000") + QByteArray::fromHex("02024401003B");
    const struct {
        char index;
        const char *name;
        QByteArray bytes;
    } seeds[] = {
        {0, "jpg", Encoded(image, "JPG")}, {1, "jpeg", Encoded(image.scaled(16, 16), "JPG")},
        {2, "gif", gif},                   {3, "bmp", Encoded(image, "BMP")},
        {4, "png", Encoded(image, "PNG")}, {5, "ico", Encoded(image, "ICO")},
    };
    for (const auto &seed : seeds)
        if (seed.bytes.isEmpty() || !Write(folder.filePath(QString::fromLatin1(seed.name)), QByteArray(1, seed.index) + seed.bytes))
            return false;
    return true;
}

// A fresh deal of every game that is built, saved.
bool MakeSavedGames(const QDir &folder)
{
    Deck deck;
    int i = 0;
    for (int suit = Clubs; suit <= Spades; ++suit)
        for (int value = 1; value <= 13; ++value)
            deck.GetCard(i++)->SetValue(uint8_t(value), CardSuit(suit));
    BasicHost host;
    GameTable table(nullptr, &deck, &host);
    VekFuzz::QuietQuestions answers;
    table.SetQuestions(&answers);
    table.SetSuggestionWait(0);
    table.ResizeCards(88, 130);
    srand(1);
    for (int position = 0; position < GameFactory::GameCount; ++position) {
        const GameFactory::GameInfo *info = GameFactory::GetGame(position);
        if (!info || !info->creator)
            continue;
        std::unique_ptr<CardGame> game = GameFactory::CreateGame(info->id, &deck, &table, 88, 130);
        table.SetGame(game.get());
        game->NewGame(true);
        const bool saved = GameFactory::SaveGameFile(*game, folder.filePath(QStringLiteral("game%1.veksol").arg(info->id)));
        table.SetGame(nullptr);
        if (!saved)
            return false;
    }
    return true;
}

// A registry as the program leaves it: settings, the window's placement,
// folders, recent decks and statistics.
bool MakeSettings(const QDir &folder)
{
    const QString file = folder.filePath(QStringLiteral("registry.ini"));
    QFile::remove(file);
    Registry registry(file);
    QWidget window;
    window.resize(640, 480);
    const QByteArray placement = window.saveGeometry().toBase64();
    bool ok = registry.OpenKey(QStringLiteral("Software\\VekSoftware\\VekSolitaire"), true)
           && registry.WriteInteger(QStringLiteral("CardSize"), 3) && registry.WriteInteger(QStringLiteral("Game"), 2)
           && registry.WriteString(QStringLiteral("Deck"), QStringLiteral("Decks/Standard.deck"))
           && registry.WriteString(QStringLiteral("Background"), QStringLiteral("C:\\Pictures\\wood.bmp"));
    ok = ok && registry.OpenKey(QStringLiteral("Software\\VekSoftware\\VekSolitaire\\Forms\\MainWin"), true)
      && registry.WriteString(QStringLiteral("Placement"), QString::fromLatin1(placement))
      && registry.WriteString(QStringLiteral("SaveGameDir"), QStringLiteral("/home/player/games"));
    ok = ok && registry.OpenKey(QStringLiteral("Software\\VekSoftware\\VekSolitaire\\Forms\\MainWin\\RecentDecks"), true)
      && registry.WriteString(QStringLiteral("0"), QStringLiteral("/decks/a.deck"))
      && registry.WriteString(QStringLiteral("1"), QStringLiteral("/decks/b.deck"));
    const GameFactory::GameInfo *first = GameFactory::GetGame(0);
    ok = ok && first
      && registry.OpenKey(QStringLiteral("Software\\VekSoftware\\VekSolitaire\\Games\\") + first->name, true)
      && registry.WriteInteger(QStringLiteral("Played"), 12) && registry.WriteInteger(QStringLiteral("Won"), 5)
      && registry.WriteInteger(QStringLiteral("PlayTime"), 3600);
    registry.CloseKey();
    return ok && registry.Flush();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds <folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const auto &[name, make] : {std::pair{"deck", &MakeDecks}, {"picture", &MakePictures},
                                      {"saved_game", &MakeSavedGames}, {"settings", &MakeSettings}}) {
        const QString path = root.filePath(QString::fromLatin1(name));
        ok = QDir().mkpath(path) && make(QDir(path)) && ok;
        if (!ok)
            std::fprintf(stderr, "could not write the %s seeds\n", name);
    }
    return ok ? 0 : 1;
}
