#include "gamefolder.h"
#include "listedwindow.h"
#include "shownmessages.h"

#include <QCheckBox>
#include <QPushButton>
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
    void everySwitchOnTheThirdClick();
    void gamePathWithSpacesStaysOneArgument();
    void logNumbersCountClicksThatStartedNothing();
    void joinSaysWhyNothingStarted_data();
    void joinSaysWhyNothingStarted();
};

void LaunchTests::everySwitchOnTheThirdClick() {
    const GameFolder games;
    const auto dirs = games.dirsTxt();
    ListedWindow f({kServer}, &dirs);
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
    QVERIFY(f.messages->shown.isEmpty());
}

void LaunchTests::gamePathWithSpacesStaysOneArgument() {
    const GameFolder games;
    const auto path = games.make(QStringLiteral("Jazz Jackrabbit 2/jazz 2"), GameFolder::Kind::Program);
    ListedWindow f({kServer});
    f.clickRow(0);
    f.control<QComboBox>("Combo1")->setEditText(path);
    QTest::mouseClick(f.control("Command1"), Qt::LeftButton);
    QCOMPARE(f.processes->started.size(), 1);
    QCOMPARE(f.processes->started[0].program, path);
}

// Every click uses up a number, also one that started nothing and one that was told why.
void LaunchTests::logNumbersCountClicksThatStartedNothing() {
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
    combo->setEditText(games.path() + QStringLiteral("/gone"));
    QTest::mouseClick(f.control("Command1"), Qt::LeftButton);
    QCOMPARE(f.messages->shown.size(), 1);
    combo->setCurrentIndex(1);
    QTest::mouseClick(f.control("Command1"), Qt::LeftButton);
    QCOMPARE(f.processes->started.size(), 1);
    QCOMPARE(f.processes->started[0].arguments.at(3), logSwitch(f, 4));
}

void LaunchTests::joinSaysWhyNothingStarted_data() {
    QTest::addColumn<QByteArray>("server");
    QTest::addColumn<QString>("gamePath");  // typed into the game path; "{games}" is the games' folder
    QTest::addColumn<bool>("wine");         // wine on the PATH
    QTest::addColumn<bool>("refused");      // the system refuses to start the game
    QTest::addColumn<QString>("logFolder"); // Velberd's folder's name; empty: the test's own
    QTest::addColumn<bool>("logger");       // "logger" ticked
    QTest::addColumn<QStringList>("says");  // what the message holds; empty: the game starts, silently
    QTest::addColumn<QString>("startsIn");  // where a game that starts runs; "{prefix}" is the Wine prefix

    // Without dirs.txt a server of no known version leaves the placeholder; a 1.24 server picks an
    // empty path.
    const QByteArray unknownVersion = "192.0.2.5:10052 local public 1 1.20   125 [3/32] Rabbit Run";
    const QStringList runDorrick{"No game path is recorded", "Run Dorrick"};
    const QString none;
    QTest::newRow("Dorrick never run: the placeholder")
        << unknownVersion << QString() << true << false << none << false << runDorrick << none;
    QTest::newRow("Dorrick never run: an empty path")
        << kServer << QString() << true << false << none << false << runDorrick << none;
    QTest::newRow("no such file") << kServer << "{games}/gone/jazz2" << true << false << none << false
                                  << QStringList{"\"{games}/gone/jazz2\" does not exist", "Run Dorrick"} << none;
    QTest::newRow("a folder") << kServer << "{games}" << true << false << none << false
                              << QStringList{"\"{games}\" is not a program", "Run Dorrick"} << none;
    QTest::newRow("a text file") << kServer << "{games}/readme.txt" << true << false << none << false
                                 << QStringList{"\"{games}/readme.txt\" is not a program"} << none;
    QTest::newRow("an .exe that is no program") << kServer << "{games}/notes.exe" << true << false << none << false
                                                << QStringList{"\"{games}/notes.exe\" is not a program"} << none;
    QTest::newRow("a program") << kServer << "{games}/jazz2" << true << false << none << false << QStringList{}
                               << "{games}";
    QTest::newRow("the system refuses") << kServer << "{games}/jazz2" << true << true << none << false
                                        << QStringList{"\"{games}/jazz2\" did not start: The test's system refuses."}
                                        << none;
    // Windows would hand the game a look-alike of a character its code page lacks.
    QTest::newRow("a game path the code page lacks")
        << kServer << QString::fromUtf8("{games}/j\u0101zz2") << true << false << none << false
        << QStringList{QString::fromUtf8("holds characters the game cannot be given: \u0101")} << none;
    QTest::newRow("a log folder the code page lacks")
        << kServer << "{games}/jazz2" << true << false << QString::fromUtf8("Velberd \uFF02\u0101\uFF02") << true
        << QStringList{QString::fromUtf8("holds characters the game cannot be given: \uFF02\u0101"), "logger"} << none;
    QTest::newRow("a log folder the code page holds")
        << kServer << "{games}/jazz2" << true << false << QString::fromUtf8("Velberd \u00e9") << true << QStringList{}
        << "{games}";
    QTest::newRow("a log folder the code page lacks, logger unticked")
        << kServer << "{games}/jazz2" << true << false << QString::fromUtf8("Velberd \uFF02\u0101\uFF02") << false
        << QStringList{} << "{games}";
#ifndef Q_OS_WIN
    QTest::newRow("a Windows program, Wine installed")
        << kServer << "{games}/jazz2.exe" << true << false << none << false << QStringList{} << "{games}";
    QTest::newRow("a Windows program, no Wine") << kServer << "{games}/jazz2.exe" << false << false << none << false
                                                << QStringList{"Wine", "not installed", "package manager"} << none;
    // Wine takes ".." and "." as Windows does, whether or not the folder before ".." exists, and
    // starts the game in the folder where it found it.
    QTest::newRow("in the Wine prefix, named in other case")
        << kServer << "C:\\GAMES\\gone\\..\\Jazz2\\.\\JAZZ2.EXE" << true << false << none << false << QStringList{}
        << "{prefix}/dosdevices/c:/Games/Jazz2";
    QTest::newRow("above the drive's root") << kServer << "c:\\..\\Games\\Jazz2\\Jazz2.exe" << true << false << none
                                            << false << QStringList{} << "{prefix}/dosdevices/c:/Games/Jazz2";
    QTest::newRow("not in the Wine prefix") << kServer << "c:\\games\\jazz2\\gone.exe" << true << false << none << false
                                            << QStringList{"\"c:\\games\\jazz2\\gone.exe\" does not exist"} << none;
    QTest::newRow("a program in the Wine prefix's z: drive")
        << kServer << "Z:{games}/jazz2.exe" << true << false << none << false << QStringList{} << "{games}";
    QTest::newRow("a Wine prefix path without Wine") << kServer << "c:\\games\\jazz2\\jazz2.exe" << false << false
                                                     << none << false << QStringList{"Wine", "package manager"} << none;
#endif
}

