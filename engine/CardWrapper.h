// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QPoint>
#include <QRect>

class Card;
class QPainter;
class TableCell;

namespace VekSolitaire {
class Mask;
}

// One card lying on the table: which face it shows, where it is drawn, which
// cell holds it and its state flags. A wrapper is a light object, not a
// widget: the table paints it and finds it under the mouse. The cell it lies
// in sets its position and visibility each time the table is laid out; a
// dragged (Moving) card keeps the position the mouse gives it.
class CardWrapper {
public:
    enum Flag : uint32_t {
        Moving = 1,    // being dragged; its cell no longer positions it
        FrontUp = 2,   // the face shows, otherwise the back
        Highlight = 4, // a one-pixel red frame (a suggested move)
        Hidden = 8,    // not shown and takes no fan step
    };
    // The flags that saved games and undo keep; Moving and Highlight are
    // transient.
    static constexpr uint32_t PersistentFlags = FrontUp | Hidden;
    static constexpr int InitialWidth = 176;
    static constexpr int InitialHeight = 260;

    explicit CardWrapper(const VekSolitaire::Mask *mask = nullptr)
        : CardMask(mask)
    {
    }
    CardWrapper(const CardWrapper &) = delete;
    CardWrapper &operator=(const CardWrapper &) = delete;

    void SetBack(Card *back) { BackCard = back; }
    Card *GetBack() const { return BackCard; }
    void SetCard(Card *card) { FaceCard = card; }
    Card *GetCard() const { return FaceCard; }
    const VekSolitaire::Mask *GetMask() const { return CardMask; }
    void SetCell(TableCell *cell) { Cell = cell; }
    TableCell *GetCell() const { return Cell; }

    void AddFlags(uint32_t bits) { Flags |= bits; }
    void ClearFlags(uint32_t bits) { Flags &= ~bits; }
    void SetFlags(uint32_t bits) { Flags = bits; }
    uint32_t GetFlags() const { return Flags; }
    // True when any of the bits is set.
    bool HasFlags(uint32_t bits) const { return (Flags & bits) != 0; }
    void SetFrontUp(bool up) { up ? AddFlags(FrontUp) : ClearFlags(FrontUp); }
    bool GetFrontUp() const { return HasFlags(FrontUp); }
    void SetMoving(bool moving) { moving ? AddFlags(Moving) : ClearFlags(Moving); }
    bool IsMoving() const { return HasFlags(Moving); }

    // Position and size in table coordinates.
    int Left() const { return X; }
    int Top() const { return Y; }
    QPoint Position() const { return QPoint(X, Y); }
    void SetPosition(int x, int y)
    {
        X = x;
        Y = y;
    }
    void MoveBy(int dx, int dy)
    {
        X += dx;
        Y += dy;
    }
    int Width() const { return W; }
    int Height() const { return H; }
    void SetSize(int w, int h)
    {
        W = w;
        H = h;
    }
    QRect Rect() const { return QRect(X, Y, W, H); }
    bool Contains(QPoint p) const { return p.x() >= X && p.x() < X + W && p.y() >= Y && p.y() < Y + H; }
    bool IsVisible() const { return Visible; }
    void SetVisible(bool visible) { Visible = visible; }

    // The picture that shows: the face when FrontUp is set, else the back.
    const Card *Shown() const { return GetFrontUp() ? FaceCard : BackCard; }

    // Draws the card with its top-left corner at (x, y), then the red frame
    // when it is highlighted.
    void PaintTo(QPainter &canvas, int x, int y) const;
    // The same picture, drawing only what `cover` leaves of the card: the
    // caller guarantees that `cover` is painted over opaquely afterwards.
    void PaintUncovered(QPainter &canvas, int x, int y, const QRect &cover) const;
    // The area that drawing this card at (x, y) is sure to overwrite; empty
    // when its picture is missing or has transparency.
    QRect OpaqueRect(int x, int y) const { return OpaqueArea(Shown(), x, y); }
    // The same for any card picture drawn with Card::PaintTo.
    static QRect OpaqueArea(const Card *card, int x, int y);

private:
    void paintFrame(QPainter &canvas, int x, int y) const;

    Card *FaceCard = nullptr;
    Card *BackCard = nullptr;
    const VekSolitaire::Mask *CardMask; // kept for the card shape; not used to draw
    TableCell *Cell = nullptr;
    uint32_t Flags = 0;
    int X = 0;
    int Y = 0;
    int W = InitialWidth;
    int H = InitialHeight;
    bool Visible = true;
};
