// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Deck loading against bare libjpeg-turbo decoding of the same 57 streams, and
// rescaling all 57 pictures to each card size.
//
//   build/bench/deck_bench
//
// The line "BM_LoadDeck" (every record read and every picture decoded) divided
// by "BM_BareDecode" is the load overhead; the target is at most 1.5.
// "BM_LoadDeckRecords" is what a load costs before any picture is first used:
// pictures are decoded on first use. Resize reports one line per card size; the exact
// halving to 88 x 130 should stay under a millisecond.

#include <atomic>
#include <cstdio>
#include <vector>

#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include "Deck.h"

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString file;
    std::vector<QByteArray> streams; // the 57 JPEG streams as stored

    Fixture()
    {
        file = dir.filePath(QStringLiteral("bench.deck"));
        Deck deck;
        // Card-like pictures: white, a frame, large coloured text and shapes.
        auto draw = [&](Card *card, int i) {
            QImage img(176, 260, QImage::Format_RGB32);
            img.fill(Qt::white);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(Qt::black, 2));
            p.drawRoundedRect(1, 1, 173, 257, 10, 10);
            QLinearGradient g(0, 0, 176, 260);
            g.setColorAt(0, QColor::fromHsv((i * 37) % 360, 200, 220));
            g.setColorAt(1, QColor::fromHsv((i * 37 + 90) % 360, 160, 120));
            p.setBrush(g);
            p.drawEllipse(30, 60, 116, 140);
            QFont f = p.font();
            f.setPixelSize(36);
            p.setFont(f);
            p.drawText(QRect(0, 0, 176, 60), Qt::AlignCenter, QString::number(i));
            p.end();
            const QString name = dir.filePath(QStringLiteral("c%1.png").arg(i));
            img.save(name);
            card->LoadImage(name);
        };
        for (int i = 0; i < 52; ++i) {
            deck.GetCard(i)->SetValue(uint8_t(i % 13 + 1), CardSuit(i / 13));
            draw(deck.GetCard(i), i);
        }
        draw(deck.GetBack(), 52);
        for (int i = 0; i < 4; ++i)
            draw(deck.GetPlaceholder(i), 53 + i);
        if (!deck.Save(file))
            fprintf(stderr, "cannot write %s\n", qPrintable(file));

        QFile f(file);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        auto le32 = [&](int at) {
            return int(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8 | uint8_t(bytes[at + 2]) << 16
                       | uint8_t(bytes[at + 3]) << 24);
        };
        int at = 20;
        for (int i = 0; i < 57; ++i) {
            if (i == 53)
                at += 4; // placeholder count
            const int n = le32(at + 14);
            streams.push_back(bytes.mid(at + 18, n));
            at += 18 + n;
        }
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

const std::atomic<bool> NeverStop{false};

void BM_LoadDeck(benchmark::State &state)
{
    Fixture &f = fixture();
    Deck deck;
    for (auto _ : state) {
        bool ok = deck.Load(f.file);
        deck.DecodePictures(NeverStop);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_LoadDeck)->Unit(benchmark::kMillisecond);

// What a start does: the deck read, set to the standard card size and every
// display bitmap made.
void BM_LoadDeckAtCardSize(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        Deck deck;
        bool ok = deck.Load(f.file);
        deck.Resize(88, 130);
        deck.DecodePictures(NeverStop);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_LoadDeckAtCardSize)->Unit(benchmark::kMillisecond);

void BM_LoadDeckRecords(benchmark::State &state)
{
    Fixture &f = fixture();
    Deck deck;
    for (auto _ : state) {
        bool ok = deck.Load(f.file);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_LoadDeckRecords)->Unit(benchmark::kMillisecond);

// libjpeg-turbo alone, with the options deck records are decoded with, into
// one reused buffer: the floor for loading a deck.
void BM_BareDecode(benchmark::State &state)
{
    Fixture &f = fixture();
    std::vector<unsigned char> pixels(176 * 260 * 4);
    for (auto _ : state) {
        for (const QByteArray &s : f.streams) {
            jpeg_decompress_struct cinfo;
            jpeg_error_mgr jerr;
            cinfo.err = jpeg_std_error(&jerr);
            jpeg_create_decompress(&cinfo);
            jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(s.constData()), (unsigned long)s.size());
            jpeg_read_header(&cinfo, TRUE);
            cinfo.out_color_space = JCS_EXT_BGRX;
            cinfo.dct_method = JDCT_ISLOW;
            cinfo.do_fancy_upsampling = TRUE;
            cinfo.do_block_smoothing = FALSE;
            jpeg_start_decompress(&cinfo);
            pixels.resize(size_t(cinfo.output_width) * cinfo.output_height * 4);
            while (cinfo.output_scanline < cinfo.output_height) {
                JSAMPROW row = pixels.data() + size_t(cinfo.output_scanline) * cinfo.output_width * 4;
                jpeg_read_scanlines(&cinfo, &row, 1);
            }
            jpeg_finish_decompress(&cinfo);
            jpeg_destroy_decompress(&cinfo);
        }
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_BareDecode)->Unit(benchmark::kMillisecond);

// All 57 pictures to one card size from sources held decoded (as once any
// source has been asked for, by the deck editor for one). Each iteration
// starts from a deck at another size (set outside the timing).
void BM_Resize(benchmark::State &state)
{
    Fixture &f = fixture();
    const int w = int(state.range(0)), h = int(state.range(1));
    Deck deck;
    deck.Load(f.file);
    deck.DecodePictures(NeverStop);
    deck.Resize(w == 88 ? 54 : 88, 130);
    for (auto _ : state) {
        state.PauseTiming();
        deck.Resize(w == 1 ? 2 : 1, 1);
        state.ResumeTiming();
        deck.Resize(w, h);
        deck.DecodePictures(NeverStop); // every display bitmap made, as a repaint would
    }
    state.SetLabel(std::to_string(w) + "x" + std::to_string(h));
}
BENCHMARK(BM_Resize)
    ->Args({88, 130})
    ->Args({101, 150})
    ->Args({114, 169})
    ->Args({128, 189})
    ->Args({141, 208})
    ->Args({154, 228})
    ->Args({176, 260})
    ->Args({68, 100})
    ->Args({54, 80})
    ->Unit(benchmark::kMillisecond);

// A change of card size after a start (the deck loaded at the standard size
// and shown), when every display bitmap is then made at the new size: the
// sources are still compressed, so each is decoded again. A repaint makes
// only the bitmaps of the cards it shows.
void BM_FirstResizeAfterStart(benchmark::State &state)
{
    Fixture &f = fixture();
    const int w = int(state.range(0)), h = int(state.range(1));
    const int ratio = int(state.range(2));
    for (auto _ : state) {
        state.PauseTiming();
        Deck deck;
        deck.Load(f.file);
        deck.Resize(88, 130);
        deck.DecodePictures(NeverStop);
        state.ResumeTiming();
        deck.Resize(w, h, ratio);
        deck.DecodePictures(NeverStop);
    }
    state.SetLabel(std::to_string(w) + "x" + std::to_string(h) + " at ratio " + std::to_string(ratio));
}
// 123 x 182 stands for any size automatic sizing picks, off the nine; the
// third value is the screen's device pixel ratio (at 2 the bitmaps of
// 88 x 130 have 176 x 260 pixels).
BENCHMARK(BM_FirstResizeAfterStart)
    ->Args({101, 150, 1})
    ->Args({123, 182, 1})
    ->Args({176, 260, 1})
    ->Args({54, 80, 1})
    ->Args({88, 130, 2})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the test pictures
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
