// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameTable.h"

#include <algorithm>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>

#include "BasicHost.h"
#include "CardGame.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameHost.h"
#include "Picture.h"
#include "Questions.h"
#include "TableCell.h"

namespace {

// Background rectangles up to this width are filled without the painter.
constexpr int NarrowStrip = 32;

} // namespace

GameTable::GameTable(QWidget *parent, ::Deck *deck, GameHost *host)
    : QWidget(parent)
    , DeckRef(deck)
    , HostRef(host)
    , DefaultQuestions(std::make_unique<MessageBoxQuestions>())
    , Asker(DefaultQuestions.get())
{
    if (!HostRef) {
        OwnHost = std::make_unique<BasicHost>();
        HostRef = OwnHost.get();
    }
    // Everything is drawn through the back buffer: nothing to erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    PausedFont = font();
    PausedFont.setPixelSize(30);
    LoadDefaultCellBackground(DefaultCellPictureFile());
    CardMask.Render(CardWidth, CardHeight);
    Clear();
}

GameTable::~GameTable()
{
    Clear();
}

void GameTable::SetQuestions(Questions *questions)
{
    Asker = questions ? questions : DefaultQuestions.get();
}

QString GameTable::DefaultCellPictureFile()
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString beside = dir + QStringLiteral("/Cell.jpg");
    const QString installed = dir + QStringLiteral("/../share/VekSolitaire/Cell.jpg");
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed))
        return installed;
    return beside;
}

bool GameTable::LoadDefaultCellBackground(const QString &fileName)
{
    // A missing or unreadable picture leaves the cells with their outline.
    return DefaultCellPicture.LoadImage(fileName);
}

void GameTable::Clear()
{
    Pressed = nullptr;
    Captured = false;
    PressState = Press::None;
    Wrappers.clear();
    Cells.clear();
    GameOverPrompt = true;
}

TableCell *GameTable::AddCell(std::unique_ptr<TableCell> cell)
{
    if (!cell)
        return nullptr;
    cell->SetCardSize(CardWidth, CardHeight);
    Cells.push_back(std::move(cell));
    return Cells.back().get();
}

TableCell *GameTable::GetCell(int index) const
{
    if (index < 0 || index >= GetCellCount())
        return nullptr;
    return Cells[size_t(index)].get();
}

int GameTable::IndexOfCell(const TableCell *cell) const
{
    for (int i = 0; i < GetCellCount(); ++i) {
        if (Cells[size_t(i)].get() == cell)
            return i;
    }
    return -1;
}

CardWrapper *GameTable::WrapCard(Card *card)
{
    auto wrapper = std::make_unique<CardWrapper>(&CardMask);
    wrapper->SetSize(CardWidth, CardHeight);
    wrapper->SetBack(DeckRef ? DeckRef->GetBack() : nullptr);
    wrapper->SetCard(card);
    Wrappers.push_back(std::move(wrapper));
    return Wrappers.back().get();
}

void GameTable::ResizeCards(int w, int h)
{
    CardWidth = w;
    CardHeight = h;
    CardMask.Render(w, h);
    DefaultCellPicture.ScaleImage(w, h);
    for (const auto &wrapper : Wrappers) {
        wrapper->SetBack(DeckRef ? DeckRef->GetBack() : nullptr);
        wrapper->SetSize(w, h);
    }
    for (const auto &cell : Cells)
        cell->SetCardSize(w, h);
    if (Game)
        Game->Guarded([&] { Game->ResizeCards(w, h); });
    update();
}

void GameTable::Resize(int w, int h)
{
    QWidget *frame = window();
    if (frame != this)
        frame->resize(frame->width() + w - width(), frame->height() + h - height());
    // The game lays itself out right after asking, so the table takes the
    // size at once rather than when the window's layout runs.
    resize(w, h);
}

bool GameTable::FindWrapper(const CardWrapper *wrapper, int &cellIndex, int &cardIndex) const
{
    for (int c = GetCellCount() - 1; c >= 0; --c) {
        const int index = Cells[size_t(c)]->IndexOf(wrapper);
        if (index >= 0) {
            cellIndex = c;
            cardIndex = index;
            return true;
        }
    }
    return false;
}

int GameTable::FindCellIndex(const CardWrapper *wrapper) const
{
    int cell = -1, card = -1;
    FindWrapper(wrapper, cell, card);
    return cell;
}

CardWrapper *GameTable::WrapperAtPos(QPoint point) const
{
    for (int c = GetCellCount() - 1; c >= 0; --c) {
        const TableCell &cell = *Cells[size_t(c)];
        if (cell.GetKind() == CellKind::Hidden)
            continue;
        const auto &cards = cell.GetCards();
        for (auto it = cards.rbegin(); it != cards.rend(); ++it) {
            if ((*it)->Contains(point))
                return *it;
        }
    }
    return nullptr;
}

