#include "sandbox/responder.h"

#include "net/gamepingpacket.h"
#include "net/posix/icmppacket.h"
#include "net/posix/stampedsocket.h"
#include "sandbox/nsrun.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
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

int gameSocket(std::uint16_t port) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    if (fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Sleeps until delay after the kernel's stamp of the request's arrival.
void waitOut(const timespec& arrived, std::chrono::milliseconds delay) {
    const timespec due = after(arrived, delay);
    while (clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &due, nullptr) == EINTR) {
    }
}

void answerEcho(int fd, int decoyFd, const posix::Received& received, std::span<const unsigned char> packet,
                std::chrono::milliseconds delay) {
    const auto request = icmp::parseEcho(packet, true);
    if (!request || request->type != icmp::kEchoRequestType) return;
    if (decoyFd >= 0) {
        reply(fd, received.from, request->id, static_cast<std::uint16_t>(request->sequence + 1), request->payload);
        reply(fd, received.from, request->id, request->sequence, "decoy");
        reply(decoyFd, received.from, request->id, request->sequence, request->payload);
        sendMessage(fd, received.from, icmp::kEchoRequestType, request->id, request->sequence, request->payload);
    }
    waitOut(received.arrived, delay);
    reply(fd, received.from, request->id, request->sequence, request->payload);
}

void answerGamePing(int fd, const posix::Received& received, std::span<const unsigned char> datagram,
                    std::chrono::milliseconds delay) {
    const auto sequence = gameping::requestSequence(datagram);
    if (!sequence) return;
    waitOut(received.arrived, delay);
    const auto answer = gameping::answer(*sequence, 0);
    (void)sendto(fd, answer.data(), answer.size(), 0, reinterpret_cast<const sockaddr*>(&received.from),
                 sizeof received.from);
}

[[noreturn]] void serve(const std::string& ns, std::chrono::milliseconds delay, bool decoys, std::uint16_t gamePort,
                        int ready, int stop) {
    if (!enterNamespace(ns, RunAs::Root).empty()) _exit(1);
    const sched_param priority{10};
    (void)sched_setscheduler(0, SCHED_FIFO, &priority);
    const int fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) _exit(1);
    const int decoyFd = decoys ? decoySocket() : -1;
    if (decoys && decoyFd < 0) _exit(1);
    const int gameFd = gamePort != 0 ? gameSocket(gamePort) : -1;
    if (gamePort != 0 && gameFd < 0) _exit(1);
    posix::stampArrivals(fd);
    if (gameFd >= 0) posix::stampArrivals(gameFd);
    (void)write(ready, "r", 1);
    close(ready);

    pollfd watched[3] = {{stop, POLLIN, 0}, {fd, POLLIN, 0}, {gameFd, POLLIN, 0}};
    unsigned char packet[2048];
    while (poll(watched, gameFd >= 0 ? 3 : 2, kLifetimeMs) > 0 && watched[0].revents == 0) {
        for (int i = 1; i <= 2; ++i) {
            if (watched[i].fd < 0 || (watched[i].revents & POLLIN) == 0) continue;
            const auto received = posix::receiveStamped(watched[i].fd, packet);
            if (received.size <= 0) continue;
            const std::span<const unsigned char> bytes(packet, static_cast<std::size_t>(received.size));
            if (i == 1) {
                answerEcho(fd, decoyFd, received, bytes, delay);
            } else {
                answerGamePing(gameFd, received, bytes, delay);
            }
        }
    }
    _exit(0);
}

} // namespace

DelayedResponder::DelayedResponder(const std::string& ns, std::chrono::milliseconds delay, bool decoys,
                                   std::uint16_t gamePort) {
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
        serve(ns, delay, decoys, gamePort, ready[1], stopPipe[0]);
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
