#include "listedwindow.h"

#include <QFocusEvent>
#include <QPushButton>

using velberd::test::ListedWindow;

namespace {

const QByteArray kPublic = "192.0.2.10:10052 local public 1 1.24   125 [3/32] Rabbit Run";
const QByteArray kPrivate = "198.51.100.20:10052 local private 2 1.23   59.6 [1/8] Secret Den";

} // namespace

class DetailsTests : public QObject {
    Q_OBJECT
private slots:
    void selectionShowsEveryField_data();
    void selectionShowsEveryField();
    void privateServerIsRestrictedButStillMatched();
    void pingTicksFollowTheSelection();
    void gamePathFollowsTheVersion();
    void refusedSocketLibraryIsReportedOnSelectionOnly();
    void failedCleanupIsReported();
    void staleLookupResultsAreDropped();
    void slowServicesNeverHoldTheWindow();
    void hiddenEntryListShowsItsHeader();
    void focusAloneSelectsNothing_data();
    void focusAloneSelectsNothing();
    void serverTextIsShownAsSent();
};

void DetailsTests::selectionShowsEveryField_data() {
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QStringList>("captions"); // Label15 SNa IPa PCo VRe GTy SUp
    QTest::addColumn<bool>("join");

    QTest::newRow("public TSF battle")
        << QByteArray("192.0.2.10:10052 local public battle 1.24   125 [3/32] Rabbit Run")
        << QStringList{"Rabbit Run", "public ", "192.0.2.10", "3/32", "TSF", "Battle", "2:05"} << true;
    QTest::newRow("mirror 1.21 ctf") << QByteArray("192.0.2.11:10052 mirror public ctf 1.21   3600 [0/16] Flag Room")
                                     << QStringList{"Flag Room", "public ", "192.0.2.11", "0/16",
                                                    "1.21",      "Capture", "60:00"}
                                     << true;
    QTest::newRow("private 1.23")
        << QByteArray("198.51.100.20:10052 local private treasure 1.23   59.6 [1/8] Secret Den")
        << QStringList{"Secret Den", "private", "restricted", "1/8", "1.23", "Treasure", "1:00"} << false;
    QTest::newRow("treasure name holding battle")
        << QByteArray("192.0.2.12:10052 local public treasure 1.23   30 [2/4] a battle treasure hunt")
        << QStringList{"a battle treasure hunt", "public ", "192.0.2.12", "2/4", "1.23", "Battle", "0:30"} << true;
    QTest::newRow("neither word, no colon") << QByteArray("192.0.2.13 10052 xx public 1 1.24   5 [1/2] Odd")
                                            << QStringList{"Odd", "2.13 10", "x", "1/2", "TSF", "x", "0:05"} << true;
    QTest::newRow("no three spaces") << QByteArray("192.0.2.14:10052 local public 1 1.24 5 [1/2] Tight")
                                     << QStringList{"Tight", "public ", "192.0.2.14", "1/2", "x", "x", "x"} << true;
    QTest::newRow("no space-bracket") << QByteArray("192.0.2.15:10052 local public 1 1.21   5[1/2] Squeezed")
                                      << QStringList{"Squeezed", "public ", "192.0.2.15", "1/2", "1.21", "x", "x"}
                                      << true;
    QTest::newRow("uptime not a number") << QByteArray("192.0.2.16:10052 local public 1 1.24   soon [1/2] Later")
                                         << QStringList{"Later", "public ", "192.0.2.16", "1/2", "TSF", "x", "   soon"}
                                         << true;
    // "] " stands at position 46 here, so the name is cut to 46 characters.
    QTest::newRow("name longer than its marker position")
        << QByteArray("192.0.2.9:10052 local public 1 1.24   7 [4/32] "
                      "Fifty-two characters of name, and these six are cut")
        << QStringList{"Fifty-two characters of name, and these six ar",
                       "public ",
                       "192.0.2.9",
                       "4/32",
                       "TSF",
                       "x",
                       "0:07"}
        << true;
}

