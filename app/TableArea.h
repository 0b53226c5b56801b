// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QWidget>

class GameTable;
class Picture;

// What the main window holds below its menu: the game table, and around it,
// when the window is larger than the table, the same background. A table
// that sizes its window fills the area; otherwise it floats in the middle,
// inside a black outline drawn around the whole area.
class TableArea : public QWidget {
public:
    explicit TableArea(QWidget *parent);

    // Takes the table as its child.
    void SetTable(GameTable *table);
    void SetFloating(bool floating);
    bool IsFloating() const { return Floating; }
    // The room a floating table has: the area within the outline.
    QSize Room() const;
    // Called whenever the area changes its size.
    void SetOnResized(std::function<void()> onResized) { OnResized = std::move(onResized); }
    // Where the background picture comes from; null for none.
    void SetBackgroundSource(std::function<Picture *()> source) { BackgroundSource = std::move(source); }
    // Puts the table in the middle (or at the corner when it fills the area).
    void PlaceTable();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    GameTable *Table = nullptr;
    bool Floating = false;
    std::function<void()> OnResized;
    std::function<Picture *()> BackgroundSource;
};
