// The character editor on Windows: what it reads and writes goes through the Windows registry
// (Wine's, in the build's own prefix, when cross-built), in the system's ANSI code page.
#include "chareditor/registry/regexeimport.h"
#include "chareditor/registry/systemregistry.h"
#include "chareditor/ui/charactereditor.h"
#include "recordingmessages.h"
#include "refusingbackend.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>
#include <process.h>
#include <windows.h>

namespace velberd {
namespace {

const char* const kKey123 = ".Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2\\1.23\\Player0";
const char* const kKey124 = ".Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2 Special Edition\\1.24\\Player0";

void store(const char* key, const char* name, DWORD type, const QByteArray& bytes) {
    QCOMPARE(RegSetKeyValueA(HKEY_USERS, key, name, type, bytes.constData(), static_cast<DWORD>(bytes.size())),
             ERROR_SUCCESS);
}

struct Stored {
    DWORD type = 0;
    QByteArray bytes;
};

Stored stored(const char* key, const char* name) {
    Stored value;
    DWORD size = 0;
    if (RegGetValueA(HKEY_USERS, key, name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.bytes.resize(size);
    RegGetValueA(HKEY_USERS, key, name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, value.bytes.data(), &size);
    value.bytes.resize(size);
    return value;
}

} // namespace

class CharacterEditorWindowsTest : public QObject {
    Q_OBJECT
public:
    static void initMain();
private slots:
    void init();
    void cleanup();
    void readsAndWritesThePlayersValues();
    void refusedForLackOfRightsWindowsRegistryToolSaves();

private:
    template <typename Control> Control* control(const char* name) {
        auto* found = m_editor->findChild<Control*>(QString::fromLatin1(name));
        if (found == nullptr) qFatal("no control %s", name);
        return found;
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2)); }
    void open() {
        m_editor = std::make_unique<CharacterEditor>(*m_backend, m_messages);
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
    }

    std::unique_ptr<registry::Backend> m_backend;
    test::RecordingMessages m_messages;
    std::unique_ptr<CharacterEditor> m_editor;
};

// As "<this program> import <file>", Windows' registry tool: another program tries to overwrite and
// to delete the file (ending with 90, 91 when it could), then the real tool imports it.
void CharacterEditorWindowsTest::initMain() {
    if (__argc != 3 || lstrcmpA(__argv[1], "import") != 0) return;
    if (CreateFileA(__argv[2], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr) != INVALID_HANDLE_VALUE)
        ExitProcess(90);
    if (DeleteFileA(__argv[2])) ExitProcess(91);
    const std::string file = '"' + std::string(__argv[2]) + '"';
    ExitProcess(static_cast<UINT>(_spawnlp(_P_WAIT, "reg.exe", "reg.exe", "import", file.c_str(), nullptr)));
}

void CharacterEditorWindowsTest::init() {
    m_backend = registry::makeSystemRegistry();
    m_messages.shown.clear();
    m_messages.asked.clear();
}

void CharacterEditorWindowsTest::cleanup() {
    m_editor.reset();
    RegDeleteTreeA(HKEY_USERS, ".Default\\Software\\Epic MegaGames");
    RegDeleteKeyA(HKEY_USERS, ".Default\\Software\\Epic MegaGames");
}

void CharacterEditorWindowsTest::readsAndWritesThePlayersValues() {
    store(kKey123, "Char", REG_BINARY, QByteArray("\x55\0\0\0", 4));
    store(kKey123, "Color", REG_BINARY, "\x10\x20\x30\x40");
    store(kKey123, "Name", REG_SZ, QByteArray("Jazz\xe9", 6));
    store(kKey124, "Char", REG_BINARY, QByteArray("\x37\0\0\0", 4));
    open();
    QVERIFY(control<QRadioButton>("Option2")->isChecked());
    QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("Jazz\u00e9"));
    QCOMPARE(control<QLineEdit>("Text5")->text(), QStringLiteral("40"));

    control<QLineEdit>("Text1")->setText(QStringLiteral("Caf\u00e9 \u20ac \u0141"));
    click(control<QPushButton>("Command1"));
    const Stored name = stored(kKey123, "Name");
    QCOMPARE(name.type, DWORD(REG_SZ));
    QCOMPARE(name.bytes, QByteArray("Caf\xe9 \x80 ?", 9));

    control<QLineEdit>("Text2")->setText(QStringLiteral("a"));
    click(control<QPushButton>("Command2"));
    const Stored colour = stored(kKey123, "Color");
    QCOMPARE(colour.type, DWORD(REG_BINARY));
    QCOMPARE(colour.bytes, QByteArray("\x0a\x20\x30\x40"));

    click(control<QCheckBox>("OTF"));
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    click(control<QRadioButton>("Option3"));
    QCOMPARE(stored(kKey124, "Char").bytes, QByteArray("\x3d\0\0\0", 4));
    QVERIFY(m_messages.shown.isEmpty());
}

// A write refused for lack of rights (a stand-in refuses it here, where every program may write)
// goes to Windows' own registry tool, which imports the values shown, a name of quotes, brackets
// and a backslash among them; they read back through the registry and through the tool itself.
// Meanwhile no other program can change or delete the file (this program stands in for the tool).
void CharacterEditorWindowsTest::refusedForLackOfRightsWindowsRegistryToolSaves() {
    store(kKey123, "Char", REG_BINARY, QByteArray("\x37\0\0\0", 4));
    store(kKey123, "Color", REG_BINARY, "\x10\x20\x30\x40");
    store(kKey123, "Name", REG_SZ, QByteArray("Jazz", 5));
    // Windows' registry, refusing every write as it refuses a player who is no administrator.
    test::RefusingBackend refusing(*m_backend);
    refusing.refusal = registry::kAccessDenied;
    auto tool = std::make_shared<registry::RegExeImport>(
        QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdWString());
    m_editor = std::make_unique<CharacterEditor>(refusing, m_messages, tool);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));

    const QString name = QStringLiteral("\"T\u00e9\"][x\\");
    control<QLineEdit>("Text1")->setText(name);
    click(control<QPushButton>("Command1"));
    QCOMPARE(m_messages.asked.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(
        m_messages.shown,
        (QList{std::pair{MessagePresenter::Style::Plain,
                         QStringLiteral("The name, colours and character were saved with administrator rights.")}}),
        60'000);
    QCOMPARE(stored(kKey123, "Name").bytes, QByteArray("\"T\xe9\"][x\\", 9));
    QCOMPARE(stored(kKey123, "Color").bytes, QByteArray("\x10\x20\x30\x40"));
    QCOMPARE(stored(kKey123, "Char").bytes, QByteArray("\x37\0\0\0", 4));

    QProcess query;
    query.start(QStringLiteral("reg.exe"),
                {QStringLiteral("query"), QStringLiteral("HKEY_USERS\\") + QString::fromLatin1(kKey123)});
    QVERIFY(query.waitForFinished(60'000));
    const QString listed = QString::fromLocal8Bit(query.readAllStandardOutput());
    QVERIFY2(listed.contains(QLatin1String("REG_BINARY    10203040")), qPrintable(listed));
    QVERIFY2(listed.contains(QLatin1String("REG_BINARY    37000000")), qPrintable(listed));
}

} // namespace velberd

QTEST_MAIN(velberd::CharacterEditorWindowsTest)
#include "charactereditorwindowstests.moc"
