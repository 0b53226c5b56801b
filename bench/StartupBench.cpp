// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Time from process start to the first painted frame of the table (the game
// program with the standard deck and an empty registry) against a minimal Qt
// Widgets program showing an empty main window, both started alternately in
// the same run. Both write "frame" when they have painted; the time is taken
// when that line arrives. Without a display the offscreen platform is used.
//
// VEK_COMPARE_PROGRAM names another build of the game, timed in the same
// rounds (for instance the program before a change); VEK_PROGRAM replaces the
// game of this build; VEK_STARTUP_ROUNDS sets the number of rounds (40 when
// unset).
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

extern char **environ;

namespace {

// Seconds from spawning the program to its "frame" line; negative on failure.
// cpu receives the processor time the program used in all (user and system,
// every thread, until it ended), which depends less on other load.
double TimeToFirstFrame(const char *program, double &cpu)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(program), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return -1;
    }
    std::string text;
    char buffer[64];
    double seconds = -1;
    for (;;) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, size_t(n));
        if (text.find("frame\n") != std::string::npos) {
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The value below which the given fraction of the values lie (nearest rank).
double Quantile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(fraction * double(values.size())))];
}

// Median and spread (the middle half: first to third quartile) in ms.
void Report(benchmark::State &state, const std::string &name, const std::vector<double> &values)
{
    state.counters[name + "_median_ms"] = 1000 * Median(values);
    state.counters[name + "_q1_ms"] = 1000 * Quantile(values, 0.25);
    state.counters[name + "_q3_ms"] = 1000 * Quantile(values, 0.75);
}

void StartupAgainstMinimalWindow(benchmark::State &state)
{
    QTemporaryDir home;
    // A fresh registry every run: Klondike, 88 x 130, the standard deck.
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    qputenv("VEK_REPORT_FIRST_FRAME", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const QByteArray other = qgetenv("VEK_COMPARE_PROGRAM");
    const QByteArray program = qEnvironmentVariableIsEmpty("VEK_PROGRAM") ? QByteArray(VEK_SOLITAIRE) : qgetenv("VEK_PROGRAM");
    double minimalCpu = 0, gameCpu = 0, otherCpu = 0;
    std::vector<double> minimal, game, compared;
    bool otherFirst = false;
    for (auto _ : state) {
        double mc = 0, gc = 0, oc = 0, o = 0;
        const double m = TimeToFirstFrame(VEK_MINIMAL_WINDOW, mc);
        // The two builds take turns in going first.
        if (!other.isEmpty() && otherFirst)
            o = TimeToFirstFrame(other.constData(), oc);
        const double g = TimeToFirstFrame(program.constData(), gc);
        if (!other.isEmpty() && !otherFirst)
            o = TimeToFirstFrame(other.constData(), oc);
        otherFirst = !otherFirst;
        if (m < 0 || g < 0 || o < 0) {
            state.SkipWithError("a program did not report its first frame");
            return;
        }
        minimal.push_back(m);
        game.push_back(g);
        if (!other.isEmpty())
            compared.push_back(o);
        minimalCpu += mc;
        gameCpu += gc;
        otherCpu += oc;
        state.SetIterationTime(g);
    }
    // Means, and medians, which a busy virtual machine's outliers move less.
    const double meanMinimal = std::accumulate(minimal.begin(), minimal.end(), 0.0) / double(minimal.size());
    const double meanGame = std::accumulate(game.begin(), game.end(), 0.0) / double(game.size());
    const double medianMinimal = Median(minimal);
    const double medianGame = Median(game);
    state.counters["minimal_ms"] = 1000 * meanMinimal;
    state.counters["game_ms"] = 1000 * meanGame;
    state.counters["ratio"] = meanGame / meanMinimal; // target: at most 1.5
    Report(state, "minimal", minimal);
    Report(state, "game", game);
    state.counters["median_ratio"] = medianGame / medianMinimal;
    if (!compared.empty()) {
        Report(state, "compared", compared);
        state.counters["compared_median_ratio"] = Median(compared) / medianMinimal;
        state.counters["compared_cpu_ratio"] = otherCpu / minimalCpu;
    }
    state.counters["cpu_ratio"] = gameCpu / minimalCpu;
}
} // namespace

int main(int argc, char **argv)
{
    const int rounds = qEnvironmentVariableIntValue("VEK_STARTUP_ROUNDS");
    benchmark::RegisterBenchmark("StartupAgainstMinimalWindow", StartupAgainstMinimalWindow)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(rounds > 0 ? rounds : 40);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
