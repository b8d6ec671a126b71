#include "browser/logic/probablehosts.h"
#include "browser/logic/serverdetails.h"
#include "browser/ui/mainwindow.h"
#include "browser/ui/networkworker.h"
#include "browser/ui/pinground.h"
#include "common/ansitext.h"
#include "common/messages.h"
#include "net/netservices.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace velberd {
namespace {

void showIfKnown(QLabel* label, const std::optional<std::string>& value) {
    if (value) label->setText(toCaption(*value));
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
    showIfKnown(IPa, header.address);
    Label15->setText(toCaption(header.serverName));
}

void MainWindow::showEntryHeader() {
    showEntryHeader(readEntryHeader(currentEntry()));
}

void MainWindow::List2_Click() {
    ++m_selection;
    HSt->setText(QStringLiteral("x"));
    SUp->setText(QStringLiteral("x"));
    VRe->setText(QStringLiteral("x"));
    List1->setCurrentRow(List2->currentRow());

    const auto details = readServerDetails(currentEntry());
    showEntryHeader(details.header);
    showIfKnown(PCo, details.playerCount);
    showIfKnown(VRe, details.version);
    showIfKnown(GTy, details.gameType);
    showIfKnown(SUp, details.uptime);

    const auto shownAddress = fromCaption(IPa->text());
    lookUpHosts(shownAddress, details.lookupAddress.value_or(std::string{}));
    pingSelection(shownAddress);

    if (const auto index = gamePathIndexForVersion(fromCaption(VRe->text())); index && *index < Combo1->count())
        Combo1->setCurrentIndex(*index);
}

void MainWindow::lookUpHosts(const std::string& shownAddress, const std::string& lookupAddress) {
    const auto selection = m_selection;
    // A private server's real address is still looked up for the table, though it is not shown.
    const bool nameTheShownAddress = shownAddress != "x" && shownAddress != "restricted";
    m_worker->run([this, net = m_services.net, selection, shownAddress, lookupAddress,
                   nameTheShownAddress](const NetworkWorker::Post& post) {
        if (nameTheShownAddress) {
            const auto hostName = net->HostNameFromText(shownAddress);
            post([this, selection, hostName] {
                if (isCurrentSelection(selection)) HOs->setText(toCaption(hostName));
            });
        }
        const auto hosts = probableHosts(net->HostNameFromText(lookupAddress));
        post([this, selection, hosts] {
            if (isCurrentSelection(selection)) showIfKnown(HSt, hosts);
        });
    });
}

void MainWindow::pingSelection(const std::string& address) {
    const auto selection = m_selection;
    m_worker->run([this, net = m_services.net, selection, address](const NetworkWorker::Post& post) {
        const auto round = pingOnce(*net, address);
        post([this, selection, round] {
            if (!round.opened) {
                if (isCurrentSelection(selection))
                    m_services.messages->show(
                        this, MessagePresenter::Style::Plain,
                        QStringLiteral(
                            "Windows Sockets for 32 bit Windows environments is not successfully responding."));
                return;
            }
            if (isCurrentSelection(selection)) PIn->setText(QStringLiteral("%1 ms").arg(round.roundTrip));
            if (!round.closedCleanly) reportCleanupFailure();
            if (isCurrentSelection(selection)) Pinger->start(2000);
        });
    });
}

void MainWindow::reportCleanupFailure() {
    m_services.messages->show(this, MessagePresenter::Style::Exclamation,
                              QStringLiteral("Windows Sockets error occurred in Cleanup."));
}

} // namespace velberd
