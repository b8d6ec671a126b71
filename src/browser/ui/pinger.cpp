#include "browser/ui/mainwindow.h"
#include "browser/ui/networkworker.h"
#include "browser/ui/pinground.h"
#include "common/ansitext.h"

#include <QLabel>

namespace velberd {

void MainWindow::Pinger_Timer() {
    // An echo waits at most half a second, so one still out means the services are slow: the
    // next tick asks again rather than piling up requests.
    if (m_worker->echoOut()) return;
    const auto address = fromCaption(IPa->text());
    if (address == "x") return;
    const auto selection = m_worker->selection();
    m_worker->echo(selection, [this, net = m_services.net, selection, address](const NetworkWorker::Context& context) {
        const auto round = pingOnce(*net, address);
        context.post([this, selection, round] {
            if (!round.opened) return;
            if (isCurrentSelection(selection)) PIn->setText(pingCaption(round));
            if (!round.closedCleanly) reportCleanupFailure();
        });
    });
}

} // namespace velberd
