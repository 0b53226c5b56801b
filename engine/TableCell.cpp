// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableCell.h"

#include <algorithm>

#include <QPainter>

#include "Card.h"
#include "CardWrapper.h"

void TableCell::SetKind(CellKind kind)
{
    Kind = kind;
    Cards.clear();
}

void TableCell::Add(CardWrapper *wrapper, bool onTop)
{
    if (!wrapper)
        return;
    if (TableCell *from = wrapper->GetCell())
        from->Remove(wrapper);
    wrapper->SetCell(this);
    if (onTop)
        Cards.push_back(wrapper);
    else
        Cards.insert(Cards.begin(), wrapper);
}

void TableCell::Insert(CardWrapper *wrapper, int index)
{
    if (!wrapper)
        return;
    if (TableCell *from = wrapper->GetCell())
        from->Remove(wrapper);
    wrapper->SetCell(this);
    index = std::clamp(index, 0, GetCount());
    Cards.insert(Cards.begin() + index, wrapper);
}

CardWrapper *TableCell::Pop()
{
    if (Cards.empty())
        return nullptr;
    CardWrapper *top = Cards.back();
    Cards.pop_back();
    return top;
}

void TableCell::Remove(CardWrapper *wrapper)
{
    const auto it = std::find(Cards.begin(), Cards.end(), wrapper);
    if (it != Cards.end())
        Cards.erase(it);
}

int TableCell::IndexOf(const CardWrapper *wrapper) const
{
    const auto it = std::find(Cards.begin(), Cards.end(), wrapper);
    return it == Cards.end() ? -1 : int(it - Cards.begin());
}

CardWrapper *TableCell::GetWrapper(int index) const
{
    if (index == -1)
        index = GetCount() - 1;
    if (index < 0 || index >= GetCount())
        return nullptr;
    return Cards[size_t(index)];
}

Card *TableCell::GetCard(int index) const
{
    const CardWrapper *wrapper = GetWrapper(index);
    return wrapper ? wrapper->GetCard() : nullptr;
}

bool TableCell::Contains(int x, int y) const
{
    return Kind == CellKind::Framed && x >= X && x < X + CardWidth && y >= Y && y < Y + CardHeight;
}

int TableCell::Overlap(const QRect &rect) const
{
    int left, top, right, bottom;
    if (const CardWrapper *card = GetWrapper(-1)) {
        left = card->Left();
        top = card->Top();
        right = left + card->Width() - 1;
        bottom = top + card->Height() - 1;
    } else {
        left = X;
        top = Y;
        right = X + CardWidth - 1;
        bottom = Y + CardHeight - 1;
    }
    if (rect.left() > right || left > rect.right() || bottom < rect.top() || top > rect.bottom())
        return 0;
    const int64_t area = int64_t(right - left) * (bottom - top);
    // A target one pixel wide or high has no area to cover.
    if (area <= 0)
        return 0;
    const int64_t width = std::min(right, rect.right()) - std::max(left, rect.left());
    const int64_t height = std::min(bottom, rect.bottom()) - std::max(top, rect.top());
    return int(width * height * 100 / area);
}

void TableCell::StartMoving(CardWrapper *wrapper)
{
    const int lowest = IndexOf(wrapper);
    if (lowest < 0)
        return;
    for (int i = GetCount() - 1; i >= lowest; --i)
        Cards[size_t(i)]->SetMoving(true);
}

void TableCell::paintFrame(QPainter &canvas, const QRect &cover) const
{
    if (CardWidth <= 0 || CardHeight <= 0)
        return;
    const QRect area(X, Y, CardWidth, CardHeight);
    // A card lying on the whole area hides everything below.
    if (cover.contains(area))
        return;
    // So does a background picture that fills the area: no outline then.
    const bool filled = CardWrapper::OpaqueArea(Background, X, Y).contains(area);
    if (!filled) {
        // An outline in black filled with the canvas' brush.
        if (CardWidth > 2 && CardHeight > 2 && canvas.brush().style() != Qt::NoBrush)
            canvas.fillRect(X + 1, Y + 1, CardWidth - 2, CardHeight - 2, canvas.brush());
        canvas.fillRect(X, Y, CardWidth, 1, Qt::black);
        canvas.fillRect(X, Y + CardHeight - 1, CardWidth, 1, Qt::black);
        canvas.fillRect(X, Y, 1, CardHeight, Qt::black);
        canvas.fillRect(X + CardWidth - 1, Y, 1, CardHeight, Qt::black);
    }
    if (Background)
        Background->PaintTo(canvas, unsigned(X), unsigned(Y));
    if (Picture && Picture->HasImage())
        Picture->PaintTo(canvas, unsigned(X), unsigned(Y));
}

