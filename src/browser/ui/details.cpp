#include "browser/client/networkworker.h"
#include "browser/logic/probablehosts.h"
#include "browser/logic/serverdetails.h"
#include "browser/ui/mainwindow.h"
#include "common/ansitext.h"
#include "common/messages.h"
#include "net/netservices.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace velberd {
namespace {

// A field that cannot be read shows "x", never what another server had there.
void showOrX(QLabel* label, const std::optional<std::string>& value) {
    label->setText(value ? toCaption(*value) : QStringLiteral("x"));
}

} // namespace

std::string MainWindow::currentEntry() const {
    const auto* item = m_entryList->currentItem();
    if (!item || m_entryList->currentRow() < 0) return {};
    const QByteArray bytes = item->data(Qt::UserRole).toByteArray();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

void MainWindow::showEntryHeader(const EntryHeader& header) {
    m_access->setText(toCaption(header.access));
    m_join->setEnabled(header.joinEnabled);
    m_address->setText(toCaption(header.address));
    m_serverName->setText(toCaption(header.serverName));
}

void MainWindow::showEntryHeader() {
    showEntryHeader(readEntryHeader(currentEntry()));
}

void MainWindow::showSelectedServer() {
    const auto selection = m_worker->select();
    m_entryList->setCurrentRow(m_serverList->currentRow());

    const auto details = readServerDetails(currentEntry());
    showEntryHeader(details.header);
    showOrX(m_playerCount, details.playerCount);
    showOrX(m_version, details.version);
    m_gameType->setText(toCaption(details.gameType));
    showOrX(m_uptime, details.uptime);
    // Until this server's answers come, its host name, ping and probable hosts are not known.
    m_hostName->setText(QStringLiteral("x"));
    m_ping->setText(QStringLiteral("x"));
    m_ping->setToolTip({});
    m_probableHosts->setText(QStringLiteral("x"));

    lookUpHosts(selection, details.header.address, details.lookupAddress);
    m_pingAddress = details.header.address;
    m_pingGamePort = gamePort(currentEntry());
    // No address, nothing to ping: "Ping:" stays "x".
    if (m_pingAddress != "x") startPingRound(selection, m_pingAddress, m_pingGamePort, PingStart::Selection);

    if (const auto index = gamePathIndexForVersion(fromCaption(m_version->text()));
        index && *index < m_gamePath->count())
        m_gamePath->setCurrentIndex(*index);
}

// m_hostName names the address shown; the probable hosts come from the entry's own address, which a
// private server hides. When the two are the same address, one lookup serves both.
void MainWindow::lookUpHosts(std::uint64_t selection, const std::string& shownAddress,
                             const std::optional<std::string>& lookupAddress) {
    const bool nameTheShownAddress = shownAddress != "x" && shownAddress != "restricted";
    if (!nameTheShownAddress && !lookupAddress) return;
    m_worker->lookUp(selection, [this, net = m_services.net, selection, shownAddress, lookupAddress,
                                 nameTheShownAddress](const NetworkWorker::Context& context) {
        std::string shownName;
        if (nameTheShownAddress) {
            shownName = net->HostNameFromText(shownAddress);
            context.post([this, selection, shownName] {
                if (isCurrentSelection(selection)) m_hostName->setText(toCaption(shownName));
            });
        }
        if (!lookupAddress || !context.current()) return;
        const auto hostName =
            nameTheShownAddress && *lookupAddress == shownAddress ? shownName : net->HostNameFromText(*lookupAddress);
        const auto hosts = probableHosts(hostName);
        context.post([this, selection, hosts] {
            if (isCurrentSelection(selection) && hosts) m_probableHosts->setText(toCaption(*hosts));
        });
    });
}

bool MainWindow::isCurrentSelection(std::uint64_t selection) const {
    return selection == m_worker->selection();
}

void MainWindow::reportCleanupFailure() {
    m_services.messages->show(this, MessagePresenter::Style::Exclamation,
                              QStringLiteral("Windows Sockets error occurred in Cleanup."));
}

} // namespace velberd
