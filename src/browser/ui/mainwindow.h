#pragma once

#include "browser/ui/browserservices.h"

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QTimer;

namespace velberd {

class CharacterEditor;
class ClickableLabel;
class LaunchRow;
class ListServerClient;
class NetworkWorker;
class ServerDetailsPanel;
class ServerPinger;
class ServerStatusWatch;
struct EntryHeader;

// Velberd's main window: the server list, the details of the selected server and the launch.
// Controls and timers carry their names as object names, so tests and tools find them by name.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(BrowserServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

public slots:
    // The six start-up lines, 700 ms apart; the sixth starts the list's refreshes.
    void advanceStartup();
    void showCharacterEditor();
    void showSelectedServer();
    // Measures the server the details show again, as the ping timer's tick does.
    void pingSelectedServer();
    void joinSelectedServer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void load();
    void showServerList(const std::vector<std::string>& entries);
    std::string currentEntry() const;
    void showEntryHeader(const EntryHeader& header);
    void lookUpHosts(std::uint64_t selection, const std::string& shownAddress,
                     const std::optional<std::string>& lookupAddress);

    BrowserServices m_services;

    QListWidget* m_serverList = nullptr;
    QListWidget* m_entryList = nullptr;
    QLabel* m_serverCount = nullptr;
    ClickableLabel* m_yourAddressCaption = nullptr;
    QLabel* m_localAddress = nullptr;
    ServerDetailsPanel* m_details = nullptr;
    ClickableLabel* m_characterEditorLink = nullptr;
    LaunchRow* m_launchRow = nullptr;

    QTimer* m_startupTimer = nullptr;
    ListServerClient* m_listClient = nullptr;
    // The character editor, made on first use.
    QPointer<CharacterEditor> m_characterEditor;

    std::size_t m_startupStep = 0;
    // Knows the current selection, so that work and results for a server the player has since
    // left are dropped.
    std::unique_ptr<NetworkWorker> m_worker;
    ServerPinger* m_pinger = nullptr;
    ServerStatusWatch* m_statusWatch = nullptr;
};

} // namespace velberd
