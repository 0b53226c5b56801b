// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupPreload.h"

#include <dlfcn.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "Deck.h"

namespace {

// Reads the font configuration now, so that the first text measured finds it
// ready. Qt's own font database calls the same function and then finds the
// work done. The library is already loaded as a dependency of Qt's GUI
// module, so it is looked up, not linked: without it there is nothing to do.
void ReadFontConfiguration()
{
    using InitFunction = int (*)();
    if (auto init = reinterpret_cast<InitFunction>(dlsym(RTLD_DEFAULT, "FcInit")))
        init();
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
    // thread down. It starts before anything else: the fonts come first, as
    // the window needs them first, and need nothing of Qt's.
    Loaded = std::async(std::launch::async, [this, dataFolder, mainThread = MainThreadKnown.get_future()]() mutable {
        ReadFontConfiguration();
        FontsRead.set_value();
        mainThread.wait();
        if (dataFolder.isEmpty())
            dataFolder = TMainWin::FindDataFolder(
                QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath());
        DeckFile = QDir(dataFolder).absoluteFilePath(TMainWin::StoredDeckFile());
        DeckSize = TMainWin::StoredCardSize();
        if (!TheDeck->Load(DeckFile))
            return false;
        TheDeck->Resize(DeckSize.Width, DeckSize.Height);
        // The pictures are decoded when first painted; those decoded here
        // before the window wants the deck cost the first frame nothing.
        TheDeck->DecodePictures(StopDecoding);
        return true;
    });
    // Qt takes the first thread that asks for its thread data as the main
    // thread; before a QApplication exists that must not be the worker.
    QThread::currentThread();
    MainThreadKnown.set_value();
}

StartupPreload::~StartupPreload()
{
    StopDecoding = true;
    if (Loaded.valid())
        Loaded.wait();
}

void StartupPreload::WaitForFonts()
{
    Fonts.wait();
}

std::unique_ptr<Deck> StartupPreload::TakeDeck(bool &loaded)
{
    StopDecoding = true;
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
