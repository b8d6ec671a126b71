#include "listedwindow.h"

#include <QCheckBox>
#include <QPushButton>

using velberd::test::ListedWindow;

namespace {

const QByteArray kServer = "192.0.2.5:10052 local public 1 1.24   125 [3/32] Rabbit Run";
const QByteArray kPrivate = "198.51.100.20:10052 local private 2 1.23   59 [1/8] Secret Den";

void check(ListedWindow& f, const char* box, bool on) {
    f.control<QCheckBox>(box)->setChecked(on);
}

// Where the game is told to log on the given click: in the program's folder, as Windows names
// it, or as Wine does where the game runs under Wine.
QString logSwitch(const ListedWindow& f, int click) {
#ifdef Q_OS_WIN
    const QString drive;
#else
    const QString drive = QStringLiteral("Z:");
#endif
    QString folder = f.folder.path();
    folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QStringLiteral("-Log=%1%2\\JazzLog%3.txt").arg(drive, folder).arg(click);
}

} // namespace

class LaunchTests : public QObject {
    Q_OBJECT
private slots:
    void everySwitchOnTheThirdClick();
    void gamePathWithSpacesStaysOneArgument();
    void logNumbersCountClicksThatStartedNothing();
};

void LaunchTests::everySwitchOnTheThirdClick() {
    ListedWindow f({kServer});
    f.clickRow(0);
    for (const char* box : {"spy", "safe", "full", "log", "mute"})
        check(f, box, true);
    auto* join = f.control("Command1");
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(join, Qt::LeftButton);
    QCOMPARE(f.processes->started.size(), 3);
    QCOMPARE(f.processes->started[2].arguments,
             (QStringList{"-Safe", "-spy", "-fullscreen", "-nosound", logSwitch(f, 3), "-connect", "192.0.2.5"}));

    check(f, "safe", false);
    check(f, "full", false);
    check(f, "spy", false);
    check(f, "mute", false);
    check(f, "log", false);
    QTest::mouseClick(join, Qt::LeftButton);
    QCOMPARE(f.processes->started[3].arguments,
             (QStringList{"-nospy", "-windowed", "-sound", "-connect", "192.0.2.5"}));
}

void LaunchTests::gamePathWithSpacesStaysOneArgument() {
    ListedWindow f({kServer});
    f.clickRow(0);
    const QString path = QStringLiteral("/home/player/Jazz Jackrabbit 2/Jazz2.exe");
    f.control<QComboBox>("Combo1")->setEditText(path);
    QTest::mouseClick(f.control("Command1"), Qt::LeftButton);
    QCOMPARE(f.processes->started.size(), 1);
    QCOMPARE(f.processes->started[0].program, path);
}

void LaunchTests::logNumbersCountClicksThatStartedNothing() {
    ListedWindow f({kPrivate, kServer});
    check(f, "log", true);
    f.clickRow(0);
    QVERIFY(!f.control("Command1")->isEnabled());
    f.window->Command1_Click();
    f.window->Command1_Click();
    QVERIFY(f.processes->started.isEmpty());
    f.clickRow(1);
    QTest::mouseClick(f.control("Command1"), Qt::LeftButton);
    QCOMPARE(f.processes->started.size(), 1);
    QCOMPARE(f.processes->started[0].arguments.at(3), logSwitch(f, 3));
}

QTEST_MAIN(LaunchTests)
#include "launchtests.moc"
