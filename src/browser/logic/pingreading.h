#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velberd {

// What one way of measuring a server came to: ICMP echo, or the game's own ping.
struct Measurement {
    enum class Result {
        Answered,   // ms holds the round trip
        NoReply,    // sent, and not answered in time
        NotSent,    // nothing to send to: a name or "restricted" for an address, or no port
        CannotSend, // this machine cannot send it
    };
    Result result = Result::NotSent;
    std::uint32_t ms = 0;
};

// "Ping:" and its tool tip.
struct PingReading {
    std::string caption;
    std::string toolTip;
};

// What "Ping:" shows for a round in which both ways went out at once. The echo's time wins
// whenever the echo is answered; the game's ping measures a server only when the echo got no
// answer or could not be sent. None while the one that decides is still out.
std::optional<PingReading> readPing(const std::optional<Measurement>& echo, const std::optional<Measurement>& game);

} // namespace velberd
