#include "chareditor/ui/charactereditor.h"

#include "chareditor/registry/importfile.h"
#include "chareditor/ui/colourbox.h"
#include "chareditor/ui/notsaved.h"
#include "common/ansitext.h"
#include "common/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QLineEdit>
#include <QPromise>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <array>
#include <thread>

namespace velberd {
namespace {

constexpr std::string_view kKey123 = "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2\\1.23\\Player0";
constexpr std::string_view kKey124 =
    "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2 Special Edition\\1.24\\Player0";

constexpr unsigned char kJazz = 0x37;
constexpr unsigned char kSpaz123 = 0x55;
constexpr unsigned char kSpaz124 = 0x59;
constexpr unsigned char kLori = 0x3D;

// "Char" holds the character code as a 32-bit little-endian number.
std::string charValue(unsigned char code) {
    return {static_cast<char>(code), '\0', '\0', '\0'};
}

template <typename Control> Control* place(QWidget* window, const char* name, const QRect& twips) {
    auto* control = new Control(window);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twips);
    return control;
}

} // namespace

CharacterEditor::CharacterEditor(registry::Backend& backend, MessagePresenter& messages,
                                 std::shared_ptr<registry::ElevatedImport> elevation, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_messages(messages),
      m_elevation(std::move(elevation)), m_registry{backend, [this](std::string_view path) {
                                                        m_messages.show(this, MessagePresenter::Style::Plain,
                                                                        toCaption(registry::incorrectFormatText(path)));
                                                    }} {
    setObjectName(QStringLiteral("Registry"));
    setWindowTitle(QStringLiteral("Character Editor"));
    setFixedSize(twipsRect(0, 0, 2640, 1095).size());
    // The layout is drawn for small sans-serif type; Arial (or its metric twin) keeps
    // every caption inside its control.
    QFont type(QStringLiteral("Arial"));
    type.setPointSizeF(8.25);
    setFont(type);

    Option1 = place<QRadioButton>(this, "Option1", twipsRect(120, 0, 495, 255));
    Option2 = place<QRadioButton>(this, "Option2", twipsRect(720, 0, 495, 255));
    Option3 = place<QRadioButton>(this, "Option3", twipsRect(1320, 0, 495, 255));
    OTF = place<QCheckBox>(this, "OTF", twipsRect(1920, 0, 615, 315));
    Text1 = place<QLineEdit>(this, "Text1", twipsRect(120, 360, 1815, 285));
    Command1 = place<QPushButton>(this, "Command1", twipsRect(2040, 360, 495, 285));
    Text2 = place<QLineEdit>(this, "Text2", twipsRect(120, 720, 375, 285));
    Text3 = place<QLineEdit>(this, "Text3", twipsRect(600, 720, 375, 285));
    Text4 = place<QLineEdit>(this, "Text4", twipsRect(1080, 720, 375, 285));
    Text5 = place<QLineEdit>(this, "Text5", twipsRect(1560, 720, 375, 285));
    Command2 = place<QPushButton>(this, "Command2", twipsRect(2040, 720, 495, 285));

    Option1->setText(QStringLiteral("Ja"));
    Option2->setText(QStringLiteral("Sp"));
    Option3->setText(QStringLiteral("Lo"));
    Option3->setEnabled(false);
    OTF->setText(QStringLiteral("1.24"));
    Command1->setText(QStringLiteral("Set"));
    Command2->setText(QStringLiteral("Set"));

    const std::array<QWidget*, 11> tabOrder{Text1,    Command1, Text2,   Text3,   Text4,  Text5,
                                            Command2, OTF,      Option1, Option2, Option3};
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // An option's handler runs when it is turned on, by the user or by loading.
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option2_Click();
    });
    connect(Option3, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option3_Click();
    });
    connect(OTF, &QCheckBox::toggled, this, &CharacterEditor::OTF_Click);
    connect(Command1, &QPushButton::clicked, this, &CharacterEditor::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &CharacterEditor::Command2_Click);
    connect(&m_administratorSaveResult, &QFutureWatcherBase::finished, this, &CharacterEditor::endAdministratorSave);

    Form_Load();
}

void CharacterEditor::Form_Load() {
    loadSettings(kKey123, false);
}

void CharacterEditor::OTF_Click() {
    if (OTF->isChecked()) {
        Option3->setEnabled(true);
        loadSettings(kKey124, true);
    } else {
        turnLoOff();
        Option3->setEnabled(false);
        loadSettings(kKey123, false);
    }
}

void CharacterEditor::Command1_Click() {
    const auto status = registry::WriteStringValue(m_registry, currentKey(), "Name", fromCaption(Text1->text()));
    stored(Setting::Name, status, m_character);
}

