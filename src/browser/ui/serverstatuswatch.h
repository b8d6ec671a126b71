#pragma once

#include "net/gamestatus.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QTimer;
class QWidget;

namespace velberd {

class NetworkWorker;
class PlayersWindow;
namespace net {
class NetServices;
}

// Asks the selected server who is playing: on its selection and every 5 s (the timer `StatusTimer`),
// one question out at a time. The answer goes into the player count's tool tip and, while it is
// open, the players window.
class ServerStatusWatch : public QObject {
    Q_OBJECT
public:
    // Results are posted back through the worker, which drops those of a selection the player left.
    ServerStatusWatch(NetworkWorker& worker, std::shared_ptr<net::NetServices> net, QLabel* playerCount,
                      QWidget* window);

    // Nothing is asked without an address and a game port: the server is taken as not answering.
    void startWatching(std::uint64_t selection, const std::string& address, std::optional<std::uint16_t> gamePort,
                       const QString& serverName);
    void askAgain();
    void showPlayersWindow();

private:
    void ask(std::uint64_t selection);
    void show();

    NetworkWorker& m_worker;
    std::shared_ptr<net::NetServices> m_net;
    QLabel* m_playerCount;
    QWidget* m_window;
    QTimer* m_timer;
    QPointer<PlayersWindow> m_playersWindow;
    std::string m_address;
    std::optional<std::uint16_t> m_gamePort;
    QString m_serverName;
    // The selected server's last answer; none while the first is awaited.
    std::optional<net::GameStatusResult> m_answer;
};

} // namespace velberd
