#pragma once

#include "browser/logic/pingreading.h"
#include "net/echo.h"
#include "net/stillwanted.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velberd {

namespace net {
class NetServices;
}

// One echo as the window takes it: a socket-library session around a single echo.
struct PingRound {
    bool opened = false; // the session started; nothing else happened otherwise
    Measurement echo;
    bool closedCleanly = true; // the session's end was not refused
};

// Blocks for up to the echo's time-out: call it from a worker thread.
PingRound pingOnce(net::NetServices& net, const std::string& address, const net::StillWanted& wanted);

// Blocks for up to the game ping's time-out: call it from a worker thread. Without a port nothing
// is sent.
Measurement gamePingOnce(net::NetServices& net, const std::string& address, std::optional<std::uint16_t> port,
                         const net::StillWanted& wanted);

// The two measurements of one round as they come back; kept on the user-interface thread.
struct PingRoundState {
    std::uint64_t selection = 0;
    std::optional<Measurement> echo;
    std::optional<Measurement> game;
};

} // namespace velberd
