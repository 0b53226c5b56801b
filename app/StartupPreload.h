// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <future>
#include <memory>
#include <thread>

#include <QString>

#include "Main.h"

class Deck;

// The slow parts of the start that need no window, done on a second thread
// while the main thread sets up the application and builds the window: the
// font configuration is read first (the first text the window measures would
// otherwise wait for it), then the deck the settings name is loaded and
// scaled to the stored card size. The program makes one on the first line of
// main, before its QApplication; a window made without one makes its own.
class StartupPreload {
public:
    // Starts the thread, which also reads the stored deck and card size.
    explicit StartupPreload(const QString &dataFolder);
    // The same for the program's own data folder, which the thread finds.
    // Made before the QApplication, on the main thread.
    StartupPreload();
    // Waits for the thread.
    ~StartupPreload();
    // Waits for the thread to end.
    void Finish();
    StartupPreload(const StartupPreload &) = delete;
    StartupPreload &operator=(const StartupPreload &) = delete;

    // Returns once the font configuration has been read.
    void WaitForFonts();

    // Waits for the deck and hands it over (once): loaded says whether the
    // file was read, else the deck's LastError says why.
    std::unique_ptr<Deck> TakeDeck(bool &loaded);

    // What the read-ahead is for: the deck file (absolute) and the card size
    // the settings named (waits for the deck).
    const QString &File();
    CardSize Size();

private:
    void Work();
    // True when the deck was read.
    bool ReadDeck();

    QString DataFolder;
    QString DeckFile;
    CardSize DeckSize{0, 0};
    std::unique_ptr<Deck> TheDeck;

    // Set once the main thread is known to Qt: the worker touches nothing of
    // Qt's before.
    std::promise<void> MainThreadKnown;
    std::future<void> MainThread;
    std::promise<void> FontsRead;
    std::shared_future<void> Fonts;
    // The deck is handed over through a promise rather than by the thread's
    // end, so that taking it does not wait for anything after it.
    std::promise<bool> DeckRead;
    std::future<bool> Loaded;
    std::thread Worker;
};

// Reads the font configuration, so that the first text measured finds it
// ready: Qt's font database calls the same function and then finds the work
// done. Safe on any thread.
void ReadFontConfiguration();
