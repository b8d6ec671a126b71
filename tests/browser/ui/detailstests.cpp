#include "gamefolder.h"
#include "listedwindow.h"
#include "standingameserver.h"

#include <QFocusEvent>
#include <QPushButton>
#include <functional>

using velberd::test::GameFolder;
using velberd::test::ListedWindow;

Q_DECLARE_METATYPE(velberd::test::StandInGameServer::Answer)

namespace {

const QByteArray kPublic = "192.0.2.10:10052 local public 1 1.24   125 [3/32] Rabbit Run";
const QByteArray kPrivate = "198.51.100.20:10052 local private 2 1.23   59.6 [1/8] Secret Den";
const QByteArray kSecond = "192.0.2.77:10052 local public 1 1.21   5 [1/2] Second";

} // namespace

class DetailsTests : public QObject {
    Q_OBJECT
private slots:
    void selectionShowsEveryField_data();
    void selectionShowsEveryField();
    void noShownAddressKeepsNothingOfTheLastServer_data();
    void noShownAddressKeepsNothingOfTheLastServer();
    void hostNameIsTheSelectedServers();
    void pingIsTheSelectedServers();
    void pingTickWaitsForThePingsOut_data();
    void pingTickWaitsForThePingsOut();
    void gamePingMeasuresWhatIcmpDoesNot_data();
    void gamePingMeasuresWhatIcmpDoesNot();
    void gamePingIsTheSelectedServers();
    void gamePingHoldsAcrossListRefreshes_data();
    void gamePingHoldsAcrossListRefreshes();
    void pingTicksFollowTheSelection();
    void socketLibraryFaultsAreReported_data();
    void socketLibraryFaultsAreReported();
    void movingOnShowsOnlyTheCurrentServer();
    void hiddenEntryListShowsItsHeader();
    void focusAloneSelectsNothing_data();
    void focusAloneSelectsNothing();
    void serverTextIsShownAsSent();
};

// How an entry's fields read is the details reader's rule, tested with it; here the window shows
// each field, enables Join, follows the version with the game path and joins what it shows.
void DetailsTests::selectionShowsEveryField_data() {
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QStringList>("captions"); // Label15 SNa IPa PCo VRe GTy SUp
    QTest::addColumn<bool>("join");
    QTest::addColumn<int>("gamePath");        // Combo1's index after the selection
    QTest::addColumn<QStringList>("started"); // Join's arguments; empty when nothing starts
    QTest::newRow("race TSF") << QByteArray("192.0.2.10:10052 local public race 1.24   31 [2/4] Speed Run")
                              << QStringList{"Speed Run", "public ", "192.0.2.10", "2/4", "TSF", "Race", "0:31"} << true
                              << 1 << QStringList{"-nospy", "-fullscreen", "-sound", "-connect", "192.0.2.10"};
    QTest::newRow("private treasure 1.23")
        << QByteArray("198.51.100.20:10052 local private treasure 1.23   59.6 [1/8] Secret Den")
        << QStringList{"Secret Den", "private", "restricted", "1/8", "1.23", "Treasure", "1:00"} << false << 0
        << QStringList{};
    // No game path is chosen, so Join says so and starts nothing.
    QTest::newRow("no three spaces: no version, the path left as it is")
        << QByteArray("192.0.2.15:10052 local public coop 1.24 5 [1/2] Tight")
        << QStringList{"Tight", "public ", "192.0.2.15", "1/2", "x", "Coop", "x"} << true << -1 << QStringList{};
    // Join is given the address shown, which the launch refuses.
    QTest::newRow("a switch for an address")
        << QByteArray("-Log=..\\..\\x:10052 local public race 1.24   5 [1/2] Sly")
        << QStringList{"Sly", "public ", "-Log=..\\..\\x", "1/2", "TSF", "Race", "0:05"} << true << 1 << QStringList{};
}

