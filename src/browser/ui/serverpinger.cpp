#include "browser/ui/serverpinger.h"

#include "browser/client/networkworker.h"
#include "browser/logic/pinground.h"
#include "common/ansitext.h"
#include "common/messages.h"

#include <QLabel>
#include <QTimer>

namespace velberd {

ServerPinger::ServerPinger(NetworkWorker& worker, std::shared_ptr<net::NetServices> net,
                           std::shared_ptr<MessagePresenter> messages, QLabel* ping, QWidget* window)
    : QObject(window), m_worker(worker), m_net(std::move(net)), m_messages(std::move(messages)), m_ping(ping),
      m_window(window), m_timer(new QTimer(window)) {
    m_timer->setObjectName(QStringLiteral("Pinger"));
    connect(m_timer, &QTimer::timeout, this, &ServerPinger::pingAgain);
}

void ServerPinger::startPinging(std::uint64_t selection, const std::string& address,
                                std::optional<std::uint16_t> gamePort) {
    m_address = address;
    m_gamePort = gamePort;
    if (m_address != "x") startRound(selection, PingStart::Selection);
}

void ServerPinger::pingAgain() {
    // A round waits at most a second, so one still out means the services are slow: the next
    // tick asks again rather than piling up requests.
    if (m_worker.pingOut() || m_address == "x") return;
    startRound(m_worker.selection(), PingStart::Tick);
}

// The echo and the game's ping go out at once, each on its own lane, and each result shows as
// soon as it decides "Ping:", so a server that drops ICMP shows its time within the game ping's
// round trip of the echo's time-out.
void ServerPinger::startRound(std::uint64_t selection, PingStart start) {
    auto round = std::make_shared<PingRoundState>();
    round->selection = selection;
    m_round = round;
    m_worker.echo(
        selection, [this, net = m_net, round, address = m_address, start](const NetworkWorker::Context& context) {
            const auto echo = pingOnce(*net, address, context.current);
            context.post([this, round, echo, start] {
                const bool selecting = start == PingStart::Selection && m_worker.isCurrent(round->selection);
                if (!echo.opened) {
                    if (selecting)
                        m_messages->show(
                            m_window, MessagePresenter::Style::Plain,
                            QStringLiteral(
                                "Windows Sockets for 32 bit Windows environments is not successfully responding."));
                    return;
                }
                round->echo = echo.echo;
                showPing(*round);
                if (!echo.closedCleanly)
                    m_messages->show(m_window, MessagePresenter::Style::Exclamation,
                                     QStringLiteral("Windows Sockets error occurred in Cleanup."));
                if (selecting) m_timer->start(2000);
            });
        });
    m_worker.gamePing(selection, [this, net = m_net, round, address = m_address,
                                  port = m_gamePort](const NetworkWorker::Context& context) {
        const auto game = gamePingOnce(*net, address, port, context.current);
        context.post([this, round, game] {
            round->game = game;
            showPing(*round);
        });
    });
}

// Only the newest round of the current selection writes "Ping:".
void ServerPinger::showPing(const PingRoundState& round) {
    if (&round != m_round.get() || !m_worker.isCurrent(round.selection)) return;
    if (const auto reading = readPing(round.echo, round.game)) {
        m_ping->setText(toCaption(reading->caption));
        m_ping->setToolTip(toCaption(reading->toolTip));
    }
}

} // namespace velberd
