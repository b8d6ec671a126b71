#include "sandbox/responder.h"

#include "gameserveranswer.h"
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

void sendBytes(int fd, const sockaddr_in& to, std::span<const unsigned char> bytes) {
    (void)sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

void reply(int fd, const sockaddr_in& to, std::uint16_t id, std::uint16_t sequence, std::string_view payload,
           std::uint8_t type = icmp::kEchoReplyType) {
    sendBytes(fd, to, icmp::buildEcho(type, id, sequence, payload));
}

int boundSocket(int type, int protocol, const char* address, std::uint16_t port) {
    const int fd = socket(AF_INET, type | SOCK_CLOEXEC, protocol);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = inet_addr(address);
    local.sin_port = htons(port);
    if (fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// A raw socket that sends from kDecoyAddress, an address this namespace owns besides its own.
int decoySocket() {
    // Already there when an earlier responder added it; the bind tells whether it is.
    (void)std::system((std::string("ip addr add ") + kDecoyAddress + "/32 dev lo >/dev/null 2>&1").c_str());
    return boundSocket(SOCK_RAW, IPPROTO_ICMP, kDecoyAddress, 0);
}

// Sleeps until delay after the kernel's stamp of the request's arrival.
void waitOut(const timespec& arrived, std::chrono::milliseconds delay) {
    const long long nanos = arrived.tv_nsec + static_cast<long long>(delay.count()) * 1'000'000;
    const timespec due{arrived.tv_sec + static_cast<time_t>(nanos / 1'000'000'000),
                       static_cast<long>(nanos % 1'000'000'000)};
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
        reply(fd, received.from, request->id, request->sequence, request->payload, icmp::kEchoRequestType);
    }
    waitOut(received.arrived, delay);
    reply(fd, received.from, request->id, request->sequence, request->payload);
}

void answerGame(int fd, const posix::Received& received, std::span<const unsigned char> datagram,
                std::chrono::milliseconds delay) {
    const auto response = test::respond(datagram, {});
    if (response.replies.empty()) return;
    waitOut(received.arrived, delay);
    for (const auto& answer : response.replies)
        sendBytes(fd, received.from, answer.datagram);
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
    const int gameFd = gamePort != 0 ? boundSocket(SOCK_DGRAM, IPPROTO_UDP, "0.0.0.0", gamePort) : -1;
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
                answerGame(gameFd, received, bytes, delay);
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
