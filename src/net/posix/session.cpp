#include "net/session.h"

// POSIX sockets need no session, so there is nothing to open or to refuse.
namespace velberd::net {

bool startSocketLibrary() {
    return true;
}

bool stopSocketLibrary() {
    return true;
}

} // namespace velberd::net
