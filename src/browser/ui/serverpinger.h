#pragma once

#include <QObject>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QTimer;
class QWidget;

namespace velberd {

class MessagePresenter;
class NetworkWorker;
struct PingRoundState;
namespace net {
class NetServices;
}

// Measures the selected server and shows the time in "Ping:": on its selection, then every 2 s
// (the timer `Pinger`) from its first echo on, until the next selection.
class ServerPinger : public QObject {
    Q_OBJECT
public:
    // Results are posted back through the worker, which drops those of a selection the player left.
    ServerPinger(NetworkWorker& worker, std::shared_ptr<net::NetServices> net,
                 std::shared_ptr<MessagePresenter> messages, QLabel* ping, QWidget* window);

    // The address and the game port are kept across list refreshes, which leave no entry current,
    // until the next selection. Without an address nothing is measured: "Ping:" stays "x".
    void startPinging(std::uint64_t selection, const std::string& address, std::optional<std::uint16_t> gamePort);
    // The timer's tick.
    void pingAgain();

private:
    enum class PingStart { Selection, Tick };
    void startRound(std::uint64_t selection, PingStart start);
    void showPing(const PingRoundState& round);

    NetworkWorker& m_worker;
    std::shared_ptr<net::NetServices> m_net;
    std::shared_ptr<MessagePresenter> m_messages;
    QLabel* m_ping;
    QWidget* m_window;
    QTimer* m_timer;
    // The newest round; results of any other are dropped.
    std::shared_ptr<PingRoundState> m_round;
    std::string m_address = "x";
    std::optional<std::uint16_t> m_gamePort;
};

} // namespace velberd
