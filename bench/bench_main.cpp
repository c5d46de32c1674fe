// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The benchmark: start-up and memory of the program against the floor, answer times of every
// press, and the interpolations at scale. Prints one table with the targets beside the figures;
// it judges nothing itself and fails only when something cannot be measured.
#include "answer_bench.h"
#include "core/fields.h"
#include "floor/widget_census.h"
#include "format_bench.h"
#include "peers.h"
#include "startup_probe.h"
#include "stats.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#ifndef TIREL_BENCH_BUILD_TYPE
#define TIREL_BENCH_BUILD_TYPE "unknown"
#endif

namespace {

using namespace tirel::bench;

constexpr double kStartupRatioTarget = 1.10;
constexpr double kPssMarginTargetMiB = 3;
constexpr double kPressTargetUs = 1000;
constexpr double kScaleTargetMs = 50;
constexpr double kScaleCoreTargetMs = 15;
constexpr double kFlatTarget = 1.25; // per-term cost at the largest K against K = 1000
constexpr int kScaleTargetTerms = 32765;
constexpr int kFlatFromTerms = 1000;

struct Options {
    int rounds = 15;
    bool quick = false;
    bool startup = true;
    std::string tirel = TIREL_PATH;
    std::string floor = TIREL_FLOOR_PATH;
    std::string peers = "none";
    int peerRounds = -1; // as many as the program's
    int peerTimeoutS = 30;
};

[[noreturn]] void usage()
{
    std::fprintf(stderr,
                 "usage: tirel_bench [--rounds N] [--quick] [--no-startup] [--tirel PATH] "
                 "[--floor PATH]\n"
                 "                   [--peers all|none|NAME,...] [--peer-rounds N] "
                 "[--peer-timeout SECONDS]\n"
                 "  --quick  one round and small interpolations, to see that it all still runs\n"
                 "  --peers  desktop calculators started through the same probe (default none):\n"
                 "           galculator, speedcrunch, kcalc, qalculate-gtk, gnome-calculator\n");
    std::exit(2);
}

Options parse(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                usage();
            return argv[++i];
        };
        auto count = [&](int least) {
            const int n = std::atoi(value().c_str());
            if (n < least)
                usage();
            return n;
        };
        if (arg == "--rounds") {
            options.rounds = count(1);
        } else if (arg == "--quick") {
            options.quick = true;
        } else if (arg == "--no-startup") {
            options.startup = false;
        } else if (arg == "--tirel") {
            options.tirel = value();
        } else if (arg == "--floor") {
            options.floor = value();
        } else if (arg == "--peers") {
            options.peers = value();
        } else if (arg == "--peer-rounds") {
            options.peerRounds = count(0);
        } else if (arg == "--peer-timeout") {
            options.peerTimeoutS = count(1);
        } else {
            usage();
        }
    }
    if (options.quick)
        options.rounds = 1;
    if (options.peerRounds < 0)
        options.peerRounds = options.rounds;
    return options;
}

LaunchFigures medianOf(const std::vector<LaunchFigures> &runs)
{
    LaunchFigures result;
    if (runs.empty())
        return result;
    auto pick = [&](double LaunchFigures::*member) {
        std::vector<double> values;
        for (const LaunchFigures &run : runs)
            values.push_back(run.*member);
        return median(values);
    };
    result.mappedMs = pick(&LaunchFigures::mappedMs);
    result.paintedMs = pick(&LaunchFigures::paintedMs);
    result.rssMiB = pick(&LaunchFigures::rssMiB);
    result.pssMiB = pick(&LaunchFigures::pssMiB);
    result.width = runs.back().width;
    result.height = runs.back().height;
    return result;
}

struct PeerFigures {
    std::string name;
    std::string path; // empty: not installed
    std::vector<LaunchFigures> runs;
    std::string problem; // why it stopped being measured, if it did
};

struct StartupFigures {
    LaunchFigures tirel;
    LaunchFigures floor;
    std::vector<PeerFigures> peers;
};