void DetailsTests::selectionShowsEveryField() {
    QFETCH(QByteArray, entry);
    QFETCH(QStringList, captions);
    QFETCH(bool, join);
    QFETCH(int, gamePath);
    QFETCH(QStringList, started);
    const GameFolder games;
    const auto dirs = games.dirsTxt();
    ListedWindow f({entry}, &dirs);
    f.clickRow(0);
    const char* labels[] = {"Label15", "SNa", "IPa", "PCo", "VRe", "GTy", "SUp"};
    QStringList shown;
    for (const char* label : labels)
        shown << f.caption(label);
    QCOMPARE(shown, captions);
    QCOMPARE(f.control("Command1")->isEnabled(), join);
    QCOMPARE(f.control<QComboBox>("Combo1")->currentIndex(), gamePath);

    f.window->joinSelectedServer();
    QCOMPARE(f.processes->started.size(), started.isEmpty() ? 0 : 1);
    if (started.isEmpty()) return;
    const auto programs = QString::fromLocal8Bit(dirs).split(QStringLiteral("\r\n"));
    QCOMPARE(f.processes->started[0].program, programs.at(gamePath));
    QCOMPARE(f.processes->started[0].arguments, started);
}

void DetailsTests::noShownAddressKeepsNothingOfTheLastServer_data() {
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("ping");
    QTest::addColumn<QString>("hosts");
    QTest::addColumn<QString>("echoed"); // what the selection and a tick send; empty for nothing
    // A private server is still matched by its real address, though it is not shown.
    QTest::newRow("private") << kPrivate << "restricted"
                             << "1/8"
                             << "no reply"
                             << "Quillfire or Mossgrin"
                             << "restricted|test";
    QTest::newRow("no colon, no brackets")
        << QByteArray("198.51.100.20 10052 local public race 1.24   5 Colonless") << "x"
        << "x"
        << "x"
        << "x"
        << "";
}

// Host name, player count, ping and Join never stay with the server selected before.
void DetailsTests::noShownAddressKeepsNothingOfTheLastServer() {
    QFETCH(QByteArray, entry);
    QFETCH(QString, address);
    QFETCH(QString, count);
    QFETCH(QString, ping);
    QFETCH(QString, hosts);
    QFETCH(QString, echoed);
    ListedWindow f({kPublic, entry});
    f.net->setHostName("192.0.2.10", "cpe-10.dyn.harbourline.net");
    f.net->setHostName("198.51.100.20", "host20.static.harbourline.net");
    f.net->setRoundTrip("192.0.2.10", 47);
    f.clickRow(0);
    QTRY_COMPARE(f.caption("HOs"), QStringLiteral("cpe-10.dyn.harbourline.net"));
    QTRY_COMPARE(f.caption("HSt"), QStringLiteral("Carrotbane"));
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("47 ms"));
    const auto before = f.net->echoes().size();

    f.clickRow(1);
    QCOMPARE(f.caption("IPa"), address);
    QCOMPARE(f.caption("PCo"), count);
    QCOMPARE(f.caption("HOs"), QStringLiteral("x"));
    QTRY_COMPARE(f.caption("PIn"), ping);
    QTRY_COMPARE(f.caption("HSt"), hosts);
    f.window->pingSelectedServer();
    QTest::qWait(100);
    QSet<QString> sent;
    const auto echoes = f.net->echoes();
    for (auto i = before; i < echoes.size(); ++i)
        sent << QString::fromStdString(echoes[i]);
    QCOMPARE(sent, echoed.isEmpty() ? QSet<QString>{} : QSet<QString>{echoed});

    // Even if the click came through, nothing starts.
    f.window->joinSelectedServer();
    QVERIFY(f.processes->started.isEmpty());
}

