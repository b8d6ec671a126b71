// Drives the real main window, wired to the real services, through what a player does in the
// offline demo: wait for the list, select a server, watch its details and ping, press "Join", set a
// character, see the game's own ping measure a host that drops ICMP, and see who plays on a server.
// Run from the demo's program folder inside the demo's network namespace (scripts/demo does).
//
// usage: velberd-demo-tour --check SERVERS      verify the tour, exit status 0 when it all worked
//        velberd-demo-tour --screenshots FOLDER  take the pictures of the README on the way

#include "browser/ui/mainwindow.h"
#include "common/layoutfonts.h"
#include "gamepaths/pathsetupwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

namespace {

// Every wait is for a state; this bound is one that only a hang outlasts, on a busy machine and
// under Wine too.
constexpr int kHangMs = 60'000;

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

bool fail(const QString& why) {
    out() << "FAILED: " << why << Qt::endl;
    return false;
}

// The demo's stand-in server that answers the status query with four players.
constexpr const char* kPlayersServer = "Flag Frenzy CTF";

QString caption(const QWidget& window, const char* name) {
    const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QString();
}

void click(QWidget* widget, QPoint at = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
}

bool save(QWidget* window, const QString& folder, const char* file) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(file));
    if (!window->grab().save(path)) return fail(QStringLiteral("could not write %1").arg(path));
    out() << "wrote " << path << Qt::endl;
    return true;
}

bool waitForList(const QWidget& window, int expected) {
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List2"));
    // A list may arrive in more than one piece; each shows what came so far.
    const int rows = qMax(expected, 1);
    if (!QTest::qWaitFor([&] { return list->isEnabled() && list->count() >= rows; }, kHangMs))
        return fail(QStringLiteral("no list arrived from the list server"));
    out() << "list (" << caption(window, "sCounter") << " servers up):" << Qt::endl;
    for (int row = 0; row < list->count(); ++row)
        out() << "  " << list->item(row)->text() << Qt::endl;
    if (expected > 0 && list->count() != expected)
        return fail(QStringLiteral("%1 servers listed, %2 served").arg(list->count()).arg(expected));
    return true;
}

bool selectFirstServer(QWidget& window) {
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List2"));
    click(list->viewport(), list->visualItemRect(list->item(0)).center());
    const bool shown = QTest::qWaitFor(
        [&] {
            return caption(window, "HSt") != QLatin1String("x") &&
                   caption(window, "PIn").endsWith(QLatin1String(" ms"));
        },
        kHangMs);
    for (const char* name : {"Label15", "SNa", "PCo", "VRe", "GTy", "SUp", "IPa", "HOs", "PIn", "HSt"})
        out() << "  " << name << ": " << caption(window, name) << Qt::endl;
    if (!shown) return fail(QStringLiteral("the selected server's host, ping or probable hosts did not show"));
    if (caption(window, "HOs") == QLatin1String("Unknown")) return fail(QStringLiteral("no reverse name"));
    return true;
}

bool pingStaysLive(const QWidget& window) {
    // The ping timer asks again every two seconds; a live ping keeps showing a round trip.
    QSignalSpy ticks(window.findChild<QTimer*>(QStringLiteral("Pinger")), &QTimer::timeout);
    const bool live = QTest::qWaitFor(
        [&] { return ticks.count() >= 2 && caption(window, "PIn").endsWith(QLatin1String(" ms")); }, kHangMs);
    out() << "  PIn after two more pings: " << caption(window, "PIn") << Qt::endl;
    if (!live) return fail(QStringLiteral("the ping stopped"));
    return true;
}

bool joinStartsGame(QWidget& window) {
    auto* join = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    if (!join->isEnabled()) return fail(QStringLiteral("Join is disabled for a public server"));
    click(join);
    QFile record(QCoreApplication::applicationDirPath() + QStringLiteral("/launches.txt"));
    const QString expected = QStringLiteral("-connect ") + caption(window, "IPa");
    QString launches;
    const bool started = QTest::qWaitFor(
        [&] {
            if (record.open(QIODevice::ReadOnly)) {
                launches = QString::fromLocal8Bit(record.readAll());
                record.close();
            }
            return launches.contains(expected);
        },
        kHangMs);
    out() << "game started as: " << launches.trimmed() << Qt::endl;
    if (!started) return fail(QStringLiteral("the stand-in game never got '%1'").arg(expected));
    return true;
}

// A server whose host drops ICMP, as a Windows firewall does: the game's own ping measures it.
bool gamePingMeasuresTheSilentHost(QWidget& window) {
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List2"));
    const auto rows = list->findItems(QStringLiteral("Diamondus CTF League"), Qt::MatchExactly);
    if (rows.isEmpty()) return fail(QStringLiteral("the server whose host drops ICMP is not listed"));
    click(list->viewport(), list->visualItemRect(rows.first()).center());
    auto* ping = window.findChild<QLabel*>(QStringLiteral("PIn"));
    const bool measured = QTest::qWaitFor([&] { return ping->text().endsWith(QLatin1String(" ms")); }, kHangMs);
    out() << "  " << caption(window, "Label15") << ", PIn: " << ping->text() << " (" << ping->toolTip() << ")"
          << Qt::endl;
    if (!measured) return fail(QStringLiteral("no time for the server that drops ICMP"));
    if (!ping->toolTip().contains(QLatin1String("the game's own ping")))
        return fail(QStringLiteral("the time for the server that drops ICMP is not the game's ping"));
    return true;
}

