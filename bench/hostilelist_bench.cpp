// How long a refresh tick holds the window's thread while the list server misbehaves: binary
// garbage on a connection that never closes, half a list and then a reset, and a whole list, each
// through ten thousand ticks driven as fast as the loopback connections allow; and the longest
// stall while a list server drips its reply a byte a second.
#include "benchwindow.h"
#include "report.h"
#include "stallprobe.h"

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <algorithm>
#include <cstdio>

using namespace velberd;

namespace {

constexpr int kTicks = 10000;

double longestTick(bench::BenchWindow& bench, const QByteArray& reply, test::FakeListServer::Ending ending) {
    bench.list.serve({reply}, ending, 0);
    double longestMs = 0;
    QElapsedTimer tick;
    for (int i = 0; i < kTicks; ++i) {
        tick.start();
        bench.refreshList();
        QCoreApplication::processEvents();
        longestMs = std::max(longestMs, tick.nsecsElapsed() / 1e6);
    }
    return longestMs;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::BenchWindow bench;
    bench.window->show();
    if (!QTest::qWaitForWindowExposed(bench.window.get())) return 1;
    bench.finishStartup();
    if (!bench.refresh()) return 1;

    using Ending = test::FakeListServer::Ending;
    const QByteArray garbage = QByteArray("\x00\xff\r\x80\n", 5).repeated(2000);
    const double garbageMs = longestTick(bench, garbage, Ending::StayOpen);
    const double resetMs = longestTick(bench, test::saneList(11).left(300), Ending::Reset);
    const double wholeMs = longestTick(bench, test::saneList(11), Ending::Close);
    std::printf("%d ticks each: longest tick %.2f ms (garbage, never closing), %.2f ms (half a list, reset), "
                "%.2f ms (a whole list, closed)\n",
                kTicks, garbageMs, resetMs, wholeMs);

    bench.list.serve({"1", "]", " ", "J", "z"}, Ending::StayOpen, 1000);
    test::StallProbe probe;
    probe.start();
    bench.refreshList();
    // A plain event loop: QTest::qWait sleeps between its rounds and would hide the beats.
    QEventLoop loop;
    QTimer::singleShot(5500, &loop, &QEventLoop::quit);
    loop.exec();
    probe.stop();
    std::printf("a byte a second: longest stall %.2f ms over %lld beats\n", probe.longestMs(),
                static_cast<long long>(probe.beats()));

    bench::result("longest refresh tick, garbage never closing", garbageMs, "ms");
    bench::result("longest refresh tick, half a list then reset", resetMs, "ms");
    bench::result("longest refresh tick, a whole list", wholeMs, "ms");
    bench::result("longest stall, a byte a second", probe.longestMs(), "ms");
    return 0;
}
