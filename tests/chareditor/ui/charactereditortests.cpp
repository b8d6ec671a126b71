#include "chareditor/registry/registryapi.h"
#include "chareditor/registry/systemregistry.h"
#include "chareditor/ui/charactereditor.h"
#include "recordingmessages.h"
#include "refusingbackend.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#ifndef Q_OS_WIN
#include "wineserverfolders.h"
#endif

namespace velberd {
namespace {

constexpr std::string_view kKey123 = "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2\\1.23\\Player0";
constexpr std::string_view kKey124 =
    "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2 Special Edition\\1.24\\Player0";

const QByteArray kHeader = "WINE REGISTRY Version 2\n"
                           ";; All keys relative to \\\\User\\\\.Default\n"
                           "\n"
                           "#arch=win64\n"
                           "\n"
                           "[Control Panel\\\\Desktop] 1700000000\n"
                           "\"DragFullWindows\"=\"0\"\n"
                           "\n";

QByteArray section123(const QByteArray& values) {
    return "[Software\\\\Epic MegaGames\\\\Jazz Jackrabbit 2\\\\1.23\\\\Player0] 1700000100\n"
           "#time=1da0f0b5e8a1c2f\n" +
           values + "\n";
}

QByteArray section124(const QByteArray& values) {
    return "[Software\\\\Epic MegaGames\\\\Jazz Jackrabbit 2 Special Edition\\\\1.24\\\\Player0] 1700000200\n"
           "#time=1da0f0b5e8a1c30\n" +
           values + "\n";
}

std::string bytes(std::initializer_list<unsigned char> values) {
    std::string text;
    for (const unsigned char value : values)
        text.push_back(static_cast<char>(value));
    return text;
}

} // namespace

class CharacterEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layoutFollowsTheDesign();
    void optionFollowsTheVersionsCode_data();
    void optionFollowsTheVersionsCode();
    void coloursShowAndSetInHexadecimal();
    void colourAboveFfIsRefusedAndPointedOut();
    void nameSetWritesOnlyTheCurrentKey();
    void clickedOptionsWriteTheirCodes();
    void unreadableKeysShowErrorAndWriteNothing();
    void refusedWriteSaysWhyOnceAndKeepsTheChoice_data();
    void refusedWriteSaysWhyOnceAndKeepsTheChoice();
    void openingWritesBackOnlyWhatNeedsItAndQuietly();

private:
    void writeUserDefaults(const QByteArray& content);
    QByteArray userDefaults() const;
    std::string read(std::string_view key, std::string_view name);
    void open();
    template <typename Control> Control* control(const char* name) {
        auto* found = m_editor->findChild<Control*>(QString::fromLatin1(name));
        if (found == nullptr) qFatal("no control %s", name);
        return found;
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2)); }

    std::unique_ptr<QTemporaryDir> m_prefix;
    std::unique_ptr<registry::Backend> m_registry;
    std::unique_ptr<test::RefusingBackend> m_backend;
    test::RecordingMessages m_messages;
    std::unique_ptr<CharacterEditor> m_editor;
};

void CharacterEditorTest::init() {
    m_prefix = std::make_unique<QTemporaryDir>();
    QVERIFY(m_prefix->isValid());
    qputenv("WINEPREFIX", QFile::encodeName(m_prefix->path()));
    m_registry = registry::makeSystemRegistry();
    m_backend = std::make_unique<test::RefusingBackend>(*m_registry);
    m_messages.shown.clear();
}

void CharacterEditorTest::cleanup() {
    QVERIFY(m_messages.shown.isEmpty());
    m_editor.reset();
    m_backend.reset();
    m_registry.reset();
#ifndef Q_OS_WIN
    // Writes lock the Wine server folders of the prefix, making them where they are missing.
    test::removeWineServerFolders(QFile::encodeName(m_prefix->path()).toStdString());
#endif
    m_prefix.reset();
}

