#include "browser/ui/serverstatuswatch.h"

#include "browser/client/networkworker.h"
#include "browser/logic/playerstext.h"
#include "browser/ui/playerswindow.h"
#include "common/ansitext.h"
#include "net/netservices.h"

#include <QLabel>
#include <QTimer>

namespace velberd {

ServerStatusWatch::ServerStatusWatch(NetworkWorker& worker, std::shared_ptr<net::NetServices> net, QLabel* playerCount,
                                     QWidget* window)
    : QObject(window), m_worker(worker), m_net(std::move(net)), m_playerCount(playerCount), m_window(window),
      m_timer(new QTimer(window)) {
    m_timer->setObjectName(QStringLiteral("StatusTimer"));
    connect(m_timer, &QTimer::timeout, this, &ServerStatusWatch::askAgain);
}

void ServerStatusWatch::startWatching(std::uint64_t selection, const std::string& address,
                                      std::optional<std::uint16_t> gamePort, const QString& serverName) {
    m_address = address;
    m_gamePort = gamePort;
    m_serverName = serverName;
    m_answer.reset();
    if (m_playersWindow) m_playersWindow->showServer(serverName);
    if (gamePort) {
        ask(selection);
        m_timer->start(5000);
    } else {
        m_timer->stop();
        m_answer = net::GameStatusResult{net::GamePingOutcome::NoReply, {}};
    }
    show();
}

void ServerStatusWatch::askAgain() {
    // An answer is awaited a second at most, so one still out means the services are slow.
    if (m_worker.statusOut() || !m_gamePort) return;
    ask(m_worker.selection());
}

void ServerStatusWatch::ask(std::uint64_t selection) {
    m_worker.gameStatus(selection, [this, net = m_net, selection, address = m_address,
                                    port = *m_gamePort](const NetworkWorker::Context& context) {
        auto answer = net->exchangeGameStatus(address, port, context.current);
        context.post([this, selection, answer = std::move(answer)] {
            if (!m_worker.isCurrent(selection)) return;
            m_answer = answer;
            show();
        });
    });
}

void ServerStatusWatch::showPlayersWindow() {
    if (!m_playersWindow) {
        m_playersWindow = new PlayersWindow(m_window);
        m_playersWindow->setAttribute(Qt::WA_QuitOnClose, false);
        m_playersWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_playersWindow->showServer(m_serverName);
        show();
    }
    m_playersWindow->show();
    m_playersWindow->raise();
    m_playersWindow->activateWindow();
}

void ServerStatusWatch::show() {
    const auto view = playersView(m_answer);
    const bool answered = m_answer && m_answer->outcome == net::GamePingOutcome::Answered;
    m_playerCount->setToolTip(toCaption(answered ? playersToolTip(m_answer->status) : view.state));
    if (m_playersWindow) m_playersWindow->showPlayers(view);
}

} // namespace velberd
