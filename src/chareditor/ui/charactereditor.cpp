#include "chareditor/ui/charactereditor.h"

#include "chareditor/ui/colourbox.h"
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

    m_characterJazz = place(new QRadioButton(this), "Option1", twipsRect(120, 0, 495, 255));
    m_characterSpaz = place(new QRadioButton(this), "Option2", twipsRect(720, 0, 495, 255));
    m_characterLori = place(new QRadioButton(this), "Option3", twipsRect(1320, 0, 495, 255));
    m_secretFiles = place(new QCheckBox(this), "OTF", twipsRect(1920, 0, 615, 315));
    m_nameEdit = place(new QLineEdit(this), "Text1", twipsRect(120, 360, 1815, 285));
    m_saveNameButton = place(new QPushButton(this), "Command1", twipsRect(2040, 360, 495, 285));
    m_colourEdits = {place(new QLineEdit(this), "Text2", twipsRect(120, 720, 375, 285)),
                     place(new QLineEdit(this), "Text3", twipsRect(600, 720, 375, 285)),
                     place(new QLineEdit(this), "Text4", twipsRect(1080, 720, 375, 285)),
                     place(new QLineEdit(this), "Text5", twipsRect(1560, 720, 375, 285))};
    m_saveColoursButton = place(new QPushButton(this), "Command2", twipsRect(2040, 720, 495, 285));

    m_characterJazz->setText(QStringLiteral("Ja"));
    m_characterSpaz->setText(QStringLiteral("Sp"));
    m_characterLori->setText(QStringLiteral("Lo"));
    m_characterLori->setEnabled(false);
    m_secretFiles->setText(QStringLiteral("1.24"));
    m_saveNameButton->setText(QStringLiteral("Set"));
    m_saveColoursButton->setText(QStringLiteral("Set"));

    const std::array<QWidget*, 11> tabOrder{m_nameEdit,       m_saveNameButton, m_colourEdits[0],    m_colourEdits[1],
                                            m_colourEdits[2], m_colourEdits[3], m_saveColoursButton, m_secretFiles,
                                            m_characterJazz,  m_characterSpaz,  m_characterLori};
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    for (QRadioButton* option : {m_characterJazz, m_characterSpaz, m_characterLori}) {
        connect(option, &QRadioButton::toggled, this, [this, option](bool on) {
            if (on) chooseCharacter(option);
        });
    }
    connect(m_secretFiles, &QCheckBox::toggled, this, &CharacterEditor::switchVersion);
    connect(m_saveNameButton, &QPushButton::clicked, this, &CharacterEditor::saveName);
    connect(m_saveColoursButton, &QPushButton::clicked, this, &CharacterEditor::saveColours);
    connect(&m_administratorSaveResult, &QFutureWatcherBase::finished, this, &CharacterEditor::endAdministratorSave);

    load();
}

void CharacterEditor::switchVersion() {
    if (m_secretFiles->isChecked()) {
        m_characterLori->setEnabled(true);
    } else {
        turnOff(m_characterLori);
        if (m_character == m_characterLori) m_character = nullptr;
        m_characterLori->setEnabled(false);
    }
    load();
}

void CharacterEditor::saveName() {
    const auto status = registry::writeStringValue(m_registry, currentKey(), "Name", fromCaption(m_nameEdit->text()));
    reportWrite(Setting::Name, status, m_character);
}

void CharacterEditor::saveColours() {
    std::string colour;
    for (QLineEdit* box : m_colourEdits) {
        const auto byte = colourByteFromText(fromCaption(box->text()));
        // A number above ff fits no byte: nothing is written, and the box is pointed out.
        if (!byte) {
            box->setFocus();
            box->selectAll();
            return;
        }
        colour.push_back(static_cast<char>(*byte));
    }
    const auto status = registry::writeBinaryValue(m_registry, currentKey(), "Color", colour);
    reportWrite(Setting::Colours, status, m_character);
}

void CharacterEditor::load() {
    const bool secretFiles = m_secretFiles->isChecked();
    const std::string character = registry::readBinaryValue(m_registry, currentKey(), "Char");
    if (!character.empty()) {
        const auto code = static_cast<unsigned char>(character.front());
        m_loadedCharacter = character;
        if (code == kJazz) {
            m_characterJazz->setChecked(true);
        } else if (code == (secretFiles ? kSpaz124 : kSpaz123)) {
            m_characterSpaz->setChecked(true);
        } else if (secretFiles && code == kLori) {
            m_characterLori->setChecked(true);
        }
        m_loadedCharacter.reset();
    }

    m_nameEdit->setText(toCaption(registry::readStringValue(m_registry, currentKey(), "Name")));

    // A value shorter than four bytes leaves the boxes it does not reach as they are.
    const std::string colour = registry::readBinaryValue(m_registry, currentKey(), "Color");
    for (std::size_t i = 0; i < m_colourEdits.size() && i < colour.size(); ++i) {
        m_colourEdits[i]->setText(QString::fromStdString(colourText(static_cast<std::uint8_t>(colour[i]))));
    }
}

std::string_view CharacterEditor::currentKey() const {
    return m_secretFiles->isChecked() ? kKey124 : kKey123;
}

