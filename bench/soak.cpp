// The window left running as a player leaves it, at its own timer speed: refreshed every 5 s from
// a loopback list server, the selected server pinged every 2 s, and a new server selected every
// half minute. Prints what the process holds over time. Usage: velberd_soak [minutes, 10].
#include "benchwindow.h"
#include "processstats.h"
#include "report.h"

#include <QApplication>
#include <cstdio>

using namespace velberd;
using velberd::test::ProcessStats;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int minutes = argc > 1 ? QByteArray(argv[1]).toInt() : 10;
    bench::BenchWindow bench;
    bench.window->show();

    QElapsedTimer clock;
    clock.start();
    ProcessStats first;
    ProcessStats last;
    qint64 cpuFirst = 0;
    int row = 0;
    QTimer select;
    QObject::connect(&select, &QTimer::timeout, [&] {
        if (bench.list2()->count() > 0) bench.list2()->setCurrentRow(row++ % bench.list2()->count());
    });
    select.start(30000);
    QTimer::singleShot(12000, [&] { bench.list2()->setCurrentRow(row++); });

    std::printf("%8s %9s %9s %8s %12s %10s %7s\n", "minute", "RSS MiB", "peak MiB", "threads", "descriptors",
                "refreshes", "pings");
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] {
        last = ProcessStats::now();
        // The first sample comes once start-up and the first refreshes are over.
        if (first.rssKiB == 0) {
            first = last;
            cpuFirst = test::cpuMilliseconds();
        }
        std::printf("%8.1f %9.1f %9.1f %8d %12d %10d %7zu\n", clock.elapsed() / 60000.0, last.rssKiB / 1024.0,
                    last.peakRssKiB / 1024.0, last.threads, last.openFiles, bench.list.connectionCount(),
                    bench.net->echoes().size());
        std::fflush(stdout);
    });
    sample.start(30000);
    QTimer::singleShot(minutes * 60000 + 100, &app, &QCoreApplication::quit);
    QApplication::exec();

    const double measuredMinutes = (clock.elapsed() - 30000) / 60000.0;
    bench::result("soak: RSS growth after the first half minute", (last.rssKiB - first.rssKiB) / 1024.0, "MiB");
    bench::result("soak: descriptor change", last.openFiles - first.openFiles, "");
    bench::result("soak: thread change", last.threads - first.threads, "");
    bench::result("soak: CPU per minute", (test::cpuMilliseconds() - cpuFirst) / measuredMinutes, "ms");
    return 0;
}