void CharacterEditorTest::writeUserDefaults(const QByteArray& content) {
    QFile file(m_prefix->filePath(QStringLiteral("userdef.reg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray CharacterEditorTest::userDefaults() const {
    QFile file(m_prefix->filePath(QStringLiteral("userdef.reg")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string CharacterEditorTest::read(std::string_view key, std::string_view name) {
    const registry::Registry registry{*m_backend, nullptr};
    return registry::readBinaryValue(registry, key, name);
}

void CharacterEditorTest::open() {
    m_editor = std::make_unique<CharacterEditor>(*m_backend, m_messages);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void CharacterEditorTest::layoutFollowsTheDesign() {
    writeUserDefaults(kHeader);
    open();
    QCOMPARE(m_editor->objectName(), QStringLiteral("Registry"));
    QCOMPARE(m_editor->windowTitle(), QStringLiteral("Character Editor"));
    QCOMPARE(m_editor->minimumSize(), QSize(176, 73));
    QCOMPARE(m_editor->maximumSize(), QSize(176, 73));
    QVERIFY(!(m_editor->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(m_editor->windowFlags() & Qt::WindowMaximizeButtonHint));

    struct Expected {
        const char* name;
        QString caption;
        QRect geometry;
    };
    const Expected expected[] = {
        {"Text1", {}, QRect(8, 24, 121, 19)},
        {"Command1", QStringLiteral("Set"), QRect(136, 24, 33, 19)},
        {"Text2", {}, QRect(8, 48, 25, 19)},
        {"Text3", {}, QRect(40, 48, 25, 19)},
        {"Text4", {}, QRect(72, 48, 25, 19)},
        {"Text5", {}, QRect(104, 48, 25, 19)},
        {"Command2", QStringLiteral("Set"), QRect(136, 48, 33, 19)},
        {"OTF", QStringLiteral("1.24"), QRect(128, 0, 41, 21)},
        {"Option1", QStringLiteral("Ja"), QRect(8, 0, 33, 17)},
        {"Option2", QStringLiteral("Sp"), QRect(48, 0, 33, 17)},
        {"Option3", QStringLiteral("Lo"), QRect(88, 0, 33, 17)},
    };
    QWidget* previous = nullptr;
    for (const auto& [name, caption, geometry] : expected) {
        auto* widget = control<QWidget>(name);
        QCOMPARE(widget->geometry(), geometry);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) QCOMPARE(button->text(), caption);
        // Tab index order: the next control of the focus chain that can take the focus.
        if (previous != nullptr) {
            QWidget* next = previous->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus)
                next = next->nextInFocusChain();
            QCOMPARE(next->objectName(), QString::fromLatin1(name));
        }
        previous = widget;
    }
    QVERIFY(!control<QCheckBox>("OTF")->isChecked());
    QVERIFY(!control<QRadioButton>("Option3")->isEnabled());
}

void CharacterEditorTest::optionFollowsTheVersionsCode_data() {
    QTest::addColumn<QByteArray>("char123");
    QTest::addColumn<QByteArray>("char124");
    QTest::addColumn<QStringList>("options"); // on after opening, after 1.24 is ticked, after it is unticked
    QTest::addColumn<QByteArray>("stored123");
    QTest::addColumn<QByteArray>("stored124");
    // The character read is written back in its four-byte form.
    QTest::newRow("Spaz, then Jazz") << QByteArray("55,01,02,03,04") << QByteArray("37,09,09,09")
                                     << QStringList{"Option2", "Option1", "Option2"} << QByteArray("\x55\0\0\0", 4)
                                     << QByteArray("\x37\0\0\0", 4);
    QTest::newRow("Spaz's code is the version's own")
        << QByteArray("59,00,00,00") << QByteArray("59,07,00,00") << QStringList{"", "Option2", "Option2"}
        << QByteArray("\x59\0\0\0", 4) << QByteArray("\x59\0\0\0", 4);
    QTest::newRow("Lori is the Secret Files' alone")
        << QByteArray("3d,00,00,00") << QByteArray("3d,05,00,00") << QStringList{"", "Option3", ""}
        << QByteArray("\x3d\0\0\0", 4) << QByteArray("\x3d\0\0\0", 4);
    // A code that matches no option leaves the options as they are.
    QTest::newRow("no option matches 1.24's code")
        << QByteArray("37,00,00,00") << QByteArray("01,00,00,00") << QStringList{"Option1", "Option1", "Option1"}
        << QByteArray("\x37\0\0\0", 4) << QByteArray("\x01\0\0\0", 4);
}

void CharacterEditorTest::optionFollowsTheVersionsCode() {
    QFETCH(QByteArray, char123);
    QFETCH(QByteArray, char124);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, stored123);
    QFETCH(QByteArray, stored124);
    writeUserDefaults(kHeader + section123("\"Char\"=hex:" + char123 + "\n") +
                      section124("\"Char\"=hex:" + char124 + "\n"));
    open();
    auto* secretFiles = control<QCheckBox>("OTF");
    for (int step = 0; step < options.size(); ++step) {
        if (step > 0) click(secretFiles);
        for (const char* option : {"Option1", "Option2", "Option3"})
            QVERIFY2(control<QRadioButton>(option)->isChecked() == (options[step] == QLatin1String(option)), option);
        QCOMPARE(control<QRadioButton>("Option3")->isEnabled(), secretFiles->isChecked());
    }
    QCOMPARE(QByteArray::fromStdString(read(kKey123, "Char")), stored123);
    QCOMPARE(QByteArray::fromStdString(read(kKey124, "Char")), stored124);
}

// The bytes show in lower-case hexadecimal, and Set reads what is typed leniently.
void CharacterEditorTest::coloursShowAndSetInHexadecimal() {
    writeUserDefaults(kHeader + section123("\"Color\"=hex:00,0a,ff,10,77\n") + section124("\"Color\"=hex:c0,01\n"));
    open();
    const char* const boxes[] = {"Text2", "Text3", "Text4", "Text5"};
    const auto shown = [&] {
        QStringList texts;
        for (const char* box : boxes)
            texts << control<QLineEdit>(box)->text();
        return texts;
    };
    QCOMPARE(shown(), (QStringList{"0", "a", "ff", "10"}));

    const struct {
        QStringList typed;
        std::string stored;
    } cases[] = {
        {{"FF", "ff", "0ff", ""}, bytes({0xff, 0xff, 0xff, 0})},
        {{"1g", " 1 0", "\t2\tA", "x7"}, bytes({0x01, 0x10, 0x2a, 0})},
        {{"00000000a", "0", "7f", "80"}, bytes({0x0a, 0, 0x7f, 0x80})},
    };
    for (const auto& entry : cases) {
        // Set, rather than typed: a typed tab moves the focus on.
        for (int i = 0; i < 4; ++i)
            control<QLineEdit>(boxes[i])->setText(entry.typed[i]);
        click(control<QPushButton>("Command2"));
        QCOMPARE(read(kKey123, "Color"), entry.stored);
        QCOMPARE(shown(), entry.typed);
    }

    // A shorter value fills the boxes it reaches.
    click(control<QCheckBox>("OTF"));
    QCOMPARE(shown(), (QStringList{"c0", "1", "7f", "80"}));
}

void CharacterEditorTest::colourAboveFfIsRefusedAndPointedOut() {
    writeUserDefaults(kHeader + section123("\"Color\"=hex:01,02,03,04\n"));
    open();
    m_editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
    const QByteArray before = userDefaults();
    control<QLineEdit>("Text2")->setText(QStringLiteral("ff"));
    control<QLineEdit>("Text4")->setText(QStringLiteral("1 00"));
    control<QLineEdit>("Text5")->setText(QStringLiteral("fff"));
    click(control<QPushButton>("Command2"));
    QCOMPARE(userDefaults(), before);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(control<QLineEdit>("Text4")));
    QCOMPARE(control<QLineEdit>("Text4")->selectedText(), QStringLiteral("1 00"));
    QCOMPARE(control<QLineEdit>("Text4")->text(), QStringLiteral("1 00"));
}

void CharacterEditorTest::nameSetWritesOnlyTheCurrentKey() {
    const QByteArray others = kHeader + section124("\"Name\"=\"Spaz\"\n");
    writeUserDefaults(others + section123("\"Name\"=\"Jazz\\xe9\"\n"));
    open();
    auto* name = control<QLineEdit>("Text1");
    QCOMPARE(name->text(), QStringLiteral("Jazz\u00e9"));
    name->clear();
    QTest::keyClicks(name, QStringLiteral("Caf"));
    // Key clicks cover ASCII only; the rest arrives as an input method would deliver it.
    name->insert(QStringLiteral("\u00e9 \u20ac"));
    click(control<QPushButton>("Command1"));
    QCOMPARE(userDefaults(), others + section123("\"Name\"=\"Caf\\xe9 \\x20ac\"\n"));

    // A letter the game's code page lacks becomes "?", as Windows makes it, not a control byte.
    name->setText(QStringLiteral("\u0141ukasz \U0001F407"));
    click(control<QPushButton>("Command1"));
    QCOMPARE(read(kKey123, "Name"), std::string("?ukasz ?\0", 9));

    name->clear();
    click(control<QPushButton>("Command1"));
    QCOMPARE(read(kKey123, "Name"), std::string(1, '\0'));
}

void CharacterEditorTest::clickedOptionsWriteTheirCodes() {
    writeUserDefaults(kHeader + section123("\"Char\"=hex:37,00,00,00\n") + section124("\"Char\"=hex:37,00,00,00\n"));
    open();
    // Lori cannot be chosen for 1.23, nor by a tool that turns the option on through its object name.
    const QByteArray before = userDefaults();
    click(control<QRadioButton>("Option3"));
    QVERIFY(!control<QRadioButton>("Option3")->isChecked());
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    control<QRadioButton>("Option3")->setChecked(true);
    QCOMPARE(userDefaults(), before);

    click(control<QRadioButton>("Option2"));
    QCOMPARE(read(kKey123, "Char"), bytes({0x55, 0, 0, 0}));
    click(control<QCheckBox>("OTF"));
    click(control<QRadioButton>("Option2"));
    QCOMPARE(read(kKey124, "Char"), bytes({0x59, 0, 0, 0}));
    click(control<QRadioButton>("Option3"));
    QCOMPARE(read(kKey124, "Char"), bytes({0x3d, 0, 0, 0}));
    click(control<QRadioButton>("Option1"));
    QCOMPARE(read(kKey124, "Char"), bytes({0x37, 0, 0, 0}));
    QCOMPARE(read(kKey123, "Char"), bytes({0x55, 0, 0, 0}));
}

void CharacterEditorTest::unreadableKeysShowErrorAndWriteNothing() {
    writeUserDefaults(kHeader);
    open();
    QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("Error"));
    // The reader's "Error" is taken for colour bytes like any other answer.
    QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("45"));
    QCOMPARE(control<QLineEdit>("Text5")->text(), QStringLiteral("6f"));
    click(control<QPushButton>("Command1"));
    click(control<QPushButton>("Command2"));
    click(control<QRadioButton>("Option1"));
    click(control<QCheckBox>("OTF"));
    QCOMPARE(userDefaults(), kHeader);
    QCOMPARE(m_messages.shown.size(), 3);
    for (const auto& [style, text] : std::as_const(m_messages.shown))
        QVERIFY2(text.contains(QStringLiteral("no settings for this version yet")), qPrintable(text));
    QVERIFY(!control<QRadioButton>("Option1")->isChecked());
    m_messages.shown.clear();
}

void CharacterEditorTest::refusedWriteSaysWhyOnceAndKeepsTheChoice_data() {
    QTest::addColumn<int>("refusal");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("name while Wine runs")
        << int(registry::kBusy) << "Command1"
        << "Name"
        << "The name was not saved.\n\nWine is running for this prefix and would write its own copy over the change. "
           "Close the game, then press Set again."
        << QByteArray("Spaz\0", 5);
    QTest::newRow("name while another Velberd saves")
        << int(registry::kLockViolation) << "Command1"
        << "Name"
        << "The name was not saved.\n\nAnother Velberd is saving the game's settings at this moment. Wait until it "
           "is done, then press Set again."
        << QByteArray("Spaz\0", 5);
    QTest::newRow("colours from a file that cannot be read whole")
        << int(registry::kReadFault) << "Command2"
        << "Color"
        << "The colours were not saved.\n\nThe settings file could not be read whole, so it was left as it was."
        << QByteArray("\xff\x02\x03\x04");
    QTest::newRow("colours on a full disk")
        << int(registry::kDiskFull) << "Command2"
        << "Color"
        << "The colours were not saved.\n\nThe disk is full." << QByteArray("\xff\x02\x03\x04");
    QTest::newRow("character while Wine runs")
        << int(registry::kBusy) << "Option2"
        << "Char"
        << "The character was not saved.\n\nWine is running for this prefix and would write its own copy over the "
           "change. Close the game, then choose the character again."
        << QByteArray("\x55\0\0\0", 4);
}

void CharacterEditorTest::refusedWriteSaysWhyOnceAndKeepsTheChoice() {
    QFETCH(int, refusal);
    QFETCH(QString, control);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(QByteArray, stored);
    writeUserDefaults(kHeader + section123("\"Char\"=hex:37,00,00,00\n\"Color\"=hex:01,02,03,04\n\"Name\"=\"Jazz\"\n"));
    open();
    auto* name = this->control<QLineEdit>("Text1");
    auto* colour = this->control<QLineEdit>("Text2");
    name->clear();
    QTest::keyClicks(name, QStringLiteral("Spaz"));
    colour->clear();
    QTest::keyClicks(colour, QStringLiteral("ff"));
    const QByteArray before = userDefaults();

    m_backend->refusal = refusal;
    auto* button = this->control<QAbstractButton>(qPrintable(control));
    click(button);
    QCOMPARE(m_messages.shown, (QList{std::pair{MessagePresenter::Style::Exclamation, message}}));
    QCOMPARE(userDefaults(), before);
    // What the player typed or chose stays, so that the same click after the cause is gone saves it.
    QCOMPARE(name->text(), QStringLiteral("Spaz"));
    QCOMPARE(colour->text(), QStringLiteral("ff"));
    QVERIFY(this->control<QRadioButton>("Option1")->isChecked());

    m_backend->refusal = registry::kSuccess;
    m_messages.shown.clear();
    click(button);
    QCOMPARE(QByteArray::fromStdString(read(kKey123, value.toStdString())), stored);
}

// Opening reads the character and writes it back in its four-byte form. A value in that form
// already is left alone; a write-back that Wine refuses is quiet, since nothing the player chose
// is lost.
void CharacterEditorTest::openingWritesBackOnlyWhatNeedsItAndQuietly() {
    writeUserDefaults(kHeader + section123("\"Char\"=hex:55,00,00,00\n") + section124("\"Char\"=hex:37,01,00,00\n"));
    m_backend->refusal = registry::kBusy;
    open();
    QVERIFY(control<QRadioButton>("Option2")->isChecked());
    QCOMPARE(m_backend->writes, 0);
    click(control<QCheckBox>("OTF"));
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    QCOMPARE(m_backend->writes, 1);
}

} // namespace velberd

QTEST_MAIN(velberd::CharacterEditorTest)
#include "charactereditortests.moc"
