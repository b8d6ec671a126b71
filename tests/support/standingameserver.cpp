#include "standingameserver.h"

#include <stdexcept>
#include <vector>
#ifdef _WIN32
#include <winsock2.h>
using SocketLength = int;
using Handle = SOCKET;
constexpr auto closeSocket = closesocket;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLength = socklen_t;
using Handle = int;
constexpr auto closeSocket = close;
#endif

namespace velberd::test {
namespace {

Handle boundSocket() {
#ifdef _WIN32
    WSADATA startup{};
    WSAStartup(0x0202, &startup);
#endif
    const Handle handle = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(handle, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
        throw std::runtime_error("the stand-in game server could not bind on 127.0.0.1");
    return handle;
}

void sendTo(std::uintptr_t socket, const sockaddr_in& to, const std::vector<unsigned char>& datagram) {
    (void)sendto(static_cast<Handle>(socket), reinterpret_cast<const char*>(datagram.data()),
                 static_cast<int>(datagram.size()), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

} // namespace

StandInGameServer::StandInGameServer(Answer answer, std::chrono::milliseconds delay, int floodSize)
    : StandInGameServer(AnswerStyle{answer, StatusAnswer::None, floodSize}, delay) {}

StandInGameServer::StandInGameServer(AnswerStyle style, std::chrono::milliseconds delay)
    : m_style(style), m_delay(delay), m_socket(boundSocket()), m_otherSocket(boundSocket()) {
    sockaddr_in local{};
    SocketLength size = sizeof local;
    getsockname(static_cast<Handle>(m_socket), reinterpret_cast<sockaddr*>(&local), &size);
    m_port = ntohs(local.sin_port);
    m_thread = std::thread([this] { serve(); });
}

StandInGameServer::~StandInGameServer() {
    m_stop = true;
    m_thread.join();
    closeSocket(static_cast<Handle>(m_socket));
    closeSocket(static_cast<Handle>(m_otherSocket));
#ifdef _WIN32
    WSACleanup();
    WSACleanup();
#endif
}

void StandInGameServer::serve() {
    const auto socket = static_cast<Handle>(m_socket);
    unsigned char datagram[512];
    while (!m_stop) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        timeval slice{0, 20'000};
        if (select(static_cast<int>(socket) + 1, &readable, nullptr, nullptr, &slice) <= 0) continue;
        sockaddr_in from{};
        SocketLength fromSize = sizeof from;
        const int size = static_cast<int>(recvfrom(socket, reinterpret_cast<char*>(datagram), sizeof datagram, 0,
                                                   reinterpret_cast<sockaddr*>(&from), &fromSize));
        if (size <= 0) continue;
        const auto response = respond(std::span(datagram, static_cast<std::size_t>(size)), m_style);
        if (response.question == Question::None) continue;
        ++(response.question == Question::Ping ? m_requests : m_statusRequests);
        std::this_thread::sleep_for(m_delay);
        for (const auto& reply : response.replies)
            sendTo(reply.fromAnotherPort ? m_otherSocket : m_socket, from, reply.datagram);
        if (response.question == Question::Ping && !response.replies.empty()) ++m_answers;
    }
}

} // namespace velberd::test
