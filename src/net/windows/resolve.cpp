#include "net/resolve.h"

#include "net/windows/heldsession.h"

#include <cstring>
#include <winsock2.h>

namespace velberd::net {

Address addressFromText(const std::string& text) {
    const HeldSession session;
    const unsigned long parsed = inet_addr(text.c_str());
    if (parsed != INADDR_NONE) return static_cast<Address>(parsed);

    const hostent* host = gethostbyname(text.c_str());
    if (host == nullptr || host->h_addrtype != AF_INET || host->h_length != 4 || host->h_addr_list[0] == nullptr) {
        return kFailureAddress;
    }
    Address first;
    std::memcpy(&first, host->h_addr_list[0], sizeof first);
    return first;
}

std::string hostNameFromAddress(Address address) {
    const HeldSession session;
    const hostent* host = gethostbyaddr(reinterpret_cast<const char*>(&address), sizeof address, AF_INET);
    if (host == nullptr || host->h_name == nullptr) return kUnknownHost;
    const std::size_t length = strnlen(host->h_name, kHostNameLimit);
    if (length == 0 || length >= kHostNameLimit) return kUnknownHost;
    return std::string(host->h_name, length);
}

} // namespace velberd::net
