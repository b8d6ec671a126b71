// The longest time the user-interface thread is kept from its events while a game server floods
// Velberd's questions to its game port with 20 000 datagrams that are no answer (junk, wrong
// checksums, wrong types, answers from another port): first the game ping, the echo getting no
// answer, then the status query. A 1 ms heartbeat on that thread measures it. Loopback only: the
// flooding server is a stand-in.
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

// The window asks the flooding server every 100 ms whenever its last question is over.
bool measure(const test::AnswerStyle& style, const char* question, const char* figure) {
    const test::StandInGameServer flooder(style);
    const QByteArray entry =
        "127.0.0.1:" + QByteArray::number(flooder.port()) + " local public battle 1.24   67 [1/32] Flooded Arena\r\n";
    bench::BenchWindow bench(30, 0, entry);
    bench.net->sendGamePingsOnLoopback();
    bench.window->show();
    if (!QTest::qWaitForWindowExposed(bench.window.get())) return false;
    bench.finishStartup();
    if (!bench.refresh(1)) return false;
    auto* list2 = bench.list2();
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, {}, list2->visualItemRect(list2->item(0)).center());

    test::StallProbe probe;
    QTimer pings;
    QObject::connect(&pings, &QTimer::timeout, [&] { bench.window->pingSelectedServer(); });
    probe.start();
    if (style.status == test::StatusAnswer::Flood)
        bench.timer("StatusTimer")->setInterval(100);
    else
        pings.start(100);
    QEventLoop loop;
    QTimer::singleShot(kPhaseMs, &loop, &QEventLoop::quit);
    loop.exec();
    probe.stop();
    const int floods = style.status == test::StatusAnswer::Flood ? flooder.statusRequests() : flooder.requests();
    std::printf("%d floods of %d datagrams a %s: longest stall %6.2f ms over %lld beats\n", floods, kFloodSize,
                question, probe.longestMs(), static_cast<long long>(probe.beats()));
    bench::result(figure, probe.longestMs(), "ms");
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool measured = measure({test::PingAnswer::Flood, test::StatusAnswer::None, kFloodSize}, "game ping",
                                  "longest stall, 20 000 junk datagrams a game ping") &&
                          measure({test::PingAnswer::Nothing, test::StatusAnswer::Flood, kFloodSize}, "status query",
                                  "longest stall, 20 000 junk datagrams a status query");
    return measured ? 0 : 1;
}
