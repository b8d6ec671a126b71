#include "pathsetupdriver.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QTest>

#ifdef Q_OS_LINUX
#include "filesizelimit.h"

#include <sys/fsuid.h>
#include <unistd.h>
#endif

namespace {

const QByteArray defaultsFile = "c:\\games\\jazz2\\jazz2.exe\r\nc:\\games\\jazz2tsf\\jazz2.exe\r\n";
const QByteArray oldFile = "d:\\old\\jazz2.exe\r\nd:\\old\\tsf\\jazz2.exe\r\n";

QRect geometryOf(const QWidget& window, const char* name) {
    const auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
    return control ? control->geometry() : QRect();
}

// After a save the window stays open; a failed one says so once, with the reason given.
void verifyOpenAndSaid(PathSetupDriver& dorrick, const QString& reason) {
    QVERIFY(dorrick.window().isVisible());
    if (reason.isEmpty()) {
        QCOMPARE(dorrick.messages(), QStringList());
        return;
    }
    QCOMPARE(dorrick.messages().size(), 1);
    QVERIFY2(dorrick.messages().front().startsWith(QStringLiteral("dirs.txt was not saved")) &&
                 dorrick.messages().front().contains(reason),
             qPrintable(dorrick.messages().front()));
}

#ifdef Q_OS_LINUX
// While alive, file access from this thread is checked as an unprivileged user, so permission bits
// hold for root too (root's file capabilities drop with its file-system uid).
class UnprivilegedFileAccess {
public:
    UnprivilegedFileAccess() {
        ::setfsuid(65534);
        m_active = ::setfsuid(static_cast<uid_t>(-1)) == 65534;
    }
    ~UnprivilegedFileAccess() { ::setfsuid(0); }
    bool active() const { return m_active; }

private:
    bool m_active = false;
};
#endif

} // namespace

class PathSetupWindowTests : public QObject {
    Q_OBJECT

private slots:
    void windowShowsItsControlsWhereTheyBelong();
    void tabGoesText1Text2Command1();
    void savesWhatTheFieldsShow_data();
    void savesWhatTheFieldsShow();
    void pathTheCodePageLacksIsNotSaved_data();
    void pathTheCodePageLacksIsNotSaved();
#ifdef Q_OS_LINUX
    // The failures are made with POSIX permissions and a file-size limit.
    void readOnlyFolderLeavesFileUnchanged_data();
    void readOnlyFolderLeavesFileUnchanged();
    void fullDiskLeavesOldFileWhole_data();
    void fullDiskLeavesOldFileWhole();
#endif
};

void PathSetupWindowTests::windowShowsItsControlsWhereTheyBelong() {
    PathSetupDriver dorrick;
    QVERIFY(dorrick.exposed());
    const dorrick::PathSetupWindow& window = dorrick.window();
    QCOMPARE(window.objectName(), QStringLiteral("Form1"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Dorrick - Velberd"));
    QCOMPARE(window.size(), QSize(306, 57));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    QCOMPARE(window.findChild<QLabel*>("Label1")->text(), QStringLiteral("1.21-3:"));
    QCOMPARE(window.findChild<QLabel*>("Label2")->text(), QStringLiteral("TSF:"));
    QCOMPARE(dorrick.Text1()->text(), QStringLiteral("c:\\games\\jazz2\\jazz2.exe"));
    QCOMPARE(dorrick.Text2()->text(), QStringLiteral("c:\\games\\jazz2tsf\\jazz2.exe"));
    QCOMPARE(dorrick.Command1()->text(), QStringLiteral("Save"));

    QCOMPARE(geometryOf(window, "Label1"), QRect(0, 8, 33, 17));
    QCOMPARE(geometryOf(window, "Label2"), QRect(0, 32, 33, 17));
    QCOMPARE(geometryOf(window, "Text1"), QRect(40, 8, 209, 19));
    QCOMPARE(geometryOf(window, "Text2"), QRect(40, 32, 209, 19));
    QCOMPARE(geometryOf(window, "Command1"), QRect(256, 16, 41, 25));

    // The four lines hug the button one pixel outside it: dark above and left, light grey below and right.
    QCOMPARE(geometryOf(window, "Line1"), QRect(QPoint(255, 15), QPoint(298, 15)));
    QCOMPARE(geometryOf(window, "Line2"), QRect(QPoint(255, 15), QPoint(255, 41)));
    QCOMPARE(geometryOf(window, "Line3"), QRect(QPoint(255, 41), QPoint(298, 41)));
    QCOMPARE(geometryOf(window, "Line4"), QRect(QPoint(297, 15), QPoint(297, 41)));
    const QColor lightGrey(0xE0, 0xE0, 0xE0);
    const QColor lineColour = window.palette().color(QPalette::WindowText);
    for (const char* name : {"Line1", "Line2"})
        QCOMPARE(window.findChild<QFrame*>(name)->palette().color(QPalette::Window), lineColour);
    for (const char* name : {"Line3", "Line4"})
        QCOMPARE(window.findChild<QFrame*>(name)->palette().color(QPalette::Window), lightGrey);
    QVERIFY(lineColour != lightGrey);
}

void PathSetupWindowTests::tabGoesText1Text2Command1() {
    PathSetupDriver dorrick;
    QVERIFY(dorrick.exposed());
    QApplication::setActiveWindow(&dorrick.window());
    QVERIFY(QTest::qWaitForWindowActive(&dorrick.window()));
    dorrick.Text1()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), dorrick.Text1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), dorrick.Text2());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), dorrick.Command1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), dorrick.Text1());
}

