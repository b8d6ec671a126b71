#include "browser/client/networkworker.h"
#include "browser/logic/pinground.h"
#include "browser/ui/mainwindow.h"
#include "common/ansitext.h"
#include "common/messages.h"

#include <QLabel>
#include <QTimer>

namespace velberd {

void MainWindow::pingSelectedServer() {
    // A round waits at most a second, so one still out means the services are slow: the next
    // tick asks again rather than piling up requests.
    if (m_worker->pingOut() || m_pingAddress == "x") return;
    startPingRound(m_worker->selection(), m_pingAddress, m_pingGamePort, PingStart::Tick);
}

// The echo and the game's ping go out at once, each on its own lane, and each result shows as
// soon as it decides "Ping:", so a server that drops ICMP shows its time within the game ping's
// round trip of the echo's time-out.
void MainWindow::startPingRound(std::uint64_t selection, const std::string& address, std::optional<std::uint16_t> port,
                                PingStart start) {
    auto round = std::make_shared<PingRoundState>();
    round->selection = selection;
    m_pingRound = round;
    m_worker->echo(
        selection, [this, net = m_services.net, round, address, start](const NetworkWorker::Context& context) {
            const auto echo = pingOnce(*net, address, context.current);
            context.post([this, round, echo, start] {
                const bool selecting = start == PingStart::Selection && isCurrentSelection(round->selection);
                if (!echo.opened) {
                    if (selecting)
                        m_services.messages->show(
                            this, MessagePresenter::Style::Plain,
                            QStringLiteral(
                                "Windows Sockets for 32 bit Windows environments is not successfully responding."));
                    return;
                }
                round->echo = echoMeasurement(echo);
                showPing(*round);
                if (!echo.closedCleanly) reportCleanupFailure();
                if (selecting) m_pingTimer->start(2000);
            });
        });
    m_worker->gamePing(selection,
                       [this, net = m_services.net, round, address, port](const NetworkWorker::Context& context) {
                           const auto game = gamePingOnce(*net, address, port, context.current);
                           context.post([this, round, game] {
                               round->game = game;
                               showPing(*round);
                           });
                       });
}

// Only the newest round of the current selection writes "Ping:".
void MainWindow::showPing(const PingRoundState& round) {
    if (&round != m_pingRound.get() || !isCurrentSelection(round.selection)) return;
    if (const auto reading = readPing(round.echo, round.game)) {
        m_ping->setText(toCaption(reading->caption));
        m_ping->setToolTip(toCaption(reading->toolTip));
    }
}

} // namespace velberd
