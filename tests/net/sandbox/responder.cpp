#include "sandbox/responder.h"

#include "net/posix/icmppacket.h"
#include "sandbox/nsrun.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velberd::net::sandbox {
namespace {

constexpr int kLifetimeMs = 60'000;

void sendMessage(int fd, const sockaddr_in& to, std::uint8_t type, std::uint16_t id, std::uint16_t sequence,
                 std::string_view payload) {
    const auto message = icmp::buildEcho(type, id, sequence, payload);
    (void)sendto(fd, message.data(), message.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

timespec after(const timespec& start, std::chrono::milliseconds delay) {
    const long long nanos = start.tv_nsec + static_cast<long long>(delay.count()) * 1'000'000;
    return timespec{start.tv_sec + static_cast<time_t>(nanos / 1'000'000'000),
                    static_cast<long>(nanos % 1'000'000'000)};
}

void reply(int fd, const sockaddr_in& to, std::uint16_t id, std::uint16_t sequence, std::string_view payload) {
    sendMessage(fd, to, icmp::kEchoReplyType, id, sequence, payload);
}

// A raw socket that sends from kDecoyAddress, an address this namespace owns besides its own.
int decoySocket() {
    // Already there when an earlier responder added it; the bind tells whether it is.
    (void)std::system((std::string("ip addr add ") + kDecoyAddress + "/32 dev lo >/dev/null 2>&1").c_str());
    const int fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = inet_addr(kDecoyAddress);
    if (fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&from), sizeof from) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

[[noreturn]] void serve(const std::string& ns, std::chrono::milliseconds delay, bool decoys, int ready, int stop) {
    if (!enterNamespace(ns, RunAs::Root).empty()) _exit(1);
    const int fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) _exit(1);
    const int decoyFd = decoys ? decoySocket() : -1;
    if (decoys && decoyFd < 0) _exit(1);
    (void)write(ready, "r", 1);
    close(ready);

    pollfd watched[2] = {{fd, POLLIN, 0}, {stop, POLLIN, 0}};
    unsigned char packet[2048];
    while (poll(watched, 2, kLifetimeMs) > 0 && watched[1].revents == 0) {
        timespec received;
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t size = recvfrom(fd, packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
        clock_gettime(CLOCK_MONOTONIC, &received);
        if (size <= 0) continue;
        const auto request = icmp::parseEcho(std::span(packet, static_cast<std::size_t>(size)), true);
        if (!request || request->type != icmp::kEchoRequestType) continue;
        if (decoys) {
            reply(fd, from, request->id, static_cast<std::uint16_t>(request->sequence + 1), request->payload);
            reply(fd, from, request->id, request->sequence, "decoy");
            reply(decoyFd, from, request->id, request->sequence, request->payload);
            sendMessage(fd, from, icmp::kEchoRequestType, request->id, request->sequence, request->payload);
        }
        const timespec due = after(received, delay);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
        }
        reply(fd, from, request->id, request->sequence, request->payload);
    }
    _exit(0);
}

} // namespace

DelayedResponder::DelayedResponder(const std::string& ns, std::chrono::milliseconds delay, bool decoys) {
    int ready[2];
    int stopPipe[2];
    if (pipe2(ready, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    if (pipe2(stopPipe, O_CLOEXEC) != 0) {
        close(ready[0]);
        close(ready[1]);
        throw std::runtime_error("pipe");
    }
    m_child = fork();
    if (m_child == 0) {
        close(ready[0]);
        close(stopPipe[1]);
        serve(ns, delay, decoys, ready[1], stopPipe[0]);
    }
    close(ready[1]);
    close(stopPipe[0]);
    m_stop = stopPipe[1];
    char signal = 0;
    const bool started = m_child > 0 && read(ready[0], &signal, 1) == 1;
    close(ready[0]);
    if (!started) {
        stop();
        throw std::runtime_error("the echo responder did not start in " + ns);
    }
}

DelayedResponder::~DelayedResponder() {
    stop();
}

void DelayedResponder::stop() {
    if (m_stop >= 0) close(m_stop);
    m_stop = -1;
    if (m_child > 0) {
        while (waitpid(m_child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    m_child = -1;
}

} // namespace velberd::net::sandbox
