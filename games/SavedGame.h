// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

#include <QByteArray>
#include <QString>

class CardGame;
class Deck;
class GameTable;
class QIODevice;

// Saved games (".veksol"): the magic "VekSolitaireWinGame", a reserved 32-bit
// value, the game's catalogue id, then the position the game writes itself
// (CardGame::SaveGame) and whatever the variant appends.
namespace GameFactory {

// The message every refused saved game gives.
QString CannotResumeMessage(); // "The game you selected cannot be resumed."

// The bytes of the saved game, header included, as SaveGameFile writes them.
QByteArray SaveGameData(CardGame &game);

// Writes the game to the file, replacing it only once the new file is
// complete. False (with a reason) when it could not be written.
bool SaveGameFile(CardGame &game, const QString &fileName, QString *error = nullptr);

// The catalogue id of a saved game, or -1 when the file cannot be opened, does
// not start with the magic or names no catalogue game.
int32_t GetSavedGameId(const QString &fileName);

// Checks the magic and skips the two values after it; false for another file.
bool ReadSavedGameHeader(QIODevice &stream);

// Resumes a saved game on the table: creates the game of the file's id, gives
// it to the table, loads its statistics, prepares its cells without dealing,
// reads the position, shows its status and leaves it un-paused. The whole file
// is checked before the table changes (the sequence is first tried on a
// hidden table of its own): on any failure the result is null, *error is
// CannotResumeMessage() and the table and its current game are exactly as
// they were. On success the table's previous game has had its statistics
// saved (before the resumed game read its own) and no longer has cells on
// the table: the caller deletes it. *error is then empty.
std::unique_ptr<CardGame> ResumeGame(const QString &fileName, Deck *deck, GameTable *table, int cardWidth,
                                     int cardHeight, QString *error = nullptr);
// The same for the bytes of a saved game already read.
std::unique_ptr<CardGame> ResumeGameData(const QByteArray &bytes, Deck *deck, GameTable *table, int cardWidth,
                                         int cardHeight, QString *error = nullptr);

} // namespace GameFactory
