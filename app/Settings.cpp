// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "Addresses.h"
#include "GameFactory.h"
#include "Main.h"
#include "Registry.h"

// The four settings of the main window under "Software\VekSoftware\VekSolitaire":
// CardSize (the tag of the checked size item), Game (the game id), Deck and
// Background (file paths; backslashes of older entries become slashes unless
// a file is named with them).

namespace {

QString storedPath(const Registry &registry, const QString &name)
{
    // A backslash is an ordinary character in a file name here: a path is
    // only converted when no file has it as it is.
    QString path = registry.ReadString(name);
    if (path.contains(QLatin1Char('\\')) && !QFileInfo::exists(path))
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

// A stored size outside the list counts as no size at all.
bool storedSizeIndex(const Registry &registry, int32_t &index)
{
    return registry.ReadInteger(QStringLiteral("CardSize"), index) && index >= 0
        && index < int32_t(CardSizes.size());
}

} // namespace

QString TMainWin::StoredDeckFile()
{
    Registry registry;
    QString file;
    if (registry.OpenKey(QString::fromUtf8(Addresses::SettingsKey), false))
        file = storedPath(registry, QStringLiteral("Deck"));
    return file.isEmpty() ? QStringLiteral("Decks/Standard.deck") : file;
}

CardSize TMainWin::StoredCardSize()
{
    Registry registry;
    int32_t index = 0;
    if (registry.OpenKey(QString::fromUtf8(Addresses::SettingsKey), false) && storedSizeIndex(registry, index))
        return CardSizes[size_t(index)];
    return CardSizes[0];
}

void TMainWin::LoadSettings()
{
    CardWidth = CardSizes[0].Width;
    CardHeight = CardSizes[0].Height;
    Registry registry;
    if (!registry.OpenKey(QString::fromUtf8(Addresses::SettingsKey), false))
        return;

    DeckFile = storedPath(registry, QStringLiteral("Deck"));
    const QString background = storedPath(registry, QStringLiteral("Background"));
    // A picture that no longer loads is reported and the table goes without.
    if (!background.isEmpty())
        SetBackgroundFile(background);

    // The window grows or shrinks with the card width, once, at start.
    int32_t index = 0;
    if (storedSizeIndex(registry, index)) {
        const float factor = float(CardSizes[size_t(index)].Width) / float(CardWidth);
        resize(int(float(width()) * factor), int(float(height()) * factor));
        CardWidth = CardSizes[size_t(index)].Width;
        CardHeight = CardSizes[size_t(index)].Height;
        CheckMenuItemByTag(ResizeMenu, index);
    }

    // A game the catalogue does not know leaves Klondike.
    int32_t game = 0;
    if (registry.ReadInteger(QStringLiteral("Game"), game) && GameFactory::FindGame(game)) {
        GameType = game;
        CheckMenuItemByTag(GameTypeMenu, GameType);
    }
    registry.CloseKey();
}

void TMainWin::SaveSettings()
{
    Registry registry;
    if (!registry.OpenKey(QString::fromUtf8(Addresses::SettingsKey), true))
        return;
    for (QAction *item : ResizeMenu->actions()) {
        if (!item->isChecked())
            continue;
        // A failing write ends the writing.
        registry.WriteInteger(QStringLiteral("CardSize"), item->data().toInt())
            && registry.WriteInteger(QStringLiteral("Game"), GameType)
            && registry.WriteString(QStringLiteral("Deck"), DeckFile)
            && registry.WriteString(QStringLiteral("Background"), BackgroundFile);
        break;
    }
    registry.CloseKey();
}
