#include "net/session.h"

#include <winsock2.h>

namespace velberd::net {

bool startSocketLibrary() {
    WSADATA startup{};
    return WSAStartup(0x0101, &startup) == 0;
}

bool stopSocketLibrary() {
    return WSACleanup() == 0;
}

} // namespace velberd::net