void DetailsTests::selectionShowsEveryField() {
    QFETCH(QByteArray, entry);
    QFETCH(QStringList, captions);
    QFETCH(bool, join);
    ListedWindow f({entry});
    f.clickRow(0);
    const char* labels[] = {"Label15", "SNa", "IPa", "PCo", "VRe", "GTy", "SUp"};
    QStringList shown;
    for (const char* label : labels)
        shown << f.caption(label);
    QCOMPARE(shown, captions);
    QCOMPARE(f.control("Command1")->isEnabled(), join);
}

void DetailsTests::privateServerIsRestrictedButStillMatched() {
    ListedWindow f({kPublic, kPrivate});
    f.net->setHostName("192.0.2.10", "cpe-10.dyn.harbourline.net");
    f.net->setHostName("198.51.100.20", "host20.static.harbourline.net");
    f.net->setRoundTrip("192.0.2.10", 47);
    f.clickRow(0);
    QTRY_COMPARE(f.caption("HOs"), QStringLiteral("cpe-10.dyn.harbourline.net"));
    QTRY_COMPARE(f.caption("HSt"), QStringLiteral("Carrotbane"));
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("47 ms"));

    f.clickRow(1);
    QCOMPARE(f.caption("IPa"), QStringLiteral("restricted"));
    QVERIFY(!f.control("Command1")->isEnabled());
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("0 ms"));
    QTRY_COMPARE(f.caption("HSt"), QStringLiteral("Quillfire or Mossgrin"));
    QCOMPARE(f.caption("HOs"), QStringLiteral("cpe-10.dyn.harbourline.net"));
    QCOMPARE(f.net->echoes().back(), std::string("restricted|test"));

    // Even if the click came through, a private server starts nothing.
    f.window->Command1_Click();
    QVERIFY(f.processes->started.isEmpty());
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
    f.window->Pinger_Timer();
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("31 ms"));

    f.clickRow(1);
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("80 ms"));
    f.net->setRoundTrip("192.0.2.77", 81);
    f.window->Pinger_Timer();
    QTRY_COMPARE(f.caption("PIn"), QStringLiteral("81 ms"));
    QCOMPARE(f.net->echoes().back(), std::string("192.0.2.77|test"));

    // A server that stops answering reads "0 ms" on the next tick.
    f.net->setRoundTrip("192.0.2.77", 0);
    QTRY_COMPARE_WITH_TIMEOUT(f.caption("PIn"), QStringLiteral("0 ms"), 3000);
    QCOMPARE(f.net->openSessions(), 0);
}

void DetailsTests::gamePathFollowsTheVersion() {
    const QByteArray dirs("c:\\games\\jazz2\\jazz2.exe\r\nc:\\games\\jazz2tsf\\jazz2.exe\r\n");
    ListedWindow f(
        {kPublic, "192.0.2.2:1 local public 1 1.21   5 [1/2] Old", "192.0.2.3:1 local public 1 1.23   5 [1/2] Mid"},
        &dirs);
    auto* combo = f.control<QComboBox>("Combo1");
    f.clickRow(2);
    QCOMPARE(combo->currentText(), QStringLiteral("Game Path"));
    f.clickRow(0);
    QCOMPARE(combo->currentIndex(), 1);
    f.clickRow(1);
    QCOMPARE(combo->currentIndex(), 0);
    f.clickRow(2);
    QCOMPARE(combo->currentIndex(), 0);
}

void DetailsTests::refusedSocketLibraryIsReportedOnSelectionOnly() {
    ListedWindow f({kPublic});
    f.net->setSessionOpens(false);
    f.clickRow(0);
    QTRY_COMPARE(f.messages->shown.size(), 1);
    QCOMPARE(f.messages->shown.first().first, velberd::MessagePresenter::Style::Plain);
    QCOMPARE(f.messages->shown.first().second,
             QStringLiteral("Windows Sockets for 32 bit Windows environments is not successfully responding."));
    QCOMPARE(f.caption("PIn"), QStringLiteral("x"));
    QVERIFY(!f.timer("Pinger")->isActive());

    f.window->Pinger_Timer();
    QTest::qWait(100);
    QCOMPARE(f.messages->shown.size(), 1);
    QCOMPARE(f.caption("PIn"), QStringLiteral("x"));
}

