#include "net/udpexchange.h"

#include "net/windows/heldsession.h"

#include <algorithm>
#include <winsock2.h>

namespace velberd::net {
namespace {

class ConnectedSocket final : public UdpSocket {
public:
    ConnectedSocket() : m_socket(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {}
    ~ConnectedSocket() override {
        if (m_socket != INVALID_SOCKET) closesocket(m_socket);
    }
    ConnectedSocket(const ConnectedSocket&) = delete;
    ConnectedSocket& operator=(const ConnectedSocket&) = delete;

    SOCKET handle() const { return m_socket; }
    void sent(Clock::time_point time) { m_sent = time; }

    Wait waitReadable(Clock::time_point deadline, const StillWanted& wanted) override {
        for (;;) {
            if (!stillWanted(wanted)) return Wait::Unwanted;
            const auto now = Clock::now();
            if (now >= deadline) return Wait::TimedOut;
            const auto left = std::chrono::ceil<std::chrono::microseconds>(deadline - now).count();
            const auto slice = std::min<long long>(left, kWantedCheckMs * 1000LL);
            timeval timeout{static_cast<long>(slice / 1'000'000), static_cast<long>(slice % 1'000'000)};
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(m_socket, &readable);
            const int selected = select(0, &readable, nullptr, nullptr, &timeout);
            if (selected > 0) return Wait::Readable;
            if (selected < 0) return Wait::TimedOut;
        }
    }

    Received receive(std::span<unsigned char> buffer) override {
        const int size = recv(m_socket, reinterpret_cast<char*>(buffer.data()), static_cast<int>(buffer.size()), 0);
        const auto arrived = Clock::now();
        // Windows reports the port-unreachable of a connected datagram socket as a reset.
        if (size < 0) return {WSAGetLastError() == WSAECONNRESET ? Read::Refused : Read::Empty};
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(arrived - m_sent).count();
        return {Read::Datagram, static_cast<std::size_t>(size), static_cast<std::uint32_t>(elapsed)};
    }

private:
    SOCKET m_socket;
    Clock::time_point m_sent;
};

} // namespace

GamePingResult exchangeDatagram(const std::string& address, std::uint16_t port, std::span<const unsigned char> request,
                                std::chrono::milliseconds timeout, const AnswerCheck& isAnswer,
                                const StillWanted& wanted) {
    const HeldSession session;
    if (!session.isOpen()) return {GamePingOutcome::CannotSend, 0};
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr.s_addr = inet_addr(address.c_str());
    if (server.sin_addr.s_addr == INADDR_NONE) return {GamePingOutcome::NotDotted, 0};

    ConnectedSocket socket;
    if (socket.handle() == INVALID_SOCKET) return {GamePingOutcome::CannotSend, 0};
    // Connected, the socket takes datagrams from the server's address and port only, and hears of
    // a closed port. A server that no route leads to gets no request, like one that does not answer.
    if (connect(socket.handle(), reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0)
        return {GamePingOutcome::NoReply, 0};
    u_long nonBlocking = 1;
    ioctlsocket(socket.handle(), FIONBIO, &nonBlocking);
    const auto sent = UdpSocket::Clock::now();
    socket.sent(sent);
    if (send(socket.handle(), reinterpret_cast<const char*>(request.data()), static_cast<int>(request.size()), 0) < 0)
        return {GamePingOutcome::NoReply, 0};
    return awaitAnswer(socket, sent + timeout, wanted, isAnswer);
}

} // namespace velberd::net
