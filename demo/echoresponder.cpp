// Stands in for the game servers' hosts in the offline demo: answers ICMP echo requests to each
// ADDRESS, and the game's own ping at each ADDRESS:PORT, after that one's own delay, so every
// server shows a different ping. A game port named with a STATUS answers the game's status query
// too, after the same delay: as a plain server, as a private extended one, or as an extended one
// with players. Run it in a network namespace whose kernel ignores echo requests; it stops on
// SIGTERM or SIGINT.
//
// usage: velberd-demo-echo ADDRESS=MILLISECONDS... ADDRESS:PORT=MILLISECONDS... ADDRESS:PORT/STATUS...
//        STATUS: plain, private or players

#include "gameserveranswer.h"
#include "net/posix/icmppacket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <queue>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace icmp = velberd::net::icmp;
using velberd::test::StatusAnswer;

struct Host {
    int socket;
    bool game; // the game's port, not ICMP
    std::chrono::milliseconds delay;
    std::string name; // as the command line gives it
    velberd::test::AnswerStyle style;
};

struct Reply {
    Clock::time_point due;
    int socket;
    sockaddr_in to;
    std::vector<unsigned char> message;
    bool operator>(const Reply& other) const { return due > other.due; }
};

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

// A raw socket bound to the address sees only the requests to it and answers from it; a UDP
// socket bound to the address and port is the game's.
int openHost(const std::string& address, int port) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<std::uint16_t>(port));
    if (inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1) return -1;
    const int fd = port > 0 ? socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP)
                            : socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) return -1;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

std::optional<StatusAnswer> statusAnswer(const std::string& name) {
    if (name == "plain") return StatusAnswer::Plain;
    if (name == "private") return StatusAnswer::ExtendedPrivate;
    if (name == "players") return StatusAnswer::ExtendedWithPlayers;
    return std::nullopt;
}

void receive(const Host& host, std::priority_queue<Reply, std::vector<Reply>, std::greater<>>& pending) {
    unsigned char packet[2048];
    sockaddr_in from{};
    socklen_t fromSize = sizeof from;
    const ssize_t size = recvfrom(host.socket, packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (size <= 0) return;
    if (host.game) {
        for (auto& reply :
             velberd::test::respond(std::span(packet, static_cast<std::size_t>(size)), host.style).replies)
            pending.push({Clock::now() + host.delay, host.socket, from, std::move(reply.datagram)});
        return;
    }
    const auto request = icmp::parseEcho(std::span(packet, static_cast<std::size_t>(size)), true);
    if (!request || request->type != icmp::kEchoRequestType) return;
    pending.push({Clock::now() + host.delay, host.socket, from,
                  icmp::buildEcho(icmp::kEchoReplyType, request->id, request->sequence, request->payload)});
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<Host> hosts;
    std::vector<pollfd> watched;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (const auto slash = argument.find('/'); slash != std::string::npos) {
            const auto host = std::find_if(hosts.begin(), hosts.end(), [&](const Host& candidate) {
                return candidate.game && candidate.name == argument.substr(0, slash);
            });
            const auto status = statusAnswer(argument.substr(slash + 1));
            if (host == hosts.end() || !status) {
                std::fprintf(stderr, "velberd-demo-echo: no game port before %s, or no such status\n", argv[i]);
                return 1;
            }
            host->style.status = *status;
            continue;
        }
        const auto equals = argument.find('=');
        const auto colon = argument.find(':');
        const int port = colon < equals ? std::atoi(argument.c_str() + colon + 1) : 0;
        const int fd = equals == std::string::npos ? -1 : openHost(argument.substr(0, std::min(colon, equals)), port);
        if (fd < 0) {
            std::fprintf(stderr, "velberd-demo-echo: cannot answer for %s\n", argv[i]);
            return 1;
        }
        const std::chrono::milliseconds delay(std::atoi(argument.c_str() + equals + 1));
        hosts.push_back({fd, port > 0, delay, argument.substr(0, equals), {}});
        watched.push_back({fd, POLLIN, 0});
    }
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);

    std::priority_queue<Reply, std::vector<Reply>, std::greater<>> pending;
    while (!stopRequested) {
        int timeoutMs = 1000;
        if (!pending.empty()) {
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(pending.top().due - Clock::now());
            timeoutMs = static_cast<int>(std::max<long long>(0, wait.count()));
        }
        if (poll(watched.data(), watched.size(), timeoutMs) > 0) {
            for (std::size_t i = 0; i < watched.size(); ++i) {
                if (watched[i].revents & POLLIN) receive(hosts[i], pending);
            }
        }
        while (!pending.empty() && pending.top().due <= Clock::now()) {
            const auto& reply = pending.top();
            (void)sendto(reply.socket, reply.message.data(), reply.message.size(), 0,
                         reinterpret_cast<const sockaddr*>(&reply.to), sizeof reply.to);
            pending.pop();
        }
    }
    return 0;
}