CardWrapper *GameTable::WrapperForPress(QPoint point) const
{
    // Dragged cards lie above everything, then later cells above earlier
    // ones, upper cards above lower ones.
    for (const bool moving : {true, false}) {
        for (int c = GetCellCount() - 1; c >= 0; --c) {
            const auto &cards = Cells[size_t(c)]->GetCards();
            for (auto it = cards.rbegin(); it != cards.rend(); ++it) {
                const CardWrapper *wrapper = *it;
                if (wrapper->IsMoving() == moving && wrapper->IsVisible() && wrapper->Contains(point))
                    return *it;
            }
        }
    }
    return nullptr;
}

void GameTable::StatusMsg(const QString &text)
{
    Host().SetStatusText(text);
}

void GameTable::GameOver(bool won)
{
    if (!GameOverPrompt)
        return;
    const QString caption = (won ? QStringLiteral("Congratulations") : QStringLiteral("Game over"))
        + QStringLiteral(" - Vek Solitaire");
    const QString text = (won ? QStringLiteral("Congratulations! You made it!") : QStringLiteral("Out of luck today, eh?"))
        + QStringLiteral("\n\nWould you like to play again?");
    if (Asker->AskYesNo(this, caption, text))
        Host().StartRestartTimer();
    else
        GameOverPrompt = false;
}

void GameTable::SetBackground(const QColor &colour)
{
    BackgroundColour = colour;
    update();
}

void GameTable::ArrangeCells()
{
    for (const auto &cell : Cells)
        cell->Arrange(PaintPass::Resting);
    for (const auto &cell : Cells)
        cell->Arrange(PaintPass::Moving);
}

void GameTable::DrawBackground(QPainter &canvas)
{
    const int w = BackBuffer.width();
    const int h = BackBuffer.height();
    // Empty framed cells are filled with the same brush.
    canvas.setBrush(BackgroundColour);
    // What the cells are about to cover opaquely needs no background.
    QRegion exposed(0, 0, w, h);
    for (const auto &cell : Cells) {
        const QRect cover = cell->RestingCover();
        if (!cover.isEmpty())
            exposed -= cover;
    }

    Picture *picture = Host().GetBackgroundPicture();
    const QImage *tile = nullptr;
    if (picture && !picture->isEmpty()) {
        const QImage &bitmap = picture->Bitmap32();
        if (bitmap.width() > 0 && bitmap.height() > 0)
            tile = &bitmap;
    }
    if (!tile) {
        // The plain colour inside a black outline. The narrow strips between
        // cells are written straight into the buffer: a painter fill per row
        // of a few pixels costs far more than the pixels themselves.
        uint32_t *pixels = nullptr;
        qsizetype stride = 0;
        if (canvas.device() == &BackBuffer && BackBuffer.format() == QImage::Format_RGB32) {
            pixels = reinterpret_cast<uint32_t *>(BackBuffer.bits());
            stride = BackBuffer.bytesPerLine() / 4;
        }
        const uint32_t colour = BackgroundColour.rgb();
        for (const QRect &rect : exposed) {
            if (!pixels || rect.width() > NarrowStrip) {
                canvas.fillRect(rect, BackgroundColour);
                continue;
            }
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                std::fill_n(pixels + y * stride + rect.left(), rect.width(), colour);
        }
        canvas.fillRect(0, 0, w, 1, Qt::black);
        canvas.fillRect(0, h - 1, w, 1, Qt::black);
        canvas.fillRect(0, 0, 1, h, Qt::black);
        canvas.fillRect(w - 1, 0, 1, h, Qt::black);
        return;
    }
    // Tiled from the top-left corner.
    canvas.setClipRegion(exposed);
    for (int y = 0; y < h; y += tile->height()) {
        for (int x = 0; x < w; x += tile->width())
            canvas.drawImage(x, y, *tile);
    }
    canvas.setClipping(false);
}

void GameTable::paintPaused(QPainter &canvas)
{
    const int w = BackBuffer.width();
    const int h = BackBuffer.height();
    canvas.fillRect(0, 0, w, h, Qt::black);
    canvas.setFont(PausedFont);
    canvas.setPen(Qt::white);
    const QString text = QStringLiteral("Paused");
    const QFontMetrics metrics(PausedFont);
    const int x = (w - metrics.horizontalAdvance(text)) / 2;
    const int y = (h - metrics.height()) / 2;
    canvas.drawText(x, y + metrics.ascent(), text);
}

