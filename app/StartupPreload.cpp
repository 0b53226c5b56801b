// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupPreload.h"

#include <chrono>
#include <thread>

#include <sched.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "Deck.h"
#include "EarlyStart.h"
#include "PixelPool.h"
#include "StartupHeap.h"

namespace {

// About the window's backing store at the standard card size.
constexpr size_t TouchedAheadBytes = 1280 * 1024;

// The main thread waits for the worker at most a few milliseconds at a time,
// and has nothing else to do meanwhile. Put to sleep, it takes up to a
// millisecond or two here to be woken again, as long as the wait itself; so
// it watches for the result for a while first. Between looks it yields: when
// other load leaves both threads one processor, the worker runs at once
// instead of after the watcher's time slice. Not on a single processor, where
// watching would only hold up the thread it waits for.
template <typename Future>
void WatchBriefly(const Future &future)
{
    static const bool severalProcessors = std::thread::hardware_concurrency() > 1;
    if (!severalProcessors)
        return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(10);
    while (future.valid() && future.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        sched_yield();
        if (std::chrono::steady_clock::now() >= until)
            return;
    }
}

} // namespace

StartupPreload::StartupPreload(const QString &dataFolder)
    : TheDeck(std::make_unique<Deck>())
    , Fonts(FontsRead.get_future().share())
{
    Start(dataFolder);
}

StartupPreload::StartupPreload()
    : StartupPreload(QString())
{
}

void StartupPreload::Start(QString dataFolder)
{
    // One thread: with two processors, a third would only slow the main
    // thread down. The program's early thread, reading the font configuration
    // since before main, goes on with the rest; without one, a thread is
    // started here and reads the fonts first, as the window needs them first.
    // The deck is handed over through a promise rather than by the thread's
    // end, which the main thread would otherwise wait for as well.
    Loaded = DeckRead.get_future();
    MainThread = MainThreadKnown.get_future();
    DataFolder = std::move(dataFolder);
    OnEarlyThread = EarlyThread::Program().Continue([](void *self) { static_cast<StartupPreload *>(self)->Work(); }, this);
    if (!OnEarlyThread) {
        Worker = std::thread([this] {
            ReadFontConfiguration();
            Work();
        });
    }
    // Qt takes the first thread that asks for its thread data as the main
    // thread; before a QApplication exists that must not be the worker.
    QThread::currentThread();
    MainThreadKnown.set_value();
}

void StartupPreload::Work()
{
    FontsRead.set_value();
    MainThread.wait();
    try {
        DeckRead.set_value(ReadDeck(DataFolder));
    } catch (...) {
        DeckRead.set_exception(std::current_exception());
        return;
    }
    // While the window makes its table and shows itself, the memory its
    // first frame draws into is touched: the back buffer first, then the
    // heap's top, where the backing store lands. Finish waits for this.
    VekPixels::Reserve(TMainWin::TableBytesAtMost(DeckSize));
    StartupHeap::TouchAhead(TouchedAheadBytes);
}

bool StartupPreload::ReadDeck(QString dataFolder)
{
    if (dataFolder.isEmpty())
        dataFolder = TMainWin::FindDataFolder(QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath());
    DeckFile = QDir(dataFolder).absoluteFilePath(TMainWin::StoredDeckFile());
    DeckSize = TMainWin::StoredCardSize();
    if (!TheDeck->Load(DeckFile))
        return false;
    TheDeck->Resize(DeckSize.Width, DeckSize.Height);
    // The pictures are made when first painted. Those every deal shows, the
    // back and the empty cells' pictures, are made here; which faces the deal
    // turns up is not known yet, and the window taking the deck would wait
    // for every face decoded meanwhile.
    TheDeck->DecodeBackAndPlaceholders();
    return true;
}

StartupPreload::~StartupPreload()
{
    Finish();
}

void StartupPreload::Finish()
{
    if (OnEarlyThread) {
        EarlyThread::Program().Join();
        OnEarlyThread = false;
    }
    if (Worker.joinable())
        Worker.join();
}

void StartupPreload::WaitForFonts()
{
    if (OnEarlyThread && EarlyThread::Program().FontsRead())
        return;
    WatchBriefly(Fonts);
    Fonts.wait();
}

std::unique_ptr<Deck> StartupPreload::TakeDeck(bool &loaded)
{
    WatchBriefly(Loaded);
    loaded = Loaded.valid() && Loaded.get();
    return std::move(TheDeck);
}

const QString &StartupPreload::File()
{
    WatchBriefly(Loaded);
    if (Loaded.valid())
        Loaded.wait();
    return DeckFile;
}

CardSize StartupPreload::Size()
{
    WatchBriefly(Loaded);
    if (Loaded.valid())
        Loaded.wait();
    return DeckSize;
}
