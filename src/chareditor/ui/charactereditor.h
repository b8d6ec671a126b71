#pragma once

#include "chareditor/registry/elevatedimport.h"
#include "chareditor/registry/importfile.h"
#include "chareditor/registry/registryapi.h"
#include "chareditor/ui/notsaved.h"
#include "common/messages.h"

#include <QFutureWatcher>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velberd {

// The window "Registry": the game's player name, colours and character, for version 1.23 or,
// with "1.24" checked, for The Secret Files. Reads when it opens and on every switch of version;
// writes at "Set" and whenever a character option is turned on. A setting the registry does not
// store is named in one message, with the reason; the boxes keep what was typed. Where Windows
// refuses for lack of rights and an elevated import is at hand, the editor offers to save the
// values shown with administrator rights instead: the editor waits for that save, disabled, and
// the player cannot close it until it has ended; the main window closing takes it along.
class CharacterEditor : public QWidget {
    Q_OBJECT
public:
    // The save with administrator rights shares `elevation`, so that it may outlive the editor.
    CharacterEditor(registry::Backend& backend, MessagePresenter& messages,
                    std::shared_ptr<registry::ElevatedImport> elevation = nullptr, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void OTF_Click();
    void Command1_Click();
    void Command2_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();

    void loadSettings(std::string_view keyPath, bool secretFiles);
    std::string_view currentKey() const;
    void writeCharacter(QRadioButton* option, std::string_view keyPath, unsigned char code);
    void report(Setting setting, registry::Status status);
    // Where a write was refused for lack of rights: whether the player was asked to save the values
    // shown with administrator rights, and whether that save has started. Every message that
    // follows the question is its own.
    enum class AdministratorSave { NotOffered, NotSaved, Started };
    AdministratorSave offerAdministratorSave(Setting setting, registry::Status status, QRadioButton* character);
    // A save with administrator rights that has not ended: what it saves, and for which write.
    struct AdministratorSaveOut {
        Setting setting;
        std::string_view keyPath;
        std::vector<registry::ImportedValue> values;
        std::string name; // as Set writes it, in the code page
        QString shown;    // the values named, e.g. "name, colours and character"
        QRadioButton* character;
    };
    void endAdministratorSave();
    // What the save with administrator rights reported, told to the player: whether it was saved.
    bool tellAdministratorSave(const AdministratorSaveOut& save, const registry::ElevatedImport::Result& result);
    // The write's outcome reported: a message for a refusal, unless the administrator's save takes
    // it over.
    enum class Write { Stored, NotStored, Saving };
    Write stored(Setting setting, registry::Status status, QRadioButton* character);
    // The option stored before shows again, so that choosing `refused` again writes it again.
    void showStoredCharacter(QRadioButton* refused);
    std::optional<unsigned char> characterCode(QRadioButton* option) const;
    void turnLoOff();
    static void turnOff(QRadioButton* option);

    MessagePresenter& m_messages;
    std::shared_ptr<registry::ElevatedImport> m_elevation;
    // The worker's result arrives here; gone with the editor, it reaches nothing.
    QFutureWatcher<registry::ElevatedImport::Result> m_administratorSaveResult;
    std::optional<AdministratorSaveOut> m_administratorSave;
    registry::Registry m_registry;
    std::optional<std::string> m_loadedCharacter; // while loading: the "Char" value just read
    QRadioButton* m_character = nullptr;          // the option whose character was stored or read last

    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QCheckBox* OTF;
    QLineEdit* Text1;
    QPushButton* Command1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;
    QPushButton* Command2;
};

} // namespace velberd
