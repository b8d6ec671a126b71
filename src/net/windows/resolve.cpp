#include "net/resolve.h"

#include "net/session.h"

#include <cstring>
#include <winsock2.h>

namespace velberd::net {
namespace {

// Winsock answers lookups only inside a session. The window asks for names before it opens its
// own session for the echo, so each lookup holds one of its own (sessions nest).
class LookupSession {
public:
    LookupSession() : m_open(StartSocketLibrary()) {}
    ~LookupSession() {
        if (m_open) StopSocketLibrary();
    }
    LookupSession(const LookupSession&) = delete;
    LookupSession& operator=(const LookupSession&) = delete;

private:
    bool m_open;
};

} // namespace

Address AddressFromText(const std::string& text) {
    const LookupSession session;
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

std::string HostNameFromAddress(Address address) {
    const LookupSession session;
    const hostent* host = gethostbyaddr(reinterpret_cast<const char*>(&address), sizeof address, AF_INET);
    if (host == nullptr || host->h_name == nullptr) return kUnknownHost;
    const std::size_t length = strnlen(host->h_name, kHostNameLimit);
    if (length == 0 || length >= kHostNameLimit) return kUnknownHost;
    return std::string(host->h_name, length);
}

} // namespace velberd::net