void CharacterEditor::Command2_Click() {
    std::string colour;
    for (QLineEdit* box : {Text2, Text3, Text4, Text5}) {
        const auto byte = colourByteFromText(fromCaption(box->text()));
        // A number above ff fits no byte: nothing is written, and the box is pointed out.
        if (!byte) {
            box->setFocus();
            box->selectAll();
            return;
        }
        colour.push_back(static_cast<char>(*byte));
    }
    const auto status = registry::WriteBinaryValue(m_registry, currentKey(), "Color", colour);
    stored(Setting::Colours, status, m_character);
}

void CharacterEditor::Option1_Click() {
    writeCharacter(Option1, currentKey(), kJazz);
}

void CharacterEditor::Option2_Click() {
    writeCharacter(Option2, currentKey(), OTF->isChecked() ? kSpaz124 : kSpaz123);
}

void CharacterEditor::Option3_Click() {
    if (!Option3->isEnabled()) return;
    writeCharacter(Option3, kKey124, kLori);
}

void CharacterEditor::loadSettings(std::string_view keyPath, bool secretFiles) {
    const std::string character = registry::ReadBinaryValue(m_registry, keyPath, "Char");
    if (!character.empty()) {
        const auto code = static_cast<unsigned char>(character.front());
        m_loadedCharacter = character;
        if (code == kJazz) {
            Option1->setChecked(true);
        } else if (code == (secretFiles ? kSpaz124 : kSpaz123)) {
            Option2->setChecked(true);
        } else if (secretFiles && code == kLori) {
            Option3->setChecked(true);
        }
        m_loadedCharacter.reset();
    }

    Text1->setText(toCaption(registry::ReadStringValue(m_registry, keyPath, "Name")));

    // A value shorter than four bytes leaves the boxes it does not reach as they are.
    const std::string colour = registry::ReadBinaryValue(m_registry, keyPath, "Color");
    const std::array<QLineEdit*, 4> boxes{Text2, Text3, Text4, Text5};
    for (std::size_t i = 0; i < boxes.size() && i < colour.size(); ++i) {
        boxes[i]->setText(QString::fromStdString(colourText(static_cast<std::uint8_t>(colour[i]))));
    }
}

std::string_view CharacterEditor::currentKey() const {
    return OTF->isChecked() ? kKey124 : kKey123;
}

void CharacterEditor::writeCharacter(QRadioButton* option, std::string_view keyPath, unsigned char code) {
    // Loading writes back the character it has just read, in its four-byte form: not at all when
    // it is stored so already, and a refusal loses nothing the player chose, so it is not worth a
    // message on every opening while the game runs.
    const bool loading = m_loadedCharacter.has_value();
    if (loading && *m_loadedCharacter == charValue(code)) {
        m_character = option;
        return;
    }
    const registry::Status status = registry::WriteBinaryValue(m_registry, keyPath, "Char", charValue(code));
    const Write write = loading ? Write::Stored : stored(Setting::Character, status, option);
    if (write == Write::Stored) m_character = option;
    // While the administrator's save is out, the option stays on until it has ended.
    if (write == Write::NotStored) showStoredCharacter(option);
}

void CharacterEditor::showStoredCharacter(QRadioButton* refused) {
    const QSignalBlocker blockJa(Option1);
    const QSignalBlocker blockSp(Option2);
    const QSignalBlocker blockLo(Option3);
    if (m_character != nullptr) {
        m_character->setChecked(true);
    } else {
        turnOff(refused);
    }
}

CharacterEditor::Write CharacterEditor::stored(Setting setting, registry::Status status, QRadioButton* character) {
    if (status == registry::kSuccess) return Write::Stored;
    switch (offerAdministratorSave(setting, status, character)) {
    case AdministratorSave::Started:
        return Write::Saving;
    case AdministratorSave::NotOffered:
        report(setting, status);
        break;
    case AdministratorSave::NotSaved:
        break;
    }
    return Write::NotStored;
}

std::optional<unsigned char> CharacterEditor::characterCode(QRadioButton* option) const {
    if (option == Option1) return kJazz;
    if (option == Option2) return OTF->isChecked() ? kSpaz124 : kSpaz123;
    if (option == Option3) return kLori;
    return std::nullopt;
}

