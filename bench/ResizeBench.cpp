// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The main window with automatic card sizes, offscreen, with the standard
// deck: the time from a resize of the window to the repainted frame of the
// table, alternating between two window sizes so that every step changes the
// card size. A step is the resize event, the fit of the cards (which the
// window does once the edge rests), the display bitmaps of the cards shown
// and the table's frame. The aim is under one frame at 60 Hz (16 ms).
//
//   build/bench/resize_bench
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "GameTable.h"
#include "Main.h"

namespace {

class SilentDialogs : public Dialogs {
public:
    bool AskYesNo(QWidget *, const QString &, const QString &) override { return false; }
    void Tell(QWidget *, const QString &, const QString &) override {}
    QString OpenFile(QWidget *, const FileRequest &) override { return {}; }
    QString SaveFile(QWidget *, const FileRequest &) override { return {}; }
};

void BM_ResizeToFrame(benchmark::State &state)
{
    SilentDialogs dialogs;
    TMainWin::Options options;
    options.DataFolder = QStringLiteral(VEK_BIN_DIR);
    options.Answers = &dialogs;
    options.Update.CheckUpdate = [](VUPD_UpdateInfo *, int32_t) {};
    options.Update.IsEnabled = [](VUPD_UpdateInfo *) { return false; };
    options.Update.EnableUpdate = [](VUPD_UpdateInfo *, bool) {};
    options.Update.CleanUp = [](VUPD_UpdateInfo *) {};
    options.ScreenArea = QSize(4000, 3000);
    TMainWin window(options);
    window.show();
    QCoreApplication::processEvents();
    const QSize sizes[2] = {QSize(int(state.range(0)), int(state.range(1))),
                            QSize(int(state.range(0)) * 9 / 10, int(state.range(1)) * 9 / 10)};
    int step = 0;
    for (auto _ : state) {
        window.resize(sizes[step++ % 2]);
        QCoreApplication::sendPostedEvents();
        window.FitCards();
        window.GetTable()->Paint();
        benchmark::DoNotOptimize(window.GetTable()->GetBackBuffer().constBits());
    }
    state.SetLabel(QStringLiteral("cards %1x%2").arg(window.GetCardWidth()).arg(window.GetCardHeight()).toStdString());
}
BENCHMARK(BM_ResizeToFrame)->Args({1000, 700})->Args({1920, 1050})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The benchmark never touches the player's own settings.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
