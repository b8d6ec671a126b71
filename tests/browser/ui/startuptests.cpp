#include "common/layoutfonts.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using velberd::test::FakeListServer;
using velberd::test::WindowFixture;

namespace {

const QStringList kStartupLines{"Server Lists",
                                "Please Wait...",
                                "Checking for Winsock...",
                                "Activating Timers...",
                                "Adding Finishing Touches...",
                                "Initialized.",
                                "Waiting for ServerList..."};

} // namespace

class StartupTests : public QObject {
    Q_OBJECT
private slots:
    void windowHasItsDesignedLook();
    void theNarrowFontOfTheLayoutExists();
    void gamePathsComeFromDirsTxt_data();
    void gamePathsComeFromDirsTxt();
    void refreshStartsAtTheSixthStep();
    void yourIpMinimizesTheWindow();
    void characterEditorOpensOnceAndReopensFresh();
};

void StartupTests::windowHasItsDesignedLook() {
    WindowFixture f;
    auto& w = *f.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Velberd v1.4 r64 for Jazz 2 and The Secret Files"));
    QCOMPARE(w.size(), QSize(450, 297));
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    for (const char* name : {"Label15", "SNa", "PCo", "VRe", "GTy", "SUp", "IPa", "HOs", "PIn", "HSt"}) {
        auto* value = f.control<QLabel>(name);
        QVERIFY2(value, name);
        QCOMPARE(value->text(), QStringLiteral("x"));
        QVERIFY(value->alignment().testFlag(Qt::AlignRight));
    }
    QStringList captions;
    for (int i = 1; i <= 10; ++i)
        captions << f.window->findChild<QLabel*>(QStringLiteral("Caption%1").arg(i))->text();
    QCOMPARE(captions, (QStringList{"Server Name:", "Private / Public:", "PlayerCount:", "Version:", "Game Type:",
                                    "Server Uptime:", "IP Address:", "Hostname:", "Ping:", "Probable Hosts:"}));

    QCOMPARE(f.items("List2"), QStringList{"Server Lists"});
    QVERIFY(!f.control("List2")->isEnabled());
    QCOMPARE(f.items("List1"), (QStringList{"Hey", "Hi", "Sup", "G'dawg?"}));
    QCOMPARE(f.caption("sCounter"), QStringLiteral("0"));
    QCOMPARE(f.caption("lip"), QStringLiteral("192.0.2.44"));
    QCOMPARE(f.control<QLabel>("Label9")->text(), QStringLiteral("Character Editor"));
    QCOMPARE(f.control<QPushButton>("Command1")->text(), QStringLiteral("Join"));
    QCOMPARE(f.control<QComboBox>("Combo1")->currentText(), QStringLiteral("Game Path"));
    QVERIFY(f.control<QCheckBox>("full")->isChecked());
    for (const char* name : {"spy", "safe", "log", "mute"})
        QVERIFY2(!f.control<QCheckBox>(name)->isChecked(), name);
    QCOMPARE(f.control("List2")->geometry(), QRect(8, 16, 153, 156));
    auto* join = f.control("Command1");
    QCOMPARE(QRect(join->mapTo(f.window.get(), QPoint()), join->size()), QRect(409, 272, 41, 24));
    QCOMPARE(f.control<QLabel>("HOs")->font().pointSizeF(), 8.25);
    QCOMPARE(f.control<QLabel>("Label9")->font().family(), QStringLiteral("Arial"));

    QCOMPARE(f.timer("Timer1")->interval(), 700);
    QVERIFY(f.timer("Timer1")->isActive());
    QVERIFY(!f.timer("autolist")->isActive());
    QVERIFY(!f.timer("Pinger")->isActive());

    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), f.control("Command1"));
}

// Arial Narrow, which the list and the labels name, or its metric twin that ships beside the
// programs for systems without it (Windows without Office, Wine).
void StartupTests::theNarrowFontOfTheLayoutExists() {
    velberd::provideLayoutFonts();
    const QFontInfo narrow(QFont(QStringLiteral("Arial Narrow")));
    QVERIFY2(narrow.family() == QLatin1String("Arial Narrow") ||
                 narrow.family() == QLatin1String("Liberation Sans Narrow"),
             qPrintable(narrow.family()));
}

// How the file's lines become the two paths is the reader's rule, tested with it; here the window
// finds the file in its folder, shows its bytes in the game's code page, and picks no entry.
void StartupTests::gamePathsComeFromDirsTxt_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("classic");
    QTest::addColumn<QString>("secretFiles");

    QTest::newRow("bytes above 127") << QByteArray("c:\\spiele\\j\xe4ger\\jazz2.exe\r\nc:\\\x80\x9f\xff.exe\r\n")
                                     << QString::fromUtf8("c:\\spiele\\jäger\\jazz2.exe")
                                     << QString::fromUtf8("c:\\€Ÿÿ.exe");
    QTest::newRow("no file") << QByteArray() << ""
                             << "";
}

