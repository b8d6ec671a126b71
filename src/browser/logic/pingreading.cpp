#include "browser/logic/pingreading.h"

namespace velberd {
namespace {

using Result = Measurement::Result;

// What was seen of the echo: its time-out says nothing of whether the server ever answers ICMP.
constexpr const char* kEchoUnanswered = "ICMP echo got no answer within half a second";
constexpr const char* kNoEcho = "this machine cannot send ICMP echo";

std::string milliseconds(std::uint32_t ms) {
    return std::to_string(ms) + " ms";
}

} // namespace

std::optional<PingReading> readPing(const std::optional<Measurement>& echo, const std::optional<Measurement>& game) {
    if (!echo) return std::nullopt;
    switch (echo->result) {
    case Result::Answered:
        return PingReading{milliseconds(echo->ms), "measured with ICMP echo"};
    case Result::NotSent:
        return PingReading{"no reply", ""};
    case Result::NoReply:
    case Result::CannotSend:
        break;
    }
    if (!game) return std::nullopt;
    const bool echoSent = echo->result == Result::NoReply;
    switch (game->result) {
    case Result::Answered:
        return PingReading{milliseconds(game->ms),
                           "measured with the game's own ping: " + std::string(echoSent ? kEchoUnanswered : kNoEcho)};
    case Result::NoReply:
        return PingReading{"no reply", echoSent ? "neither ICMP echo nor the game's own ping was answered"
                                                : "the game's own ping was not answered, and this machine cannot "
                                                  "send ICMP echo"};
    case Result::NotSent:
    case Result::CannotSend:
        break;
    }
    if (echoSent) return PingReading{"no reply", kEchoUnanswered};
    return PingReading{"cannot ping", "this machine can send neither ICMP echo nor the game's own ping"};
}

} // namespace velberd