CharacterEditor::AdministratorSave CharacterEditor::offerAdministratorSave(Setting setting, registry::Status status,
                                                                           QRadioButton* character) {
    if (status != registry::kAccessDenied || m_elevation == nullptr) return AdministratorSave::NotOffered;
    // What is shown is what is saved: the name, the colours when every box holds a byte, and the
    // character chosen. The name is stored as the registry holds what Set writes: each byte of it
    // in the code page, as UTF-16.
    std::vector<registry::ImportedValue> values;
    const std::string name = fromCaption(Text1->text());
    const QString storedName = toCaption(name);
    values.push_back({"Name", registry::kRegSz,
                      std::string(reinterpret_cast<const char*>(storedName.utf16()),
                                  static_cast<std::size_t>(storedName.size()) * 2) +
                          std::string(2, '\0')});
    QStringList shown{QStringLiteral("name")};
    std::string colour;
    for (QLineEdit* box : {Text2, Text3, Text4, Text5}) {
        if (const auto byte = colourByteFromText(fromCaption(box->text()))) colour.push_back(static_cast<char>(*byte));
    }
    if (colour.size() == 4) {
        values.push_back({"Color", registry::kRegBinary, colour});
        shown << QStringLiteral("colours");
    }
    if (const auto code = characterCode(character)) {
        values.push_back({"Char", registry::kRegBinary, charValue(*code)});
        shown << QStringLiteral("character");
    }
    const QString named = shown.size() == 1 ? shown.first()
                                            : shown.mid(0, shown.size() - 1).join(QStringLiteral(", ")) +
                                                  QStringLiteral(" and ") + shown.last();
    const auto file = registry::importFile(currentKey(), values);
    if (!file || !m_messages.ask(this, administratorSaveQuestion(setting, named))) return AdministratorSave::NotSaved;

    // The tool and Windows' question run on a thread that nobody waits for: the window keeps
    // drawing meanwhile, and a program that ends first does not wait for the player's answer. The
    // thread holds everything it uses, the import itself included; its result comes back through
    // the watcher, which goes with the editor.
    m_administratorSave = AdministratorSaveOut{setting, currentKey(), std::move(values), name, named, character};
    setEnabled(false);
    QPromise<registry::ElevatedImport::Result> promise;
    m_administratorSaveResult.setFuture(promise.future());
    std::thread([promise = std::move(promise), elevation = m_elevation, file = *file,
                 owner = static_cast<std::uintptr_t>(winId())]() mutable {
        promise.start();
        promise.addResult(elevation->importAsAdministrator(file, owner));
        promise.finish();
    }).detach();
    return AdministratorSave::Started;
}

void CharacterEditor::endAdministratorSave() {
    const AdministratorSaveOut save = std::move(*m_administratorSave);
    m_administratorSave.reset();
    setEnabled(true);
    const bool saved = tellAdministratorSave(save, m_administratorSaveResult.result());
    if (save.setting != Setting::Character) return;
    if (saved) {
        m_character = save.character;
    } else {
        showStoredCharacter(save.character);
    }
}

bool CharacterEditor::tellAdministratorSave(const AdministratorSaveOut& save,
                                            const registry::ElevatedImport::Result& result) {
    switch (result.outcome) {
    case registry::ElevatedImport::Outcome::Declined:
        m_messages.show(this, MessagePresenter::Style::Exclamation, administratorDeclinedText(save.setting));
        return false;
    case registry::ElevatedImport::Outcome::Failed:
        m_messages.show(this, MessagePresenter::Style::Exclamation,
                        administratorFailedText(save.setting, QString::fromStdString(result.reason)));
        return false;
    case registry::ElevatedImport::Outcome::Imported:
        break;
    }
    // Said saved only once every value reads back as it was shown; a string reads back in the
    // code page, with its terminator.
    for (const auto& value : save.values) {
        const std::string expected = value.type == registry::kRegSz ? save.name + '\0' : value.bytes;
        if (registry::ReadBinaryValue(m_registry, save.keyPath, value.name) != expected) {
            m_messages.show(this, MessagePresenter::Style::Exclamation, administratorReadBackText(save.setting));
            return false;
        }
    }
    m_messages.show(this, MessagePresenter::Style::Plain, administratorSavedText(save.shown));
    return true;
}

// Closed while the administrator's save is out, the editor would take its answer with it: it stays
// open, unless the window it belongs to has closed, and with it the program, which a window that
// stays open would keep running.
void CharacterEditor::closeEvent(QCloseEvent* event) {
    if (m_administratorSave && (parentWidget() == nullptr || parentWidget()->isVisible())) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void CharacterEditor::report(Setting setting, registry::Status status) {
    if (status != registry::kSuccess)
        m_messages.show(this, MessagePresenter::Style::Exclamation, notSavedText(setting, status));
}

void CharacterEditor::turnLoOff() {
    turnOff(Option3);
    if (m_character == Option3) m_character = nullptr;
}

// An option of an exclusive group cannot be turned off on its own; the group lets go of it briefly.
void CharacterEditor::turnOff(QRadioButton* option) {
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

} // namespace velberd
