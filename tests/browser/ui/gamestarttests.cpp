#include "browser/client/processstarter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString recorder() {
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/velberd-argv-recorder.exe");
#else
    return QCoreApplication::applicationDirPath() + QStringLiteral("/velberd-argv-recorder");
#endif
}

} // namespace

// The game gets its switches, its log file and the address as separate arguments, whatever
// they hold (on Windows through a command line that the game's C runtime splits back), and starts
// in the folder it is given.
class GameStartTests : public QObject {
    Q_OBJECT
private slots:
    void theGameReceivesExactlyItsArguments_data();
    void theGameReceivesExactlyItsArguments();
    void aRefusedStartGivesTheSystemsReason();
};

void GameStartTests::theGameReceivesExactlyItsArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("a log folder with spaces and quotes")
        << QStringList{"-nospy",   "-fullscreen", "-sound", "-Log=C:\\Games\\My \"Velberd\" folder\\JazzLog1.txt",
                       "-connect", "192.0.2.5"};
    QTest::newRow("trailing backslashes, empty and tabbed words") << QStringList{
        "C:\\folder with space\\", "C:\\plain\\", "", "a\\\\\"b", "tab\there", "\"", "\\\\server\\share"};
}

void GameStartTests::theGameReceivesExactlyItsArguments() {
    QFETCH(QStringList, arguments);
    QTemporaryDir folder;
    const QString record = folder.filePath(QStringLiteral("argv"));
    qputenv("VELBERD_ARGV_RECORD", QFile::encodeName(record));

    QTemporaryDir gameFolder;
    velberd::DetachedProcessStarter starter;
    const auto refused = starter.start(recorder(), arguments, gameFolder.path());
    QVERIFY2(!refused, qPrintable(refused.value_or(QString())));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 30'000);
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> received = file.readAll().split('\0');
    QCOMPARE(received.takeLast(), QByteArray());
    QCOMPARE(QFileInfo(QString::fromLocal8Bit(received.takeFirst())), QFileInfo(gameFolder.path()));
    QStringList words;
    for (const auto& word : received)
        words << QString::fromLocal8Bit(word);
    QCOMPARE(words, arguments);
}

// A file that only begins like a Windows program (or, elsewhere, one that may not run): the system
// refuses it and says why in its own words, which the player then reads.
void GameStartTests::aRefusedStartGivesTheSystemsReason() {
    QTemporaryDir folder;
    QFile game(folder.filePath(QStringLiteral("jazz2.bin")));
    QVERIFY(game.open(QIODevice::WriteOnly));
    game.write(QByteArray("MZ").leftJustified(512, '\x7f'));
    game.close();
    velberd::DetachedProcessStarter starter;
    const auto refused = starter.start(game.fileName(), {}, folder.path());
    QVERIFY(refused.has_value());
#ifdef Q_OS_WIN
    QVERIFY2(!refused->startsWith(QLatin1String("Windows error")), qPrintable(*refused));
#else
    QVERIFY2(refused->contains(QLatin1String("ermission denied")), qPrintable(*refused));
#endif
}

QTEST_MAIN(GameStartTests)
#include "gamestarttests.moc"
