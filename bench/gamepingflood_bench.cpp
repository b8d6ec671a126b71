// The longest time the user-interface thread is kept from its events while a game server floods
// Velberd's game ping with 20 000 datagrams that are no answer (junk, wrong checksums, wrong
// sequence bytes, answers from another port) on every ping, the echo getting no answer. A 1 ms
// heartbeat on that thread measures it. Loopback only: the flooding server is a stand-in.
#include "benchwindow.h"
#include "report.h"
#include "stallprobe.h"
#include "standingameserver.h"

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <cstdio>

using namespace velberd;

namespace {

constexpr int kPhaseMs = 10000;
constexpr int kFloodSize = 20'000;

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const test::StandInGameServer flooder(test::StandInGameServer::Answer::Flood, {}, kFloodSize);
    const QByteArray entry =
        "127.0.0.1:" + QByteArray::number(flooder.port()) + " local public battle 1.24   67 [1/32] Flooded Arena\r\n";
    bench::BenchWindow bench(30, 0, entry);
    bench.net->sendGamePingsOnLoopback();
    bench.window->show();
    if (!QTest::qWaitForWindowExposed(bench.window.get())) return 1;
    bench.finishStartup();
    if (!bench.refresh(1)) return 1;
    auto* list2 = bench.list2();
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, {}, list2->visualItemRect(list2->item(0)).center());

    // Asked every 100 ms, the window sends a game ping whenever the last one is over.
    test::StallProbe probe;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] { bench.window->pingSelectedServer(); });
    probe.start();
    ticks.start(100);
    QEventLoop loop;
    QTimer::singleShot(kPhaseMs, &loop, &QEventLoop::quit);
    loop.exec();
    ticks.stop();
    probe.stop();
    const auto* ping = bench.window->findChild<QLabel*>(QStringLiteral("PIn"));
    std::printf("%d floods of %d datagrams: longest stall %6.2f ms over %lld beats; \"Ping:\" shows \"%s\"\n",
                flooder.requests(), kFloodSize, probe.longestMs(), static_cast<long long>(probe.beats()),
                qPrintable(ping->text()));
    bench::result("longest stall, 20 000 junk datagrams a game ping", probe.longestMs(), "ms");
    return 0;
}
