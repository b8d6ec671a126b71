#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class QTcpSocket;
class QTimer;

namespace velberd {

namespace net {
class ConnectionEndProbe;
}

// The list server's client: connects anew on every refresh, gathers the reply, cuts it into the
// entries it lists and says what it received. It has no window; the main window shows what it
// sends. Its refresh timer and socket carry the object names "autolist" and "Winsock1".
class ListServerClient : public QObject {
    Q_OBJECT
public:
    ListServerClient(QString host, quint16 port, QObject* parent = nullptr);
    ~ListServerClient() override;

    // Refreshes every intervalMs from now on.
    void startRefreshing(int intervalMs);

public slots:
    // Ends the last connection, answered or not, and connects again.
    void requestServerList();

signals:
    // The entries of the reply so far, each time a piece of it arrives, so that no server is lost to
    // a line split across pieces. With no entries when the server hangs up without a word: it has
    // no servers to list. A refused, reset or unanswered connection says nothing.
    void serverListReceived(const std::vector<std::string>& entries);

private:
    void watchConnectionEnd();
    void takeReply();
    void connectionEnded();

    QString m_host;
    quint16 m_port;
    QTimer* m_refresh;
    QTcpSocket* m_socket;
    // Everything received on the current connection, up to kListReplyLimit.
    QByteArray m_received;
    // Tells, until the first byte comes, how the list server ended a connection.
    std::unique_ptr<net::ConnectionEndProbe> m_end;
};

} // namespace velberd
