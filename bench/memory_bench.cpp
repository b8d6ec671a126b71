// Memory after start-up, and after an hour's worth of refreshes and pings driven back to back:
// 720 refreshes (one every 5 s) and 1800 pings (one every 2 s) with a server selected.
#include "benchwindow.h"
#include "processstats.h"
#include "report.h"

#include <QApplication>
#include <cstdio>

using namespace velberd;
using velberd::test::ProcessStats;

namespace {

void show(const char* when, const ProcessStats& stats) {
    std::printf("%-28s RSS %6.1f MiB  peak %6.1f MiB  threads %2d  descriptors %3d\n", when, stats.rssKiB / 1024.0,
                stats.peakRssKiB / 1024.0, stats.threads, stats.openFiles);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::BenchWindow bench;
    bench.window->show();
    bench.finishStartup();
    if (!bench.refresh()) return 1;
    bench.list2()->setCurrentRow(0);
    bench::BenchWindow::waitFor([] { return false; }, 1000);
    const auto started = ProcessStats::now();
    show("after start-up", started);

    auto* pin = bench.window->findChild<QLabel*>(QStringLiteral("PIn"));
    constexpr int kRefreshes = 720;
    int pings = 0;
    for (int i = 0; i < kRefreshes; ++i) {
        if (!bench.refresh()) {
            std::fprintf(stderr, "refresh %d did not list\n", i);
            return 1;
        }
        bench.list2()->setCurrentRow(i % 11);
        // Two and a half pings per refresh, each waited for.
        for (int p = 0; p < (i % 2 == 0 ? 3 : 2); ++p, ++pings) {
            bench.timer("Pinger")->stop();
            pin->setText(QStringLiteral("x"));
            bench.window->pingSelectedServer();
            bench::BenchWindow::waitFor([&] { return pin->text() != QLatin1String("x"); }, 2000);
        }
        if ((i + 1) % 180 == 0) {
            char when[64];
            std::snprintf(when, sizeof when, "after %d refreshes", i + 1);
            show(when, ProcessStats::now());
        }
    }
    bench::BenchWindow::waitFor([] { return false; }, 500);
    const auto hour = ProcessStats::now();
    std::printf("%d refreshes, %d pings, %d list connections\n", kRefreshes, pings, bench.list.connectionCount());
    bench::result("RSS after start-up", started.rssKiB / 1024.0, "MiB");
    bench::result("RSS after 720 refreshes", hour.rssKiB / 1024.0, "MiB");
    bench::result("RSS growth over 720 refreshes", (hour.rssKiB - started.rssKiB) / 1024.0, "MiB");
    bench::result("peak RSS", hour.peakRssKiB / 1024.0, "MiB");
    return 0;
}
