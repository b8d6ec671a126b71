#pragma once

#include "net/echo.h"

#include <QString>
#include <cstdint>
#include <string>

namespace velberd {

namespace net {
class NetServices;
}

// One measurement as the window takes it: a socket-library session around a single echo.
struct PingRound {
    bool opened = false; // the session started; nothing else happened otherwise
    net::EchoOutcome outcome = net::EchoOutcome::NotDotted;
    std::uint32_t roundTrip = 0; // milliseconds, when the echo was answered
    bool closedCleanly = true;   // the session's end was not refused
};

// Blocks for up to the echo's time-out: call it from a worker thread.
PingRound pingOnce(net::NetServices& net, const std::string& address);

// What "Ping:" shows for an opened round: "N ms" for an answer (0 ms included), "no reply" when
// none came or the address cannot be pinged, "cannot ping" when this machine cannot send echoes.
QString pingCaption(const PingRound& round);

} // namespace velberd
