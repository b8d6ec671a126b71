// List servers that misbehave for long: the window must stay light, never wait on them, and list
// a sane server again as soon as one answers. How long a tick takes is measured by
// bench/hostilelist_bench.
#include "processstats.h"
#include "stallprobe.h"
#include "windowfixture.h"

using velberd::test::FakeListServer;
using velberd::test::ProcessStats;
using velberd::test::saneList;
using velberd::test::StallProbe;
using velberd::test::WindowFixture;

namespace {

QStringList saneNames(int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("Sane%1").arg(i);
    return names;
}

// Catches the window's thread waiting on the list server, which holds it for as long as the wait's
// time-out; a busy machine running the sanitizers stays far below this.
constexpr double kHangMs = 1000;

// AddressSanitizer holds freed memory back in quarantine, so RSS says nothing about leaks there;
// its leak checker does that job instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

} // namespace

class HostileListTests : public QObject {
    Q_OBJECT
private slots:
    void oneByteASecondIsListedAsItComes();
    void refreshCutsOffADrip();
    void thousandsOfRefreshesStayBounded_data();
    void thousandsOfRefreshesStayBounded();
};

void HostileListTests::oneByteASecondIsListedAsItComes() {
    FakeListServer list;
    list.serve({"1", "]", " ", "J", "z"}, FakeListServer::Ending::StayOpen, 1000);
    WindowFixture f(nullptr, list.port());
    f.finishStartup();
    StallProbe probe;
    probe.start();
    f.refreshList();
    // Every byte rebuilds the list from the reply so far: first an entry without its name marker.
    QTRY_COMPARE(f.items("List2"), QStringList{""});
    QTRY_COMPARE_WITH_TIMEOUT(f.items("List2"), QStringList{"J"}, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(f.items("List2"), QStringList{"Jz"}, 5000);
    probe.stop();
    QVERIFY2(probe.longestMs() < kHangMs, qPrintable(QString::number(probe.longestMs())));
    QCOMPARE(f.caption("sCounter"), QStringLiteral("1"));
}

void HostileListTests::refreshCutsOffADrip() {
    FakeListServer list;
    list.serve({"192.0.2.", "9:1 local ", "public 1 1.24   5 [1/2] ", "Late\r\n"}, FakeListServer::Ending::StayOpen,
               1000);
    WindowFixture f(nullptr, list.port());
    f.finishStartup();
    f.refreshList();
    QTRY_COMPARE(f.items("List2"), QStringList{""});

    list.serve({saneList(2)});
    f.refreshList();
    QTRY_COMPARE(f.items("List2"), saneNames(2));
    // The rest of the drip still reaches the old connection's peer; none of it may show.
    QTest::qWait(3500);
    QCOMPARE(f.items("List2"), saneNames(2));
    QCOMPARE(list.connectionCount(), 2);
}

void HostileListTests::thousandsOfRefreshesStayBounded_data() {
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<int>("ending");
    QTest::addColumn<int>("listed");

    const QByteArray garbage = QByteArray("\x00\xff\r\x80\n", 5).repeated(2000);
    QTest::newRow("garbage, never closing") << QList<QByteArray>{garbage} << int(FakeListServer::Ending::StayOpen) << 1;
    QTest::newRow("half a list, reset") << QList<QByteArray>{saneList(11).left(300)}
                                        << int(FakeListServer::Ending::Reset) << 6;
    QTest::newRow("a full list, closed") << QList<QByteArray>{saneList(11)} << int(FakeListServer::Ending::Close) << 11;
}

// Ten thousand ticks are more than thirteen hours of refreshes, driven as fast as the loopback
// connections allow. The memory and descriptors of one connection must not outlive the next tick.
// Under Wine a connection costs many times more; there two thousand ticks show a leaked handle.
void HostileListTests::thousandsOfRefreshesStayBounded() {
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(int, ending);
    QFETCH(int, listed);
    FakeListServer list;
    list.serve(pieces, FakeListServer::Ending(ending), 0);
    WindowFixture f(nullptr, list.port());
    f.finishStartup();

    auto* list2 = f.control<QListWidget>("List2");
#ifdef Q_OS_WIN
    constexpr int kTicks = 2000;
#else
    constexpr int kTicks = 10000;
#endif
    constexpr int kWarmUp = 500;
    // Allocators keep some of what they have been given back; a leak of even 1 KiB a tick is 10 MB.
    constexpr qint64 kRssGrowthKiB = 4 * 1024;
    ProcessStats before;
    for (int i = 0; i < kTicks; ++i) {
        if (i == kWarmUp) before = ProcessStats::now();
        f.refreshList();
        QCoreApplication::processEvents();
        if (i % 1000 == 999) {
            // Now and then a reply is let through whole, to show the ticks do reach the server.
            list2->addItem(QStringLiteral("stale"));
            f.refreshList();
            QTRY_COMPARE(list2->count(), listed);
            QVERIFY(list2->findItems(QStringLiteral("stale"), Qt::MatchExactly).isEmpty());
        }
    }
    QTest::qWait(200);
    const auto after = ProcessStats::now();
    const QString figures = QStringLiteral("connections %1, RSS %2 -> %3 KiB, descriptors %4 -> %5")
                                .arg(list.connectionCount())
                                .arg(before.rssKiB)
                                .arg(after.rssKiB)
                                .arg(before.openFiles)
                                .arg(after.openFiles);
    qInfo().noquote() << figures;
    QVERIFY2(list.connectionCount() > kTicks / 2, qPrintable(figures));
    if (!kUnderAddressSanitizer) QVERIFY2(after.rssKiB - before.rssKiB < kRssGrowthKiB, qPrintable(figures));
    QVERIFY2(after.openFiles <= before.openFiles + 2, qPrintable(figures));

    list.serve({saneList(3)});
    f.refreshList();
    QTRY_COMPARE(f.items("List2"), saneNames(3));
    QCOMPARE(f.caption("sCounter"), QStringLiteral("3"));
}

QTEST_MAIN(HostileListTests)
#include "hostilelisttests.moc"