void CharacterEditor::chooseCharacter(QRadioButton* option) {
    // Lori is the Secret Files' alone: turned on by code while 1.23 is shown, she writes nothing.
    if (option == m_characterLori && !option->isEnabled()) return;
    // Loading writes back the character it has just read, in its four-byte form: not at all when
    // it is stored so already, and a refusal loses nothing the player chose, so it is not worth a
    // message on every opening while the game runs.
    const std::string value = registry::characterValue(*characterCode(option));
    const bool loading = m_loadedCharacter.has_value();
    if (loading && *m_loadedCharacter == value) {
        m_character = option;
        return;
    }
    const registry::Status status = registry::writeBinaryValue(m_registry, currentKey(), "Char", value);
    const Write write = loading ? Write::Stored : reportWrite(Setting::Character, status, option);
    if (write == Write::Stored) m_character = option;
    // While the administrator's save is out, the option stays on until it has ended.
    if (write == Write::NotStored) showStoredCharacter(option);
}

void CharacterEditor::showStoredCharacter(QRadioButton* refused) {
    const QSignalBlocker blockJazz(m_characterJazz);
    const QSignalBlocker blockSpaz(m_characterSpaz);
    const QSignalBlocker blockLori(m_characterLori);
    if (m_character != nullptr) {
        m_character->setChecked(true);
    } else {
        turnOff(refused);
    }
}

CharacterEditor::Write CharacterEditor::reportWrite(Setting setting, registry::Status status, QRadioButton* character) {
    if (status == registry::kSuccess) return Write::Stored;
    switch (offerAdministratorSave(setting, status, character)) {
    case Offer::Started:
        return Write::Saving;
    case Offer::NotMade:
        m_messages.show(this, MessagePresenter::Style::Exclamation, notSavedText(setting, status));
        break;
    case Offer::NotSaved:
        break;
    }
    return Write::NotStored;
}

std::optional<unsigned char> CharacterEditor::characterCode(QRadioButton* option) const {
    if (option == m_characterJazz) return kJazz;
    if (option == m_characterSpaz) return m_secretFiles->isChecked() ? kSpaz124 : kSpaz123;
    if (option == m_characterLori) return kLori;
    return std::nullopt;
}

CharacterEditor::Offer CharacterEditor::offerAdministratorSave(Setting setting, registry::Status status,
                                                               QRadioButton* character) {
    if (status != registry::kAccessDenied || m_elevation == nullptr) return Offer::NotMade;
    // The name is stored as the registry holds what Set writes: each byte of it in the code page,
    // as UTF-16.
    registry::EditorFields fields{fromCaption(m_nameEdit->text()), {}, {}, characterCode(character)};
    const QString storedName = toCaption(fields.name);
    fields.nameUtf16.assign(reinterpret_cast<const char*>(storedName.utf16()),
                            static_cast<std::size_t>(storedName.size()) * 2);
    for (QLineEdit* box : m_colourEdits) {
        if (const auto byte = colourByteFromText(fromCaption(box->text())))
            fields.colour.push_back(static_cast<char>(*byte));
    }
    registry::AdministratorSave save = registry::administratorSave(currentKey(), fields);
    const auto file = registry::importFile(save.keyPath, save.values);
    if (!file || !m_messages.ask(this, administratorSaveQuestion(setting, QString::fromStdString(save.shown))))
        return Offer::NotSaved;

    // The tool and Windows' question run on a thread that nobody waits for: the window keeps
    // drawing meanwhile, and a program that ends first does not wait for the player's answer. The
    // thread holds everything it uses, the import itself included; its result comes back through
    // the watcher, which goes with the editor.
    m_administratorSave = PendingAdministratorSave{setting, std::move(save), character};
    setEnabled(false);
    QPromise<registry::ElevatedImport::Result> promise;
    m_administratorSaveResult.setFuture(promise.future());
    std::thread([promise = std::move(promise), elevation = m_elevation, file = *file,
                 owner = static_cast<std::uintptr_t>(winId())]() mutable {
        promise.start();
        promise.addResult(elevation->importAsAdministrator(file, owner));
        promise.finish();
    }).detach();
    return Offer::Started;
}

void CharacterEditor::endAdministratorSave() {
    const PendingAdministratorSave pending = std::move(*m_administratorSave);
    m_administratorSave.reset();
    setEnabled(true);
    const bool saved = tellAdministratorSave(pending, m_administratorSaveResult.result());
    if (pending.setting != Setting::Character) return;
    if (saved) {
        m_character = pending.character;
    } else {
        showStoredCharacter(pending.character);
    }
}

bool CharacterEditor::tellAdministratorSave(const PendingAdministratorSave& pending,
                                            const registry::ElevatedImport::Result& result) {
    switch (result.outcome) {
    case registry::ElevatedImport::Outcome::Declined:
        m_messages.show(this, MessagePresenter::Style::Exclamation, administratorDeclinedText(pending.setting));
        return false;
    case registry::ElevatedImport::Outcome::Failed:
        m_messages.show(this, MessagePresenter::Style::Exclamation,
                        administratorFailedText(pending.setting, QString::fromStdString(result.reason)));
        return false;
    case registry::ElevatedImport::Outcome::Imported:
        break;
    }
    if (!registry::readsBackAsShown(m_registry, pending.save)) {
        m_messages.show(this, MessagePresenter::Style::Exclamation, administratorReadBackText(pending.setting));
        return false;
    }
    m_messages.show(this, MessagePresenter::Style::Plain,
                    administratorSavedText(QString::fromStdString(pending.save.shown)));
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

// An option of an exclusive group cannot be turned off on its own; the group lets go of it briefly.
void CharacterEditor::turnOff(QRadioButton* option) {
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

} // namespace velberd
