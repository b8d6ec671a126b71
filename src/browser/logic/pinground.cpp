#include "browser/logic/pinground.h"

#include "net/netservices.h"

namespace velberd {

using Result = Measurement::Result;

PingRound pingOnce(net::NetServices& net, const std::string& address, const net::StillWanted& wanted) {
    PingRound round;
    if (!net.startSocketLibrary()) return round;
    round.opened = true;
    net::EchoReplyRecord record{};
    round.outcome = net.exchangeEcho(address, "test", record, wanted);
    round.roundTrip = record.roundTripTime();
    round.closedCleanly = net.stopSocketLibrary();
    return round;
}

Measurement gamePingOnce(net::NetServices& net, const std::string& address, std::optional<std::uint16_t> port,
                         const net::StillWanted& wanted) {
    if (!port) return {Result::NotSent, 0};
    const auto result = net.exchangeGamePing(address, *port, wanted);
    switch (result.outcome) {
    case net::GamePingOutcome::Answered:
        return {Result::Answered, result.roundTripMs};
    case net::GamePingOutcome::NoReply:
        return {Result::NoReply, 0};
    case net::GamePingOutcome::CannotSend:
        return {Result::CannotSend, 0};
    case net::GamePingOutcome::NotDotted:
        break;
    }
    return {Result::NotSent, 0};
}

Measurement echoMeasurement(const PingRound& round) {
    switch (round.outcome) {
    case net::EchoOutcome::Replied:
        return {Result::Answered, round.roundTrip};
    case net::EchoOutcome::NoReply:
        return {Result::NoReply, 0};
    case net::EchoOutcome::ServiceUnavailable:
        return {Result::CannotSend, 0};
    case net::EchoOutcome::NotDotted:
        break;
    }
    return {Result::NotSent, 0};
}

} // namespace velberd
