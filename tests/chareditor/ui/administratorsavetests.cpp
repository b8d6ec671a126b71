// The character editor where only an administrator may change the game's settings: a write
// refused for lack of rights is offered to Windows' registry tool with administrator rights, and
// what came of it is told. The registry is held in memory; the tool is a stand-in that does to it
// what the test says. Which values go into the import, and when they read back as shown, is tested
// with the registry layer.
#include "chareditor/ui/charactereditor.h"
#include "memoryregistry.h"
#include "recordingmessages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <functional>
#include <semaphore>

namespace velberd {
namespace {

const std::string kKey123 = ".Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2\\1.23\\Player0";

using Outcome = registry::ElevatedImport::Outcome;

class StandInTool final : public registry::ElevatedImport {
public:
    Result result;
    std::function<void()> imports;
    int runs = 0;
    QString file;
    Result importAsAdministrator(const std::string& imported, std::uintptr_t) override {
        ++runs;
        file = QString::fromUtf16(reinterpret_cast<const char16_t*>(imported.data()), std::ssize(imported) / 2);
        if (imports) imports();
        return result;
    }
};

} // namespace

class AdministratorSaveTest : public QObject {
    Q_OBJECT
private slots:
    void refusedForLackOfRights_data();
    void refusedForLackOfRights();
};

void AdministratorSaveTest::refusedForLackOfRights_data() {
    QTest::addColumn<bool>("character"); // chooses Spaz; else names "Tour"
    QTest::addColumn<long>("refusal");
    QTest::addColumn<bool>("agrees");
    QTest::addColumn<int>("outcome");     // Outcome
    QTest::addColumn<bool>("toolWrites"); // the tool stores the values
    QTest::addColumn<QString>("says");    // the last message; empty: none after the question
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("closes"); // the editor, then the main window, while Windows asks

    const long denied = registry::kAccessDenied;
    const auto imported = static_cast<int>(Outcome::Imported);
    const QString saved = QStringLiteral("The name, colours and character were saved with administrator rights.");
    QTest::newRow("name, approved") << false << denied << true << imported << true << saved << true << false;
    QTest::newRow("character, approved") << true << denied << true << imported << true << saved << true << false;
    QTest::newRow("name, declined") << false << denied << true << static_cast<int>(Outcome::Declined) << false
                                    << "Windows did not give administrator rights, so nothing was saved." << false
                                    << false;
    QTest::newRow("character, declined") << true << denied << true << static_cast<int>(Outcome::Declined) << false
                                         << "Windows did not give administrator rights" << false << false;
    QTest::newRow("the tool fails") << false << denied << true << static_cast<int>(Outcome::Failed) << false
                                    << "could not save the settings: it ended with code 1." << false << false;
    QTest::newRow("the tool ends without saving")
        << false << denied << true << imported << false << "do not read back as they were shown" << false << false;
    QTest::newRow("the player says no") << false << denied << false << imported << true << QString() << false << false;
    QTest::newRow("refused for another reason") << false << static_cast<long>(registry::kDiskFull) << true << imported
                                                << true << "The disk is full." << false << false;
    QTest::newRow("windows closed while Windows asks")
        << true << denied << true << imported << true << QString() << false << true;
}

void AdministratorSaveTest::refusedForLackOfRights() {
    QFETCH(bool, character);
    QFETCH(long, refusal);
    QFETCH(bool, agrees);
    QFETCH(int, outcome);
    QFETCH(bool, toolWrites);
    QFETCH(QString, says);
    QFETCH(bool, saved);
    QFETCH(bool, closes);

    test::MemoryRegistry registry;
    registry.store(registry::kUsers, kKey123, "Name", registry::kRegSz, std::string("Jazz\0", 5));
    registry.store(registry::kUsers, kKey123, "Color", registry::kRegBinary, "\x10\x20\x30\x40");
    registry.store(registry::kUsers, kKey123, "Char", registry::kRegBinary, std::string("\x37\0\0\0", 4));
    registry.refusal = refusal;
    test::RecordingMessages messages;
    messages.answer = agrees;
    auto sharedTool = std::make_shared<StandInTool>();
    StandInTool& tool = *sharedTool;
    tool.result = {static_cast<Outcome>(outcome), "it ended with code 1."};
    const std::string name = character ? "Jazz" : "Tour";
    const std::string spaz = character ? std::string("\x55\0\0\0", 4) : std::string("\x37\0\0\0", 4);
    std::binary_semaphore answered(0); // the player's answer to Windows, held back while a window closes
    if (toolWrites) {
        tool.imports = [&] {
            if (closes) answered.acquire();
            registry.store(registry::kUsers, kKey123, "Name", registry::kRegSz, name + '\0');
            registry.store(registry::kUsers, kKey123, "Color", registry::kRegBinary, "\x10\x20\x30\x40");
            registry.store(registry::kUsers, kKey123, "Char", registry::kRegBinary, spaz);
        };
    }

    auto mainWindow = std::make_unique<QWidget>();
    mainWindow->show();
    auto& editor = *new CharacterEditor(registry, messages, sharedTool, mainWindow.get());
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* spazOption = editor.findChild<QRadioButton*>(QStringLiteral("Option2"));
    if (character) {
        QTest::mouseClick(spazOption, Qt::LeftButton, {}, QPoint(5, spazOption->height() / 2));
    } else {
        editor.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("Tour"));
        QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }
    if (closes) {
        // The editor stays open until the main window closes, which takes it and its own share of the tool.
        QVERIFY(!editor.close());
        mainWindow->close();
        QVERIFY(editor.close());
        const std::weak_ptr<StandInTool> running = std::exchange(sharedTool, nullptr);
        mainWindow.reset();
        answered.release();
        QTRY_VERIFY(running.expired());
        QCoreApplication::sendPostedEvents(); // the answer reaches no window
        return;
    }
    QTRY_VERIFY(editor.isEnabled());

    const bool offered = refusal == registry::kAccessDenied;
    QCOMPARE(messages.asked.size(), offered ? 1 : 0);
    if (offered)
        QVERIFY2(messages.asked[0].contains(QLatin1String("with administrator rights?")),
                 qPrintable(messages.asked[0]));
    QCOMPARE(tool.runs, offered && agrees ? 1 : 0);
    // The tool gets the name as the registry holds it.
    const char* nameHex = character ? "4a,00,61,00,7a,00,7a" : "54,00,6f,00,75,00,72";
    QCOMPARE(tool.file.contains(QStringLiteral("\"Name\"=hex(1):%1,00,00,00\r\n").arg(nameHex)), tool.runs == 1);
    QCOMPARE(messages.shown.size(), says.isEmpty() ? 0 : 1);
    if (!says.isEmpty()) QVERIFY2(messages.shown[0].second.contains(says), qPrintable(messages.shown[0].second));
    // A character stays chosen only when it was saved.
    QCOMPARE(spazOption->isChecked(), character && saved);
}

} // namespace velberd

QTEST_MAIN(velberd::AdministratorSaveTest)
#include "administratorsavetests.moc"
