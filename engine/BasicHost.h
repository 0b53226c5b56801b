// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameHost.h"

// A host without a window: it keeps what the engine tells it, so that a
// table can run a game on its own (and tests can see what the game did).
// The play clock and the restart are only flags here: whoever drives the
// game calls Tick and NewGame.
class BasicHost : public GameHost {
public:
    void SetStatusText(const QString &text) override { StatusText = text; }
    Picture *GetBackgroundPicture() override { return Background; }
    void SetUndoEnabled(bool enabled) override { UndoEnabled = enabled; }
    void SetSuggestMoveEnabled(bool enabled) override { SuggestMoveEnabled = enabled; }
    void SetPlayTimerEnabled(bool enabled) override { PlayTimerEnabled = enabled; }
    bool IsPlayTimerEnabled() const override { return PlayTimerEnabled; }
    void StartRestartTimer() override { ++RestartRequests; }
    void Beep() override;

    void SetBackgroundPicture(Picture *picture) { Background = picture; }

    QString StatusText;
    bool UndoEnabled = false;
    bool SuggestMoveEnabled = false;
    bool PlayTimerEnabled = false;
    int RestartRequests = 0;
    int Beeps = 0;

private:
    Picture *Background = nullptr;
};
