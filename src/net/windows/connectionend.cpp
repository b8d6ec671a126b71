#include "net/connectionend.h"

// This backend keeps no handle of its own on the socket to ask once Qt has closed its one, so an
// orderly close and a reset are not told apart here.
namespace velberd::net {

ConnectionEndProbe::ConnectionEndProbe(std::intptr_t) {}

ConnectionEndProbe::~ConnectionEndProbe() = default;

ConnectionEnd ConnectionEndProbe::end() const {
    return ConnectionEnd::Unknown;
}

} // namespace velberd::net
