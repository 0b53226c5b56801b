// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"

#include <cstdlib>
#include <stdexcept>

#include <QTest>

namespace EngineTest {

QRgb CardColour(int i)
{
    return qRgb(20 + i * 4, 230 - i * 3, (i * 37) % 200 + 30);
}

QRgb BackColour()
{
    return qRgb(0, 0, 160);
}

QRgb PlaceholderColour(int i)
{
    return qRgb(250, 250, 40 * i);
}

namespace {

void paintPlain(Card &card, QRgb colour)
{
    QImage picture(Deck::NativeWidth, Deck::NativeHeight, QImage::Format_RGB32);
    picture.fill(colour);
    card.GetScaledBitmap() = picture;
    card.DropOriginal();
}

} // namespace

void FillDeck(Deck &deck, int w, int h)
{
    for (int i = 0; i < Deck::CardCount; ++i) {
        Card *card = deck.GetCard(i);
        card->SetValue(uint8_t(i % 13 + 1), CardSuit(i / 13));
        paintPlain(*card, CardColour(i));
    }
    paintPlain(*deck.GetBack(), BackColour());
    for (int i = 0; i < Deck::PlaceholderCount; ++i)
        paintPlain(*deck.GetPlaceholder(i), PlaceholderColour(i));
    deck.Resize(w, h);
}

QRgb PixelAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xff000000u;
}

bool ScriptedQuestions::AskYesNo(QWidget *, const QString &caption, const QString &text)
{
    if (WhenAsked)
        WhenAsked();
    Captions.append(caption);
    Texts.append(text);
    return Answer;
}

int ScriptedQuestions::AskSpiderLevel(QWidget *, int current)
{
    if (WhenAsked)
        WhenAsked();
    SpiderLevelsShown.push_back(current);
    return LevelAnswer;
}

int ScriptedQuestions::AskDiplomatLevel(QWidget *, int current)
{
    if (WhenAsked)
        WhenAsked();
    DiplomatLevelsShown.push_back(current);
    return LevelAnswer;
}

TinyGame::TinyGame(::Deck *deck, GameTable *table)
    : CardGame(QStringLiteral("Tiny Game"), deck, table, W, H)
{
}

void TinyGame::CreateCells()
{
    AddCells(6);
    CellOf(Bare)->SetKind(CellKind::Bare);
    CellOf(Foundation)->SetPicture(Deck->GetPlaceholder(0));
}

void TinyGame::Deal()
{
    for (int i = 0; i < 4; ++i) {
        CardWrapper *card = DealCard();
        card->SetFrontUp(i > 0);
        CellOf(Column0)->Add(card, true);
    }
    CardWrapper *single = DealCard();
    single->SetFrontUp(true);
    CellOf(Column1)->Add(single, true);
    for (int i = 0; i < 3; ++i)
        CellOf(Stock)->Add(DealCard(), true);
}

void TinyGame::LayoutCells()
{
    const int step = CardWidth + 5;
    Table->Resize(3 * step + 5, 4 * CardHeight + 10);
    for (int i = 0; i < 3; ++i) {
        CellOf(i)->SetPosition(5 + i * step, 5);
        CellOf(i)->SetOffset(0, Fan * CardWidth / W);
        CellOf(3 + i)->SetPosition(5 + i * step, 5 + 3 * CardHeight);
    }
}

void TinyGame::FindMoves()
{
    for (const Suggestion &s : Suggestions) {
        if (s.index == -1)
            AddPossibleMove(CellOf(s.from), CellOf(s.to));
        else
            AddPossibleMove(CellOf(s.from), s.index, CellOf(s.to));
    }
}

void TinyGame::OnClick(CardWrapper *wrapper, int cellIndex, int cardIndex)
{
    Calls.push_back({QStringLiteral("click"), wrapper, cellIndex, cardIndex});
    if (cellIndex != Stock)
        return;
    // The newest record runs first: the same card may move twice.
    auto step = NewUndoStep(true);
    TableCell *stock = CellOf(Stock);
    TableCell *waste = CellOf(Column2);
    if (stock->GetCount() == 0) {
        while (CardWrapper *back = waste->Pop()) {
            step->AddMove(back, waste);
            back->ClearFlags(CardWrapper::FrontUp);
            stock->Add(back, true);
        }
    }
    if (CardWrapper *top = stock->GetWrapper(-1)) {
        step->AddMove(top, stock);
        top->SetFrontUp(true);
        waste->Add(top, true);
    }
    EndMove(std::move(step));
    ShowStatus();
    Table->Invalidate();
}

