// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RedealButton.h"

#include "CardGame.h"
#include "CardWrapper.h"
#include "GameTable.h"
#include "TableCell.h"
#include "Undo.h"

RedealButton::RedealButton(CardGame &game, GameTable *table, std::function<void()> redeal)
    : Button(new QPushButton(QStringLiteral("Redeal"), table))
{
    Button->resize(Width, Height);
    // The cards are played with the mouse: the button takes no keyboard focus
    // and shows no focus frame over the table.
    Button->setFocusPolicy(Qt::NoFocus);
    // Shown by the first layout, where it belongs.
    Button->hide();
    QObject::connect(Button, &QPushButton::clicked, Button, [&game, redeal = std::move(redeal)] {
        game.Guarded([&] {
            game.StartPlay();
            redeal();
        });
    });
}

RedealButton::~RedealButton()
{
    delete Button.data();
}

void RedealButton::Place(GameTable *table, int x, int y)
{
    if (!Button || !table)
        return;
    if (Button->parentWidget() != table)
        Button->setParent(table);
    Button->move(x, y);
    Button->show();
}

void DealAgain(CardGame &game, GameTable &table, const std::vector<CardWrapper *> &cards,
               const std::function<int(size_t k)> &pileFor, int32_t &count)
{
    auto step = game.NewUndoStep(false);
    step->BeginGroup(true);
    for (size_t k = 0; k < cards.size(); ++k) {
        step->AddPosition(cards[k]);
        table.GetCell(pileFor(k))->Add(cards[k], true);
    }
    ++count;
    step->AddAction([&game, &table, &count] {
        --count;
        game.ShowStatus();
        table.Invalidate();
    });
    step->EndGroup();
    game.EndMove(std::move(step));
    table.Invalidate();
}
