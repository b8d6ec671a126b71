#pragma once

#include "browser/ui/browserservices.h"

#include <QByteArray>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTcpSocket;
class QTimer;

namespace velberd {

namespace net {
class ConnectionEndProbe;
}

class CharacterEditor;
class ClickableLabel;
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
    void Form_Load();
    void Timer1_Timer();
    void Label11_Click();
    void Label9_Click();
    void autolist_Timer();
    void Winsock1_Connect();
    void Winsock1_DataArrival();
    void Winsock1_Close();
    void List2_Click();
    void Pinger_Timer();
    void Command1_Click();
    void List1_GotFocus();
    void List1_LostFocus();
    void List1_KeyDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createServerInformation();
    void loadGamePaths();
    void rebuildServerLists(const QByteArray& received);
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

    QGroupBox* Frame3 = nullptr;
    QListWidget* List2 = nullptr;
    QListWidget* List1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* sCount = nullptr;
    QLabel* sCounter = nullptr;
    ClickableLabel* Label11 = nullptr;
    QLabel* lip = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* SNa = nullptr;
    QLabel* PCo = nullptr;
    QLabel* VRe = nullptr;
    QLabel* GTy = nullptr;
    QLabel* SUp = nullptr;
    QLabel* IPa = nullptr;
    QLabel* HOs = nullptr;
    QLabel* PIn = nullptr;
    QLabel* HSt = nullptr;
    ClickableLabel* Label9 = nullptr;
    QComboBox* Combo1 = nullptr;
    QCheckBox* spy = nullptr;
    QCheckBox* safe = nullptr;
    QCheckBox* full = nullptr;
    QCheckBox* log = nullptr;
    QCheckBox* mute = nullptr;
    QPushButton* Command1 = nullptr;

    QTimer* Timer1 = nullptr;
    QTimer* autolist = nullptr;
    QTimer* Pinger = nullptr;
    QTcpSocket* Winsock1 = nullptr;
    // The character editor, made on first use.
    QPointer<CharacterEditor> Registry;

    std::int16_t m_startupStep = 0;
    std::int16_t m_launchCounter = 0;
    // Everything received on the current list-server connection, up to kListReplyLimit.
    QByteArray m_received;
    // Tells, until the first byte comes, how the list server ended a connection.
    std::unique_ptr<net::ConnectionEndProbe> m_listEnd;
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
