// The longest time the user-interface thread is kept from its events while the services are slow:
// a resolver that takes 3 s for every lookup and a server that never answers an echo (500 ms
// each). A 1 ms heartbeat on that thread measures it, first with nothing to do, then while the
// player clicks through the list, then while the ping timer ticks and the list refreshes.
#include "benchwindow.h"
#include "report.h"
#include "stallprobe.h"

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <cstdio>

using namespace velberd;

namespace {

constexpr int kPhaseMs = 10000;

// Runs `action` every `intervalMs` for a phase and gives the longest stall the probe saw.
template <typename Action> double longestStall(int intervalMs, Action action, qint64& beats) {
    test::StallProbe probe;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, action);
    probe.start();
    if (intervalMs > 0) driver.start(intervalMs);
    // A plain event loop: QTest::qWait sleeps between its rounds and would hide the beats.
    QEventLoop loop;
    QTimer::singleShot(kPhaseMs, &loop, &QEventLoop::quit);
    loop.exec();
    driver.stop();
    probe.stop();
    beats = probe.beats();
    return probe.longestMs();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::BenchWindow bench(3000, 500);
    bench.net->setRoundTrip("192.0.2.1", 0);
    for (int i = 1; i <= 11; ++i)
        bench.net->setHostName("192.0.2." + std::to_string(i), "Unknown");
    bench.window->show();
    if (!QTest::qWaitForWindowExposed(bench.window.get())) return 1;
    bench.finishStartup();
    if (!bench.refresh()) return 1;
    auto* list2 = bench.list2();

    // The first selection lays out and draws text the window has not shown before; it is a
    // one-time cost, measured on its own.
    QElapsedTimer first;
    first.start();
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, {}, list2->visualItemRect(list2->item(10)).center());
    QCoreApplication::processEvents();
    const double firstSelectionMs = first.nsecsElapsed() / 1e6;
    std::printf("first selection:     %6.2f ms with the events it caused\n", firstSelectionMs);

    qint64 beats = 0;
    const double idle = longestStall(
        0, [] {}, beats);
    std::printf("nothing to do:       longest stall %6.2f ms over %lld beats\n", idle, static_cast<long long>(beats));

    int row = 0;
    double longestClickMs = 0;
    const double selecting = longestStall(
        200,
        [&] {
            QElapsedTimer click;
            click.start();
            const auto rect = list2->visualItemRect(list2->item(row++ % 11));
            QTest::mouseClick(list2->viewport(), Qt::LeftButton, {}, rect.center());
            longestClickMs = std::max(longestClickMs, click.nsecsElapsed() / 1e6);
        },
        beats);
    std::printf("clicking every 200 ms: longest stall %6.2f ms over %lld beats, longest click %.2f ms\n", selecting,
                static_cast<long long>(beats), longestClickMs);

    bench.timer("autolist")->start(1000);
    const double pinging = longestStall(
        100, [&] { bench.window->pingSelectedServer(); }, beats);
    bench.timer("autolist")->stop();
    std::printf("pinging every 100 ms, refreshing every 1 s: longest stall %6.2f ms over %lld beats\n", pinging,
                static_cast<long long>(beats));

    bench::result("longest stall, nothing to do", idle, "ms");
    bench::result("first selection after start", firstSelectionMs, "ms");
    bench::result("longest stall, selecting", selecting, "ms");
    bench::result("longest stall, ping and refresh ticks", pinging, "ms");
    return 0;
}
