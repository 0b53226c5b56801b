// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavedGame.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include "CardGame.h"
#include "GameFactory.h"
#include "GameTable.h"
#include "Utils.h"

namespace GameFactory {

namespace {

// Written without a terminating zero.
const QByteArray &magic()
{
    static const QByteArray bytes = QByteArrayLiteral("VekSolitaireWinGame");
    return bytes;
}

// Far above any real saved game (Klondike's is 701 bytes); a larger file is
// not read into memory.
constexpr qint64 MaxSavedGameSize = 16 * 1024 * 1024;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Gives the table a game for as long as it lives, then, unless kept, the
// game it had before: the table never holds a game that is gone.
class GameOnTable {
public:
    GameOnTable(GameTable *table, CardGame *game, CardGame *previous)
        : Table(table)
        , Previous(previous)
    {
        Table->SetGame(game);
    }
    ~GameOnTable()
    {
        if (!Kept)
            Table->SetGame(Previous);
    }
    GameOnTable(const GameOnTable &) = delete;
    GameOnTable &operator=(const GameOnTable &) = delete;
    void Keep() { Kept = true; }

private:
    GameTable *Table;
    CardGame *Previous;
    bool Kept = false;
};

// The resuming sequence on one table: the game of that id created and given
// to the table, its statistics loaded, its cells prepared without a deal,
// the position read, its status shown, un-paused. Null when the file is
// refused; the table then holds whatever the attempt left and has
// `previous` as its game again.
std::unique_ptr<CardGame> resumeOn(GameTable *table, const QByteArray &file, int32_t id, Deck *deck, int cardWidth,
                                   int cardHeight, CardGame *previous)
{
    QBuffer stream;
    stream.setData(file);
    if (!stream.open(QIODevice::ReadOnly) || !ReadSavedGameHeader(stream))
        return nullptr;
    std::unique_ptr<CardGame> game = CreateGame(id, deck, table, cardWidth, cardHeight);
    GameOnTable onTable(table, game.get(), previous);
    game->LoadStatistics();
    game->PrepareForLoad();
    if (!game->LoadGame(stream))
        return nullptr;
    game->ShowStatus();
    game->SetPaused(false);
    onTable.Keep();
    return game;
}

// The catalogue id in the header of a saved game's bytes; -1 for other
// bytes or an id the catalogue does not know.
int32_t SavedGameId(const QByteArray &bytes)
{
    QBuffer stream;
    stream.setData(bytes);
    if (!stream.open(QIODevice::ReadOnly) || stream.read(magic().size()) != magic())
        return -1;
    int32_t reserved, id;
    if (!VekIO::ReadLE32(stream, reserved) || !VekIO::ReadLE32(stream, id))
        return -1;
    return FindGame(id) ? id : -1;
}

} // namespace

QString CannotResumeMessage()
{
    return QStringLiteral("The game you selected cannot be resumed.");
}

QByteArray SaveGameData(CardGame &game)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    buffer.write(magic());
    VekIO::WriteLE32(buffer, int32_t(0));
    VekIO::WriteLE32(buffer, int32_t(game.GetGameId()));
    game.SaveGame(buffer);
    return buffer.data();
}

bool SaveGameFile(CardGame &game, const QString &fileName, QString *error)
{
    // The earlier file is replaced only once the new one is complete.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    const QByteArray bytes = SaveGameData(game);
    if (file.write(bytes) != bytes.size()) {
        setError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    // A write that failed on the way makes the commit fail.
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

int32_t GetSavedGameId(const QString &fileName)
{
    if (!VekIO::CheckIsFile(fileName))
        return -1;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return SavedGameId(file.read(magic().size() + 8));
}

bool ReadSavedGameHeader(QIODevice &stream)
{
    if (stream.read(magic().size()) != magic())
        return false;
    int32_t reserved, id;
    return VekIO::ReadLE32(stream, reserved) && VekIO::ReadLE32(stream, id);
}

std::unique_ptr<CardGame> ResumeGame(const QString &fileName, Deck *deck, GameTable *table, int cardWidth,
                                     int cardHeight, QString *error)
{
    if (!VekIO::CheckIsFile(fileName, error))
        return nullptr;
    setError(error, CannotResumeMessage());
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxSavedGameSize)
        return nullptr;
    const QByteArray bytes = file.readAll();
    file.close();
    return ResumeGameData(bytes, deck, table, cardWidth, cardHeight, error);
}

std::unique_ptr<CardGame> ResumeGameData(const QByteArray &bytes, Deck *deck, GameTable *table, int cardWidth,
                                         int cardHeight, QString *error)
{
    setError(error, CannotResumeMessage());
    const int32_t id = SavedGameId(bytes);
    if (id < 0)
        return nullptr;

    // The whole sequence first runs on a hidden table of its own, so that a
    // file damaged anywhere (position or the variant's own data) is refused
    // before the real table changes. A game not built yet is refused too.
    try {
        GameTable scratch(nullptr, deck);
        std::unique_ptr<CardGame> trial = resumeOn(&scratch, bytes, id, deck, cardWidth, cardHeight, nullptr);
        scratch.SetGame(nullptr);
        if (!trial)
            return nullptr;
    } catch (...) {
        return nullptr;
    }

    // The current game is about to be replaced: its statistics are kept
    // first, so that a resumed game of the same kind reads them.
    CardGame *current = table->GetGame();
    if (current)
        current->SaveStatistics();
    std::unique_ptr<CardGame> game;
    try {
        game = resumeOn(table, bytes, id, deck, cardWidth, cardHeight, current);
    } catch (...) {
    }
    if (!game) {
        // The same bytes passed on the hidden table, so this does not
        // happen; should it, the current game gets its deal back.
        if (current)
            current->Guarded([current] { current->NewGame(false); });
        return nullptr;
    }
    setError(error, QString());
    return game;
}

} // namespace GameFactory
