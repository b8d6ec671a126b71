#include "browser/ui/mainwindow.h"
#include "browser/ui/networkworker.h"
#include "browser/ui/pinground.h"
#include "common/ansitext.h"

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
            const auto round = pingOnce(*net, address);
            post([this, selection, round] {
                m_pingInFlight = false;
                if (!round.opened) return;
                if (isCurrentSelection(selection)) PIn->setText(QStringLiteral("%1 ms").arg(round.roundTrip));
                if (!round.closedCleanly) reportCleanupFailure();
            });
        });
}

} // namespace velberd
