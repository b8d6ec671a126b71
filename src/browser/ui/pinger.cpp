#include "browser/ui/mainwindow.h"
#include "browser/ui/networkworker.h"
#include "common/ansitext.h"
#include "net/netservices.h"

#include <QLabel>

namespace velberd {

void MainWindow::Pinger_Timer() {
    // An echo waits at most half a second, so one still out means the services are slow: the
    // next tick asks again rather than piling up requests.
    if (m_pingInFlight) return;
    m_pingInFlight = true;
    const auto selection = m_selection;
    m_worker->run(
        [this, net = m_services.net, selection, address = fromCaption(IPa->text())](const NetworkWorker::Post& post) {
            if (!net->StartSocketLibrary()) {
                post([this] { m_pingInFlight = false; });
                return;
            }
            net::EchoReplyRecord record{};
            net->SendEcho(address, "test", record);
            const auto roundTrip = static_cast<std::int32_t>(record.roundTripTime());
            const bool stopped = net->StopSocketLibrary();
            post([this, selection, roundTrip, stopped] {
                m_pingInFlight = false;
                if (isCurrentSelection(selection)) PIn->setText(QStringLiteral("%1 ms").arg(roundTrip));
                if (!stopped) reportCleanupFailure();
            });
        });
}

} // namespace velberd
