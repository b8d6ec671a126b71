#include "listedwindow.h"

using velberd::test::FakeListServer;
using velberd::test::ListedWindow;
using velberd::test::WindowFixture;

namespace {

const QByteArray kCrLf("\r\n");

QByteArray server(int n, const QByteArray& name = "Server") {
    return "192.0.2." + QByteArray::number(n) + ":10052 local public 1 1.24   " + QByteArray::number(100 + n) +
           " [1/32] " + name + QByteArray::number(n);
}

QByteArray lines(const QList<QByteArray>& entries) {
    QByteArray block;
    for (const auto& entry : entries)
        block += entry + kCrLf;
    return block;
}

// What List2 shows for an entry made by server(): the name after "] ", cut to that marker's position.
QString shown(int n) {
    return QStringLiteral("Server%1").arg(n);
}

} // namespace

class ListClientTests : public QObject {
    Q_OBJECT
private slots:
    void listsWhatTheServerSends_data();
    void listsWhatTheServerSends();
    void aListSplitAcrossWritesListsWhole();
    void eachRefreshListsItsOwnAnswer();
    void floodIsCutOffAndBounded();
};

// Which lines become entries, and their names, are the parser's rules, tested with it; here the
// window keeps each entry's bytes as sent, lists its name in the game's code page and counts it.
void ListClientTests::listsWhatTheServerSends_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QList<QByteArray>>("entries");
    QTest::addColumn<QStringList>("names");

    const QList<QByteArray> three{server(1), server(2), server(3)};
    QTest::newRow("three lines") << lines(three) << three << QStringList{shown(1), shown(2), shown(3)};
    const QList<QByteArray> inside{QByteArray("a\0b] c\rd\nef", 11)};
    QTest::newRow("NUL bytes and lone CR or LF stay inside lines")
        << lines(inside) << inside << QStringList{QString::fromLatin1("c\rd\n")};
    const QList<QByteArray> codePage{"198.51.100.7:10052 mirror public 1 1.23   60 [2/8] Caf\xe9 \x80 \x9f"};
    QTest::newRow("bytes above 127") << lines(codePage) << codePage << QStringList{QString::fromUtf8("Café € Ÿ")};
    QTest::newRow("only a line end") << kCrLf << QList<QByteArray>{} << QStringList{};
}

void ListClientTests::listsWhatTheServerSends() {
    QFETCH(QByteArray, reply);
    QFETCH(QList<QByteArray>, entries);
    QFETCH(QStringList, names);
    FakeListServer list;
    list.serve({reply});
    WindowFixture f(nullptr, list.port());
    f.finishStartup();

    f.refreshList();
    QTRY_COMPARE(list.connectionCount(), 1);
    QTRY_VERIFY(f.control("List2")->isEnabled());
    QTRY_COMPARE(f.items("List2"), names);
    QList<QByteArray> kept;
    const auto* list1 = f.control<QListWidget>("List1");
    for (int i = 0; i < list1->count(); ++i)
        kept << list1->item(i)->data(Qt::UserRole).toByteArray();
    QCOMPARE(kept, entries);
    QCOMPARE(f.caption("sCounter"), QString::number(names.size()));
}

void ListClientTests::aListSplitAcrossWritesListsWhole() {
    const QByteArray whole = lines({server(1), server(2), server(3), server(4)});
    const auto cut = whole.indexOf(kCrLf, whole.indexOf(kCrLf) + 2) + 1; // between a CR and its LF
    FakeListServer list;
    list.serve({whole.left(7), whole.mid(7, cut - 7), whole.mid(cut, 5), whole.mid(cut + 5)},
               FakeListServer::Ending::Close, 60);
    WindowFixture f(nullptr, list.port());
    f.finishStartup();
    f.refreshList();
    QTRY_COMPARE(f.items("List2"), (QStringList{shown(1), shown(2), shown(3), shown(4)}));
    QCOMPARE(f.caption("sCounter"), QStringLiteral("4"));
}

void ListClientTests::floodIsCutOffAndBounded() {
    FakeListServer list;
    list.flood((server(1) + kCrLf).repeated(1000), 100LL * 1024 * 1024);
    WindowFixture f(nullptr, list.port());
    f.finishStartup();
    f.refreshList();
    QTRY_COMPARE(f.items("List2").size(), 11);
    // The window hangs up once it holds a reply's worth: the flood gets no further than the socket
    // buffers of both ends, and nothing more goes out once the connection is gone.
    QTest::qWait(500);
    const auto cutOff = list.bytesWritten();
    QVERIFY2(cutOff < 1024 * 1024, qPrintable(QString::number(cutOff)));
    QTest::qWait(1000);
    QCOMPARE(list.bytesWritten(), cutOff);
    QCOMPARE(f.caption("sCounter"), QStringLiteral("11"));
}

// Each refresh lists its own answer alone. A list server that answers and closes without a word
// has no servers to list. One that resets the connection (restarting, or turning clients away) or
// refuses it said nothing: the list stays.
void ListClientTests::eachRefreshListsItsOwnAnswer() {
    ListedWindow f({server(1), server(2), server(3)});
    f.server.serve({lines({server(7)})});
    f.refreshList();
    QTRY_COMPARE(f.items("List2"), QStringList{shown(7)});
    QCOMPARE(f.items("List1").size(), 1);
    QCOMPARE(f.caption("sCounter"), QStringLiteral("1"));
    QCOMPARE(f.server.connectionCount(), 2);

    f.server.serve({});
    f.refreshList();
    QTRY_COMPARE(f.caption("sCounter"), QStringLiteral("0"));
    QCOMPARE(f.items("List1"), QStringList{});
    QCOMPARE(f.items("List2"), QStringList{});

    f.server.serve({lines({server(3)})});
    f.refreshList();
    QTRY_COMPARE(f.items("List2"), QStringList{shown(3)});
#ifndef Q_OS_WIN
    // Windows does not tell a reset from an orderly close, which empties the list.
    f.server.serve({}, FakeListServer::Ending::Reset);
    f.refreshList();
    QTRY_COMPARE(f.server.connectionCount(), 5);
#endif
    f.server.refuse();
    QTest::qWait(300);
    f.refreshList();
    QTest::qWait(300);
    QCOMPARE(f.items("List2"), QStringList{shown(3)});
    QCOMPARE(f.items("List1").size(), 1);
    QCOMPARE(f.caption("sCounter"), QStringLiteral("1"));
}

QTEST_MAIN(ListClientTests)
#include "listclienttests.moc"
