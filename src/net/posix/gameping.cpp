#include "net/gameping.h"

#include "net/gamepingpacket.h"
#include "net/posix/stampedsocket.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace velberd::net {
namespace {

// A flood of other datagrams is read this many at a time between looks at the clock.
constexpr int kDatagramsPerWake = 64;

class UdpSocket {
public:
    UdpSocket() : m_fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP)) {}
    ~UdpSocket() {
        if (m_fd >= 0) close(m_fd);
    }
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    int fd() const { return m_fd; }

private:
    int m_fd;
};

// Differs between calls, also between threads, so that a late answer to an earlier ping is not
// taken for the answer to this one.
std::uint8_t nextSequence() {
    static std::atomic<std::uint8_t> sequence{static_cast<std::uint8_t>(getpid())};
    return sequence.fetch_add(1, std::memory_order_relaxed);
}

GamePingResult awaitAnswer(const UdpSocket& socket, const sockaddr_in& server, std::uint8_t sequence,
                           const posix::SendTime& sent, const StillWanted& wanted) {
    const auto deadline = sent.steady + std::chrono::milliseconds(kGamePingTimeoutMs);
    unsigned char datagram[512];
    while (posix::waitReadable(socket.fd(), deadline, wanted) == posix::Wait::Readable) {
        for (int i = 0; i < kDatagramsPerWake; ++i) {
            const auto received = posix::receiveStamped(socket.fd(), datagram);
            // The server's port is closed: the kernel was told so, and no answer will come.
            if (received.size < 0 && received.error == ECONNREFUSED) return {GamePingOutcome::NoReply, 0};
            if (received.size < 0) break;
            if (received.from.sin_addr.s_addr != server.sin_addr.s_addr || received.from.sin_port != server.sin_port ||
                !gameping::isAnswer(std::span(datagram, static_cast<std::size_t>(received.size)), sequence)) {
                continue;
            }
            return {GamePingOutcome::Answered, posix::roundTripMs(sent, received)};
        }
    }
    return {GamePingOutcome::NoReply, 0};
}

} // namespace

GamePingResult exchangeGamePing(const std::string& address, std::uint16_t port, const StillWanted& wanted) {
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr.s_addr = inet_addr(address.c_str());
    if (server.sin_addr.s_addr == INADDR_NONE) return {GamePingOutcome::NotDotted, 0};

    const UdpSocket socket;
    if (socket.fd() < 0) return {GamePingOutcome::CannotSend, 0};
    // Connected, the socket takes datagrams from the server's address and port only. A server
    // that no route leads to gets no ping, like one that does not answer.
    if (connect(socket.fd(), reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0)
        return {GamePingOutcome::NoReply, 0};
    posix::stampArrivals(socket.fd());
    const auto sequence = nextSequence();
    const auto request = gameping::request(sequence);
    const auto sent = posix::sendTimeNow();
    if (send(socket.fd(), request.data(), request.size(), 0) < 0) return {GamePingOutcome::NoReply, 0};
    return awaitAnswer(socket, server, sequence, sent, wanted);
}

} // namespace velberd::net
