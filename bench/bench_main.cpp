// The benchmark: start-up and memory of the program against the floor, answer times of every
// press, and the interpolations at scale. Prints one table with the targets beside the figures;
// it judges nothing itself and fails only when something cannot be measured.
#include "answer_bench.h"
#include "floor/widget_census.h"
#include "startup_probe.h"
#include "stats.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
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

constexpr double kStartupRatioTarget = 1.15;
constexpr double kRssMarginTargetMiB = 5;
constexpr double kPressTargetUs = 2000;
constexpr double kScaleTargetMs = 100;
constexpr int kScaleTargetTerms = 32765;

struct Options {
    int rounds = 15;
    bool quick = false;
    bool startup = true;
    std::string tirel = TIREL_PATH;
    std::string floor = TIREL_FLOOR_PATH;
};

[[noreturn]] void usage()
{
    std::fprintf(stderr,
                 "usage: tirel_bench [--rounds N] [--quick] [--no-startup] [--tirel PATH] "
                 "[--floor PATH]\n"
                 "  --quick  one round and small interpolations, to see that it all still runs\n");
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
        if (arg == "--rounds") {
            options.rounds = std::atoi(value().c_str());
            if (options.rounds < 1)
                usage();
        } else if (arg == "--quick") {
            options.quick = true;
        } else if (arg == "--no-startup") {
            options.startup = false;
        } else if (arg == "--tirel") {
            options.tirel = value();
        } else if (arg == "--floor") {
            options.floor = value();
        } else {
            usage();
        }
    }
    if (options.quick)
        options.rounds = 1;
    return options;
}

struct StartupFigures {
    LaunchFigures tirel;
    LaunchFigures floor;
};

// Rounds alternate which program goes first, so neither always meets the warmer caches.
StartupFigures measureStartup(const Options &options, std::string &server)
{
    StartupProbe probe;
    server = probe.serverDescription();
    const std::chrono::milliseconds settle{1000};
    // One launch of each before counting: the first reads the libraries from disk.
    probe.launch(options.tirel, settle);
    probe.launch(options.floor, settle);

    std::vector<LaunchFigures> tirel, floor;
    for (int round = 0; round < options.rounds; ++round) {
        if (round % 2 == 0) {
            tirel.push_back(probe.launch(options.tirel, settle));
            floor.push_back(probe.launch(options.floor, settle));
        } else {
            floor.push_back(probe.launch(options.floor, settle));
            tirel.push_back(probe.launch(options.tirel, settle));
        }
        std::fprintf(stderr, "start-up round %d/%d: tirel %.1f ms, floor %.1f ms\n", round + 1,
                     options.rounds, tirel.back().mappedMs, floor.back().mappedMs);
    }
    auto medianOf = [](const std::vector<LaunchFigures> &runs) {
        LaunchFigures result;
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
    };
    return {medianOf(tirel), medianOf(floor)};
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

const char *verdict(bool holds) { return holds ? "yes" : "NO"; }

void printLine() { std::printf("%s\n", std::string(96, '-').c_str()); }

} // namespace

int main(int argc, char **argv)
{
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
            settings.terms = {100, 1000};
        }
        AnswerBench bench;
        QStringList unknown;
        const WidgetCensus census = bench.windowCensus(&unknown);
        const QString floorSays = floorCensus(options.floor);
        std::fprintf(stderr, "answer rounds: %d x %d presses per case\n", settings.rounds,
                     settings.samples);
        bench.run(settings);

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

        std::printf("%-38s %10s %10s %10s  %-18s %s\n", "figure", "tirel", "floor", "ratio",
                    "target", "holds");
        if (options.startup) {
            const LaunchFigures &t = startup.tirel;
            const LaunchFigures &f = startup.floor;
            std::printf("%-38s %10.1f %10.1f %9.2fx  %-18s %s\n", "start-up: exec to mapped (ms)",
                        t.mappedMs, f.mappedMs, t.mappedMs / f.mappedMs, "<= 1.15x floor",
                        verdict(t.mappedMs <= kStartupRatioTarget * f.mappedMs));
            std::printf("%-38s %10.1f %10.1f %9.2fx  %-18s\n", "start-up: exec to first paint (ms)",
                        t.paintedMs, f.paintedMs, t.paintedMs / f.paintedMs, "");
            std::printf("%-38s %10.1f %10.1f %+9.1f   %-18s %s\n", "memory: RSS 1 s after (MiB)",
                        t.rssMiB, f.rssMiB, t.rssMiB - f.rssMiB, "<= floor + 5 MiB",
                        verdict(t.rssMiB <= f.rssMiB + kRssMarginTargetMiB));
            std::printf("%-38s %10.1f %10.1f %+9.1f   %-18s\n", "memory: PSS 1 s after (MiB)",
                        t.pssMiB, f.pssMiB, t.pssMiB - f.pssMiB, "");
            std::printf("%-38s %5dx%-4d %5dx%-4d\n", "mapped window (px)", t.width, t.height,
                        f.width, f.height);
        }
        printLine();

        std::printf("%-38s %10s %10s %10s  %-18s %s\n", "answer time (us)", "core", "window", "",
                    "target (window)", "holds");
        for (const PressFigures &press : bench.presses()) {
            std::printf("%-38s %10.1f %10.1f %10s  %-18s %s\n", qPrintable(press.name),
                        press.coreUs, press.widgetUs, "", "< 2000 us",
                        verdict(press.widgetUs < kPressTargetUs));
        }
        printLine();

        std::printf("%-38s %10s %10s %10s  %-18s %s\n", "interpolation, through the window",
                    "core ms", "window ms", "us/term", "target", "holds");
        for (const ScaleFigures &scale : bench.scale()) {
            const QString name = QStringLiteral("%1, K = %2").arg(scale.list).arg(scale.terms);
            const bool targeted = scale.terms == kScaleTargetTerms;
            std::printf("%-38s %10.2f %10.2f %10.3f  %-18s %s\n", qPrintable(name), scale.coreMs,
                        scale.widgetMs, scale.widgetMs * 1000 / scale.terms,
                        targeted ? "< 100 ms" : "",
                        targeted ? verdict(scale.widgetMs < kScaleTargetMs) : "");
        }
        printLine();
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "tirel_bench: %s\n", error.what());
        return 1;
    }
}