// The path is typed into the game path, as the player may; "Join" is clicked, and each message is
// read from the real box and closed as the player would close it.
void LaunchTests::joinSaysWhyNothingStarted() {
    QFETCH(QByteArray, server);
    QFETCH(QString, gamePath);
    QFETCH(bool, wine);
    QFETCH(bool, refused);
    QFETCH(QString, logFolder);
    QFETCH(bool, logger);
    QFETCH(QStringList, says);
    QFETCH(QString, startsIn);
    const GameFolder games;
    games.make(QStringLiteral("jazz2"), GameFolder::Kind::Program);
    games.make(QString::fromUtf8("j\u0101zz2"), GameFolder::Kind::Program);
    games.make(QStringLiteral("readme.txt"), GameFolder::Kind::Text);
    games.make(QStringLiteral("notes.exe"), GameFolder::Kind::Text);
    games.make(QStringLiteral("jazz2.exe"), GameFolder::Kind::WindowsProgram);
    ListedWindow f({server}, nullptr, ListedWindow::Messages::Shown, logFolder);
    check(f, "log", logger);
#ifdef Q_OS_WIN
    Q_UNUSED(wine);
#else
    // A Wine prefix as Wine makes it: drive c: is a link to the prefix's drive_c folder.
    QDir().mkpath(f.prefixPath() + QStringLiteral("/dosdevices"));
    QDir().mkpath(f.prefixPath() + QStringLiteral("/drive_c/Games/Jazz2"));
    QFile::link(QStringLiteral("../drive_c"), f.prefixPath() + QStringLiteral("/dosdevices/c:"));
    QFile exe(f.prefixPath() + QStringLiteral("/drive_c/Games/Jazz2/Jazz2.exe"));
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.write(QByteArray("MZ").leftJustified(64, '\0'));
    exe.close();

    // The PATH holds only a folder with wine in it, or only one without.
    const GameFolder tools;
    if (wine) tools.make(QStringLiteral("wine"), GameFolder::Kind::Program);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tools.path()));
    const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });
#endif
    f.processes->refuses = refused;
    f.clickRow(0);
    auto* combo = f.control<QComboBox>("Combo1");
    if (!gamePath.isEmpty()) combo->setEditText(QString(gamePath).replace(QStringLiteral("{games}"), games.path()));
    const QString shownPath = combo->currentText();

    const auto shown = velberd::test::clickAndReadMessages(f.control("Command1"));
    if (says.isEmpty()) {
        QCOMPARE(shown.size(), 0);
        QCOMPARE(f.processes->started.size(), 1);
        QCOMPARE(f.processes->started[0].program, shownPath);
        startsIn.replace(QStringLiteral("{games}"), games.path()).replace(QStringLiteral("{prefix}"), f.prefixPath());
        QCOMPARE(f.processes->started[0].folder, startsIn);
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