// Rounds alternate which program goes first, so neither always meets the warmer caches; the
// peers follow in each round (as many rounds as asked for them), their order turning too.
StartupFigures measureStartup(const Options &options, std::string &server)
{
    StartupProbe probe;
    server = probe.serverDescription();
    const std::chrono::milliseconds settle{1000};
    const std::chrono::milliseconds peerTimeout{options.peerTimeoutS * 1000};
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw std::runtime_error("cannot make a scratch folder for the peers");

    StartupFigures figures;
    for (const Peer &peer : choosePeers(options.peers))
        figures.peers.push_back({peer.name, findProgram(peer.program), {}, {}});
    auto launchPeer = [&](PeerFigures &peer, bool counted) {
        if (peer.path.empty() || !peer.problem.empty())
            return;
        try {
            const LaunchFigures run =
                probe.launch(peerLaunch(peer.path, (scratch.path() + "/").toStdString() + peer.name,
                                        peerTimeout),
                             settle);
            if (counted)
                peer.runs.push_back(run);
        } catch (const std::runtime_error &error) {
            peer.problem = error.what();
            std::fprintf(stderr, "peer %s: %s\n", peer.name.c_str(), error.what());
        }
    };

    // One launch of each before counting: the first reads the libraries from disk, and a peer
    // writes its first settings.
    probe.launch(options.tirel, settle);
    probe.launch(options.floor, settle);
    for (PeerFigures &peer : figures.peers)
        launchPeer(peer, false);

    std::vector<LaunchFigures> tirel, floor;
    for (int round = 0; round < options.rounds; ++round) {
        if (round % 2 == 0) {
            tirel.push_back(probe.launch(options.tirel, settle));
            floor.push_back(probe.launch(options.floor, settle));
        } else {
            floor.push_back(probe.launch(options.floor, settle));
            tirel.push_back(probe.launch(options.tirel, settle));
        }
        std::fprintf(stderr, "start-up round %d/%d: tirel %.1f ms, floor %.1f ms", round + 1,
                     options.rounds, tirel.back().mappedMs, floor.back().mappedMs);
        if (round < options.peerRounds) {
            const std::size_t count = figures.peers.size();
            for (std::size_t p = 0; p < count; ++p) {
                PeerFigures &peer = figures.peers[(p + round) % count];
                const std::size_t before = peer.runs.size();
                launchPeer(peer, true);
                if (peer.runs.size() > before)
                    std::fprintf(stderr, ", %s %.1f ms", peer.name.c_str(),
                                 peer.runs.back().mappedMs);
            }
        }
        std::fprintf(stderr, "\n");
    }
    figures.tirel = medianOf(tirel);
    figures.floor = medianOf(floor);
    return figures;
}

QString censusText(const WidgetCensus &c)
{
    return QStringLiteral("%1 frames, %2 labels, %3 fields, %4 combos, %5 buttons, %6 boxes, "
                          "%7 lines, %8 menu(s) of %9 items")
        .arg(c.frames)
        .arg(c.labels)
        .arg(c.fields)
        .arg(c.combos)
        .arg(c.buttons)
        .arg(c.boxes)
        .arg(c.lines)
        .arg(c.menus)
        .arg(c.actions);
}

// What the floor program says it built.
QString floorCensus(const std::string &floor)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString(floor), {QStringLiteral("--census")});
    if (!process.waitForFinished(30000))
        throw std::runtime_error("the floor program did not answer --census");
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed() +
           (process.exitCode() == 0 ? QString() : QStringLiteral("  (NOT the window's counts)"));
}

QString cpuModel()
{
    QFile file(QStringLiteral("/proc/cpuinfo"));
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.startsWith("model name"))
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
        }
    }
    return QStringLiteral("unknown CPU");
}

const char *verdict(bool holds)
{
    return holds ? "yes" : "NO";
}

void printLine()
{
    std::printf("%s\n", std::string(96, '-').c_str());
}

void printLaunch(const std::string &name, const LaunchFigures &m, const LaunchFigures &floor,
                 std::size_t rounds, const std::string &note)
{
    std::printf("%-20s %9.1f %8.2fx %9.1f %8.2fx %9.1f %8.2fx %6zu  %s\n", name.c_str(), m.mappedMs,
                m.mappedMs / floor.mappedMs, m.pssMiB, m.pssMiB / floor.pssMiB, m.rssMiB,
                m.rssMiB / floor.rssMiB, rounds, note.c_str());
}

