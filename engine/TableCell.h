// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include <QRect>

class Card;
class CardWrapper;
class QPainter;

// How a cell shows on the table.
enum class CellKind : uint8_t {
    Hidden = 0, // nothing drawn, its cards invisible
    Framed = 1, // outline, background, picture, then the cards
    Bare = 2,   // the cards only
};

// The table paints every cell twice a frame: first the cards at rest, then
// the cards being dragged, so that those lie above everything.
enum class PaintPass : uint8_t { Resting = 0, Moving = 1 };

// One pile of the game: its cards from the bottom up, where it lies and how
// its cards fan out. The cell lists its cards but does not own them (the
// table does). A wrapper lies in at most one cell: putting it into a cell
// first takes it out of the cell its GetCell() names. Pop and Remove leave
// GetCell() as it was, so until the card is put somewhere again it still
// names the cell it came from.
class TableCell {
public:
    TableCell() = default;
    TableCell(const TableCell &) = delete;
    TableCell &operator=(const TableCell &) = delete;

    // Changing the kind empties the list; the wrappers live on.
    void SetKind(CellKind kind);
    CellKind GetKind() const { return Kind; }
    // Drawn over the empty cell area, above the background (for example the
    // placeholder of a foundation).
    void SetPicture(Card *picture) { Picture = picture; }
    Card *GetPicture() const { return Picture; }
    // Drawn first in a framed cell: the table's empty-cell picture.
    void SetBackground(Card *background) { Background = background; }
    Card *GetBackground() const { return Background; }
    // Top-left corner of the cell = position of the bottom card.
    void SetPosition(int x, int y)
    {
        X = x;
        Y = y;
    }
    // Offset between consecutive visible cards; 0, 0 is a squared pile.
    void SetOffset(int dx, int dy)
    {
        DX = dx;
        DY = dy;
    }
    void SetCardSize(int w, int h)
    {
        CardWidth = w;
        CardHeight = h;
    }
    int GetX() const { return X; }
    int GetY() const { return Y; }
    int GetDX() const { return DX; }
    int GetDY() const { return DY; }
    int GetCardWidth() const { return CardWidth; }
    int GetCardHeight() const { return CardHeight; }
    bool IsFanned() const { return DX != 0 || DY != 0; }

    void Clear() { Cards.clear(); }
    // Puts the wrapper on top, or at the bottom when onTop is false.
    void Add(CardWrapper *wrapper, bool onTop = true);
    // Puts the wrapper at index (clamped to the list).
    void Insert(CardWrapper *wrapper, int index);
    // Takes the top card off the list; null when the cell is empty.
    CardWrapper *Pop();
    void Remove(CardWrapper *wrapper);
    int IndexOf(const CardWrapper *wrapper) const;
    int GetCount() const { return int(Cards.size()); }
    // Index -1 is the top card; null outside the list.
    CardWrapper *GetWrapper(int index) const;
    Card *GetCard(int index) const;
    const std::vector<CardWrapper *> &GetCards() const { return Cards; }

    // True only for framed cells, on the cell area.
    bool Contains(int x, int y) const;
    // Percentage of the top card (or, when empty, of the cell area) covered
    // by rect. Inclusive corners; the areas are corner differences without
    // adding 1, so an equal rectangle gives exactly 100.
    int Overlap(const QRect &rect) const;
    // Sets Moving on the top card and on every card below it down to and
    // including wrapper.
    void StartMoving(CardWrapper *wrapper);

    // Positions and shows or hides the cards for the pass; nothing drawn.
    void Arrange(PaintPass pass);
    // Arranges the cards and draws the pass.
    void Paint(QPainter &canvas, PaintPass pass);
    // A rectangle that painting the resting pass is sure to cover with
    // opaque pixels (with a solid canvas brush), so that the table need not
    // draw its background there. Lays the cards out for that pass.
    QRect RestingCover();

private:
    template <bool Draw> void layOut(QPainter *canvas, PaintPass pass);
    // Outline, background and picture, as far as cover leaves them to see.
    void paintFrame(QPainter &canvas, const QRect &cover) const;

    std::vector<CardWrapper *> Cards; // bottom card first
    Card *Picture = nullptr;
    Card *Background = nullptr;
    CellKind Kind = CellKind::Framed;
    int X = 0;
    int Y = 0;
    int DX = 0;
    int DY = 0;
    int CardWidth = 176;
    int CardHeight = 260;
};
