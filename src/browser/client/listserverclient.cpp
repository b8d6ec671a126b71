#include "browser/client/listserverclient.h"

#include "browser/logic/serverlist.h"
#include "net/connectionend.h"

#include <QSignalBlocker>
#include <QTcpSocket>
#include <QTimer>

namespace velberd {
namespace {

// Only eleven lines count; a server that sends more than this is cut off.
constexpr qsizetype kListReplyLimit = 64 * 1024;

} // namespace

ListServerClient::ListServerClient(QString host, quint16 port, QObject* parent)
    : QObject(parent), m_host(std::move(host)), m_port(port), m_refresh(new QTimer(this)),
      m_socket(new QTcpSocket(this)) {
    m_refresh->setObjectName(QStringLiteral("autolist"));
    m_socket->setObjectName(QStringLiteral("Winsock1"));
    connect(m_refresh, &QTimer::timeout, this, &ListServerClient::requestServerList);
    connect(m_socket, &QTcpSocket::connected, this, &ListServerClient::watchConnectionEnd);
    connect(m_socket, &QTcpSocket::readyRead, this, &ListServerClient::takeReply);
    connect(m_socket, &QTcpSocket::disconnected, this, &ListServerClient::connectionEnded);
}

ListServerClient::~ListServerClient() {
    // The socket goes with the other children once this client is already torn down; closing an
    // open connection then must not call the hang-up handler of a client that is gone.
    m_socket->disconnect(this);
}

void ListServerClient::startRefreshing(int intervalMs) {
    m_refresh->start(intervalMs);
}

void ListServerClient::requestServerList() {
    // The probe's handle would keep the connection open past the abort.
    m_end.reset();
    {
        // Cutting off the last connection is not that server hanging up on us.
        const QSignalBlocker quiet(m_socket);
        m_socket->abort();
    }
    m_received.clear();
    m_socket->connectToHost(m_host, m_port);
}

void ListServerClient::watchConnectionEnd() {
    m_end = std::make_unique<net::ConnectionEndProbe>(m_socket->socketDescriptor());
}

void ListServerClient::takeReply() {
    // A reply has come, so how the connection ends no longer matters.
    m_end.reset();
    const auto room = kListReplyLimit - m_received.size();
    m_received.append(m_socket->read(room));
    if (m_received.size() >= kListReplyLimit) m_socket->abort();
    emit serverListReceived(
        parseReceivedBlock(std::string_view(m_received.constData(), static_cast<std::size_t>(m_received.size()))));
}

// A list server that hangs up without a word has no servers to list. One that resets the
// connection (restarting, or turning clients away) said nothing, and the list stays as it is, as it
// does when the connection is refused or never made.
void ListServerClient::connectionEnded() {
    const bool noServers = m_received.isEmpty() && m_end && m_end->end() != net::ConnectionEnd::Reset;
    m_end.reset();
    if (noServers) emit serverListReceived({});
}

} // namespace velberd