void PathSetupWindowTests::savesWhatTheFieldsShow_data() {
    QTest::addColumn<QByteArray>("before");   // dirs.txt before the save; null: none
    QTest::addColumn<QString>("classic");     // typed into Text1; null: the field is left as it opens
    QTest::addColumn<QString>("secretFiles"); // typed into Text2; null: as it opens
    QTest::addColumn<QByteArray>("written");
    const QByteArray classicDefault = "c:\\games\\jazz2\\jazz2.exe\r\n";
    QTest::newRow("the defaults, no file before") << QByteArray() << QString() << QString() << defaultsFile;
    QTest::newRow("an empty first path") << QByteArray() << "" << QString()
                                         << QByteArray("\r\nc:\\games\\jazz2tsf\\jazz2.exe\r\n");
    QTest::newRow("a longer file before is replaced whole")
        << QByteArray("a much longer file that was here before Dorrick ever ran\r\nline 2\r\nline 3\r\n")
        << "e:\\j2.exe"
        << "e:\\tsf.exe" << QByteArray("e:\\j2.exe\r\ne:\\tsf.exe\r\n");
    QTest::newRow("accented letter is one byte")
        << QByteArray() << QString() << QStringLiteral("c:\\jeux\\café\\jazz2.exe")
        << classicDefault + "c:\\jeux\\caf\xe9\\jazz2.exe\r\n";
    QTest::newRow("euro sign is its code page byte") << QByteArray() << QString() << QStringLiteral("c:\\€\\jazz2.exe")
                                                     << classicDefault + "c:\\\x80\\jazz2.exe\r\n";
    QTest::newRow("spaces and quotes kept")
        << QByteArray() << QString() << QStringLiteral("  \"c:\\my games\\jazz2.exe\" ")
        << classicDefault + "  \"c:\\my games\\jazz2.exe\" \r\n";
}

// The file is replaced whole, byte for byte in the game's code page, and the window stays open
// with the fields as they were.
void PathSetupWindowTests::savesWhatTheFieldsShow() {
    QFETCH(QByteArray, before);
    QFETCH(QString, classic);
    QFETCH(QString, secretFiles);
    QFETCH(QByteArray, written);
    PathSetupDriver dorrick;
    if (before.isNull())
        QVERIFY(!QFile::exists(dorrick.dirsPath()));
    else
        dorrick.writeDirs(before);
    if (!classic.isNull()) dorrick.retype(dorrick.Text1(), classic);
    if (!secretFiles.isNull()) dorrick.retype(dorrick.Text2(), secretFiles);
    const QStringList shown{dorrick.Text1()->text(), dorrick.Text2()->text()};
    dorrick.save();
    QCOMPARE(dorrick.dirsBytes(), written);
    QCOMPARE(dorrick.folderEntries(), QStringList{"dirs.txt"});
    verifyOpenAndSaid(dorrick, {});
    QCOMPARE((QStringList{dorrick.Text1()->text(), dorrick.Text2()->text()}), shown);
}

void PathSetupWindowTests::pathTheCodePageLacksIsNotSaved_data() {
    QTest::addColumn<QString>("classic");
    QTest::addColumn<QString>("secretFiles");
    QTest::addColumn<QString>("said");
    QTest::newRow("Cyrillic home folder")
        << QStringLiteral("c:\\Users\\Дима\\jazz2\\jazz2.exe") << QStringLiteral("c:\\tsf\\jazz2.exe")
        << QStringLiteral("The 1.21-3: path holds characters that the game's code page cannot store: Дима");
    QTest::newRow("Greek, each letter once, beside one the code page has")
        << QStringLiteral("c:\\jazz2.exe") << QStringLiteral("c:\\Παιχνίδια é\\jazz2.exe")
        << QStringLiteral("The TSF: path holds characters that the game's code page cannot store: Παιχνίδ\n");
    // Windows would write "a" for it, a path to a folder that does not exist.
    QTest::newRow("a letter with a look-alike")
        << QStringLiteral("c:\\Spiele\\J\u0101zz\\jazz2.exe") << QStringLiteral("c:\\tsf\\jazz2.exe")
        << QStringLiteral("The 1.21-3: path holds characters that the game's code page cannot store: \u0101\n");
    QTest::newRow("CJK") << QStringLiteral("c:\\遊戲\\jazz2.exe") << QStringLiteral("c:\\tsf\\jazz2.exe")
                         << QStringLiteral(
                                "The 1.21-3: path holds characters that the game's code page cannot store: 遊戲\n");
}

