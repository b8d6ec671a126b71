#include "net/echo.h"

#include "net/posix/icmppacket.h"
#include "net/posix/stampedsocket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velberd::net {
namespace {

class IcmpSocket {
public:
    // A ping socket needs no privilege where net.ipv4.ping_group_range admits the caller; a raw
    // socket needs CAP_NET_RAW.
    IcmpSocket() {
        m_fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (m_fd < 0) {
            m_fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
            m_raw = true;
        }
    }
    ~IcmpSocket() {
        if (m_fd >= 0) close(m_fd);
    }
    IcmpSocket(const IcmpSocket&) = delete;
    IcmpSocket& operator=(const IcmpSocket&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool isRaw() const { return m_raw; }
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
    bool m_raw = false;
};

// Sequence numbers differ between calls, also between threads, so that a late reply to an
// earlier echo is never taken for the answer to this one.
std::uint16_t nextSequence() {
    static std::atomic<std::uint16_t> sequence{static_cast<std::uint16_t>(getpid())};
    return sequence.fetch_add(1, std::memory_order_relaxed);
}

std::int32_t statusForSendError(int error) {
    switch (error) {
    case ENETUNREACH:
        return kIpDestNetUnreachable;
    case EHOSTUNREACH:
        return kIpDestHostUnreachable;
    default:
        return kIpGeneralFailure;
    }
}

void recordFailure(EchoReplyRecord& record, std::int32_t status) {
    record.setStatus(status);
    record.setRoundTripTime(0);
}

void recordReply(EchoReplyRecord& record, const sockaddr_in& from, std::string_view payload, std::uint32_t roundTrip) {
    const auto shown = std::min(payload.size(), kEchoDataSize);
    record.setAddress(from.sin_addr.s_addr);
    record.setStatus(kIpSuccess);
    record.setRoundTripTime(roundTrip);
    record.setDataSize(static_cast<std::uint16_t>(shown));
    std::copy_n(payload.begin(), shown, record.bytes.begin() + kEchoHeaderSize);
}

// A flood of other packets is read this many at a time between looks at the clock.
constexpr int kPacketsPerWake = 64;

// Waits until the deadline for the echo reply from the target that carries this request's
// sequence number and payload (and id, on a raw socket, which sees every ICMP packet of the host,
// the requests it sends to itself included); anything else is skipped. True when it came.
bool awaitReply(const IcmpSocket& socket, in_addr_t target, std::uint16_t id, std::uint16_t sequence,
                const std::string& payload, const posix::SendTime& sent, const StillWanted& wanted,
                EchoReplyRecord& record) {
    const auto deadline = sent.steady + std::chrono::milliseconds(kEchoTimeoutMs);
    unsigned char packet[2048];
    while (posix::waitReadable(socket.fd(), deadline, wanted) == posix::Wait::Readable) {
        for (int i = 0; i < kPacketsPerWake; ++i) {
            const auto received = posix::receiveStamped(socket.fd(), packet);
            if (received.size < 0) break;
            const auto message =
                icmp::parseEcho(std::span(packet, static_cast<std::size_t>(received.size)), socket.isRaw());
            if (!message || message->type != icmp::kEchoReplyType || received.from.sin_addr.s_addr != target ||
                message->sequence != sequence || message->payload != payload || (socket.isRaw() && message->id != id)) {
                continue;
            }
            recordReply(record, received.from, message->payload, posix::roundTripMs(sent, received));
            return true;
        }
    }
    recordFailure(record, kIpReqTimedOut);
    return false;
}

bool exchange(const IcmpSocket& socket, in_addr_t target, const std::string& payload, const StillWanted& wanted,
              EchoReplyRecord& record) {
    // Like the Windows service, keep room in the data area for the 8 bytes of an ICMP error.
    if (payload.size() + icmp::kHeaderSize > kEchoDataSize) {
        recordFailure(record, kIpBufTooSmall);
        return false;
    }
    const auto id = static_cast<std::uint16_t>(getpid());
    const auto sequence = nextSequence();
    const auto request = icmp::buildEcho(icmp::kEchoRequestType, id, sequence, payload);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = target;
    posix::stampArrivals(socket.fd());
    const auto sent = posix::sendTimeNow();
    if (sendto(socket.fd(), request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0) {
        recordFailure(record, statusForSendError(errno));
        return false;
    }
    return awaitReply(socket, target, id, sequence, payload, sent, wanted, record);
}

} // namespace

EchoOutcome exchangeEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record,
                         const StillWanted& wanted) {
    const in_addr_t target = inet_addr(address.c_str());
    if (target == INADDR_NONE) return EchoOutcome::NotDotted;
    const IcmpSocket socket;
    if (!socket.isOpen()) return EchoOutcome::ServiceUnavailable;
    return exchange(socket, target, payload, wanted, record) ? EchoOutcome::Replied : EchoOutcome::NoReply;
}

} // namespace velberd::net
