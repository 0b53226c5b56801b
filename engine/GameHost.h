// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QString>

class Picture;

// What the engine needs from the window it plays in. The game table and the
// game reach the main window only through this interface, so that a game can
// be dealt and played with no other window than the table.
class GameHost {
public:
    virtual ~GameHost() = default;

    // The game's status text (the third panel of the status bar).
    virtual void SetStatusText(const QString &text) = 0;
    // The table's background picture; null (or an empty picture) for the
    // plain table colour. The host keeps it.
    virtual Picture *GetBackgroundPicture() = 0;
    // The "Undo move" and "Suggest a move" commands.
    virtual void SetUndoEnabled(bool enabled) = 0;
    virtual void SetSuggestMoveEnabled(bool enabled) = 0;
    // The play clock: running while a deal is in play, calling
    // CardGame::Tick once a second.
    virtual void SetPlayTimerEnabled(bool enabled) = 0;
    virtual bool IsPlayTimerEnabled() const = 0;
    // The player asked for another deal: the host starts a new game shortly.
    virtual void StartRestartTimer() = 0;
    // The platform's warning sound.
    virtual void Beep() = 0;
};

// The play clock's text, minutes and seconds: "%02d:%02d" (minutes are not
// reduced, so 100 minutes show as 100:00).
QString PlayClockText(uint32_t seconds);
