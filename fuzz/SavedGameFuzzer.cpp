// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The saved-game reader: the header as the open dialog reads it, then the
// full resume onto a windowless table that holds a game of its own, as the
// main window resumes one.
#include <memory>

#include <QBuffer>

#include "BasicHost.h"
#include "CardGame.h"
#include "Deck.h"
#include "FuzzSupport.h"
#include "GameFactory.h"
#include "GameTable.h"
#include "SavedGame.h"

namespace {

constexpr int Width = 88;
constexpr int Height = 130;

struct Table {
    Table()
    {
        int i = 0;
        for (int suit = Clubs; suit <= Spades; ++suit)
            for (int value = 1; value <= 13; ++value)
                TheDeck.GetCard(i++)->SetValue(uint8_t(value), CardSuit(suit));
        Surface = std::make_unique<GameTable>(nullptr, &TheDeck, &Host);
        Surface->SetQuestions(&Answers);
        Surface->SetSuggestionWait(0);
        Surface->ResizeCards(Width, Height);
        // The first game of the menu that is built.
        const GameFactory::GameInfo *first = nullptr;
        for (int position = 0; position < GameFactory::GameCount && !(first && first->creator); ++position)
            first = GameFactory::GetGame(position);
        Current = GameFactory::CreateGame(first->id, &TheDeck, Surface.get(), Width, Height);
        Surface->SetGame(Current.get());
        Current->NewGame(true);
    }
    Deck TheDeck;
    BasicHost Host;
    VekFuzz::QuietQuestions Answers;
    std::unique_ptr<GameTable> Surface;
    std::unique_ptr<CardGame> Current;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    VekFuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Table table;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer header;
    header.setData(bytes);
    header.open(QIODevice::ReadOnly);
    GameFactory::ReadSavedGameHeader(header);

    const QString file = VekFuzz::WriteInput(QStringLiteral("input.veksol"), data, size);
    try {
        std::unique_ptr<CardGame> resumed =
            GameFactory::ResumeGame(file, &table.TheDeck, table.Surface.get(), Width, Height);
        if (resumed) {
            // As the main window does: the resumed game already has the
            // table, the previous one goes.
            resumed->GetPossibleMoveCount();
            table.Current = std::move(resumed);
        }
    } catch (const GameFactory::UnimplementedGame &) {
    }
    return 0;
}