// "Hostname:" reads "x" from the moment the player moves on until this server's own lookup
// answers; the answer of a lookup for a server left before never shows. One lookup names the
// address shown and finds the probable hosts when the two addresses are the same.
void DetailsTests::hostNameIsTheSelectedServers() {
    ListedWindow f({kPublic, kSecond});
    f.net->setHostName("192.0.2.10", "cpe-10.dyn.harbourline.net");
    f.net->setHostName("192.0.2.77", "c.fiber.kestrelnet.com");
    f.clickRow(1);
    QTRY_COMPARE(f.caption("HSt"), QStringLiteral("Kipper"));
    QCOMPARE(f.caption("HOs"), QStringLiteral("c.fiber.kestrelnet.com"));
    QCOMPARE(f.net->lookups(), std::vector<std::string>{"192.0.2.77"});

    // The first server's lookup now takes a while; the player moves on while it runs.
    f.net->setHostName("192.0.2.10", "cpe-10.dyn.harbourline.net", 300);
    f.clickRow(0);
    QCOMPARE(f.caption("HOs"), QStringLiteral("x"));
    QCOMPARE(f.caption("HSt"), QStringLiteral("x"));
    QTRY_COMPARE(f.net->lookups().size(), std::size_t(2));
    f.net->holdLookups();
    f.clickRow(1);
    QCOMPARE(f.caption("HOs"), QStringLiteral("x"));
    QTRY_COMPARE(f.net->answeredLookups(), 2);
    // The answer for the server left behind has been posted back by now, and is dropped.
    QTest::qWait(100);
    QCOMPARE(f.caption("HOs"), QStringLiteral("x"));
    QCOMPARE(f.caption("HSt"), QStringLiteral("x"));

    f.net->releaseLookups();
    QTRY_COMPARE(f.caption("HSt"), QStringLiteral("Kipper"));
    QCOMPARE(f.caption("HOs"), QStringLiteral("c.fiber.kestrelnet.com"));
    QCOMPARE(f.net->lookups(), (std::vector<std::string>{"192.0.2.77", "192.0.2.10", "192.0.2.77"}));
}

// "Ping:" reads "x" from the moment the player moves on until this server's own echo is back; an
// echo for a server left before, sent by the selection or by a tick, never shows.
void DetailsTests::pingIsTheSelectedServers() {
    ListedWindow f({kPublic, kSecond});
    f.net->setRoundTrip("192.0.2.10", 30);
    f.net->setRoundTrip("192.0.2.77", 80);
    f.clickRow(0);
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("30 ms"));

    const auto moveOnWhileTheEchoIsOut = [&](const std::function<void()>& sendEcho) {
        const auto sent = f.net->echoes().size();
        f.net->setEchoDelay(200);
        sendEcho();
        QTRY_COMPARE(f.net->echoes().size(), sent + 1);
        f.net->holdEchoes();
        f.clickRow(1);
        QCOMPARE(f.caption("PIn"), QStringLiteral("x"));
        // One echo is out at a time: the second server's has started, so the first one's answer
        // has been posted back, and is dropped.
        QTRY_COMPARE(f.net->echoes().size(), sent + 2);
        QCoreApplication::processEvents();
        QCOMPARE(f.caption("PIn"), QStringLiteral("x"));
        f.net->setEchoDelay(0);
        f.net->releaseEchoes();
        QTRY_COMPARE(f.caption("PIn"), QStringLiteral("80 ms"));
    };
    moveOnWhileTheEchoIsOut([&] { f.window->pingSelectedServer(); });
    if (QTest::currentTestFailed()) return;
    f.net->setRoundTrip("192.0.2.10", 31);
    moveOnWhileTheEchoIsOut([&] { f.clickRow(0); });
}

namespace {

using velberd::test::StandInGameServer;

// A server on loopback at the stand-in's port; its game pings are sent for real.
QByteArray standInEntry(const StandInGameServer& server, const char* name) {
    return "127.0.0.1:" + QByteArray::number(server.port()) + " local public race 1.24   5 [1/2] " + name;
}

int milliseconds(const QString& caption) {
    return caption.endsWith(QLatin1String(" ms")) ? caption.chopped(3).toInt() : -1;
}

} // namespace

