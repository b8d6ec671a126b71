#include "fakelistserver.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>
#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

namespace velberd::test {

FakeListServer::FakeListServer() {
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (auto* socket = m_server.nextPendingConnection()) {
            ++m_connections;
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::bytesWritten, this, [this](qint64 bytes) { m_bytesWritten += bytes; });
            answer(socket);
        }
    });
}

void FakeListServer::serve(QList<QByteArray> pieces, Ending ending, int pauseMs) {
    m_pieces = std::move(pieces);
    m_ending = ending;
    m_pauseMs = pauseMs;
    m_floodTotal = 0;
}

void FakeListServer::flood(QByteArray pattern, qint64 total) {
    m_floodPattern = std::move(pattern);
    m_floodTotal = total;
}

void FakeListServer::answer(QTcpSocket* socket) {
    if (m_floodTotal > 0) {
        writeFlood(socket, m_floodTotal);
        return;
    }
    QPointer<QTcpSocket> guarded(socket);
    int delay = 0;
    for (const auto& piece : m_pieces) {
        QTimer::singleShot(delay, this, [this, guarded, piece] {
            if (!guarded) return;
            guarded->write(piece);
            guarded->flush();
        });
        delay += m_pauseMs;
    }
    QTimer::singleShot(delay, this, [this, guarded] {
        if (!guarded) return;
        if (m_ending == Ending::Close) guarded->disconnectFromHost();
        if (m_ending == Ending::Reset) {
            // A zero linger turns the close into a reset.
            const linger noLinger{1, 0};
#ifdef Q_OS_WIN
            ::setsockopt(static_cast<SOCKET>(guarded->socketDescriptor()), SOL_SOCKET, SO_LINGER,
                         reinterpret_cast<const char*>(&noLinger), sizeof noLinger);
#else
            ::setsockopt(static_cast<int>(guarded->socketDescriptor()), SOL_SOCKET, SO_LINGER, &noLinger,
                         sizeof noLinger);
#endif
            guarded->abort();
        }
    });
}

void FakeListServer::writeFlood(QTcpSocket* socket, qint64 remaining) {
    QPointer<QTcpSocket> guarded(socket);
    auto left = std::make_shared<qint64>(remaining);
    auto pump = [this, guarded, left] {
        // Keep a modest amount queued; the rest follows as the peer drains it.
        while (guarded && *left > 0 && guarded->bytesToWrite() < 256 * 1024) {
            const auto size = static_cast<qsizetype>(std::min<qint64>(*left, m_floodPattern.size()));
            const auto written = guarded->write(m_floodPattern.left(size));
            if (written <= 0) return;
            *left -= written;
        }
        if (guarded && *left <= 0) guarded->disconnectFromHost();
    };
    connect(socket, &QTcpSocket::bytesWritten, this, pump);
    pump();
}

} // namespace velberd::test
