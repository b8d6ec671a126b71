#include "browser/client/processstarter.h"
#include "common/quitonsignal.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The sockets among the targets of a process's descriptors, as the system names them.
QSet<QString> sockets(const QStringList& targets) {
    QSet<QString> found;
    for (const QString& target : targets) {
        if (target.startsWith(QStringLiteral("socket:["))) found << target;
    }
    return found;
}

QSet<QString> socketsOfThisProcess() {
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    QStringList targets;
    for (const QString& fd : descriptors.entryList(QDir::Files | QDir::System))
        targets << QFile::symLinkTarget(descriptors.filePath(fd)).section(QLatin1Char('/'), -1);
    return sockets(targets);
}

} // namespace

class QuitOnSignalTests : public QObject {
    Q_OBJECT

private slots:
    void startedGameHoldsNoEndOfTheSignalPair();
};

// The pair that carries a termination signal to the event loop stays Velberd's own: the game,
// started through the real starter, holds neither end, so it can neither wake Velberd nor keep
// the pair open after Velberd has gone.
void QuitOnSignalTests::startedGameHoldsNoEndOfTheSignalPair() {
#ifdef Q_OS_UNIX
    const QSet<QString> before = socketsOfThisProcess();
    velberd::quitOnTerminationSignals();
    const QSet<QString> pair = socketsOfThisProcess() - before;
    QCOMPARE(pair.size(), 2);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString listing = folder.filePath(QStringLiteral("descriptors"));
    velberd::DetachedProcessStarter starter;
    // The stand-in game lists what its descriptors lead to, then names the list as done.
    QVERIFY(!starter.start(QStringLiteral("/bin/sh"),
                           {QStringLiteral("-c"),
                            QStringLiteral("for fd in /proc/$$/fd/*; do readlink \"$fd\"; done >\"$0.part\" "
                                           "2>/dev/null; mv \"$0.part\" \"$0\""),
                            listing},
                           folder.path()));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(listing), 10000);
    QFile list(listing);
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList targets = QString::fromLocal8Bit(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(targets.contains(QStringLiteral("/dev/null")), qPrintable(targets.join(QLatin1Char(' '))));
    QVERIFY2(!sockets(targets).intersects(pair), qPrintable(targets.join(QLatin1Char(' '))));
#else
    QSKIP("termination signals are a POSIX matter");
#endif
}

QTEST_MAIN(QuitOnSignalTests)
#include "quitonsignaltests.moc"