void GameTable::Paint()
{
    if (BackBuffer.size() != size())
        BackBuffer = QImage(width(), height(), QImage::Format_RGB32);
    if (BackBuffer.isNull())
        return;
    QPainter canvas(&BackBuffer);
    if (Game && Game->IsPaused()) {
        paintPaused(canvas);
        return;
    }
    DrawBackground(canvas);
    for (const auto &cell : Cells)
        cell->Paint(canvas, PaintPass::Resting);
    for (const auto &cell : Cells)
        cell->Paint(canvas, PaintPass::Moving);
}

void GameTable::paintEvent(QPaintEvent *)
{
    Paint();
    QPainter screen(this);
    screen.drawImage(0, 0, BackBuffer);
}

void GameTable::RepaintNow()
{
    if (isVisible())
        repaint();
    else
        ArrangeCells();
}

void GameTable::SuggestionPause()
{
    // Timers and painting go on; the player's input waits until the end.
    if (SuggestionWait <= 0) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(SuggestionWait, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void GameTable::UpdateEnabled()
{
    setEnabled(Blocks == 0 && !(Game && Game->IsPaused()));
}

GameTable::InputBlocker::InputBlocker(GameTable &table)
    : Table(&table)
{
    ++table.Blocks;
    table.UpdateEnabled();
}

GameTable::InputBlocker::~InputBlocker()
{
    if (!Table)
        return;
    --Table->Blocks;
    Table->UpdateEnabled();
}

// ---- The mouse protocol ----

void GameTable::CardMouseDown(CardWrapper *wrapper, QPoint inCard)
{
    Captured = true;
    LastX = wrapper->Left() + inCard.x();
    LastY = wrapper->Top() + inCard.y();
    int cell = -1, card = -1;
    FindWrapper(wrapper, cell, card);
    Pressed = wrapper;
    if (!Game)
        return;
    Game->Guarded([&] {
        Game->OnMouseDown(wrapper, cell, card, inCard.x(), inCard.y());
        Game->StartPlay();
    });
}

void GameTable::TableMouseMove(QPoint point)
{
    if (!Captured)
        return;
    const int dx = point.x() - LastX;
    const int dy = point.y() - LastY;
    for (int c = GetCellCount() - 1; c >= 0; --c) {
        const auto &cards = Cells[size_t(c)]->GetCards();
        for (auto it = cards.rbegin(); it != cards.rend(); ++it) {
            if ((*it)->IsMoving())
                (*it)->MoveBy(dx, dy);
        }
    }
    LastX = point.x();
    LastY = point.y();
    update();
}

void GameTable::CardMouseUp(QPoint point)
{
    Captured = false;
    ArrangeCells();
    CardWrapper *pressed = Pressed;
    Pressed = nullptr;
    CardWrapper *wrapper = WrapperAtPos(point);
    if (wrapper && wrapper == pressed && !wrapper->IsMoving()) {
        CardClick(wrapper);
        return;
    }
    if (Game)
        Game->Guarded([&] { Game->OnMouseUp(point.x(), point.y()); });
}

void GameTable::CardClick(CardWrapper *wrapper)
{
    int cell = -1, card = -1;
    FindWrapper(wrapper, cell, card);
    if (Game)
        Game->Guarded([&] { Game->OnClick(wrapper, cell, card); });
}

void GameTable::CardDblClick(CardWrapper *wrapper)
{
    int cell = -1, card = -1;
    FindWrapper(wrapper, cell, card);
    if (Game)
        Game->Guarded([&] { Game->OnDblClick(wrapper, cell, card); });
}

void GameTable::TableClick(QPoint point)
{
    for (int c = GetCellCount() - 1; c >= 0; --c) {
        if (Cells[size_t(c)]->Contains(point.x(), point.y())) {
            if (Game)
                Game->Guarded([&] { Game->OnClick(nullptr, c, -1); });
            return;
        }
    }
}

void GameTable::CancelPress()
{
    Captured = false;
    Pressed = nullptr;
    PressState = Press::None;
}

void GameTable::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    ArrangeCells();
    if (CardWrapper *wrapper = WrapperForPress(point)) {
        PressState = Press::OnCard;
        CardMouseDown(wrapper, point - wrapper->Position());
    } else {
        PressState = Press::OnSurface;
    }
}

void GameTable::mouseMoveEvent(QMouseEvent *event)
{
    TableMouseMove(event->position().toPoint());
}

void GameTable::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    const Press press = PressState;
    PressState = Press::None;
    // A click on the surface comes first, then the release like any other.
    if (press == Press::OnSurface && rect().contains(point))
        TableClick(point);
    CardMouseUp(point);
}

void GameTable::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    ArrangeCells();
    CardWrapper *wrapper = WrapperForPress(point);
    // On bare table the second press is one more press on the surface, so
    // that its release clicks an empty stock again.
    PressState = wrapper ? Press::None : Press::OnSurface;
    if (wrapper)
        CardDblClick(wrapper);
}