// The echo gets no answer (or cannot be sent); the game's own ping, to a stand-in game server on
// loopback, measures the server. Which datagrams answer it is the game ping's rule, tested with it;
// here one that does not shows as no reply.
void DetailsTests::gamePingMeasuresWhatIcmpDoesNot_data() {
    QTest::addColumn<StandInGameServer::Answer>("answer");
    QTest::addColumn<bool>("echoService");
    QTest::addColumn<bool>("measured"); // false: "no reply"
    using Answer = StandInGameServer::Answer;
    QTest::newRow("ICMP dropped") << Answer::Right << true << true;
    QTest::newRow("no ICMP permission") << Answer::Right << false << true;
    QTest::newRow("wrong checksum") << Answer::WrongChecksum << true << false;
}

void DetailsTests::gamePingMeasuresWhatIcmpDoesNot() {
    QFETCH(StandInGameServer::Answer, answer);
    QFETCH(bool, echoService);
    QFETCH(bool, measured);
    constexpr int kDelayMs = 30;
    const StandInGameServer server(answer, std::chrono::milliseconds(kDelayMs), 2'000);
    ListedWindow f({standInEntry(server, "Stand-in")});
    f.net->sendGamePingsOnLoopback();
    f.net->setEchoServiceOpens(echoService);
    f.clickRow(0);
    QTRY_VERIFY(f.caption("PIn") != QLatin1String("x"));
    QCOMPARE(server.requests(), 1);
    if (!measured) {
        QCOMPARE(f.caption("PIn"), QStringLiteral("no reply"));
        return;
    }
    QVERIFY2(milliseconds(f.caption("PIn")) >= kDelayMs, qPrintable(f.caption("PIn")));
    QVERIFY(milliseconds(f.caption("PIn")) < velberd::net::kGamePingTimeoutMs);
    QVERIFY(f.control("PIn")->toolTip().startsWith(QLatin1String("measured with the game's own ping")));
}

// Once the player moves on, the game pings go to the new server alone, and the old server's late
// answer never shows.
void DetailsTests::gamePingIsTheSelectedServers() {
    using Answer = StandInGameServer::Answer;
    const StandInGameServer slow(Answer::Right, std::chrono::milliseconds(600));
    const StandInGameServer quick(Answer::Right);
    ListedWindow f({standInEntry(slow, "Slow"), standInEntry(quick, "Quick")});
    f.net->sendGamePingsOnLoopback();
    f.clickRow(0);
    QTRY_COMPARE(slow.requests(), 1);
    f.clickRow(1);
    QTRY_VERIFY(milliseconds(f.caption("PIn")) >= 0);
    const QString shown = f.caption("PIn");
    QTRY_COMPARE(slow.answers(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(f.caption("PIn"), shown);

    // Ticks, sent whenever the last round is back, ping the quick server alone.
    QTRY_VERIFY((f.window->pingSelectedServer(), quick.requests() >= 3));
    QCOMPARE(slow.requests(), 1);
}

void DetailsTests::gamePingHoldsAcrossListRefreshes_data() {
    QTest::addColumn<bool>("echoService");
    QTest::newRow("ICMP dropped") << true;
    QTest::newRow("no ICMP rights") << false;
}

// A server that only the game's ping measures stays measured while the details show it: every
// tick pings its game port again, across a refresh that lists it elsewhere and one that drops it.
void DetailsTests::gamePingHoldsAcrossListRefreshes() {
    QFETCH(bool, echoService);
    ListedWindow f({kSecond, kPublic});
    f.net->setEchoServiceOpens(echoService);
    f.net->setGameRoundTrip("192.0.2.10", 40);
    f.clickRow(1);
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("40 ms"));
    const struct {
        QByteArray reply;
        QStringList listed;
    } refreshes[] = {{kPublic + "\r\n" + kSecond + "\r\n", {"Rabbit Run", "Second"}}, {kSecond + "\r\n", {"Second"}}};
    std::uint32_t roundTrip = 40;
    for (const auto& refresh : refreshes) {
        f.server.serve({refresh.reply});
        f.refreshList();
        QTRY_COMPARE(f.items("List2"), refresh.listed);
        f.net->setGameRoundTrip("192.0.2.10", ++roundTrip);
        QTRY_VERIFY((f.window->pingSelectedServer(), f.caption("PIn") == QString::number(roundTrip) + " ms"));
        QCOMPARE(f.net->gamePings().back(), std::string("192.0.2.10:10052"));
    }
    QCOMPARE(f.caption("Label15"), QStringLiteral("Rabbit Run"));
}

void DetailsTests::pingTickWaitsForThePingsOut_data() {
    QTest::addColumn<int>("echoDelayMs");
    QTest::addColumn<int>("gameDelayMs");
    QTest::newRow("an echo out") << 300 << 0;
    QTest::newRow("a game ping out") << 0 << 300;
}

// Ticks while an echo or a game ping is out send nothing, so pings never pile up behind a slow server.
void DetailsTests::pingTickWaitsForThePingsOut() {
    QFETCH(int, echoDelayMs);
    QFETCH(int, gameDelayMs);
    const StandInGameServer server(StandInGameServer::Answer::Right, std::chrono::milliseconds(gameDelayMs));
    ListedWindow f({standInEntry(server, "Slow")});
    f.net->sendGamePingsOnLoopback();
    f.net->setRoundTrip("127.0.0.1", 30);
    f.clickRow(0);
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("30 ms"));

    // Two ticks while the server is slow: the first pings, the second finds a ping still out.
    f.net->setRoundTrip("127.0.0.1", 31);
    f.net->setEchoDelay(echoDelayMs);
    QTRY_VERIFY((f.window->pingSelectedServer(), server.requests() == 2 && f.net->echoes().size() == 2));
    f.window->pingSelectedServer();
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("31 ms"));
    QTRY_COMPARE(server.answers(), 2);
    // Time for a ping queued behind the first to be sent: it would start as the first one ends.
    QTest::qWait(300);
    QCOMPARE(f.net->echoes().size(), std::size_t(2));
    QCOMPARE(server.requests(), 2);
}

