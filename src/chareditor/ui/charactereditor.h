#pragma once

#include "chareditor/registry/administratorsave.h"
#include "chareditor/registry/elevatedimport.h"
#include "chareditor/ui/notsaved.h"
#include "common/messages.h"

#include <QFutureWatcher>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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
    // Reads the name, colours and character of the version shown.
    void load();
    void switchVersion();
    void saveName();
    void saveColours();
    // Writes the character of an option turned on, by the player or by loading.
    void chooseCharacter(QRadioButton* option);

    std::string_view currentKey() const;
    // Where a write was refused for lack of rights: whether the player was asked to save the values
    // shown with administrator rights, and whether that save has started. Every message that
    // follows the question is its own.
    enum class Offer { NotMade, NotSaved, Started };
    Offer offerAdministratorSave(Setting setting, registry::Status status, QRadioButton* character);
    // A save with administrator rights that has not ended, and for which write.
    struct PendingAdministratorSave {
        Setting setting;
        registry::AdministratorSave save;
        QRadioButton* character;
    };
    void endAdministratorSave();
    // What the save with administrator rights reported, told to the player: whether it was saved.
    bool tellAdministratorSave(const PendingAdministratorSave& pending, const registry::ElevatedImport::Result& result);
    // The write's outcome reported: a message for a refusal, unless the administrator's save takes
    // it over.
    enum class Write { Stored, NotStored, Saving };
    Write reportWrite(Setting setting, registry::Status status, QRadioButton* character);
    // The option stored before shows again, so that choosing `refused` again writes it again.
    void showStoredCharacter(QRadioButton* refused);
    std::optional<unsigned char> characterCode(QRadioButton* option) const;
    static void turnOff(QRadioButton* option);

    MessagePresenter& m_messages;
    std::shared_ptr<registry::ElevatedImport> m_elevation;
    // The worker's result arrives here; gone with the editor, it reaches nothing.
    QFutureWatcher<registry::ElevatedImport::Result> m_administratorSaveResult;
    std::optional<PendingAdministratorSave> m_administratorSave;
    registry::Registry m_registry;
    std::optional<std::string> m_loadedCharacter; // while loading: the "Char" value just read
    QRadioButton* m_character = nullptr;          // the option whose character was stored or read last

    QRadioButton* m_characterJazz;
    QRadioButton* m_characterSpaz;
    QRadioButton* m_characterLori;
    QCheckBox* m_secretFiles; // "1.24": The Secret Files' values, else those of 1.23
    QLineEdit* m_nameEdit;
    QPushButton* m_saveNameButton;
    std::array<QLineEdit*, 4> m_colourEdits;
    QPushButton* m_saveColoursButton;
};

} // namespace velberd