void DetailsTests::failedCleanupIsReported() {
    ListedWindow f({kPublic});
    f.net->setRoundTrip("192.0.2.10", 12);
    f.net->setSessionCloses(false);
    f.clickRow(0);
    QTRY_COMPARE(f.messages->shown.size(), 1);
    QCOMPARE(f.messages->shown.first().first, velberd::MessagePresenter::Style::Exclamation);
    QCOMPARE(f.messages->shown.first().second, QStringLiteral("Windows Sockets error occurred in Cleanup."));
    QCOMPARE(f.caption("PIn"), QStringLiteral("12 ms"));
    f.window->Pinger_Timer();
    QTRY_COMPARE(f.messages->shown.size(), 2);
}

void DetailsTests::staleLookupResultsAreDropped() {
    ListedWindow f({kPublic, "192.0.2.77:10052 local public 1 1.21   5 [1/2] Second"});
    f.net->setHostName("192.0.2.10", "slow.example.net", 400);
    f.net->setHostName("192.0.2.77", "fast.example.net");
    f.clickRow(0);
    f.clickRow(1);
    QTRY_COMPARE(f.caption("HOs"), QStringLiteral("fast.example.net"));
    QTest::qWait(900);
    QCOMPARE(f.caption("HOs"), QStringLiteral("fast.example.net"));
}

void DetailsTests::slowServicesNeverHoldTheWindow() {
    ListedWindow f({kPublic, "192.0.2.77:10052 local public 1 1.21   5 [1/2] Second"});
    f.net->setLookupDelay(3000);
    f.net->setEchoDelay(500);
    f.clickRow(0);
    // The click was handled at once: the entry's own fields are there while the lookups wait.
    QCOMPARE(f.caption("Label15"), QStringLiteral("Rabbit Run"));
    f.clickRow(1);
    QCOMPARE(f.caption("Label15"), QStringLiteral("Second"));
    QCOMPARE(f.caption("HOs"), QStringLiteral("x"));
    f.window->Pinger_Timer();
    QCOMPARE(f.caption("Label15"), QStringLiteral("Second"));
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

    // Nothing current: an empty header, Join enabled, the address kept.
    list1->setCurrentRow(-1);
    QFocusEvent focusOut(QEvent::FocusOut);
    QCoreApplication::sendEvent(list1, &focusOut);
    QCOMPARE(f.caption("SNa"), QString());
    QCOMPARE(f.caption("Label15"), QString());
    QCOMPARE(f.caption("IPa"), QStringLiteral("192.0.2.10"));
}

void DetailsTests::focusAloneSelectsNothing_data() {
    QTest::addColumn<int>("reason");
    QTest::newRow("tab") << int(Qt::TabFocusReason);
    QTest::newRow("window activated") << int(Qt::ActiveWindowFocusReason);
}

// Tabbing to the list, or coming back to the window, after a refresh must not pick a server
// the player did not click.
void DetailsTests::focusAloneSelectsNothing() {
    QFETCH(int, reason);
    ListedWindow f({kPublic, kPrivate});
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.clickRow(1);
    QTRY_COMPARE(f.caption("SNa"), QStringLiteral("private"));
    f.control("Command1")->setFocus();
    f.window->autolist_Timer();
    QTRY_COMPARE(f.control<QListWidget>("List2")->currentRow(), -1);

    QFocusEvent focusIn(QEvent::FocusIn, Qt::FocusReason(reason));
    QCoreApplication::sendEvent(f.control("List2"), &focusIn);
    QCoreApplication::processEvents();
    QCOMPARE(f.control<QListWidget>("List2")->currentRow(), -1);
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