// A path the game cannot read back is saved as nothing at all, not as a broken path.
void PathSetupWindowTests::pathTheCodePageLacksIsNotSaved() {
    QFETCH(QString, classic);
    QFETCH(QString, secretFiles);
    QFETCH(QString, said);
    PathSetupDriver dorrick;
    dorrick.writeDirs(oldFile);
    dorrick.retype(dorrick.Text1(), classic);
    dorrick.retype(dorrick.Text2(), secretFiles);
    dorrick.save();
    QCOMPARE(dorrick.dirsBytes(), oldFile);
    verifyOpenAndSaid(dorrick, said);
    QCOMPARE(dorrick.Text1()->text(), classic);
}

#ifdef Q_OS_LINUX
void PathSetupWindowTests::readOnlyFolderLeavesFileUnchanged_data() {
    QTest::addColumn<bool>("fileWritable");
    QTest::newRow("file read-only too") << false;
    // Writing in place would be possible here, but only a whole new file may replace the old one.
    QTest::newRow("file itself writable") << true;
}

void PathSetupWindowTests::readOnlyFolderLeavesFileUnchanged() {
    QFETCH(bool, fileWritable);
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const QFile::Permissions searchable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    PathSetupDriver dorrick;
    dorrick.writeDirs(oldFile);
    QVERIFY(QFile::setPermissions(dorrick.dirsPath(), fileWritable ? readable | writable : readable));
    QVERIFY(QFile::setPermissions(dorrick.folder(), readable | searchable));
    {
        // Root writes through permission bits; as root, save with the rights of an ordinary user.
        std::unique_ptr<UnprivilegedFileAccess> unprivileged;
        if (::geteuid() == 0) {
            unprivileged = std::make_unique<UnprivilegedFileAccess>();
            if (!unprivileged->active()) {
                unprivileged.reset();
                QFile::setPermissions(dorrick.folder(), readable | writable | searchable);
                QSKIP("running as root without the right to change the file-system uid: a read-only folder cannot "
                      "stop this process");
            }
        }
        dorrick.save();
    }
    QVERIFY(QFile::setPermissions(dorrick.folder(), readable | writable | searchable));
    QCOMPARE(dorrick.dirsBytes(), oldFile);
    QCOMPARE(dorrick.folderEntries(), QStringList{"dirs.txt"});
    verifyOpenAndSaid(dorrick, QStringLiteral("Permission denied"));
}

void PathSetupWindowTests::fullDiskLeavesOldFileWhole_data() {
    QTest::addColumn<QString>("classic");
    // Qt holds a short text in its write buffer: it reaches the file at the flush, which fails.
    QTest::newRow("the defaults, written at the flush") << QStringLiteral("c:\\games\\jazz2\\jazz2.exe");
    // More than the write buffer holds goes to the file at once, and that write fails part-way.
    QTest::newRow("a 20 000-character path, written at once")
        << QStringLiteral("c:\\") + QString(20000 - 13, QLatin1Char('j')) + QStringLiteral("\\jazz2.exe");
}

void PathSetupWindowTests::fullDiskLeavesOldFileWhole() {
    QFETCH(QString, classic);
    PathSetupDriver dorrick;
    dorrick.writeDirs(oldFile);
    dorrick.paste(dorrick.Text1(), classic);
    QCOMPARE(dorrick.Text1()->text(), classic);
    {
        const velberd::test::FileSizeLimit fullDisk(8);
        dorrick.save();
    }
    QCOMPARE(dorrick.dirsBytes(), oldFile);
    QCOMPARE(dorrick.folderEntries(), QStringList{"dirs.txt"});
    verifyOpenAndSaid(dorrick, QStringLiteral("File too large"));

    // Once the disk is well again, the same window saves normally.
    dorrick.save();
    QCOMPARE(dorrick.dirsBytes(), classic.toLatin1() + "\r\nc:\\games\\jazz2tsf\\jazz2.exe\r\n");
}
#endif

QTEST_MAIN(PathSetupWindowTests)
#include "pathsetupwindowtests.moc"