void StartupTests::gamePathsComeFromDirsTxt() {
    QFETCH(QByteArray, file);
    QFETCH(QString, classic);
    QFETCH(QString, secretFiles);
    WindowFixture f(file.isNull() ? nullptr : &file);
    auto* combo = f.control<QComboBox>("Combo1");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), classic);
    QCOMPARE(combo->itemText(1), secretFiles);
    QCOMPARE(combo->currentText(), QStringLiteral("Game Path"));
}

void StartupTests::refreshStartsAtTheSixthStep() {
    FakeListServer list;
    list.serve({"192.0.2.1:10052 local public 1 1.24   5 [1/2] First\r\n"});
    WindowFixture f(nullptr, list.port());
    auto* autolist = f.timer("autolist");
    // Timer1 takes the first step; the rest are driven here, and Timer1's later ticks only add
    // ticks past the last step.
    QTRY_COMPARE_WITH_TIMEOUT(f.items("List2"), kStartupLines.mid(0, 2), 5000);
    for (int step = 2; step <= 6; ++step) {
        QVERIFY(!autolist->isActive());
        QVERIFY(!f.control("List2")->isEnabled());
        f.window->advanceStartup();
        QCOMPARE(f.items("List2"), kStartupLines.mid(0, step + 1));
    }
    QVERIFY(autolist->isActive());
    QCOMPARE(autolist->interval(), 5000);
    // However long the program runs, later ticks change nothing, past a 16-bit count too.
    for (int i = 0; i < 70000; ++i)
        f.window->advanceStartup();
    QCOMPARE(f.items("List2"), kStartupLines);
    QCOMPARE(autolist->interval(), 5000);

    // The first refresh waits a whole interval after the last step.
    QTest::qWait(300);
    QCOMPARE(list.connectionCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(list.connectionCount(), 1, 15000);
    QTRY_COMPARE(f.items("List2"), QStringList{"First"});
    QVERIFY(f.control("List2")->isEnabled());
}

void StartupTests::yourIpMinimizesTheWindow() {
    WindowFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QTest::mouseClick(f.control("Label11"), Qt::LeftButton);
    QTRY_VERIFY(f.window->isMinimized());
}

namespace {

// The 1.23 player as the game keeps it, named `name`.
void writePlayer(const WindowFixture& f, const std::string& name) {
    const std::string key = ".Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2\\1.23\\Player0";
    f.registry->store(velberd::registry::kUsers, key, "Name", velberd::registry::kRegSz, name + '\0');
    f.registry->store(velberd::registry::kUsers, key, "Char", velberd::registry::kRegBinary,
                      std::string("\x55\0\0\0", 4));
    f.registry->store(velberd::registry::kUsers, key, "Color", velberd::registry::kRegBinary, "\x20\x18\x28\x10");
}

} // namespace

// The editor opens once however often it is asked for, beside the main window, and each opening
// reads the settings afresh.
void StartupTests::characterEditorOpensOnceAndReopensFresh() {
    WindowFixture f;
    writePlayer(f, "Spazz");
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    const auto editor = [&] {
        const auto editors = f.window->findChildren<QWidget*>(QStringLiteral("Registry"));
        return editors.size() == 1 ? editors.first() : nullptr;
    };
    QTest::mouseClick(f.control("Label9"), Qt::LeftButton);
    QTest::mouseClick(f.control("Label9"), Qt::LeftButton);
    QPointer<QWidget> first = editor();
    QVERIFY(first && first->isVisible() && first->isWindow());
    QVERIFY(!first->isModal());
    QCOMPARE(first->windowTitle(), QStringLiteral("Character Editor"));
    QCOMPARE(first->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("Spazz"));
    QVERIFY(f.window->isEnabled());

    first->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("half typed"));
    first->findChild<QCheckBox*>(QStringLiteral("OTF"))->setChecked(true);
    QVERIFY(first->close());
    QTRY_VERIFY(!first);
    // The game renamed the player while the editor was closed.
    writePlayer(f, "Jazz");
    QTest::mouseClick(f.control("Label9"), Qt::LeftButton);
    QVERIFY(editor() && editor()->isVisible());
    QCOMPARE(editor()->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("Jazz"));
    QVERIFY(!editor()->findChild<QCheckBox*>(QStringLiteral("OTF"))->isChecked());
}

QTEST_MAIN(StartupTests)
#include "startuptests.moc"