template <bool Draw> void TableCell::layOut(QPainter *canvas, PaintPass pass)
{
    if (Kind == CellKind::Hidden) {
        for (CardWrapper *wrapper : Cards)
            wrapper->SetVisible(false);
        return;
    }
    if (Kind != CellKind::Framed && Kind != CellKind::Bare)
        return;
    const bool resting = pass == PaintPass::Resting;
    // A squared pile shows only its two top cards at rest (the second for
    // when the top one is dragged away); a Hidden card takes no fan step.
    const int count = GetCount();
    const bool fanned = IsFanned();
    const auto shows = [&](int i) {
        return !Cards[size_t(i)]->HasFlags(CardWrapper::Hidden) && !(resting && !fanned && i + 2 < count);
    };
    if constexpr (Draw) {
        if (Kind == CellKind::Framed && resting) {
            // The lowest card that shows lies on the cell area.
            QRect cover;
            for (int i = 0; i < count; ++i) {
                if (!shows(i))
                    continue;
                if (!Cards[size_t(i)]->IsMoving())
                    cover = Cards[size_t(i)]->OpaqueRect(X, Y);
                break;
            }
            paintFrame(*canvas, cover);
        }
    }
    int v = 0;
    for (int i = 0; i < count; ++i) {
        CardWrapper *wrapper = Cards[size_t(i)];
        if (!wrapper->IsMoving())
            wrapper->SetPosition(X + DX * v, Y + DY * v);
        const bool visible = shows(i);
        wrapper->SetVisible(visible);
        if (!visible)
            continue;
        ++v;
        if constexpr (Draw) {
            if (wrapper->IsMoving() == resting)
                continue;
            // The next card drawn in this pass may hide most of this one:
            // then only the strip that still shows is drawn.
            int next = i + 1;
            while (next < count && !shows(next))
                ++next;
            QRect cover;
            if (next < count) {
                const CardWrapper *above = Cards[size_t(next)];
                if (above->IsMoving() != resting) {
                    const QPoint at = resting ? QPoint(X + DX * v, Y + DY * v) : above->Position();
                    cover = above->OpaqueRect(at.x(), at.y());
                }
            }
            if (cover.isEmpty())
                wrapper->PaintTo(*canvas, wrapper->Left(), wrapper->Top());
            else
                wrapper->PaintUncovered(*canvas, wrapper->Left(), wrapper->Top(), cover);
        }
    }
}

QRect TableCell::RestingCover()
{
    if (Kind != CellKind::Framed && Kind != CellKind::Bare)
        return QRect();
    Arrange(PaintPass::Resting);
    const QRect area(X, Y, CardWidth, CardHeight);
    // The resting cards from the lowest one that shows up, as long as each is
    // opaque, lies one fan step above the last and leaves no gap: in a fan
    // along one axis their union is a rectangle.
    QRect cover;
    const bool oneAxis = DX == 0 || DY == 0;
    QRect last;
    for (const CardWrapper *card : Cards) {
        if (!card->IsVisible())
            continue;
        if (card->IsMoving())
            break;
        const QRect rect = card->OpaqueRect(card->Left(), card->Top());
        if (rect.isEmpty())
            break;
        if (last.isNull()) {
            cover = rect;
        } else {
            if (!oneAxis || rect.size() != last.size() || !rect.intersects(last.adjusted(0, 0, 1, 1)))
                break;
            cover |= rect;
        }
        last = rect;
    }
    if (Kind == CellKind::Framed && CardWidth > 0 && CardHeight > 0 && !cover.contains(area))
        cover = area;
    return cover;
}

void TableCell::Arrange(PaintPass pass)
{
    layOut<false>(nullptr, pass);
}

void TableCell::Paint(QPainter &canvas, PaintPass pass)
{
    layOut<true>(&canvas, pass);
}
