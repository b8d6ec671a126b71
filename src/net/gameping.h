#pragma once

#include "net/stillwanted.h"

#include <cstdint>
#include <string>

namespace velberd::net {

// How long the game's ping waits for a server's answer: longer than the echo, since a server that
// drops ICMP is measured by it alone, and a game can still be played at that delay.
inline constexpr int kGamePingTimeoutMs = 1000;

enum class GamePingOutcome {
    NotDotted,  // the address text is no dotted IPv4 address: nothing was sent
    CannotSend, // this machine could not send the datagram
    NoReply,    // no answer from that address and port in time, or the port is closed
    Answered,   // roundTripMs holds the round trip
};

struct GamePingResult {
    GamePingOutcome outcome = GamePingOutcome::NotDotted;
    std::uint32_t roundTripMs = 0;
};

// Sends one game ping to the dotted address and port and waits up to kGamePingTimeoutMs for its
// answer from that address and port; everything else that arrives is read and dropped, a bounded
// number of datagrams at a time. Stops waiting early once the caller no longer wants the answer.
GamePingResult exchangeGamePing(const std::string& address, std::uint16_t port, const StillWanted& wanted);

} // namespace velberd::net
