#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>

namespace velberd::test {

// A list server on 127.0.0.1 that answers every connection with the pieces it is given, one
// write per piece with a pause between them so that each arrives on its own.
class FakeListServer : public QObject {
    Q_OBJECT
public:
    enum class Ending { Close, StayOpen, Reset };

    FakeListServer();

    quint16 port() const { return m_server.serverPort(); }
    int connectionCount() const { return m_connections; }
    // Bytes handed to the kernel on all connections: what a client could have been sent.
    qint64 bytesWritten() const { return m_bytesWritten; }

    void serve(QList<QByteArray> pieces, Ending ending = Ending::Close, int pauseMs = 30);
    // Stops listening: every connection from now on is refused.
    void refuse() { m_server.close(); }
    // Writes `total` bytes of `pattern` over and over to every connection, as fast as it drains.
    void flood(QByteArray pattern, qint64 total);

private:
    void answer(QTcpSocket* socket);
    void writeFlood(QTcpSocket* socket, qint64 remaining);

    QTcpServer m_server;
    QList<QByteArray> m_pieces;
    Ending m_ending = Ending::Close;
    int m_pauseMs = 30;
    QByteArray m_floodPattern;
    qint64 m_floodTotal = 0;
    int m_connections = 0;
    qint64 m_bytesWritten = 0;
};

// A well-formed list of `count` public servers named "Sane1", "Sane2"..., each line ended by CR LF.
inline QByteArray saneList(int count) {
    QByteArray block;
    for (int i = 1; i <= count; ++i)
        block += "192.0.2." + QByteArray::number(i) + ":10052 local public 1 1.24   60 [1/32] Sane" +
                 QByteArray::number(i) + "\r\n";
    return block;
}

} // namespace velberd::test
