#include "net/udpexchange.h"

#include "net/posix/stampedsocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace velberd::net {
namespace {

class ConnectedSocket final : public UdpSocket {
public:
    ConnectedSocket() : m_fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP)) {}
    ~ConnectedSocket() override {
        if (m_fd >= 0) close(m_fd);
    }
    ConnectedSocket(const ConnectedSocket&) = delete;
    ConnectedSocket& operator=(const ConnectedSocket&) = delete;

    int fd() const { return m_fd; }
    void sent(const posix::SendTime& time) { m_sent = time; }

    Wait waitReadable(Clock::time_point deadline, const StillWanted& wanted) override {
        switch (posix::waitReadable(m_fd, deadline, wanted)) {
        case posix::Wait::Readable:
            return Wait::Readable;
        case posix::Wait::Unwanted:
            return Wait::Unwanted;
        case posix::Wait::TimedOut:
            break;
        }
        return Wait::TimedOut;
    }

    Received receive(std::span<unsigned char> buffer) override {
        const auto received = posix::receiveStamped(m_fd, buffer);
        if (received.size < 0) return {received.error == ECONNREFUSED ? Read::Refused : Read::Empty};
        return {Read::Datagram, static_cast<std::size_t>(received.size), posix::roundTripMs(m_sent, received)};
    }

private:
    int m_fd;
    posix::SendTime m_sent;
};

} // namespace

GamePingResult exchangeDatagram(const std::string& address, std::uint16_t port, std::span<const unsigned char> request,
                                std::chrono::milliseconds timeout, const AnswerCheck& isAnswer,
                                const StillWanted& wanted) {
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr.s_addr = inet_addr(address.c_str());
    if (server.sin_addr.s_addr == INADDR_NONE) return {GamePingOutcome::NotDotted, 0};

    ConnectedSocket socket;
    if (socket.fd() < 0) return {GamePingOutcome::CannotSend, 0};
    // Connected, the socket takes datagrams from the server's address and port only, and hears of
    // a closed port. A server that no route leads to gets no request, like one that does not answer.
    if (connect(socket.fd(), reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0)
        return {GamePingOutcome::NoReply, 0};
    posix::stampArrivals(socket.fd());
    const auto sent = posix::sendTimeNow();
    socket.sent(sent);
    if (send(socket.fd(), request.data(), request.size(), 0) < 0) return {GamePingOutcome::NoReply, 0};
    return awaitAnswer(socket, sent.steady + timeout, wanted, isAnswer);
}

} // namespace velberd::net
