#include "browser/ui/processstarter.h"

#include <QCoreApplication>
#include <QFile>
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
// they hold: on Windows through a command line that the game's C runtime splits back.
class GameStartTests : public QObject {
    Q_OBJECT
private slots:
    void theGameReceivesExactlyItsArguments_data();
    void theGameReceivesExactlyItsArguments();
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

    velberd::DetachedProcessStarter starter;
    QVERIFY(starter.start(recorder(), arguments));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 30'000);
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> received = file.readAll().split('\0');
    QCOMPARE(received.takeLast(), QByteArray());
    QStringList words;
    for (const auto& word : received)
        words << QString::fromLocal8Bit(word);
    QCOMPARE(words, arguments);
}

QTEST_MAIN(GameStartTests)
#include "gamestarttests.moc"
