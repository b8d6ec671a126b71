#include "browser/logic/probablehosts.h"
#include "browser/logic/serverdetails.h"
#include "browser/ui/mainwindow.h"
#include "browser/ui/networkworker.h"
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
    const auto* item = List1->currentItem();
    if (!item || List1->currentRow() < 0) return {};
    const QByteArray bytes = item->data(Qt::UserRole).toByteArray();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

void MainWindow::showEntryHeader(const EntryHeader& header) {
    SNa->setText(toCaption(header.access));
    Command1->setEnabled(header.joinEnabled);
    IPa->setText(toCaption(header.address));
    Label15->setText(toCaption(header.serverName));
}

void MainWindow::showEntryHeader() {
    showEntryHeader(readEntryHeader(currentEntry()));
}

void MainWindow::List2_Click() {
    const auto selection = m_worker->select();
    List1->setCurrentRow(List2->currentRow());

    const auto details = readServerDetails(currentEntry());
    showEntryHeader(details.header);
    showOrX(PCo, details.playerCount);
    showOrX(VRe, details.version);
    GTy->setText(toCaption(details.gameType));
    showOrX(SUp, details.uptime);
    // Until this server's answers come, its host name, ping and probable hosts are not known.
    HOs->setText(QStringLiteral("x"));
    PIn->setText(QStringLiteral("x"));
    PIn->setToolTip({});
    HSt->setText(QStringLiteral("x"));

    lookUpHosts(selection, details.header.address, details.lookupAddress);
    m_pingAddress = details.header.address;
    m_pingGamePort = gamePort(currentEntry());
    // No address, nothing to ping: "Ping:" stays "x".
    if (m_pingAddress != "x") startPingRound(selection, m_pingAddress, m_pingGamePort, PingStart::Selection);

    if (const auto index = gamePathIndexForVersion(fromCaption(VRe->text())); index && *index < Combo1->count())
        Combo1->setCurrentIndex(*index);
}

// HOs names the address shown; the probable hosts come from the entry's own address, which a
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
                if (isCurrentSelection(selection)) HOs->setText(toCaption(shownName));
            });
        }
        if (!lookupAddress || !context.current()) return;
        const auto hostName =
            nameTheShownAddress && *lookupAddress == shownAddress ? shownName : net->HostNameFromText(*lookupAddress);
        const auto hosts = probableHosts(hostName);
        context.post([this, selection, hosts] {
            if (isCurrentSelection(selection) && hosts) HSt->setText(toCaption(*hosts));
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
