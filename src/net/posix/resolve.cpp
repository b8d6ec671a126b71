#include "net/resolve.h"

#include <arpa/inet.h>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace velberd::net {

Address addressFromText(const std::string& text) {
    const in_addr_t parsed = inet_addr(text.c_str());
    if (parsed != INADDR_NONE) return static_cast<Address>(parsed);

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM; // one entry per address instead of one per socket type
    addrinfo* found = nullptr;
    if (getaddrinfo(text.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return kFailureAddress;
    sockaddr_in first;
    std::memcpy(&first, found->ai_addr, sizeof first);
    freeaddrinfo(found);
    return static_cast<Address>(first.sin_addr.s_addr);
}

std::string hostNameFromAddress(Address address) {
    sockaddr_in host{};
    host.sin_family = AF_INET;
    host.sin_addr.s_addr = static_cast<in_addr_t>(address);
    char name[NI_MAXHOST];
    if (getnameinfo(reinterpret_cast<const sockaddr*>(&host), sizeof host, name, sizeof name, nullptr, 0,
                    NI_NAMEREQD) != 0) {
        return kUnknownHost;
    }
    const std::size_t length = strnlen(name, kHostNameLimit);
    if (length == 0 || length >= kHostNameLimit) return kUnknownHost;
    return std::string(name, length);
}

} // namespace velberd::net
