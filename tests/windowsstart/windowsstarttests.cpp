#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// A player unpacks Velberd into Downloads, where other downloads lie beside it: a Qt build's
// lib\libQt6Core.a, which makes Qt take Downloads for its prefix, with a plugin of its own below
// plugins\, and a DLL in the folder the program is started from. Neither may load.
class WindowsStartTests : public QObject {
    Q_OBJECT
private slots:
    void onlyTheProgramsOwnFilesLoad();
};

namespace {

bool copyFile(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    return QFile::copy(from, to);
}

// The probe and everything it loads, laid out as the program folder ships.
bool layOutProgramFolder(const QDir& folder) {
    const QDir bin(QCoreApplication::applicationDirPath());
    QStringList files = bin.entryList({QStringLiteral("*.dll")}, QDir::Files);
    files << QStringLiteral("velberd-start-probe.exe") << QStringLiteral("platforms/qoffscreen.dll")
          << QStringLiteral("styles/qwindowsvistastyle.dll");
    for (const auto& file : files) {
        if (!copyFile(bin.filePath(file), folder.filePath(file))) return false;
    }
    return true;
}

} // namespace

void WindowsStartTests::onlyTheProgramsOwnFilesLoad() {
    QTemporaryDir root;
    const QDir downloads(root.filePath(QStringLiteral("Downloads")));
    const QDir program(downloads.filePath(QStringLiteral("velberd")));
    QVERIFY(layOutProgramFolder(program));

    const QString planted = QCoreApplication::applicationDirPath() + QStringLiteral("/../planted/qplantedstyle.dll");
    QVERIFY(copyFile(planted, downloads.filePath(QStringLiteral("plugins/styles/qplantedstyle.dll"))));
    QFile importLibrary(downloads.filePath(QStringLiteral("lib/libQt6Core.a")));
    QVERIFY(QDir().mkpath(downloads.filePath(QStringLiteral("lib"))) && importLibrary.open(QIODevice::WriteOnly));
    importLibrary.close();
    const QString current = root.filePath(QStringLiteral("current"));
    QVERIFY(copyFile(planted, current + QStringLiteral("/velberd-planted.dll")));
    const QString markers = root.filePath(QStringLiteral("markers"));
    QVERIFY(QDir().mkpath(markers));

    QProcess probe;
    probe.setWorkingDirectory(current);
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELBERD_PLANTED_MARKERS"), QDir::toNativeSeparators(markers));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    probe.setProcessEnvironment(environment);
    probe.start(program.filePath(QStringLiteral("velberd-start-probe.exe")), {});
    QVERIFY2(probe.waitForFinished(60'000), qPrintable(probe.errorString()));
    const QString said = QString::fromLocal8Bit(probe.readAllStandardOutput());

    QCOMPARE(QDir(markers).entryList(QDir::Files), QStringList());
    QVERIFY2(said.contains(QLatin1String("style: made")), qPrintable(said));
    QVERIFY2(said.contains(QLatin1String("bare name: refused")), qPrintable(said));
}

QTEST_MAIN(WindowsStartTests)
#include "windowsstarttests.moc"
