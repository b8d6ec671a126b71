#pragma once

#include "browser/ui/browserservices.h"

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace velberd {

class CharacterEditor;
class ClickableLabel;
class ListServerClient;
class NetworkWorker;
struct EntryHeader;
struct PingRoundState;

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
    // Measures the server the details show again; the ping timer's tick.
    void pingSelectedServer();
    void joinSelectedServer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createServerInformation();
    void load();
    void loadGamePaths();
    void showServerList(const std::vector<std::string>& entries);
    std::string currentEntry() const;
    void showEntryHeader(const EntryHeader& header);
    void showEntryHeader();
    void lookUpHosts(std::uint64_t selection, const std::string& shownAddress,
                     const std::optional<std::string>& lookupAddress);
    enum class PingStart { Selection, Tick };
    void startPingRound(std::uint64_t selection, const std::string& address, std::optional<std::uint16_t> port,
                        PingStart start);
    void showPing(const PingRoundState& round);
    bool isCurrentSelection(std::uint64_t selection) const;
    void reportCleanupFailure();

    BrowserServices m_services;

    QGroupBox* m_serverListFrame = nullptr;
    QListWidget* m_serverList = nullptr;
    QListWidget* m_entryList = nullptr;
    QGroupBox* m_overallFrame = nullptr;
    QLabel* m_serversUpCaption = nullptr;
    QLabel* m_serverCount = nullptr;
    ClickableLabel* m_yourAddressCaption = nullptr;
    QLabel* m_localAddress = nullptr;
    QGroupBox* m_serverInformationFrame = nullptr;
    QLabel* m_serverName = nullptr;
    QLabel* m_access = nullptr;
    QLabel* m_playerCount = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_gameType = nullptr;
    QLabel* m_uptime = nullptr;
    QLabel* m_address = nullptr;
    QLabel* m_hostName = nullptr;
    QLabel* m_ping = nullptr;
    QLabel* m_probableHosts = nullptr;
    ClickableLabel* m_characterEditorLink = nullptr;
    QComboBox* m_gamePath = nullptr;
    QCheckBox* m_spy = nullptr;
    QCheckBox* m_safeMode = nullptr;
    QCheckBox* m_fullScreen = nullptr;
    QCheckBox* m_logger = nullptr;
    QCheckBox* m_mute = nullptr;
    QPushButton* m_join = nullptr;

    QTimer* m_startupTimer = nullptr;
    QTimer* m_pingTimer = nullptr;
    ListServerClient* m_listClient = nullptr;
    // The character editor, made on first use.
    QPointer<CharacterEditor> m_characterEditor;

    std::int16_t m_startupStep = 0;
    std::int16_t m_launchCounter = 0;
    // Knows the current selection, so that work and results for a server the player has since
    // left are dropped.
    std::unique_ptr<NetworkWorker> m_worker;
    // The newest ping round; results of any other are dropped.
    std::shared_ptr<PingRoundState> m_pingRound;
    // What the ping ticks measure: the server the details show, taken at its selection and kept
    // across list refreshes, which leave no entry current, until the next selection.
    std::string m_pingAddress = "x";
    std::optional<std::uint16_t> m_pingGamePort;
};

} // namespace velberd
