#include "browser/logic/serverlist.h"
#include "browser/ui/mainwindow.h"
#include "common/ansitext.h"
#include "net/connectionend.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTcpSocket>

namespace velberd {
namespace {

// Only eleven lines count; a server that sends more than this is cut off.
constexpr qsizetype kListReplyLimit = 64 * 1024;

} // namespace

void MainWindow::autolist_Timer() {
    // The probe's handle would keep the connection open past the abort.
    m_listEnd.reset();
    {
        // Cutting off the last connection is not that server hanging up on us.
        const QSignalBlocker quiet(Winsock1);
        Winsock1->abort();
    }
    m_received.clear();
    Winsock1->connectToHost(m_services.listServer.host, m_services.listServer.port);
}

void MainWindow::Winsock1_Connect() {
    m_listEnd = std::make_unique<net::ConnectionEndProbe>(Winsock1->socketDescriptor());
}

void MainWindow::Winsock1_DataArrival() {
    // A reply may arrive in several pieces: each piece rebuilds the lists from all of the reply so
    // far, so no server is lost to a split line. A reply has come, so how the connection ends no
    // longer matters.
    m_listEnd.reset();
    const auto room = kListReplyLimit - m_received.size();
    m_received.append(Winsock1->read(room));
    if (m_received.size() >= kListReplyLimit) Winsock1->abort();
    rebuildServerLists(m_received);
}

// A list server that hangs up without a word has no servers to list. One that resets the
// connection (restarting, or turning clients away) said nothing, and the list stays as it is, as it
// does when the connection is refused or never made.
void MainWindow::Winsock1_Close() {
    const bool noServers = m_received.isEmpty() && m_listEnd && m_listEnd->end() != net::ConnectionEnd::Reset;
    m_listEnd.reset();
    if (noServers) rebuildServerLists(m_received);
}

void MainWindow::rebuildServerLists(const QByteArray& received) {
    const auto entries =
        parseReceivedBlock(std::string_view(received.constData(), static_cast<std::size_t>(received.size())));
    // Rebuilding clears the selection without it counting as the player's choice.
    const QSignalBlocker blockList2(List2);
    List1->clear();
    List2->clear();
    for (const auto& entry : entries) {
        auto* raw = new QListWidgetItem(toCaption(entry), List1);
        raw->setData(Qt::UserRole, QByteArray(entry.data(), static_cast<qsizetype>(entry.size())));
        List2->addItem(toCaption(displayName(entry)));
    }
    // Marks "no current row" as chosen, or the list would make its first row current, and so
    // select a server, when it next gets the focus from the keyboard or the window.
    List2->setCurrentIndex(QModelIndex());
    sCounter->setText(QString::number(List2->count()));
    List2->setEnabled(true);
}

} // namespace velberd
