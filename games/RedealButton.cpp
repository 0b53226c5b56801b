// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RedealButton.h"

#include "CardGame.h"
#include "GameTable.h"

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