void DetailsTests::pingTicksFollowTheSelection() {
    ListedWindow f({kPublic, "192.0.2.77:10052 local public 1 1.21   5 [1/2] Second"});
    f.net->setRoundTrip("192.0.2.10", 30);
    f.net->setRoundTrip("192.0.2.77", 80);
    auto* pinger = f.timer("Pinger");
    QVERIFY(!pinger->isActive());
    f.clickRow(0);
    QTRY_VERIFY(pinger->isActive());
    QCOMPARE(pinger->interval(), 2000);
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("30 ms"));

    f.net->setRoundTrip("192.0.2.10", 31);
    f.window->pingSelectedServer();
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("31 ms"));

    f.clickRow(1);
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("80 ms"));
    f.net->setRoundTrip("192.0.2.77", 81);
    f.window->pingSelectedServer();
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("81 ms"));
    QCOMPARE(f.net->echoes().back(), std::string("192.0.2.77|test"));

    // A server that stops answering reads "no reply" on the next tick of the two-second timer.
    f.net->setRoundTrip("192.0.2.77", std::nullopt);
    QTRY_COMPARE_WITH_TIMEOUT(f.caption("PIn"), QStringLiteral("no reply"), 2000 + 5000);
    QCOMPARE(f.net->openSessions(), 0);
}

void DetailsTests::socketLibraryFaultsAreReported_data() {
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("style"); // MessagePresenter::Style
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ping");
    QTest::addColumn<int>("afterTick"); // messages once a tick has been sent
    using Style = velberd::MessagePresenter::Style;
    // A socket library that never starts is told of on the selection alone, and nothing pings on.
    QTest::newRow("refused") << false << int(Style::Plain)
                             << "Windows Sockets for 32 bit Windows environments is not successfully responding."
                             << "x" << 1;
    QTest::newRow("cleanup fails") << true << int(Style::Exclamation) << "Windows Sockets error occurred in Cleanup."
                                   << "12 ms" << 2;
}