// One peer's line: its medians against the floor's, or why there are none.
void printPeer(const PeerFigures &peer, const LaunchFigures &floor)
{
    if (peer.path.empty()) {
        std::printf("%-20s %s\n", peer.name.c_str(), "not installed (scripts/setup.sh peers)");
        return;
    }
    if (peer.runs.empty()) {
        std::printf("%-20s not measured: %s\n", peer.name.c_str(), peer.problem.c_str());
        return;
    }
    printLaunch(peer.name, medianOf(peer.runs), floor, peer.runs.size(),
                peer.problem.empty() ? std::string() : "then: " + peer.problem);
}

} // namespace

int main(int argc, char **argv)
{
    const Clock::time_point began = Clock::now();
    const Options options = parse(argc, argv);
    try {
        std::string server = "not measured";
        StartupFigures startup;
        if (options.startup) {
            if (!std::getenv("DISPLAY"))
                throw std::runtime_error("start-up needs an X server in DISPLAY (or --no-startup)");
            startup = measureStartup(options, server);
        }

        // The answers are timed on the same X server when there is one, else off screen.
        if (std::getenv("DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "xcb");
        else if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);

        AnswerSettings settings;
        settings.rounds = options.rounds;
        if (options.quick) {
            settings.samples = 3;
            settings.terms = {0, 100, 1000};
        }
        AnswerBench bench;
        QStringList unknown;
        const WidgetCensus census = bench.windowCensus(&unknown);
        const QString floorSays = floorCensus(options.floor);
        std::fprintf(stderr, "answer rounds: %d x %d presses per case\n", settings.rounds,
                     settings.samples);
        bench.run(settings);
        const FormatFigures format = measureFormatting(options.rounds);

        printLine();
        std::printf("Tirel benchmark: %s, %u logical CPUs, %s %s, Qt %s, %s build\n",
                    qPrintable(cpuModel()), std::thread::hardware_concurrency(),
                    qPrintable(QSysInfo::kernelType()), qPrintable(QSysInfo::kernelVersion()),
                    qVersion(), TIREL_BENCH_BUILD_TYPE);
        std::printf("X server: %s, no window manager; answers on the \"%s\" platform\n",
                    server.c_str(), qPrintable(QGuiApplication::platformName()));
        std::printf("Rounds: %d interleaved%s; every figure is the median over the rounds\n",
                    options.rounds, options.quick ? " (quick mode)" : "");
        std::printf("Window controls: %s\n", qPrintable(censusText(census)));
        std::printf("Floor controls:  %s%s\n", qPrintable(floorSays),
                    census == kWindowCensus ? "" : "  (floor out of date: update widget_census.h)");
        if (!unknown.isEmpty())
            std::printf("Uncounted widgets in the window: %s\n", qPrintable(unknown.join(", ")));
        printLine();

        std::vector<bool> held;
        auto judge = [&held](bool holds) {
            held.push_back(holds);
            return verdict(holds);
        };
        std::printf("%-38s %10s %10s %10s  %-18s %s\n", "figure", "tirel", "floor", "ratio",
                    "target", "holds");
        if (options.startup) {
            const LaunchFigures &t = startup.tirel;
            const LaunchFigures &f = startup.floor;
            std::printf("%-38s %10.1f %10.1f %9.2fx  %-18s %s\n", "start-up: exec to mapped (ms)",
                        t.mappedMs, f.mappedMs, t.mappedMs / f.mappedMs, "<= 1.10x floor",
                        judge(t.mappedMs <= kStartupRatioTarget * f.mappedMs));
            std::printf("%-38s %10.1f %10.1f %9.2fx  %-18s\n", "start-up: exec to first paint (ms)",
                        t.paintedMs, f.paintedMs, t.paintedMs / f.paintedMs, "");
            std::printf("%-38s %10.1f %10.1f %+9.1f   %-18s %s\n", "memory: PSS 1 s after (MiB)",
                        t.pssMiB, f.pssMiB, t.pssMiB - f.pssMiB, "<= floor + 3 MiB",
                        judge(t.pssMiB <= f.pssMiB + kPssMarginTargetMiB));
            std::printf("%-38s %10.1f %10.1f %+9.1f   %-18s\n", "memory: RSS 1 s after (MiB)",
                        t.rssMiB, f.rssMiB, t.rssMiB - f.rssMiB, "");
            std::printf("%-38s %5dx%-4d %5dx%-4d\n", "mapped window (px)", t.width, t.height,
                        f.width, f.height);
            if (!startup.peers.empty()) {
                printLine();
                std::printf("peers, against the floor (%d round(s), %d s to show a window; first "
                            "window mapped, medians)\n",
                            std::min(options.peerRounds, options.rounds), options.peerTimeoutS);
                std::printf("%-20s %9s %9s %9s %9s %9s %9s %6s\n", "program", "mapped ms", "ratio",
                            "PSS MiB", "ratio", "RSS MiB", "ratio", "rounds");
                printLaunch("tirel", t, f, static_cast<std::size_t>(options.rounds), "");
                for (const PeerFigures &peer : startup.peers)
                    printPeer(peer, f);
            }
        }
        printLine();

        std::printf("%-38s %10s %10s %10s  %-18s %s\n", "answer time (us)", "core", "window", "",
                    "target (window)", "holds");
        for (const PressFigures &press : bench.presses()) {
            std::printf("%-38s %10.1f %10.1f %10s  %-18s %s\n", qPrintable(press.name),
                        press.coreUs, press.widgetUs, "", "< 1000 us",
                        judge(press.widgetUs < kPressTargetUs));
        }
        printLine();

        std::printf("%-38s %10s %10s %10s  %-18s\n", "text form of a term (ns)", "fast",
                    "reference", "ratio", "(same 32765 texts)");
        std::printf("%-38s %10.1f %10.1f %9.2fx\n", "K = 32765 terms of 1 to 2, Catalan",
                    format.fastNs, format.referenceNs, format.fastNs / format.referenceNs);
        printLine();

        // us/term past K = 0: what each listed term adds to a press that lists nothing.
        std::printf("%-38s %10s %10s %10s  %-18s %s\n", "interpolation, through the window",
                    "core ms", "window ms", "us/term", "target", "holds");
        const QList<ScaleFigures> scale = bench.scale();
        auto find = [&scale](const QString &list, int terms) -> const ScaleFigures * {
            for (const ScaleFigures &figures : scale) {
                if (figures.list == list && figures.terms == terms)
                    return &figures;
            }
            return nullptr;
        };
        auto perTerm = [&find](const ScaleFigures &figures) {
            const ScaleFigures *none = find(figures.list, 0);
            const double fixedMs = none ? none->widgetMs : 0;
            return (figures.widgetMs - fixedMs) * 1000 / figures.terms;
        };
        for (const ScaleFigures &figures : scale) {
            const QString name = QStringLiteral("%1, K = %2").arg(figures.list).arg(figures.terms);
            if (figures.terms == 0) {
                std::printf("%-38s %10.2f %10.2f %10s  %-18s\n", qPrintable(name), figures.coreMs,
                            figures.widgetMs, "", "(the fixed part)");
                continue;
            }
            const bool targeted = figures.terms == kScaleTargetTerms;
            std::printf("%-38s %10.2f %10.2f %10.3f  %-18s %s\n", qPrintable(name), figures.coreMs,
                        figures.widgetMs, perTerm(figures), targeted ? "<= 50, core <= 15" : "",
                        targeted ? judge(figures.widgetMs <= kScaleTargetMs &&
                                         figures.coreMs <= kScaleCoreTargetMs)
                                 : "");
        }
        for (const tirel::ListId id : {tirel::ListId::LstIntrp, tirel::ListId::Lstg}) {
            const QString list = tirel::listName(id);
            const ScaleFigures *from = find(list, kFlatFromTerms);
            const ScaleFigures *to = find(list, kScaleTargetTerms);
            if (!from || !to)
                continue;
            const double ratio = perTerm(*to) / perTerm(*from);
            std::printf("%-38s %10s %10s %9.2fx  %-18s %s\n",
                        qPrintable(QStringLiteral("%1 us/term, K = 32765 vs 1000").arg(list)), "",
                        "", ratio, "<= 1.25x (flat)", judge(ratio <= kFlatTarget));
        }
        printLine();
        const long failed = std::count(held.begin(), held.end(), false);
        std::printf("%ld of %zu targets hold; the run took %.0f s\n",
                    static_cast<long>(held.size()) - failed, held.size(),
                    microsecondsBetween(began, Clock::now()) / 1e6);
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "tirel_bench: %s\n", error.what());
        return 1;
    }
}
