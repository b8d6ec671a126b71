// The character editor where only an administrator may change the game's settings: a write
// refused for lack of rights is offered to Windows' registry tool with administrator rights, and
// said saved only when every value reads back as shown. The registry is held in memory; the tool
// is a stand-in that does to it what the test says.
#include "chareditor/ui/charactereditor.h"
#include "memoryregistry.h"
#include "recordingmessages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <functional>

namespace velberd {
namespace {

const std::string kKey123 = ".Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2\\1.23\\Player0";

using Outcome = registry::ElevatedImport::Outcome;

class StandInTool final : public registry::ElevatedImport {
public:
    Result result;
    std::function<void()> imports;
    int runs = 0;
    Result importAsAdministrator(const std::string&) override {
        ++runs;
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
    QTest::addColumn<bool>("character"); // the player chooses Spaz; else sets the name "Tour"
    QTest::addColumn<long>("refusal");
    QTest::addColumn<bool>("agrees");
    QTest::addColumn<int>("outcome");     // Outcome
    QTest::addColumn<bool>("toolWrites"); // the tool stores the values
    QTest::addColumn<QString>("says");    // the last message; empty: none after the question
    QTest::addColumn<bool>("saved");

    const long denied = registry::kAccessDenied;
    const auto imported = static_cast<int>(Outcome::Imported);
    const QString saved = QStringLiteral("The name, colours and character were saved with administrator rights.");
    QTest::newRow("name, approved") << false << denied << true << imported << true << saved << true;
    QTest::newRow("character, approved") << true << denied << true << imported << true << saved << true;
    QTest::newRow("name, declined") << false << denied << true << static_cast<int>(Outcome::Declined) << false
                                    << "Windows did not give administrator rights, so nothing was saved." << false;
    QTest::newRow("character, declined") << true << denied << true << static_cast<int>(Outcome::Declined) << false
                                         << "Windows did not give administrator rights" << false;
    QTest::newRow("the tool fails") << false << denied << true << static_cast<int>(Outcome::Failed) << false
                                    << "could not save the settings: it ended with code 1." << false;
    QTest::newRow("the tool ends without saving")
        << false << denied << true << imported << false << "do not read back as they were shown" << false;
    QTest::newRow("the player says no") << false << denied << false << imported << true << QString() << false;
    QTest::newRow("refused for another reason")
        << false << static_cast<long>(registry::kDiskFull) << true << imported << true << "The disk is full." << false;
}

void AdministratorSaveTest::refusedForLackOfRights() {
    QFETCH(bool, character);
    QFETCH(long, refusal);
    QFETCH(bool, agrees);
    QFETCH(int, outcome);
    QFETCH(bool, toolWrites);
    QFETCH(QString, says);
    QFETCH(bool, saved);

    test::MemoryRegistry registry;
    registry.store(registry::kUsers, kKey123, "Name", registry::kRegSz, std::string("Jazz\0", 5));
    registry.store(registry::kUsers, kKey123, "Color", registry::kRegBinary, "\x10\x20\x30\x40");
    registry.store(registry::kUsers, kKey123, "Char", registry::kRegBinary, std::string("\x37\0\0\0", 4));
    registry.refusal = refusal;
    test::RecordingMessages messages;
    messages.answer = agrees;
    StandInTool tool;
    tool.result = {static_cast<Outcome>(outcome), "it ended with code 1."};
    const std::string name = character ? "Jazz" : "Tour";
    const std::string spaz = character ? std::string("\x55\0\0\0", 4) : std::string("\x37\0\0\0", 4);
    if (toolWrites) {
        tool.imports = [&] {
            registry.store(registry::kUsers, kKey123, "Name", registry::kRegSz, name + '\0');
            registry.store(registry::kUsers, kKey123, "Color", registry::kRegBinary, "\x10\x20\x30\x40");
            registry.store(registry::kUsers, kKey123, "Char", registry::kRegBinary, spaz);
        };
    }

    CharacterEditor editor(registry, messages, &tool);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* spazOption = editor.findChild<QRadioButton*>(QStringLiteral("Option2"));
    if (character) {
        QTest::mouseClick(spazOption, Qt::LeftButton, {}, QPoint(5, spazOption->height() / 2));
    } else {
        editor.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("Tour"));
        QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }

    const bool offered = refusal == registry::kAccessDenied;
    QCOMPARE(messages.asked.size(), offered ? 1 : 0);
    if (offered)
        QVERIFY2(messages.asked[0].contains(QLatin1String("with administrator rights?")),
                 qPrintable(messages.asked[0]));
    QCOMPARE(tool.runs, offered && agrees ? 1 : 0);
    QCOMPARE(messages.shown.size(), says.isEmpty() ? 0 : 1);
    if (!says.isEmpty()) QVERIFY2(messages.shown[0].second.contains(says), qPrintable(messages.shown[0].second));
    // A character stays chosen only when it was saved.
    QCOMPARE(spazOption->isChecked(), character && saved);
    QVERIFY(editor.isEnabled());
}

} // namespace velberd

QTEST_MAIN(velberd::AdministratorSaveTest)
#include "administratorsave_tests.moc"
