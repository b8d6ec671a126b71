#include "listedwindow.h"

#include <QTableWidget>

using velberd::test::ListedWindow;

namespace {

const QByteArray kPublic = "192.0.2.10:10052 local public ctf 1.24   125 [1/32] Rabbit Run";
const QByteArray kSilent = "192.0.2.77:10052 local public battle 1.21   5 [1/2] Silent";

QList<QStringList> rows(const QTableWidget* table) {
    QList<QStringList> texts;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < table->columnCount(); ++column)
            fields << table->item(row, column)->text();
        texts << fields;
    }
    return texts;
}

} // namespace

class PlayersWindowTests : public QObject {
    Q_OBJECT
private slots:
    void followsTheSelectedServer();
};

// The player count's tool tip and the players window show the selected server's own answer, are
// refreshed by each answer while open, and keep nothing of a server the player has left.
void PlayersWindowTests::followsTheSelectedServer() {
    ListedWindow f({kPublic, kSilent});
    velberd::net::ServerStatus status;
    status.serverName = "Rabbit Run";
    status.version = "1.24";
    status.extended = true;
    status.players = 1;
    status.limit = 32;
    status.gameMode = 5;
    status.customMode = 0;
    status.playerList = {{"|Al|ice", 7, 1, false}};
    status.level = "castle1.j2l";
    f.net->setGameStatus("192.0.2.10", status);
    f.clickRow(0);
    auto* count = f.control("PCo");
    QTRY_COMPARE(count->toolTip(), QStringLiteral("1 of 32 playing: Alice"));

    QTest::mouseClick(count, Qt::LeftButton);
    auto* players = f.control("PlayersWindow");
    QVERIFY(players && QTest::qWaitForWindowExposed(players));
    QCOMPARE(players->windowTitle(), QStringLiteral("Rabbit Run"));
    auto* table = players->findChild<QTableWidget*>(QStringLiteral("PlayersTable"));
    QCOMPARE(rows(table), QList<QStringList>({{"Alice", "7", "Red", ""}}));
    QCOMPARE(players->findChild<QLabel*>(QStringLiteral("PlayersLevel"))->text(), QStringLiteral("castle1.j2l"));

    status.players = 2;
    status.playerList.push_back({"Bob", 0, 0, true});
    f.net->setGameStatus("192.0.2.10", status);
    f.timer("StatusTimer")->setInterval(1);
    QTRY_COMPARE(rows(table), QList<QStringList>({{"Alice", "7", "Red", ""}, {"Bob", "0", "Blue", "yes"}}));
    QCOMPARE(f.caption("PCo"), QStringLiteral("1/32"));

    const auto state = [&] { return players->findChild<QLabel*>(QStringLiteral("PlayersState"))->text(); };
    f.clickRow(1);
    QCOMPARE(players->windowTitle(), QStringLiteral("Silent"));
    QVERIFY(rows(table).isEmpty());
    QTRY_COMPARE(state(), QStringLiteral("The server has not answered."));
    QCOMPARE(count->toolTip(), state());
}

QTEST_MAIN(PlayersWindowTests)
#include "playerswindowtests.moc"