void DetailsTests::socketLibraryFaultsAreReported() {
    QFETCH(bool, opens);
    QFETCH(int, style);
    QFETCH(QString, text);
    QFETCH(QString, ping);
    QFETCH(int, afterTick);
    ListedWindow f({kPublic});
    f.net->setRoundTrip("192.0.2.10", 12);
    f.net->setSessionOpens(opens);
    f.net->setSessionCloses(false);
    f.clickRow(0);
    QTRY_COMPARE(f.messages->shown.size(), 1);
    QCOMPARE(f.messages->shown.first(), qMakePair(velberd::MessagePresenter::Style(style), text));
    QCOMPARE(f.caption("PIn"), ping);
    QCOMPARE(f.timer("Pinger")->isActive(), opens);

    f.window->pingSelectedServer();
    QTRY_COMPARE(f.messages->shown.size(), afterTick);
    QTest::qWait(100);
    QCOMPARE(f.messages->shown.size(), afterTick);
    QCOMPARE(f.caption("PIn"), ping);
}

// The player clicks through the list forty times while the resolver answers nothing and each echo
// takes half a second: every click is handled at once, the last server's ping shows as soon as its
// echo is back, one echo is out at a time, and no result for a server left behind is ever shown.
void DetailsTests::movingOnShowsOnlyTheCurrentServer() {
    // The first is private: its probable hosts come from a lookup with no host name before it.
    ListedWindow f({"192.0.2.1:10052 local private race 1.24   5 [1/2] First",
                    "198.51.100.2:10052 local public race 1.24   5 [1/2] Second",
                    "192.0.2.3:10052 local public race 1.24   5 [1/2] Third",
                    "203.0.113.4:10052 local public race 1.24   5 [1/2] Fourth"});
    const QStringList names{"First", "Second", "Third", "Fourth"};
    const char* addresses[] = {"192.0.2.1", "198.51.100.2", "192.0.2.3", "203.0.113.4"};
    const char* hostNames[] = {"a.dyn.harbourline.net", "b.cable.harbourline.net", "c.fiber.kestrelnet.com",
                               "d.dialin.vossberg-kabel.de"};
    // The last server's own lookup is slow, so that results for the others land before it.
    for (int i = 0; i < 4; ++i) {
        f.net->setHostName(addresses[i], hostNames[i], i == 3 ? 300 : 0);
        f.net->setRoundTrip(addresses[i], static_cast<std::uint32_t>(11 * (i + 1)));
    }
    f.net->setEchoDelay(500);
    f.net->holdLookups();

    // The player stays on each of the first four servers until its lookup is asked, so that as many
    // lookups hang as there are threads for them, then clicks on quickly.
    for (int i = 0; i < 4; ++i) {
        f.clickRow(i);
        QTRY_COMPARE(f.net->lookups().size(), std::size_t(i + 1));
    }
    constexpr int kSelections = 40;
    for (int i = 4; i < kSelections; ++i) {
        f.clickRow(i % 4);
        QCOMPARE(f.caption("Label15"), names[i % 4]);
        f.window->pingSelectedServer();
    }
    const QStringList last{"44 ms", "d.dialin.vossberg-kabel.de", "Blinkstep"};
    QSet<QString> seen;
    const auto watch = [&] {
        for (const char* label : {"PIn", "HOs", "HSt"})
            seen << f.caption(label);
        return f.caption("PIn") == last[0];
    };
    // At most the echo under way and then its own, a second; echoes queued for every click would
    // take eighteen.
    QVERIFY(QTest::qWaitFor(watch, 6000));
    f.net->releaseLookups();
    QVERIFY(QTest::qWaitFor([&] { return watch() && f.caption("HSt") == last[2]; }, 5000));
    QTest::qWait(600);
    watch();
    QCOMPARE(f.net->mostEchoesAtOnce(), 1);
    QCOMPARE(seen, QSet<QString>({"x", last[0], last[1], last[2]}));
}

