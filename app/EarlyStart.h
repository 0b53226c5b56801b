// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

#include <pthread.h>

// A thread started before the libraries the program uses have run their own
// start-up code, several milliseconds before main. It reads the font
// configuration, the longest single step of the start, and then waits for the
// work main hands it (the rest of the read-ahead, see StartupPreload).
//
// Only plain C libraries are used until that work arrives: the thread touches
// nothing of C++'s or Qt's before main has started. An EarlyThread has no
// dynamic initialisation, so the program's own one can be used before any
// constructor has run.
class EarlyThread {
public:
    using Work = void (*)(void *);

    constexpr EarlyThread() = default;
    EarlyThread(const EarlyThread &) = delete;
    EarlyThread &operator=(const EarlyThread &) = delete;

    // Starts the thread (once). envp is the environment the process was
    // given: this early, the C library has not set environ yet, and the font
    // configuration is found through the environment. False when the thread
    // could not be started; nothing is lost then, the work is done later.
    bool Begin(char **envp);

    // Whether the font configuration has been read on this thread.
    bool FontsRead() const { return Fonts.load(std::memory_order_acquire); }

    // Hands the thread its work, which it runs once the fonts are read. Once
    // only: false when the thread is not running or already has its work, and
    // the caller then does the work itself.
    bool Continue(Work work, void *argument);

    // Waits for the thread to end, releasing it first if it was given no work.
    void Join();

    // The program's own, started from its entry (see main.cpp).
    static EarlyThread &Program();

private:
    static void *Run(void *self);
    void Post(Work work, void *argument);

    pthread_t Thread{};
    std::atomic<bool> Started{false};
    std::atomic<bool> Fonts{false};
    std::atomic<bool> HandedOver{false};
    // Set once the work (or none) is handed over; the thread sleeps on it.
    std::atomic<uint32_t> Posted{0};
    Work Next = nullptr;
    void *Argument = nullptr;
    bool Joined = false;
};

// Reads the font configuration, so that the first text measured finds it
// ready: Qt's font database calls the same function and then finds the work
// done. Safe on any thread and before main.
void ReadFontConfiguration();
