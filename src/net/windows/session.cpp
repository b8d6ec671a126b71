#include "net/session.h"

#include <winsock2.h>

namespace velberd::net {

bool StartSocketLibrary() {
    WSADATA startup{};
    return WSAStartup(0x0101, &startup) == 0;
}

bool StopSocketLibrary() {
    return WSACleanup() == 0;
}

} // namespace velberd::net
