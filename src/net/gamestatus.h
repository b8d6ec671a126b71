#pragma once

#include "net/gameping.h"
#include "net/gamestatuspacket.h"
#include "net/stillwanted.h"

#include <cstdint>
#include <string>

namespace velberd::net {

// How long the status query waits for a server's answer: as long as the game ping, which goes to the
// same port.
inline constexpr int kGameStatusTimeoutMs = 1000;

struct GameStatusResult {
    GamePingOutcome outcome = GamePingOutcome::NotDotted;
    ServerStatus status; // what the answer told, when outcome is Answered
};

// Sends one status query to the dotted address and port and waits up to kGameStatusTimeoutMs for an
// answer from that address and port that reads whole to the server's name; everything else that
// arrives is read and dropped, a bounded number of datagrams at a time. Stops waiting early once
// the caller no longer wants the answer.
GameStatusResult exchangeGameStatus(const std::string& address, std::uint16_t port, const StillWanted& wanted);

} // namespace velberd::net
