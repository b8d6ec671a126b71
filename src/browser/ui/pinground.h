#pragma once

#include <cstdint>
#include <string>

namespace velberd {

namespace net {
class NetServices;
}

// One measurement as the window takes it: a socket-library session around a single echo.
struct PingRound {
    bool opened = false;        // the session started; nothing else happened otherwise
    std::int32_t roundTrip = 0; // milliseconds, 0 when nothing answered
    bool closedCleanly = true;  // the session's end was not refused
};

// Blocks for up to the echo's time-out: call it from a worker thread.
PingRound pingOnce(net::NetServices& net, const std::string& address);

} // namespace velberd
