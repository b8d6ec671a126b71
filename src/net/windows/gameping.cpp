#include "net/gameping.h"

#include "net/gamepingpacket.h"
#include "net/windows/heldsession.h"

#include <atomic>
#include <chrono>
#include <winsock2.h>

namespace velberd::net {
namespace {

using Clock = std::chrono::steady_clock;

// A flood of other datagrams is read this many at a time between looks at the clock.
constexpr int kDatagramsPerWake = 64;

class UdpSocket {
public:
    UdpSocket() : m_socket(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {}
    ~UdpSocket() {
        if (m_socket != INVALID_SOCKET) closesocket(m_socket);
    }
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    SOCKET handle() const { return m_socket; }

private:
    SOCKET m_socket;
};

std::uint8_t nextSequence() {
    static std::atomic<std::uint8_t> sequence{static_cast<std::uint8_t>(GetCurrentProcessId())};
    return sequence.fetch_add(1, std::memory_order_relaxed);
}

enum class Wait { Readable, TimedOut, Unwanted };

Wait waitReadable(SOCKET socket, Clock::time_point deadline, const StillWanted& wanted) {
    for (;;) {
        if (!stillWanted(wanted)) return Wait::Unwanted;
        const auto now = Clock::now();
        if (now >= deadline) return Wait::TimedOut;
        const auto left = std::chrono::ceil<std::chrono::microseconds>(deadline - now).count();
        const auto slice = std::min<long long>(left, kWantedCheckMs * 1000LL);
        timeval timeout{static_cast<long>(slice / 1'000'000), static_cast<long>(slice % 1'000'000)};
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        const int selected = select(0, &readable, nullptr, nullptr, &timeout);
        if (selected > 0) return Wait::Readable;
        if (selected < 0) return Wait::TimedOut;
    }
}

GamePingResult awaitAnswer(const UdpSocket& socket, const sockaddr_in& server, std::uint8_t sequence,
                           Clock::time_point sent, const StillWanted& wanted) {
    u_long nonBlocking = 1;
    ioctlsocket(socket.handle(), FIONBIO, &nonBlocking);
    const auto deadline = sent + std::chrono::milliseconds(kGamePingTimeoutMs);
    char datagram[512];
    while (waitReadable(socket.handle(), deadline, wanted) == Wait::Readable) {
        for (int i = 0; i < kDatagramsPerWake; ++i) {
            sockaddr_in from{};
            int fromSize = sizeof from;
            const int size =
                recvfrom(socket.handle(), datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
            const auto arrived = Clock::now();
            // The server's port is closed: Windows was told so, and no answer will come.
            if (size < 0 && WSAGetLastError() == WSAECONNRESET) return {GamePingOutcome::NoReply, 0};
            if (size < 0) break;
            if (from.sin_addr.s_addr != server.sin_addr.s_addr || from.sin_port != server.sin_port ||
                !gameping::isAnswer(
                    std::span(reinterpret_cast<const unsigned char*>(datagram), static_cast<std::size_t>(size)),
                    sequence)) {
                continue;
            }
            const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(arrived - sent).count();
            return {GamePingOutcome::Answered, static_cast<std::uint32_t>(elapsed)};
        }
    }
    return {GamePingOutcome::NoReply, 0};
}

} // namespace

GamePingResult exchangeGamePing(const std::string& address, std::uint16_t port, const StillWanted& wanted) {
    const HeldSession session;
    if (!session.isOpen()) return {GamePingOutcome::CannotSend, 0};
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr.s_addr = inet_addr(address.c_str());
    if (server.sin_addr.s_addr == INADDR_NONE) return {GamePingOutcome::NotDotted, 0};

    const UdpSocket socket;
    if (socket.handle() == INVALID_SOCKET) return {GamePingOutcome::CannotSend, 0};
    // Connected, the socket takes datagrams from the server's address and port only. A server
    // that no route leads to gets no ping, like one that does not answer.
    if (connect(socket.handle(), reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0)
        return {GamePingOutcome::NoReply, 0};
    const auto sequence = nextSequence();
    const auto request = gameping::request(sequence);
    const auto sent = Clock::now();
    if (send(socket.handle(), reinterpret_cast<const char*>(request.data()), static_cast<int>(request.size()), 0) < 0)
        return {GamePingOutcome::NoReply, 0};
    return awaitAnswer(socket, server, sequence, sent, wanted);
}

} // namespace velberd::net
