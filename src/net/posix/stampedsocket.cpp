#include "net/posix/stampedsocket.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>

namespace velberd::net::posix {
namespace {

long long nanosBetween(const timespec& from, const timespec& to) {
    return (static_cast<long long>(to.tv_sec) - from.tv_sec) * 1'000'000'000LL + (to.tv_nsec - from.tv_nsec);
}

} // namespace

void stampArrivals(int fd) {
    const int on = 1;
    (void)setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
}

SendTime sendTimeNow() {
    SendTime sent;
    sent.steady = Clock::now();
    clock_gettime(CLOCK_REALTIME, &sent.wall);
    return sent;
}

Received receiveStamped(int fd, std::span<unsigned char> buffer) {
    Received received;
    iovec data{buffer.data(), buffer.size()};
    alignas(cmsghdr) unsigned char control[CMSG_SPACE(sizeof(timespec))];
    msghdr message{};
    message.msg_name = &received.from;
    message.msg_namelen = sizeof received.from;
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    received.size = recvmsg(fd, &message, MSG_DONTWAIT);
    received.read = Clock::now();
    clock_gettime(CLOCK_REALTIME, &received.arrived);
    if (received.size < 0) {
        received.error = errno;
        return received;
    }
    for (cmsghdr* item = CMSG_FIRSTHDR(&message); item != nullptr; item = CMSG_NXTHDR(&message, item)) {
        if (item->cmsg_level == SOL_SOCKET && item->cmsg_type == SCM_TIMESTAMPNS) {
            std::copy_n(CMSG_DATA(item), sizeof received.arrived, reinterpret_cast<unsigned char*>(&received.arrived));
        }
    }
    return received;
}

std::uint32_t roundTripMs(const SendTime& sent, const Received& received) {
    const long long byReading =
        std::chrono::duration_cast<std::chrono::nanoseconds>(received.read - sent.steady).count();
    long long nanos = nanosBetween(sent.wall, received.arrived);
    if (nanos < 0 || nanos > byReading) nanos = byReading;
    return static_cast<std::uint32_t>(std::max(0LL, nanos) / 1'000'000);
}

Wait waitReadable(int fd, Clock::time_point deadline, const StillWanted& wanted) {
    for (;;) {
        if (!stillWanted(wanted)) return Wait::Unwanted;
        const auto now = Clock::now();
        if (now >= deadline) return Wait::TimedOut;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        pollfd ready{fd, POLLIN, 0};
        const int polled = poll(&ready, 1, static_cast<int>(std::min<long long>(left, kWantedCheckMs)));
        if (polled > 0) return Wait::Readable;
        if (polled < 0 && errno != EINTR) return Wait::TimedOut;
    }
}

} // namespace velberd::net::posix
