#include "gamefolder.h"
#include "listedwindow.h"
#include "shownmessages.h"

#include <QCheckBox>
#include <QScopeGuard>

using velberd::test::GameFolder;
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
    QString folder = f.programFolder;
    folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QStringLiteral("-Log=%1%2\\JazzLog%3.txt").arg(drive, folder).arg(click);
}

} // namespace

class LaunchTests : public QObject {
    Q_OBJECT
private slots:
    void everyClickUsesUpALogNumber();
    void joinSaysWhyNothingStarted_data();
    void joinSaysWhyNothingStarted();
};

// Every click uses up a number, also one that started nothing and one that was told why; each box
// gives its own switch.
void LaunchTests::everyClickUsesUpALogNumber() {
    const GameFolder games;
    const auto dirs = games.dirsTxt();
    ListedWindow f({kPrivate, kServer}, &dirs);
    check(f, "log", true);
    f.clickRow(0);
    QVERIFY(!f.control("Command1")->isEnabled());
    f.window->joinSelectedServer();
    f.window->joinSelectedServer();
    QVERIFY(f.processes->started.isEmpty());
    f.clickRow(1);
    auto* combo = f.control<QComboBox>("Combo1");
    auto* join = f.control("Command1");
    combo->setEditText(games.path() + QStringLiteral("/gone"));
    QTest::mouseClick(join, Qt::LeftButton);
    QCOMPARE(f.messages->shown.size(), 1);
    combo->setCurrentIndex(1);
    QTest::mouseClick(join, Qt::LeftButton);
    QCOMPARE(f.processes->started.size(), 1);
    QCOMPARE(f.processes->started[0].arguments.at(3), logSwitch(f, 4));

    const char* const boxes[] = {"spy", "safe", "full", "log", "mute"};
    for (const char* box : boxes)
        check(f, box, true);
    QTest::mouseClick(join, Qt::LeftButton);
    QCOMPARE(f.processes->started[1].arguments,
             (QStringList{"-Safe", "-spy", "-fullscreen", "-nosound", logSwitch(f, 5), "-connect", "192.0.2.5"}));
    for (const char* box : boxes)
        check(f, box, false);
    QTest::mouseClick(join, Qt::LeftButton);
    QCOMPARE(f.processes->started[2].arguments,
             (QStringList{"-nospy", "-windowed", "-sound", "-connect", "192.0.2.5"}));
    QCOMPARE(f.messages->shown.size(), 1);
}

void LaunchTests::joinSaysWhyNothingStarted_data() {
    QTest::addColumn<QString>("gamePath"); // typed into the game path; "{games}" is the games' folder
    QTest::addColumn<bool>("refused");     // the system refuses to start the game
    QTest::addColumn<bool>("logger");      // "logger" ticked
    QTest::addColumn<QStringList>("says"); // what the message holds; empty: the game starts
    QTest::addColumn<QString>("folder");   // where it starts; "{prefix}" is the window's Wine prefix

    // Velberd's folder holds characters that Windows would hand the game as look-alikes.
    const QString game = QStringLiteral("{games}/Jazz Jackrabbit 2/jazz 2");
    QTest::newRow("a program, logger unticked")
        << game << false << false << QStringList{} << "{games}/Jazz Jackrabbit 2";
#ifndef Q_OS_WIN
    QTest::newRow("a drive letter names the game in the Wine prefix")
        << "c:\\GAMES\\jazz2.exe" << false << false << QStringList{} << "{prefix}/dosdevices/c:/Games";
#endif
    QTest::newRow("no such file") << "{games}/gone/jazz2" << false << false
                                  << QStringList{"\"{games}/gone/jazz2\" does not exist", "Run Dorrick"} << QString();
    QTest::newRow("the system refuses") << game << true << false
                                        << QStringList{"\"" + game + "\" did not start: The test's system refuses."}
                                        << QString();
    QTest::newRow("a game path the code page lacks, then the log folder")
        << QString::fromUtf8("{games}/j\u0101zz2") << false << true
        << QStringList{QString::fromUtf8("game path \"{games}/j\u0101zz2\" holds characters")} << QString();
    QTest::newRow("a log folder the code page lacks")
        << game << false << true
        << QStringList{QString::fromUtf8("holds characters the game cannot be given: \uFF02\u0101"), "logger"}
        << QString();
}

// The path is typed into the game path, as the player may; "Join" is clicked, and each message is
// read from the real box and closed as the player would close it.
void LaunchTests::joinSaysWhyNothingStarted() {
    QFETCH(QString, gamePath);
    QFETCH(bool, refused);
    QFETCH(bool, logger);
    QFETCH(QStringList, says);
    QFETCH(QString, folder);
    const GameFolder games;
    games.make(QStringLiteral("Jazz Jackrabbit 2/jazz 2"));
    games.make(QString::fromUtf8("j\u0101zz2"));
    ListedWindow f({kServer}, nullptr, ListedWindow::Messages::Shown, QString::fromUtf8("Velberd \uFF02\u0101\uFF02"));
    check(f, "log", logger);
    f.processes->refuses = refused;
#ifndef Q_OS_WIN
    // The prefix's drive c: holds the game, and a wine that would start it is on the PATH.
    QDir prefix(f.prefixPath());
    QVERIFY(prefix.mkpath(QStringLiteral("drive_c/Games")) && prefix.mkpath(QStringLiteral("dosdevices")));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), prefix.filePath(QStringLiteral("dosdevices/c:"))));
    QFile exe(prefix.filePath(QStringLiteral("drive_c/Games/Jazz2.exe")));
    QVERIFY(exe.open(QIODevice::WriteOnly) && exe.write("MZ") == 2);
    exe.close();
    const QString wine = games.make(QStringLiteral("bin/wine"));
    const QByteArray path = qgetenv("PATH");
    const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });
    qputenv("PATH", QFile::encodeName(QFileInfo(wine).absolutePath()) + ':' + path);
#endif
    f.clickRow(0);
    auto* combo = f.control<QComboBox>("Combo1");
    combo->setEditText(QString(gamePath).replace(QStringLiteral("{games}"), games.path()));
    const auto shown = velberd::test::clickAndReadMessages(f.control("Command1"));
    if (says.isEmpty()) {
        QCOMPARE(shown.size(), 0);
        QCOMPARE(f.processes->started.size(), 1);
        QCOMPARE(f.processes->started[0].program, combo->currentText());
        QCOMPARE(f.processes->started[0].folder, folder.replace(QStringLiteral("{games}"), games.path())
                                                     .replace(QStringLiteral("{prefix}"), f.prefixPath()));
        return;
    }
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Velberd"));
    QCOMPARE(shown[0].icon, QMessageBox::Warning);
    for (auto phrase : says) {
        phrase.replace(QStringLiteral("{games}"), games.path());
        QVERIFY2(shown[0].text.contains(phrase), qPrintable(shown[0].text));
    }
    QVERIFY(f.processes->started.isEmpty());
}

QTEST_MAIN(LaunchTests)
#include "launchtests.moc"
