// Stands in for the game in the offline demo: shows the command line that "Join" started it with,
// and appends it to launches.txt beside itself so that the demo's self-check can read it. Its
// process id goes into standingame.pid beside itself first, so that the check ends this game, and
// no other process, by its id.

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QStringList>
#include <QTextStream>

int main(int argc, char* argv[]) {
    // Taken before Qt looks at the arguments, since it would keep some of them for itself.
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    const QString commandLine = words.join(QLatin1Char(' '));

    QApplication app(argc, argv);
    QFile pid(QApplication::applicationDirPath() + QStringLiteral("/standingame.pid"));
    if (pid.open(QIODevice::WriteOnly | QIODevice::Truncate))
        pid.write(QByteArray::number(QApplication::applicationPid()));
    pid.close();
    QFile record(QApplication::applicationDirPath() + QStringLiteral("/launches.txt"));
    if (record.open(QIODevice::Append | QIODevice::Text)) QTextStream(&record) << commandLine << '\n';
    QTextStream(stdout) << "The game was started as: " << commandLine << '\n';

    // Without a screen (the self-check) the record is all there is to show.
    if (QApplication::platformName() != QLatin1String("offscreen")) {
        QMessageBox::information(nullptr, QStringLiteral("Jazz Jackrabbit 2 (stand-in)"),
                                 QStringLiteral("The game was started as:\n\n%1").arg(commandLine));
    }
    return 0;
}