// The player count's value opens who is playing, as the server itself answers the status query:
// the demo's server with four players. Its picture goes into the folder given, for the documentation.
bool playersWindowShowsWhoPlays(QWidget& window, const QString& pictureFolder) {
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List2"));
    const auto rows = list->findItems(QString::fromLatin1(kPlayersServer), Qt::MatchExactly);
    if (rows.isEmpty()) return fail(QStringLiteral("the server with players is not listed"));
    click(list->viewport(), list->visualItemRect(rows.first()).center());
    auto* count = window.findChild<QLabel*>(QStringLiteral("PCo"));
    if (!QTest::qWaitFor([&] { return count->toolTip().contains(QLatin1String(" playing:")); }, kHangMs))
        return fail(QStringLiteral("no answer to the status query: '%1'").arg(count->toolTip()));
    out() << "  PCo tool tip: " << count->toolTip() << Qt::endl;
    click(count);
    auto* players = window.findChild<QWidget*>(QStringLiteral("PlayersWindow"));
    if (!players || !QTest::qWaitForWindowExposed(players, kHangMs)) return fail(QStringLiteral("no players window"));
    auto* table = players->findChild<QTableWidget*>(QStringLiteral("PlayersTable"));
    if (!QTest::qWaitFor([&] { return table->rowCount() == 4; }, kHangMs))
        return fail(QStringLiteral("%1 players listed, 4 play").arg(table->rowCount()));
    out() << "players window '" << players->windowTitle() << "': " << caption(*players, "PlayersState") << Qt::endl;
    for (int row = 0; row < table->rowCount(); ++row)
        out() << "  " << table->item(row, 0)->text() << " | " << table->item(row, 1)->text() << " | "
              << table->item(row, 2)->text() << " | " << table->item(row, 3)->text() << Qt::endl;
    out() << "  " << caption(*players, "PlayersLevel") << ", " << caption(*players, "PlayersMode") << Qt::endl;
    const bool saved = save(players, pictureFolder, "players-window.png");
    players->close();
    return saved;
}

// The character editor writes through the platform's registry; the demo script reads the values
// back with the platform's own tools: name "Tour", colours 0a 0b 0c 0d, Spaz for 1.23.
bool editCharacter(QWidget& window) {
    click(window.findChild<QLabel*>(QStringLiteral("Label9")));
    auto* editor = window.findChild<QWidget*>(QStringLiteral("Registry"));
    if (!editor || !QTest::qWaitForWindowExposed(editor, kHangMs)) return fail(QStringLiteral("no character editor"));
    editor->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("Tour"));
    click(editor->findChild<QPushButton*>(QStringLiteral("Command1")));
    const char* boxes[] = {"Text2", "Text3", "Text4", "Text5"};
    const QString colours[] = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
    for (int i = 0; i < 4; ++i)
        editor->findChild<QLineEdit*>(QString::fromLatin1(boxes[i]))->setText(colours[i]);
    click(editor->findChild<QPushButton*>(QStringLiteral("Command2")));
    auto* spaz = editor->findChild<QRadioButton*>(QStringLiteral("Option2"));
    click(spaz, QPoint(5, spaz->height() / 2));
    if (!spaz->isChecked()) return fail(QStringLiteral("Spaz could not be chosen"));
    out() << "character editor: set name Tour, colours a b c d, Spaz" << Qt::endl;
    editor->close();
    return true;
}

bool screenshots(QWidget& window, const QString& folder) {
    if (!save(&window, folder, "velberd.png")) return false;

    click(window.findChild<QLabel*>(QStringLiteral("Label9")));
    auto* editor = window.findChild<QWidget*>(QStringLiteral("Registry"));
    if (!editor || !QTest::qWaitForWindowExposed(editor, kHangMs)) return fail(QStringLiteral("no character editor"));
    if (!save(editor, folder, "character-editor.png")) return false;

    dorrick::PathSetupWindow paths(QCoreApplication::applicationDirPath());
    paths.show();
    if (!QTest::qWaitForWindowExposed(&paths, kHangMs)) return fail(QStringLiteral("Dorrick's window did not show"));
    return save(&paths, folder, "dorrick.png");
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velberd"));
    velberd::provideLayoutFonts();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 ||
        (arguments[1] != QLatin1String("--check") && arguments[1] != QLatin1String("--screenshots"))) {
        std::fprintf(stderr, "usage: velberd-demo-tour --check SERVERS | --screenshots FOLDER\n");
        return 2;
    }
    const bool check = arguments[1] == QLatin1String("--check");

    velberd::MainWindow window(velberd::systemServices());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, kHangMs)) return 1;

    bool ok = waitForList(window, check ? arguments[2].toInt() : 0) && selectFirstServer(window);
    if (ok && check)
        ok = pingStaysLive(window) && joinStartsGame(window) && editCharacter(window) &&
             gamePingMeasuresTheSilentHost(window) &&
             playersWindowShowsWhoPlays(window, QCoreApplication::applicationDirPath());
    if (ok && !check) ok = screenshots(window, arguments[2]) && playersWindowShowsWhoPlays(window, arguments[2]);
    out() << (ok ? "demo tour passed" : "demo tour failed") << Qt::endl;
    return ok ? 0 : 1;
}