void TinyGame::OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex)
{
    Calls.push_back({QStringLiteral("dblclick"), wrapper, cellIndex, cardIndex});
    if (cellIndex < Column0 || cellIndex > Column2)
        return;
    TableCell *from = CellOf(cellIndex);
    CardWrapper *top = from->GetWrapper(-1);
    if (!top)
        return;
    auto step = NewUndoStep(true);
    step->AddMove(top, from);
    CellOf(Foundation)->Add(top, true);
    if (CardWrapper *uncovered = from->GetWrapper(-1); uncovered && !uncovered->GetFrontUp()) {
        step->AddCardFlags(uncovered);
        uncovered->SetFrontUp(true);
    }
    EndMove(std::move(step));
    Table->Invalidate();
    if (CellOf(Foundation)->GetCount() >= WinAt)
        GameOver(true);
}

void TinyGame::OnMouseDown(CardWrapper *wrapper, int cellIndex, int cardIndex, int, int)
{
    Calls.push_back({QStringLiteral("down"), wrapper, cellIndex, cardIndex});
    if (ThrowOnPress)
        throw std::runtime_error("the rules tripped");
    if (cellIndex >= Column0 && cellIndex <= Column2 && wrapper->GetFrontUp())
        CellOf(cellIndex)->StartMoving(wrapper);
}

void TinyGame::OnMouseUp(int x, int y)
{
    Calls.push_back({QStringLiteral("up"), nullptr, x, y});
    LastDropTarget = -1;
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    if (!moving.empty()) {
        QRect bounds;
        GetCardsBounds(moving, bounds);
        TableCell *source = moving.front()->GetCell();
        int target = -1, best = 0;
        for (int i : {int(Column0), int(Column1), int(Column2), int(Foundation)}) {
            if (CellOf(i) == source)
                continue;
            const int overlap = CellOf(i)->Overlap(bounds);
            if (overlap > best) {
                best = overlap;
                target = i;
            }
        }
        if (target >= 0 && best > 25) {
            auto step = NewUndoStep(false);
            for (CardWrapper *card : moving) {
                step->AddMove(card, card->GetCell());
                CellOf(target)->Add(card, true);
            }
            if (CardWrapper *uncovered = source->GetWrapper(-1); uncovered && !uncovered->GetFrontUp()) {
                step->AddCardFlags(uncovered);
                uncovered->SetFrontUp(true);
            }
            EndMove(std::move(step));
            LastDropTarget = target;
        }
    }
    CardGame::OnMouseUp(x, y);
    if (CellOf(Foundation)->GetCount() >= WinAt)
        GameOver(true);
}

void TinyGame::ShowStatus()
{
    Status(QStringLiteral("Stock: %1").arg(CellOf(Stock)->GetCount()));
}

QPoint TinyGame::CardCentre(int cell, int index) const
{
    Table->ArrangeCells();
    return CellOf(cell)->GetWrapper(index)->Rect().center();
}

QPoint TinyGame::CellCentre(int cell) const
{
    const TableCell *c = CellOf(cell);
    return QPoint(c->GetX() + c->GetCardWidth() / 2, c->GetY() + c->GetCardHeight() / 2);
}

TinyTable::TinyTable()
{
    FillDeck(TheDeck, TinyGame::W, TinyGame::H);
    Table = std::make_unique<GameTable>(nullptr, &TheDeck, &Host);
    Table->SetQuestions(&Answers);
    Table->SetSuggestionWait(0);
    Table->ResizeCards(TinyGame::W, TinyGame::H);
    Game = std::make_unique<TinyGame>(&TheDeck, Table.get());
    Table->SetGame(Game.get());
    srand(12345);
    Game->NewGame(true);
}

TinyTable::~TinyTable()
{
    // The game reaches the table until its last moment.
    Game.reset();
    Table.reset();
}

void Press(QWidget *widget, QPoint at, Qt::MouseButton button)
{
    QTest::mousePress(widget, button, Qt::NoModifier, at);
}

void MoveTo(QWidget *widget, QPoint at, Qt::MouseButton)
{
    QTest::mouseMove(widget, at);
}

void Release(QWidget *widget, QPoint at, Qt::MouseButton button)
{
    QTest::mouseRelease(widget, button, Qt::NoModifier, at);
}

void Click(QWidget *widget, QPoint at, Qt::MouseButton button)
{
    Press(widget, at, button);
    Release(widget, at, button);
}

void DoubleClick(QWidget *widget, QPoint at, Qt::MouseButton button)
{
    Press(widget, at, button);
    Release(widget, at, button);
    QTest::mouseDClick(widget, button, Qt::NoModifier, at);
    Release(widget, at, button);
}

} // namespace EngineTest
