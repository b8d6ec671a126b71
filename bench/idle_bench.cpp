// CPU used while the window idles as a player leaves it: refreshed every 5 s and the selected
// server pinged every 2 s, all at the window's own timer speed. Usage: idle_bench [seconds, 60].
#include "benchwindow.h"
#include "processstats.h"
#include "report.h"

#include <QApplication>
#include <cstdio>

using namespace velberd;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? QByteArray(argv[1]).toInt() : 60;
    bench::BenchWindow bench;
    bench.window->show();
    // The window's own start-up: the first refresh comes about 9 s after it opens.
    if (!bench::BenchWindow::waitFor([&] { return bench.list.connectionCount() > 0 && bench.list2()->count() == 11; },
                                     15000)) {
        return 1;
    }
    bench.list2()->setCurrentRow(2);
    bench::BenchWindow::waitFor([] { return false; }, 3000);

    const auto connections = bench.list.connectionCount();
    const auto echoes = bench.net->echoes().size();
    const auto cpuBefore = test::cpuMilliseconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    QApplication::exec();
    const double cpuMs = double(test::cpuMilliseconds() - cpuBefore);
    const double wallMs = double(wall.elapsed());

    std::printf("%.0f s: %lld ms of CPU, %d refreshes, %zu pings\n", wallMs / 1000, static_cast<long long>(cpuMs),
                bench.list.connectionCount() - connections, bench.net->echoes().size() - echoes);
    bench::result("idle CPU, share of one core", 100 * cpuMs / wallMs, "%");
    bench::result("idle CPU per minute", cpuMs / wallMs * 60000, "ms");
    return 0;
}
