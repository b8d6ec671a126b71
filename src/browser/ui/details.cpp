#include "browser/client/networkworker.h"
#include "browser/logic/probablehosts.h"
#include "browser/logic/serverdetails.h"
#include "browser/ui/launchrow.h"
#include "browser/ui/mainwindow.h"
#include "browser/ui/serverdetailspanel.h"
#include "browser/ui/serverpinger.h"
#include "browser/ui/serverstatuswatch.h"
#include "common/ansitext.h"
#include "net/netservices.h"

#include <QListWidget>

namespace velberd {

std::string MainWindow::currentEntry() const {
    const auto* item = m_entryList->currentItem();
    if (!item || m_entryList->currentRow() < 0) return {};
    const QByteArray bytes = item->data(Qt::UserRole).toByteArray();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

void MainWindow::showEntryHeader(const EntryHeader& header) {
    m_details->showHeader(header);
    m_launchRow->setJoinEnabled(header.joinEnabled);
}

void MainWindow::showSelectedServer() {
    const auto selection = m_worker->select();
    m_entryList->setCurrentRow(m_serverList->currentRow());

    const auto details = readServerDetails(currentEntry());
    m_details->showDetails(details);
    m_launchRow->setJoinEnabled(details.header.joinEnabled);
    lookUpHosts(selection, details.header.address, details.lookupAddress);
    const auto port = gamePort(currentEntry());
    m_pinger->startPinging(selection, details.header.address, port);
    m_statusWatch->startWatching(selection, details.header.address, port, toCaption(details.header.serverName));

    m_launchRow->followVersion(m_details->version());
}

// "Hostname:" names the address shown; the probable hosts come from the entry's own address, which a
// private server hides. When the two are the same address, one lookup serves both.
void MainWindow::lookUpHosts(std::uint64_t selection, const std::string& shownAddress,
                             const std::optional<std::string>& lookupAddress) {
    const bool nameTheShownAddress = shownAddress != "x" && shownAddress != "restricted";
    if (!nameTheShownAddress && !lookupAddress) return;
    m_worker->lookUp(selection, [this, net = m_services.net, selection, shownAddress, lookupAddress,
                                 nameTheShownAddress](const NetworkWorker::Context& context) {
        std::string shownName;
        if (nameTheShownAddress) {
            shownName = net->hostNameFromText(shownAddress);
            context.post([this, selection, shownName] {
                if (isCurrentSelection(selection)) m_details->showHostName(shownName);
            });
        }
        if (!lookupAddress || !context.current()) return;
        const auto hostName =
            nameTheShownAddress && *lookupAddress == shownAddress ? shownName : net->hostNameFromText(*lookupAddress);
        const auto hosts = probableHosts(hostName);
        context.post([this, selection, hosts] {
            if (isCurrentSelection(selection) && hosts) m_details->showProbableHosts(*hosts);
        });
    });
}

bool MainWindow::isCurrentSelection(std::uint64_t selection) const {
    return selection == m_worker->selection();
}

} // namespace velberd
