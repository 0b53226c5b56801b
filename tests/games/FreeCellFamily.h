// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <memory>
#include <vector>

#include <QStringList>

#include "EngineTestSupport.h"
#include "FreeCell.h"

// Helpers shared by the Free Cell and Seahaven tests.
namespace FreeCellTest {

// Remembers every status text, not only the last one.
class RecordingHost : public BasicHost {
public:
    void SetStatusText(const QString &text) override
    {
        BasicHost::SetStatusText(text);
        Log.append(text);
    }
    QStringList Log;
};

// The top card of a cell dropped on another cell.
struct Move {
    int from;
    int to;
};

// A game of the catalogue id on a table of its own, dealt from the seed,
// cards 88 x 130. Cards are named like "10H", "QS", "AC".
struct GameSetup {
    static constexpr int W = 88;
    static constexpr int H = 130;

    GameSetup(int gameId, unsigned seed);
    ~GameSetup();

    CardWrapper *Wrapper(const QString &name);
    TableCell *Cell(int index) const { return Table->GetCell(index); }
    // Empties every cell and lays the named cards (bottom first) face up into
    // the given cells; the others leave the table. Suggestions are renewed.
    void Lay(const std::map<int, QString> &cells);
    QString Names(int cell) const;
    // Where a press takes hold of the card: near its top edge.
    QPoint Grip(const QString &name);
    // A real drag that puts the card exactly over the top card (or the empty
    // area) of the target.
    void DragOnto(CardWrapper *wrapper, int target);
    void Play(const std::vector<Move> &moves, size_t first, size_t end);
    // Resumes a saved game through the factory in place of this one.
    bool Resume(const QString &fileName, QString *error = nullptr);

    Deck TheDeck;
    RecordingHost Host;
    EngineTest::ScriptedQuestions Answers;
    std::unique_ptr<GameTable> Table;
    std::unique_ptr<CardGame> Owned;
    FreeCell *Game = nullptr;
    std::map<const Card *, CardWrapper *> Dealt;
};

QString NameOf(const Card *card);

// Moves that win the deal as it lies, found depth first among the game's own
// suggestions and the moves to a foundation, taken back with Undo (the play
// timer must not run). False when the budget of positions runs out first.
bool FindWin(GameSetup &setup, std::vector<Move> &moves, int budget);

} // namespace FreeCellTest
