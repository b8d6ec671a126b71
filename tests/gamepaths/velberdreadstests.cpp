#include "browser/logic/gamepathfile.h"
#include "pathsetupdriver.h"

#include <QTest>
#include <string>

// Dorrick's file, read back by Velberd's own loader: the two paths become Combo1's two entries.
class VelberdReadsTests : public QObject {
    Q_OBJECT

private slots:
    void loaderGetsBothPaths_data();
    void loaderGetsBothPaths();
};

void VelberdReadsTests::loaderGetsBothPaths_data() {
    QTest::addColumn<QString>("typedClassic");
    QTest::addColumn<QString>("typedSecretFiles");
    QTest::addColumn<QByteArray>("classic");
    QTest::addColumn<QByteArray>("secretFiles");
    QTest::newRow("defaults") << QString() << QString() << QByteArray("c:\\games\\jazz2\\jazz2.exe")
                              << QByteArray("c:\\games\\jazz2tsf\\jazz2.exe");
    QTest::newRow("empty first path") << QStringLiteral("") << QString() << QByteArray()
                                      << QByteArray("c:\\games\\jazz2tsf\\jazz2.exe");
    QTest::newRow("accents and spaces") << QStringLiteral("d:\\jeux été\\jazz2.exe ")
                                        << QStringLiteral("d:\\tsf\\ü.exe")
                                        << QByteArray("d:\\jeux \xe9t\xe9\\jazz2.exe ")
                                        << QByteArray("d:\\tsf\\\xfc.exe");
}

void VelberdReadsTests::loaderGetsBothPaths() {
    QFETCH(QString, typedClassic);
    QFETCH(QString, typedSecretFiles);
    QFETCH(QByteArray, classic);
    QFETCH(QByteArray, secretFiles);

    PathSetupDriver dorrick;
    // A null text leaves the field at its default; an empty one clears it.
    if (!typedClassic.isNull()) dorrick.retype(dorrick.Text1(), typedClassic);
    if (!typedSecretFiles.isNull()) dorrick.retype(dorrick.Text2(), typedSecretFiles);
    dorrick.save();

    const QByteArray written = dorrick.dirsBytes();
    QVERIFY(!written.isEmpty());
    const velberd::GamePaths paths = velberd::parseGamePathFile(std::string_view(written.constData(), written.size()));
    QCOMPARE(QByteArray::fromStdString(paths.classic), classic);
    QCOMPARE(QByteArray::fromStdString(paths.secretFiles), secretFiles);
}

QTEST_MAIN(VelberdReadsTests)
#include "velberdreadstests.moc"
