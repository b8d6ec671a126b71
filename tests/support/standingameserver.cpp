#include "standingameserver.h"

#include "net/gamepingpacket.h"

#include <stdexcept>
#include <vector>
#ifdef _WIN32
#include <winsock2.h>
using SocketLength = int;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLength = socklen_t;
#endif

namespace velberd::test {
namespace {

namespace gameping = net::gameping;
using Bytes = std::vector<unsigned char>;

#ifdef _WIN32
using Handle = SOCKET;
void closeSocket(Handle socket) {
    closesocket(socket);
}
#else
using Handle = int;
void closeSocket(Handle socket) {
    close(socket);
}
#endif

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

void sendTo(std::uintptr_t socket, const sockaddr_in& to, const Bytes& datagram) {
    (void)sendto(static_cast<Handle>(socket), reinterpret_cast<const char*>(datagram.data()),
                 static_cast<int>(datagram.size()), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

Bytes wrongly(StandInGameServer::Answer answer, std::uint8_t sequence) {
    using Answer = StandInGameServer::Answer;
    Bytes datagram = gameping::answer(sequence, 0x01);
    switch (answer) {
    case Answer::WrongChecksum:
        datagram[1] = static_cast<unsigned char>(datagram[1] + 1);
        break;
    case Answer::WrongType:
        datagram[2] = gameping::kRequestType;
        gameping::sign(datagram);
        break;
    case Answer::OtherSequence:
        datagram = gameping::answer(static_cast<std::uint8_t>(sequence + 1), 0x01);
        break;
    case Answer::ThreeBytes:
        datagram.resize(3);
        gameping::sign(datagram);
        break;
    default:
        break;
    }
    return datagram;
}

} // namespace

StandInGameServer::StandInGameServer(Answer answer, std::chrono::milliseconds delay, int floodSize)
    : m_answer(answer), m_delay(delay), m_floodSize(floodSize), m_socket(boundSocket()), m_otherSocket(boundSocket()) {
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
        const auto sequence = gameping::requestSequence(std::span(datagram, static_cast<std::size_t>(size)));
        if (!sequence) continue;
        ++m_requests;
        std::this_thread::sleep_for(m_delay);
        switch (m_answer) {
        case Answer::Right:
            sendTo(m_socket, from, gameping::answer(*sequence, 0x01));
            break;
        case Answer::FromAnotherPort:
            sendTo(m_otherSocket, from, gameping::answer(*sequence, 0x01));
            break;
        case Answer::Flood:
            for (int i = 0; i < m_floodSize; ++i) {
                switch (i % 4) {
                case 0:
                    sendTo(m_socket, from, Bytes(static_cast<std::size_t>(i % 64), static_cast<unsigned char>(i)));
                    break;
                case 1:
                    sendTo(m_socket, from, wrongly(Answer::WrongChecksum, *sequence));
                    break;
                case 2:
                    sendTo(m_socket, from, wrongly(Answer::WrongType, *sequence));
                    break;
                default:
                    sendTo(m_otherSocket, from, gameping::answer(*sequence, 0x01));
                    break;
                }
            }
            break;
        case Answer::Nothing:
            break;
        default:
            sendTo(m_socket, from, wrongly(m_answer, *sequence));
            break;
        }
        if (m_answer != Answer::Nothing) ++m_answers;
    }
}

} // namespace velberd::test
