#include "net/session.h"

// POSIX sockets need no session: it always opens and always closes cleanly.
namespace velberd::net {

bool StartSocketLibrary() {
    return true;
}

bool StopSocketLibrary() {
    return true;
}

} // namespace velberd::net
