// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupPreload.h"

#include <fontconfig/fontconfig.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "Deck.h"

void ReadFontConfiguration()
{
    FcInit();
}

StartupPreload::StartupPreload(const QString &dataFolder)
    : DataFolder(dataFolder)
    , TheDeck(std::make_unique<Deck>())
    , MainThread(MainThreadKnown.get_future())
    , Fonts(FontsRead.get_future().share())
    , Loaded(DeckRead.get_future())
{
    // One thread: with two processors, a third would only slow the main
    // thread down. It reads the fonts first, as the window needs them first.
    Worker = std::thread([this] { Work(); });
    // Qt takes the first thread that asks for its thread data as the main
    // thread; before a QApplication exists that must not be the worker.
    QThread::currentThread();
    MainThreadKnown.set_value();
}

StartupPreload::StartupPreload()
    : StartupPreload(QString())
{
}

void StartupPreload::Work()
{
    ReadFontConfiguration();
    FontsRead.set_value();
    MainThread.wait();
    try {
        DeckRead.set_value(ReadDeck());
    } catch (...) {
        DeckRead.set_exception(std::current_exception());
    }
}

bool StartupPreload::ReadDeck()
{
    QString dataFolder = DataFolder;
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
    if (Worker.joinable())
        Worker.join();
}

void StartupPreload::WaitForFonts()
{
    Fonts.wait();
}

std::unique_ptr<Deck> StartupPreload::TakeDeck(bool &loaded)
{
    loaded = Loaded.valid() && Loaded.get();
    return std::move(TheDeck);
}

const QString &StartupPreload::File()
{
    if (Loaded.valid())
        Loaded.wait();
    return DeckFile;
}

CardSize StartupPreload::Size()
{
    if (Loaded.valid())
        Loaded.wait();
    return DeckSize;
}