void DetailsTests::hiddenEntryListShowsItsHeader() {
    ListedWindow f({kPublic, kPrivate});
    auto* list1 = f.control<QListWidget>("List1");
    QVERIFY(list1->isHidden());
    QCOMPARE(list1->focusPolicy(), Qt::NoFocus);

    list1->setCurrentRow(1);
    QFocusEvent focusIn(QEvent::FocusIn);
    QCoreApplication::sendEvent(list1, &focusIn);
    QCOMPARE(f.caption("SNa"), QStringLiteral("private"));
    QCOMPARE(f.caption("IPa"), QStringLiteral("restricted"));
    QCOMPARE(f.caption("Label15"), QStringLiteral("Secret Den"));
    QVERIFY(!f.control("Command1")->isEnabled());

    list1->setCurrentRow(0);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(list1, &key);
    QCOMPARE(f.caption("Label15"), QStringLiteral("Rabbit Run"));
    QCOMPARE(f.caption("IPa"), QStringLiteral("192.0.2.10"));
    QVERIFY(f.control("Command1")->isEnabled());

    // Nothing current: an empty header, Join enabled, no address.
    list1->setCurrentRow(-1);
    QFocusEvent focusOut(QEvent::FocusOut);
    QCoreApplication::sendEvent(list1, &focusOut);
    QCOMPARE(f.caption("SNa"), QString());
    QCOMPARE(f.caption("Label15"), QString());
    QCOMPARE(f.caption("IPa"), QStringLiteral("x"));
}

void DetailsTests::focusAloneSelectsNothing_data() {
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("listKeepsFocus"); // the list has the focus while it refreshes
    for (const int reason :
         {Qt::MouseFocusReason, Qt::TabFocusReason, Qt::BacktabFocusReason, Qt::ActiveWindowFocusReason,
          Qt::PopupFocusReason, Qt::ShortcutFocusReason, Qt::MenuBarFocusReason, Qt::OtherFocusReason}) {
        for (const bool listKeepsFocus : {false, true})
            QTest::addRow("reason %d%s", reason, listKeepsFocus ? ", list focused" : "") << reason << listKeepsFocus;
    }
}

// A refresh clears the selection but keeps the details shown; no focus change after it, the
// window's coming back included, picks a server the player did not click.
void DetailsTests::focusAloneSelectsNothing() {
    QFETCH(int, reason);
    QFETCH(bool, listKeepsFocus);
    ListedWindow f({kPublic, kPrivate});
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.clickRow(1);
    QTRY_COMPARE(f.caption("SNa"), QStringLiteral("private"));
    f.control(listKeepsFocus ? "List2" : "Command1")->setFocus();
    f.refreshList();
    QTRY_COMPARE(f.control<QListWidget>("List2")->currentRow(), -1);

    QFocusEvent focusIn(QEvent::FocusIn, Qt::FocusReason(reason));
    QCoreApplication::sendEvent(f.control("List2"), &focusIn);
    QCoreApplication::processEvents();
    QCOMPARE(f.control<QListWidget>("List2")->currentRow(), -1);
    QVERIFY(f.control<QListWidget>("List2")->selectedItems().isEmpty());
    QCOMPARE(f.caption("SNa"), QStringLiteral("private"));
    QCOMPARE(f.caption("Label15"), QStringLiteral("Secret Den"));
}

void DetailsTests::serverTextIsShownAsSent() {
    ListedWindow f({"192.0.2.10:10052 local public 1 1.24   125 [<b>3</b>/32] Fun &lt;b&gt;CTF</b>"});
    f.clickRow(0);
    QCOMPARE(f.caption("Label15"), QStringLiteral("Fun &lt;b&gt;CTF</b>"));
    QCOMPARE(f.caption("PCo"), QStringLiteral("<b>3</b>/32"));
    for (const char* label : {"Label15", "PCo", "SNa", "IPa", "SUp", "HOs", "VRe", "GTy", "HSt", "PIn"})
        QCOMPARE(f.control<QLabel>(label)->textFormat(), Qt::PlainText);
}

QTEST_MAIN(DetailsTests)
#include "detailstests.moc"
