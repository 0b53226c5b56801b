// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// One frame of a full table: 104 cards in ten fanned columns (the layout of
// a two-deck game of columns), painted into the table's back buffer, against
// a plain fill of a buffer of the same size and format measured in the same
// run. No frame can cost less than writing every pixel once; the ratio says
// how far painting is from that floor. The copy to the screen is the
// platform's and is not counted.
#include <algorithm>
#include <ctime>
#include <memory>

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "CardGame.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameTable.h"
#include "TableCell.h"

namespace {

// Seconds of processor time of this thread: other work on the machine does
// not count against either side of the ratio.
double threadSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Ten columns, a stock and a pile of completed runs, dealt 11, 11, 11, 11,
// then 10 cards to the others; the five top cards of each column face up.
class ColumnsGame : public CardGame {
public:
    ColumnsGame(::Deck *deck, GameTable *table, int w, int h)
        : CardGame(QStringLiteral("Columns"), deck, table, w, h)
    {
    }
    int GetDeckCount() override { return 2; }
    void CreateCells() override { AddCells(12); }
    void Deal() override
    {
        for (int column = 0; column < 10; ++column) {
            const int count = column < 4 ? 11 : 10;
            for (int i = 0; i < count; ++i) {
                CardWrapper *card = DealCard();
                card->SetFrontUp(i >= count - 5);
                Table->GetCell(column)->Add(card, true);
            }
        }
    }
    void LayoutCells() override
    {
        const int w = CardWidth, h = CardHeight;
        Table->Resize(10 * w + 72, 5 * h);
        const float s = float(w) / 88.0f;
        const int fan = int(14 * s);
        for (int i = 0; i < 10; ++i) {
            Table->GetCell(i)->SetPosition(6 + i * (w + 6), 5);
            Table->GetCell(i)->SetOffset(0, fan);
        }
        const int bottom = Table->height() - h - 5;
        Table->GetCell(10)->SetPosition(6, bottom);
        Table->GetCell(11)->SetPosition(3 * w + 6, bottom);
        Table->GetCell(11)->SetOffset(int(18 * s), 0);
    }
};

// A card picture with some detail, so that nothing is uniform by accident.
QImage cardPicture(int i)
{
    QImage picture(Deck::NativeWidth, Deck::NativeHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setPen(QColor(i * 5 % 256, 40, 200 - i * 3 % 200));
    for (int y = 0; y < picture.height(); y += 7)
        p.drawLine(0, y, picture.width(), y + i % 11);
    p.fillRect(20, 30, 60, 90, QColor(200, i * 4 % 256, 30));
    return picture;
}

struct Table {
    explicit Table(int w, int h)
    {
        for (int i = 0; i < Deck::CardCount; ++i) {
            Card *card = deck.GetCard(i);
            card->SetValue(uint8_t(i % 13 + 1), CardSuit(i / 13));
            card->GetScaledBitmap() = cardPicture(i);
            card->DropOriginal();
        }
        deck.GetBack()->GetScaledBitmap() = cardPicture(99);
        deck.GetBack()->DropOriginal();
        deck.Resize(w, h);

        table = std::make_unique<GameTable>(nullptr, &deck);
        QTemporaryDir dir;
        const QString cell = dir.filePath(QStringLiteral("Cell.png"));
        cardPicture(7).save(cell);
        table->LoadDefaultCellBackground(cell);
        table->ResizeCards(w, h);
        game = std::make_unique<ColumnsGame>(&deck, table.get(), w, h);
        table->SetGame(game.get());
        srand(1);
        game->NewGame(true);
        table->Paint();
    }
    ~Table()
    {
        game.reset();
        table.reset();
    }

    Deck deck;
    std::unique_ptr<GameTable> table;
    std::unique_ptr<ColumnsGame> game;
};

// Frame and fill timed in alternating batches of the same length, each side
// keeping its best batch: noise from elsewhere on the machine hits both
// sides alike and is left out of the ratio.
struct Timing {
    double frame = 1e9;
    double fill = 1e9;
};

Timing timeFrameAndFill(GameTable &table)
{
    QImage buffer(table.GetBackBuffer().size(), table.GetBackBuffer().format());
    Timing best;
    constexpr int Batch = 20;
    for (int round = 0; round < 40; ++round) {
        double start = threadSeconds();
        for (int i = 0; i < Batch; ++i) {
            buffer.fill(QColor(0, 128, i % 2));
            benchmark::DoNotOptimize(buffer.constBits());
        }
        best.fill = std::min(best.fill, (threadSeconds() - start) / Batch);
        start = threadSeconds();
        for (int i = 0; i < Batch; ++i) {
            table.Paint();
            benchmark::DoNotOptimize(table.GetBackBuffer().constBits());
        }
        best.frame = std::min(best.frame, (threadSeconds() - start) / Batch);
    }
    return best;
}

void report(benchmark::State &state, GameTable &table)
{
    const Timing best = timeFrameAndFill(table);
    state.counters["frame_us"] = best.frame * 1e6;
    state.counters["fill_us"] = best.fill * 1e6;
    state.counters["ratio"] = best.frame / best.fill;
    state.SetLabel(QStringLiteral("%1x%2 table").arg(table.width()).arg(table.height()).toStdString());
}

void BM_TableFrame(benchmark::State &state)
{
    const int w = int(state.range(0));
    const int h = w == 88 ? 130 : 260;
    Table t(w, h);
    for (auto _ : state) {
        t.table->Paint();
        benchmark::DoNotOptimize(t.table->GetBackBuffer().constBits());
    }
    report(state, *t.table);
}
BENCHMARK(BM_TableFrame)->Arg(88)->Arg(176)->Unit(benchmark::kMicrosecond);

// The floor on its own: a plain fill of a buffer the size of the table.
void BM_PlainFill(benchmark::State &state)
{
    const int w = int(state.range(0));
    const int h = w == 88 ? 130 : 260;
    QImage buffer(10 * w + 72, 5 * h, QImage::Format_RGB32);
    int i = 0;
    for (auto _ : state) {
        buffer.fill(QColor(0, 128, ++i % 2));
        benchmark::DoNotOptimize(buffer.constBits());
    }
}
BENCHMARK(BM_PlainFill)->Arg(88)->Arg(176)->Unit(benchmark::kMicrosecond);

// A frame while a run of five cards is being dragged over the columns.
void BM_TableFrameDragging(benchmark::State &state)
{
    const int w = int(state.range(0));
    const int h = w == 88 ? 130 : 260;
    Table t(w, h);
    TableCell *column = t.table->GetCell(3);
    column->StartMoving(column->GetWrapper(column->GetCount() - 5));
    for (CardWrapper *card : column->GetCards()) {
        if (card->IsMoving())
            card->MoveBy(2 * w, h);
    }
    for (auto _ : state) {
        t.table->Paint();
        benchmark::DoNotOptimize(t.table->GetBackBuffer().constBits());
    }
    report(state, *t.table);
}
BENCHMARK(BM_TableFrameDragging)->Arg(88)->Arg(176)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
